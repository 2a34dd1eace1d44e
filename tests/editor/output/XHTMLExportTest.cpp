#include "TestSupport.h"
#include "editor/colouring/HTMLFormattingProcessor.h"
#include "editor/view/TextEditorEx.h"
#include "editor/view/TextEditorExSettings.h"
#include "platform/Cp1252.h"
#include "platform/SilentAbort.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <gtest/gtest.h>
#include <tuple>
#include <vector>

namespace {

// Upper-case letters bold, digits red, '!' red and bold, '#' in a system colour; a line
// holding "boom" throws.
class TTestProcessor : public TFormattingProcessor {
public:
    void FormatChar(char Ch, const QPoint& Pos, bool JustTyped, TCharFormat& Format) override {
        TFormattingProcessor::FormatChar(Ch, Pos, JustTyped, Format);
        if (TextEditorEx()->Lines.Get(Pos.y()).contains("boom"))
            throw EKelvoraError(QStringLiteral("Exception"), QStringLiteral("boom"));
        if (Ch >= 'A' && Ch <= 'Z')
            Format.Style = fsBold;
        else if (Ch >= '0' && Ch <= '9')
            Format.Color = clRed;
        else if (Ch == '!')
            Format = {clRed, fsBold};
        else if (Ch == '#')
            Format.Color = clWindowText;
        else if (Ch == '~')
            Format.Style = fsItalic | fsUnderline | fsStrikeOut;
    }
};

struct XHTMLExport : ::testing::Test {
    TTextEditorEx editor;
    THTMLFormattingProcessor html;
    TTestProcessor test;

    XHTMLExport() {
        editor.FontColor = clBlack;
        editor.EditorFont.setFamily(QStringLiteral("Courier New"));
        editor.Settings()->SetBkColor(clWhite);
        html.TagColor = clBlue;
        html.TagNameColor = clMaroon;
        html.TagNameBold = true;
        html.TagValColor = clGreen;
        html.SetTextEditorEx(&editor);
        test.SetTextEditorEx(&editor);
    }

