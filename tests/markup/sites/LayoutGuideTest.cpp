// The layout guide: its blocks in front of the document's last three lines, its delayed
// preview and "&Generera".
#include "WizardFixture.h"

#include "controls/ValueListEditor.h"
#include "markup/css/CSSWin.h"
#include "markup/sites/DispWizWin.h"
#include "markup/sites/LayoutGuideCode.h"
#include "platform/Cp1252.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace {

const QByteArrayList Tail{"", "</body>", "</html>"};
const QByteArray Comment = Cp1252::Encode(QStringLiteral("<!-- Skriv sidinnehållet här. -->"));

// The text the blocks make: the entries joined as the document will hold them.
QByteArrayList AsLines(const QByteArrayList& entries) {
    QByteArrayList lines = entries.join("\r\n").split('\n');
    for (QByteArray& line : lines)
        line.replace("\r", "");
    return lines;
}

} // namespace

TEST(LayoutGuideCode, AllFourBlocksWithoutLinksGoBeforeTheLastThreeLines) {
    TLayoutGuideFields f;
    f.Heading = "Start";
    const QByteArrayList lines =
        AsLines(LayoutGuideCode::WriteCode(QByteArrayList{"<body>"} + Tail, f, 2));
    EXPECT_EQ(lines, (QByteArrayList{"<body>", "<h1>Start</h1>", "", "<div>", "<a href=\"\"></a>",
                                     "</div>", "", "<div>", Comment, "</div>", "", "<div>", "",
                                     "</div>", ""} +
                      Tail));
}

TEST(LayoutGuideCode, StylesVerticalLinksAndTagCase) {
    TLayoutGuideFields f;
    f.UseHeading = false;
    f.UseContent = false;
    f.Links = {{"Hem", "index.html"}, {"Om", "om.html"}};
    f.VerticalLinks = true;
    f.LinkStyle = "float:left";
    f.Footer = "© Jag";
    f.FooterStyle = "clear:both";
    const QByteArrayList entries = LayoutGuideCode::WriteCode({"a", "b", "c", "d"}, f, 1);
    EXPECT_EQ(entries, (QByteArrayList{"a",
                                       "<DIV STYLE=\"float:left\">\r\n"
                                       "<A HREF=\"index.html\">Hem</A><BR />\r\n"
                                       "<A HREF=\"om.html\">Om</A><BR />\r\n</DIV>\r\n",
                                       "<DIV STYLE=\"clear:both\">\r\n\xA9 Jag\r\n</DIV>\r\n", "b",
                                       "c", "d"}));
    // Any other tag case writes the pieces as they are.
    EXPECT_EQ(LayoutGuideCode::Div("x", 0), "<div style=\"x\">\r\n");
}

TEST(LayoutGuideCode, ADocumentOfFewerThanThreeLinesGetsTheBlocksFirst) {
    TLayoutGuideFields f;
    f.UseLinks = f.UseContent = f.UseFooter = false;
    f.Heading = "R";
    for (const QByteArrayList& doc :
         {QByteArrayList{}, QByteArrayList{"x"}, QByteArrayList{"x", "y"}}) {
        const QByteArrayList out = LayoutGuideCode::WriteCode(doc, f, 2);
        EXPECT_EQ(out, QByteArrayList{"<h1>R</h1>\r\n"} + doc);
    }
}

namespace {

class LayoutGuideWinTest : public WizardWinTest {};

} // namespace

TEST_F(LayoutGuideWinTest, PreviewFollowsChangesAfterHalfASecondAndGenerateReplacesTheText) {
    win->CodeEditor->SetText("<html>\r\n<body>\r\n\r\n</body>\r\n</html>");
    answers.clear();
    Answer<TdispWiz>([this](TdispWiz* g) {
        EXPECT_EQ(g->windowTitle(), QStringLiteral("Layoutguiden"));
        EXPECT_EQ(g->eH1Caption->text(), QStringLiteral("Välkommen"));
        TRecordingPreviewBrowser* browser = BrowserOf(g->Preview());
        EXPECT_EQ(browser->calls, std::vector<QString>{"navigate " + g->Preview()->FileName()});
        EXPECT_TRUE(ReadTestFile(g->Preview()->FileName()).contains("<H1>V\xE4lkommen</H1>"));

        EXPECT_EQ(g->APU->interval(), 500);
        EXPECT_FALSE(g->APU->isActive());
        g->eFooter->setText(QStringLiteral("Sidfot"));
        EXPECT_TRUE(g->APU->isActive());
        g->cbUseLnks->click();
        EXPECT_EQ(browser->calls.size(), 1u); // not yet
        g->vleLinks->item(0, 0)->setText(QStringLiteral("Hem"));
        EXPECT_TRUE(g->APU->isActive());
        EXPECT_TRUE(QTest::qWaitFor([&] { return browser->calls.size() == 2; }, 3000));
        EXPECT_EQ(browser->Last(), "reload " + g->Preview()->FileName());
        EXPECT_FALSE(ReadTestFile(g->Preview()->FileName()).contains("Hem"));

        g->btnGenerate->click();
        return g->result();
    });
    ASSERT_TRUE(
        win->Commands().Run(QStringLiteral("StartLayoutGuide"), QStringLiteral("Välkommen")));
    EXPECT_EQ(Lines(), (QByteArrayList{"<html>", "<body>", "<H1>V\xE4lkommen</H1>", "", "<DIV>",
                                       Comment, "</DIV>", "", "<DIV>", "Sidfot", "</DIV>", "", "",
                                       "</body>", "</html>"}));
    // One undo takes the blocks back.
    win->CodeEditor->Undo();
    EXPECT_EQ(Text(), "<html>\r\n<body>\r\n\r\n</body>\r\n</html>\r\n");
}

TEST_F(LayoutGuideWinTest, CancelLeavesTheDocumentAlone) {
    win->CodeEditor->SetText("a\r\nb");
    Answer<TdispWiz>([](TdispWiz* g) {
        g->btnCancel->click();
        return g->result();
    });
    win->Commands().Run(QStringLiteral("StartLayoutGuide"), QString());
    EXPECT_EQ(Text(), "a\r\nb\r\n");
}

TEST_F(LayoutGuideWinTest, CssButtonsFillTheirStyleFieldFromTheStyleEditor) {
    Answer<TdispWiz>([this](TdispWiz* g) {
        g->eDIVStyle->setText(QStringLiteral("color:#FF0000"));
        QString declarations;
        Answer<TCSS>([&declarations](TCSS* css) {
            EXPECT_EQ(css->Mode(), TCSSMode::Declarations);
            EXPECT_TRUE(css->pAFontColor->isChecked()); // started from the field's text
            css->pAWidth->setChecked(true);
            css->pWidth->setText(QStringLiteral("80"));
            declarations = css->Result();
            css->btnGenerate->click();
            return css->result();
        });
        Answer<TCSS>([](TCSS* css) {
            css->btnCancel->click();
            return css->result();
        });
        g->STYLE1->click();
        EXPECT_EQ(g->eDIVStyle->text(), declarations);
        EXPECT_TRUE(declarations.contains(QStringLiteral("color:#FF0000")));
        g->STYLE2->click(); // cancelled: the footer's style stays
        EXPECT_EQ(g->eFooterStyle->text(), QString());
        g->btnCancel->click();
        return g->result();
    });
    win->Commands().Run(QStringLiteral("StartLayoutGuide"), QString());
}
