#include "TestSupport.h"
#include "editor/colouring/FormattingProcessor.h"
#include "editor/view/TextEditorEx.h"
#include "platform/SilentAbort.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QImage>
#include <QLocale>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <tuple>
#include <vector>

namespace {

// Digits in red, everything else as the base gives it.
class TDigitsRed : public TFormattingProcessor {
public:
    void FormatChar(char Ch, const QPoint& Pos, bool JustTyped, TCharFormat& Format) override {
        TFormattingProcessor::FormatChar(Ch, Pos, JustTyped, Format);
        if (Ch >= '0' && Ch <= '9')
            Format.Color = clRed;
    }
};

using Events = std::vector<std::tuple<int, int, int>>;

QString RunTool(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

struct Print : ::testing::Test {
    TTextEditorEx editor;
    TDigitsRed digits;
    Events events;
    QString pdf;

    Print() {
        editor.EditorFont = QFont(QStringLiteral("DejaVu Sans Mono"), 10);
        editor.FontColor = clBlack;
        digits.SetTextEditorEx(&editor);
        editor.OnPrintProgress = [this](int total, int done, int percent) {
            events.emplace_back(total, done, percent);
        };
    }

    // Prints to a PDF file and returns the text of its pages.
    QStringList PrintPages(const QByteArray& text, const QString& fileName = QStringLiteral("doc"),
                           const QString& title = QStringLiteral("Kelvora - [F]")) {
        editor.SetText(text);
        static int n = 0;
        pdf = QDir(TestRootDir()).filePath(QStringLiteral("print%1.pdf").arg(++n));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        editor.Print(fileName, title, printer);
        QStringList pages = RunTool(QStringLiteral("pdftotext"),
                                    {QStringLiteral("-layout"), pdf, QStringLiteral("-")})
                                .split(QLatin1Char('\f'));
        if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
            pages.removeLast();
        return pages;
    }

    // The row height and the page height the print lays out with.
    std::pair<int, int> RowAndPageHeight() const {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QDir(TestRootDir()).filePath(QStringLiteral("measure.pdf")));
        QFont font = editor.DrawingFont();
        font.setBold(false);
        font.setItalic(false);
        return {QFontMetrics(font, &printer).height(), printer.height()};
    }

    // Margins that leave exactly `rows` rows for the text.
    void RowsPerPage(int rows) {
        const auto [row, page] = RowAndPageHeight();
        editor.PrintingSettings.MarginBottom =
            page - editor.PrintingSettings.MarginTop - rows * row;
    }

    // The lines of a page without blank ones and without the header and footer.
    static QStringList TextLines(const QString& page, int skipHeader, int skipFooter) {
        QStringList lines;
        for (const QString& l : page.split(QLatin1Char('\n')))
            if (!l.trimmed().isEmpty())
                lines << l.trimmed();
        return lines.mid(skipHeader, lines.size() - skipHeader - skipFooter);
    }
};

TEST_F(Print, PagesFollowOneAnotherWithNumberedFooters) {
    editor.PrintingSettings.Header = QStringLiteral("[F] och [F], inte [f]");
    editor.PrintingSettings.Footer = QStringLiteral("Sida [I] av [N]");
    QByteArray text;
    for (int i = 0; i < 150; ++i)
        text += "rad" + QByteArray::number(i) + (i % 7 == 3 ? "\r\n\r\n" : "\r\n");
    const QStringList pages = PrintPages(text, QStringLiteral("sida.html"));
    const int n = static_cast<int>(pages.size());
    ASSERT_GE(n, 3);

    QStringList printed;
    for (int k = 0; k < n; ++k) {
        const QStringList lines = TextLines(pages[k], 0, 0);
        ASSERT_GE(lines.size(), 2);
        EXPECT_EQ(lines.first(), QStringLiteral("sida.html och sida.html, inte [f]"));
        EXPECT_EQ(lines.last(), QStringLiteral("Sida %1 av %2").arg(k + 1).arg(n));
        printed << lines.mid(1, lines.size() - 2);
    }
    // Every line once, in order, none lost at a page break; blank rows do not print.
    QStringList expected;
    for (int i = 0; i < 150; ++i)
        expected << QStringLiteral("rad%1").arg(i);
    EXPECT_EQ(printed, expected);

    // (N, 0, 0) first, one event per page break, (N, N, 100) last.
    ASSERT_EQ(events.size(), static_cast<size_t>(n + 1));
    EXPECT_EQ(events.front(), std::make_tuple(n, 0, 0));
    for (int k = 1; k < n; ++k)
        EXPECT_EQ(events[static_cast<size_t>(k)],
                  std::make_tuple(n, k, static_cast<int>(std::nearbyint(100.0 * k / n))));
    EXPECT_EQ(events.back(), std::make_tuple(n, n, 100));

    EXPECT_TRUE(
        RunTool(QStringLiteral("pdfinfo"), {pdf}).contains(QStringLiteral("Kelvora - sida.html")));
}

TEST_F(Print, EmptyDocumentPrintsOnePageOfHeaderAndFooter) {
    editor.PrintingSettings.Header = QStringLiteral("Datum [D]");
    editor.PrintingSettings.Footer = QStringLiteral("[I]/[N] kl. [T]");
    const QStringList pages = PrintPages("");
    ASSERT_EQ(pages.size(), 1);
    const QStringList lines = TextLines(pages[0], 0, 0);
    ASSERT_EQ(lines.size(), 2);
    // Date and time are written the Swedish way, whatever the system's language.
    EXPECT_EQ(lines[0], QStringLiteral("Datum ") + QDate::currentDate().toString(Qt::ISODate));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^1/1 kl\\. \\d\\d:\\d\\d:\\d\\d"))
                    .match(lines[1])
                    .hasMatch())
        << lines[1].toStdString();
    EXPECT_FALSE(lines[1].contains(QStringLiteral("[T]")));
    EXPECT_EQ(events, (Events{{1, 0, 0}, {1, 1, 100}}));
}