    QString Fragment(const QByteArray& text) {
        editor.SetText(text);
        editor.ExportXHTML(QString(), QString(), false, QString(), QString());
        return QGuiApplication::clipboard()->text();
    }
};

const QString kHead = QStringLiteral("<?xml version=\"1.0\" encoding=\"windows-1252\"?>\r\n"
                                     "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\" "
                                     "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\">\r\n"
                                     "\r\n"
                                     "<html xmlns=\"http://www.w3.org/1999/xhtml\">\r\n"
                                     "<head>\r\n"
                                     "\r\n"
                                     "<title>%1</title>\r\n"
                                     "\r\n"
                                     "<style type=\"text/css\">\r\n"
                                     "pre {\r\n"
                                     "    font-family:'Courier New';\r\n"
                                     "    font-size:x-small;\r\n"
                                     "    background-color:#FFFFFF;\r\n"
                                     "    color:#000000;\r\n"
                                     "}\r\n"
                                     "</style>\r\n"
                                     "\r\n"
                                     "</head>\r\n"
                                     "\r\n"
                                     "\r\n"
                                     "<body>\r\n"
                                     "\r\n");

const char* const kTag = "<span style=\"color:#0000FF;\">";
const char* const kName = "<span style=\"color:#800000;font-weight:bold;\">";

TEST_F(XHTMLExport, FragmentEscapesMarkupCharactersAndQuotes) {
    EXPECT_EQ(Fragment("a<b & c>"), QStringLiteral("<pre>\r\na&lt;b &amp; c&gt;\r\n</pre>\r\n"));
    // Tabs, apostrophes and Windows-1252 letters pass unchanged; entities already in the text
    // are text; empty lines stay empty lines.
    EXPECT_EQ(Fragment("\tx=\"\xE9\x80\";\r\n\r\n&amp;'\r\n"),
              QStringLiteral("<pre>\r\n\tx=&quot;é€&quot;;\r\n\r\n&amp;amp;'\r\n</pre>\r\n"));
}

TEST_F(XHTMLExport, WholeDocumentWithHTMLColouring) {
    editor.SetFormattingProcessor(&html);
    editor.Settings()->InteractiveFormatting = false; // export colours regardless
    editor.SetText("<p>Hej & h\xE5</p>\r\n<a href=\"x\">");
    const QString path = TestRootDir() + QStringLiteral("/export/whole.html");
    WriteTestFile(QStringLiteral("export/whole.html"), "old");
    editor.ExportXHTML(QStringLiteral("Sidan <b>"), QStringLiteral("<h1>Rubrik</h1>"), true, path,
                       QStringLiteral("<p>Slut</p>"));
    const QString body =
        QStringLiteral("<h1>Rubrik</h1>\r\n<hr />\r\n\r\n<pre>\r\n") + kTag + "&lt;</span>" +
        kName + "p</span>" + kTag + "&gt;</span>Hej &amp; hå" + kTag + "&lt;</span>" + kName +
        "/p</span>" + kTag + "&gt;</span>\r\n" + kTag + "&lt;</span>" + kName +
        "a href=&quot;</span>" + "<span style=\"color:#008000;\">x</span>" + kName +
        "&quot;</span>" + kTag +
        "&gt;</span>\r\n</pre>\r\n\r\n<hr />\r\n<p>Slut</p>\r\n\r\n</body>\r\n</html>\r\n";
    EXPECT_EQ(Cp1252::Decode(ReadTestFile(path)),
              kHead.arg(QStringLiteral("Sidan &lt;b&gt;")) + body);
}

TEST_F(XHTMLExport, EmptyHeaderAndFooterWriteNoRule) {
    editor.SetText("x");
    editor.EditorFont.setFamily(QStringLiteral("DejaVu Sans Mono"));
    editor.FontColor = clWindowText;
    editor.Settings()->SetBkColor(clWindow);
    const QString path = TestRootDir() + QStringLiteral("/plain.html");
    editor.ExportXHTML(QStringLiteral("T"), QString(), true, path, QString());
    QString head = kHead.arg(QStringLiteral("T"));
    head.replace(QStringLiteral("Courier New"), QStringLiteral("DejaVu Sans Mono"));
    // System colours are written as the colours they stand for.
    head.replace(QStringLiteral("#FFFFFF"),
                 QString::fromLatin1(TTextEditorEx::ColorToHTML(ColorToRGB(clWindow))));
    head.replace(QStringLiteral("#000000"),
                 QString::fromLatin1(TTextEditorEx::ColorToHTML(ColorToRGB(clWindowText))));
    EXPECT_EQ(Cp1252::Decode(ReadTestFile(path)),
              head + "<pre>\r\nx\r\n</pre>\r\n\r\n</body>\r\n</html>\r\n");
}

TEST_F(XHTMLExport, SpansOnlyWhereTheFormatChanges) {
    editor.SetFormattingProcessor(&test);
    const struct {
        const char* text;
        const char* block;
    } cases[] = {
        // a run of one format is one span; plain text needs none
        {"abABCab", "ab<span style=\"font-weight:bold;\">ABC</span>ab"},
        // bold to plain with the same colour closes the span
        {"AB!!12", "<span style=\"font-weight:bold;\">AB</span>"
                   "<span style=\"color:#FF0000;font-weight:bold;\">!!</span>"
                   "<span style=\"color:#FF0000;\">12</span>"},
        // spans never cross a line end
        {"12\r\n34", "<span style=\"color:#FF0000;\">12</span>\r\n"
                     "<span style=\"color:#FF0000;\">34</span>"},
        // a system colour equal to the font colour after resolving gets no colour
        {"a#b", "a#b"},
        // strike-out is not written
        {"~", "<span style=\"font-style:italic;text-decoration:underline;\">~</span>"},
        {"<&>", "&lt;&amp;&gt;"},
    };
    editor.FontColor = ColorToRGB(clWindowText);
    for (const auto& c : cases)
        EXPECT_EQ(Fragment(c.text),
                  QStringLiteral("<pre>\r\n") + QString::fromLatin1(c.block) + "\r\n</pre>\r\n")
            << c.text;
}

TEST_F(XHTMLExport, ProgressPerFiftyLines) {
    QByteArray text;
    for (int i = 0; i < 120; ++i)
        text += (i == 50 ? QByteArray() : "line") + "\r\n";
    text.chop(2);
    std::vector<std::tuple<int, int, int>> events;
    editor.OnXHTMLExportProgress = [&](int total, int done, int percent) {
        events.emplace_back(total, done, percent);
    };
    Fragment(text);
    // 51 / 120 is 42.5 per cent: halves round to even. An empty line reports as well.
    const std::vector<std::tuple<int, int, int>> expected = {
        {120, 0, 0}, {120, 1, 1}, {120, 51, 42}, {120, 101, 84}, {120, 120, 100}};
    EXPECT_EQ(events, expected);
}

TEST_F(XHTMLExport, FailuresLeaveTheOldFile) {
    editor.SetText("ok\r\nboom");
    editor.SetFormattingProcessor(&test);
    const QString path = WriteTestFile(QStringLiteral("keep.html"), "old page");
    EXPECT_THROW(editor.ExportXHTML(QString(), QString(), true, path, QString()), EKelvoraError);
    EXPECT_EQ(ReadTestFile(path), QByteArray("old page"));
    EXPECT_EQ(editor.Text(), QByteArray("ok\r\nboom\r\n"));

    editor.SetFormattingProcessor(nullptr);
    const QString bad = TestRootDir() + QStringLiteral("/no/such/folder/x.html");
    try {
        editor.ExportXHTML(QString(), QString(), true, bad, QString());
        ADD_FAILURE() << "no error";
    } catch (const EKelvoraError& e) {
        EXPECT_EQ(e.ClassName(), QStringLiteral("EFCreateError"));
        EXPECT_EQ(e.Message(), QStringLiteral("Det gick inte att skapa filen \"%1\".").arg(bad));
    }
    EXPECT_TRUE(QDir(TestRootDir() + QStringLiteral("/no")).isEmpty());
}

QString Xmllint(const QStringList& args, int* exitCode) {
    QProcess p;
    p.start(QStringLiteral("xmllint"), args);
    if (!p.waitForFinished(60000)) {
        ADD_FAILURE() << "xmllint did not run (scripts/setup.sh installs it)";
        return QString();
    }
    *exitCode = p.exitCode();
    return QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
}

// Whatever the title and the text hold, the document is well-formed XML and reads back as
// the same characters.
TEST_F(XHTMLExport, DocumentIsWellFormedXml) {
    const struct {
        const char* name;
        QString title;
        QByteArray text;
        QString titleRead, textRead;
    } cases[] = {
        {"ampersand title", QStringLiteral("R&D.html"), "x", QStringLiteral("R&D.html"),
         QStringLiteral("x")},
        {"markup title", QStringLiteral("\"<a>\" & 'b'"), "x", QStringLiteral("\"<a>\" & 'b'"),
         QStringLiteral("x")},
        {"title beyond Windows-1252", QStringLiteral("Ж \U0001F600"), "x",
         QStringLiteral("Ж \U0001F600"), QStringLiteral("x")},
        {"Swedish letters", QStringLiteral("\u00e5\u00e4\u00f6"), "\xE5\xE4\xF6 \xC5\xC4\xD6 \x80",
         QStringLiteral("\u00e5\u00e4\u00f6"),
         QStringLiteral("\u00e5\u00e4\u00f6 \u00c5\u00c4\u00d6 \u20ac")},
        {"control characters", QStringLiteral("a\x01"),
         QByteArray("a\x01"
                    "b\x1F\x0B\x7F\tc",
                    9),
         QStringLiteral("a\u2401"), QStringLiteral("a\u2401b\u241f\u240b\x7f\tc")},
        {"undefined bytes", QStringLiteral("T"), "\x81\x8D\x8F\x90\x9D", QStringLiteral("T"),
         QStringLiteral("\x81\x8d\x8f\x90\x9d")},
        {"markup in the text", QStringLiteral("T"), "<p class=\"a\">&amp;</p>", QStringLiteral("T"),
         QStringLiteral("<p class=\"a\">&amp;</p>")},
    };
    editor.SetFormattingProcessor(&html);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        editor.SetText(c.text);
        const QString path = TestRootDir() + QStringLiteral("/wellformed.html");
        editor.ExportXHTML(c.title, QString(), true, path, QString());
        int exit = -1;
        const QString errors = Xmllint({QStringLiteral("--noout"), path}, &exit);
        EXPECT_EQ(exit, 0) << errors.toStdString();
        EXPECT_EQ(errors, QString());
        const auto read = [&](const char* element) {
            int code = -1;
            QString value = Xmllint(
                {QStringLiteral("--xpath"),
                 QStringLiteral("string(//*[local-name()='%1'])").arg(QLatin1String(element)),
                 path},
                &code);
            value.chop(1); // the line end xmllint adds
            return value;
        };
        EXPECT_EQ(read("title"), c.titleRead);
        EXPECT_EQ(read("pre"), QStringLiteral("\n") + c.textRead + QStringLiteral("\n"));
    }
}

TEST(XHTMLColours, ColorToHTMLAndNormalizeColor) {
    EXPECT_EQ(TTextEditorEx::ColorToHTML(RGBColor(0x12, 0xAB, 0x0F)), QByteArray("#12AB0F"));
    EXPECT_EQ(TTextEditorEx::ColorToHTML(clBlue), QByteArray("#0000FF"));
    EXPECT_EQ(TTextEditorEx::NormalizeColor(0x02123456), TColor(0x123456));
    EXPECT_EQ(TTextEditorEx::NormalizeColor(clWindowText), ColorToRGB(clWindowText));
}

} // namespace
