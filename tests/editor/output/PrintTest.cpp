#include "TestSupport.h"
#include "editor/colouring/FormattingProcessor.h"
#include "editor/view/TextEditorEx.h"
#include "platform/SilentAbort.h"

#include <QDate>
#include <QDir>
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

TEST_F(Print, AJobThatCannotStartRaises) {
    editor.SetText("x");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(TestRootDir() + QStringLiteral("/no/such/folder/x.pdf"));
    EXPECT_THROW(editor.Print(QStringLiteral("x"), QStringLiteral("[F]"), printer), EKelvoraError);
    EXPECT_EQ(editor.Lines.Get(0), QByteArray("x"));
}

} // namespace