TEST_F(Print, LongLinesAreCutNotWrapped) {
    const QStringList pages = PrintPages(QByteArray(1000, 'x') + "\r\nslut");
    ASSERT_EQ(pages.size(), 1);
    const QStringList lines = TextLines(pages[0], 0, 0);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_GT(lines[0].size(), 40);
    EXPECT_LT(lines[0].size(), 1000);
    EXPECT_EQ(lines[0], QString(lines[0].size(), QLatin1Char('x')));
    EXPECT_EQ(lines[1], QStringLiteral("slut"));
}

TEST_F(Print, HiddenCharactersAndWindows1252) {
    const QByteArray text = "a b\tc\x80\xE5";
    EXPECT_EQ(TextLines(PrintPages(text).value(0), 0, 0), QStringList{QStringLiteral("a b c€å")});
    editor.PrintingSettings.ShowHiddenChars = true;
    EXPECT_EQ(TextLines(PrintPages(text).value(0), 0, 0), QStringList{QStringLiteral("a·b•c€å")});
}

// Red pixels in the first page of the last print.
bool HasRedInk(const QString& pdf) {
    const QString png = pdf + QStringLiteral(".page");
    RunTool(QStringLiteral("pdftoppm"),
            {QStringLiteral("-r"), QStringLiteral("50"), QStringLiteral("-png"),
             QStringLiteral("-singlefile"), pdf, png});
    const QImage image(png + QStringLiteral(".png"));
    EXPECT_FALSE(image.isNull());
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 150 && c.green() < 100 && c.blue() < 100)
                return true;
        }
    return false;
}

TEST_F(Print, ColoursFromTheProcessorOnlyWhenSwitchedOn) {
    const QByteArray text = "abc 12345678 def";
    PrintPages(text);
    EXPECT_FALSE(HasRedInk(pdf)) << "no processor";
    editor.SetFormattingProcessor(&digits);
    PrintPages(text);
    EXPECT_TRUE(HasRedInk(pdf));
    editor.PrintingSettings.InteractiveFormatting = false;
    PrintPages(text);
    EXPECT_FALSE(HasRedInk(pdf));
    EXPECT_EQ(editor.Lines.Get(0), text);
}

// The pages are counted from the layout that prints them: a page of exactly five rows holds
// five lines, and a blank line takes its row like any other, at a page's end too.
TEST_F(Print, PageCountFollowsThePrintedRows) {
    RowsPerPage(5);
    editor.PrintingSettings.Footer = QStringLiteral("Sida [I] av [N]");
    const struct {
        const char* text;
        QList<QStringList> pages; // the lines of each page, the footer last
    } cases[] = {
        {"1\r\n2\r\n3\r\n4\r\n5", {{"1", "2", "3", "4", "5", "Sida 1 av 1"}}},
        {"1\r\n2\r\n3\r\n4\r\n5\r\n6",
         {{"1", "2", "3", "4", "5", "Sida 1 av 2"}, {"6", "Sida 2 av 2"}}},
        {"1\r\n2\r\n3\r\n4\r\n\r\n\r\n\r\n8",
         {{"1", "2", "3", "4", "Sida 1 av 2"}, {"8", "Sida 2 av 2"}}},
        {"1\r\n2\r\n3\r\n4\r\n5\r\n\r\n",
         {{"1", "2", "3", "4", "5", "Sida 1 av 2"}, {"Sida 2 av 2"}}},
    };
    for (const auto& c : cases) {
        events.clear();
        const QStringList pages = PrintPages(c.text);
        QList<QStringList> printed;
        for (const QString& page : pages)
            printed << TextLines(page, 0, 0);
        EXPECT_EQ(printed, c.pages) << c.text;
        const int n = static_cast<int>(c.pages.size());
        ASSERT_FALSE(events.empty());
        EXPECT_EQ(events.front(), std::make_tuple(n, 0, 0)) << c.text;
        EXPECT_EQ(events.back(), std::make_tuple(n, n, 100)) << c.text;
        EXPECT_EQ(events.size(), static_cast<size_t>(n + 1)) << c.text;
    }
}

// The blank rows stay: a line after blank lines at a page's end stands as far down on the next
// page as the blank lines that went over push it.
TEST_F(Print, BlankLinesAtAPageEndKeepTheirRows) {
    RowsPerPage(3);
    const auto wordTops = [this](const QByteArray& text) {
        PrintPages(text);
        const QString html = RunTool(QStringLiteral("pdftotext"),
                                     {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
        QList<double> tops;
        const QRegularExpression word(QStringLiteral("<word[^>]*yMin=\"([0-9.]+)\""));
        for (auto m = word.globalMatch(html); m.hasNext();)
            tops << m.next().captured(1).toDouble();
        return tops;
    };
    const QList<double> flush = wordTops("a\r\nb\r\nc\r\nd\r\ne");
    const QList<double> blanks = wordTops("a\r\nb\r\n\r\n\r\nd\r\ne");
    ASSERT_EQ(flush.size(), 5);
    ASSERT_EQ(blanks.size(), 4);
    // d and e stand in the second page's rows 1 and 2, as in the text without blank lines.
    EXPECT_DOUBLE_EQ(blanks[2], flush[4]);
    EXPECT_GT(blanks[2], flush[3]);
}

// Each field is expanded once, from the template as it stands.
TEST_F(Print, FieldsAreExpandedOnceFromTheTemplate) {
    editor.PrintingSettings.Header = QStringLiteral("[F] [I]/[N] [X] [F");
    const struct {
        const char* fileName;
        const char* header;
    } cases[] = {
        {"a[N]b.html", "a[N]b.html 1/1 [X] [F"},
        {"[I][D][T].html", "[I][D][T].html 1/1 [X] [F"},
        {"vanlig.html", "vanlig.html 1/1 [X] [F"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TextLines(PrintPages("x", QString::fromLatin1(c.fileName)).value(0), 0, 0),
                  (QStringList{QString::fromLatin1(c.header), QStringLiteral("x")}))
            << c.fileName;
}

// A print area lower than one row is refused before the job starts.
TEST_F(Print, PrintAreaLowerThanARowIsRefused) {
    const auto [row, page] = RowAndPageHeight();
    editor.PrintingSettings.MarginBottom = page - editor.PrintingSettings.MarginTop - row + 1;
    editor.SetText("ab\r\ncd");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString out = QDir(TestRootDir()).filePath(QStringLiteral("refused.pdf"));
    printer.setOutputFileName(out);
    try {
        editor.Print(QStringLiteral("x"), QStringLiteral("[F]"), printer);
        ADD_FAILURE() << "printed";
    } catch (const EKelvoraError& e) {
        EXPECT_EQ(e.ClassName(), QStringLiteral("EPrintArea"));
        EXPECT_EQ(e.Message(), QStringLiteral("Det gick inte att skriva ut dokumentet: utrymmet "
                                              "mellan marginalerna är lägre än en textrad."));
    }
    EXPECT_TRUE(events.empty());
    EXPECT_FALSE(QFile::exists(out));
    RowsPerPage(1); // exactly one row is enough
    EXPECT_EQ(PrintPages("ab\r\ncd").size(), 2);
}

TEST_F(Print, AJobThatCannotStartRaises) {
    editor.SetText("x");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(TestRootDir() + QStringLiteral("/no/such/folder/x.pdf"));
    EXPECT_THROW(editor.Print(QStringLiteral("x"), QStringLiteral("[F]"), printer), EKelvoraError);
    EXPECT_EQ(editor.Lines.Get(0), QByteArray("x"));
}

} // namespace
