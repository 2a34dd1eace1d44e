// The element dialogs: their generators, and each dialog run through the window.
#include "MarkupFixture.h"

#include "controls/ColorContainer.h"
#include "markup/common/ElementDialog.h"
#include "markup/elements/ElementMarkup.h"
#include "markup/elements/HRuleWin.h"
#include "markup/elements/ImgWin.h"
#include "markup/elements/LinkWin.h"
#include "markup/elements/PhraseWin.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

using namespace ElementMarkup;

TEST(ElementMarkupTest, WritesNonEmptyFieldsInTheirOrderInTheTagCase) {
    TLinkFields link;
    link.Href = "x.html";
    TImageFields image;
    image.Src = "Bild.PNG";
    image.Alt = "En \"bild\"";
    image.Width = "10";
    image.Border = "0";
    TRuleFields rule;
    rule.Size = "2";
    rule.UseColor = true;
    rule.Color = "red";
    rule.NoShade = true;
    TRuleFields plainRule;
    plainRule.Color = "#FF0000"; // not ticked: not written
    const struct {
        const char* what;
        TGeneratedMarkup markup;
        const char* text;
        int caret;
    } cases[] = {
        {"link, href only", Link(link, 2), "<a href=\"x.html\"></a>", 17},
        {"link, upper case", Link({"u", "_top", "T", "c", "s", "<b>t</b>"}, 1),
         "<A HREF=\"u\" TARGET=\"_top\" TITLE=\"T\" CLASS=\"c\" STYLE=\"s\"><b>t</b></A>", 64},
        {"link, carried", Link(link, 0, " onclick=\"f()\" id='k'"),
         "<a href=\"x.html\" onclick=\"f()\" id='k'></a>", 38},
        {"image", Image(image, 1),
         "<IMG SRC=\"Bild.PNG\" ALT=\"En &quot;bild&quot;\" WIDTH=\"10\" BORDER=\"0\" />", 70},
        {"empty image", Image({}, 2), "<img />", 7},
        {"rule", Rule(rule, 1), "<HR SIZE=\"2\" COLOR=\"red\" NOSHADE=\"NOSHADE\" />", 45},
        {"rule, no colour", Rule(plainRule, 2, " id=r"), "<hr id=r />", 11},
        {"acronym", Phrase("acronym", "HML", "Hypertext Markup Language", 2),
         "<acronym title=\"Hypertext Markup Language\">HML</acronym>", 56},
        {"cite",
         Phrase("cite",
                "R\xf6"
                "da rummet",
                "", 1),
         "<CITE>R\xf6"
         "da rummet</CITE>",
         24},
        {"dfn, as written", Phrase("dfn", "ord", "", 0, " class=x"), "<dfn class=x>ord</dfn>", 22},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.markup.Text, QByteArray(c.text));
        EXPECT_EQ(c.markup.Caret, c.caret);
    }
}

TEST(ElementMarkupTest, DerivesTheAcronym) {
    EXPECT_EQ(DerivedAcronym(QStringLiteral("Tid på X")), QStringLiteral("TpX"));
    EXPECT_EQ(DerivedAcronym(QStringLiteral("Hypertext Markup Language")), QStringLiteral("HML"));
    EXPECT_EQ(DerivedAcronym(QStringLiteral("a  b")), QStringLiteral("a b"));
    EXPECT_EQ(DerivedAcronym(QString()), QString());
}

class ElementDialogsTest : public MarkupWinTest {
protected:
    // Runs an insert command whose dialog `fill` answers.
    template <typename T> void RunDialog(const char* command, std::function<int(T*)> fill) {
        Answer<T>(std::move(fill));
        ASSERT_TRUE(win->Commands().Run(QLatin1String(command)));
    }
};

TEST_F(ElementDialogsTest, EditingALinkKeepsWhatTheDialogDoesNotShow) {
    win->TagCase = 2;
    const QByteArray link = "<a href=x.html onclick=\"f()\" id='k'>Se <b>h\xe4r</b></a>";
    SetText("<p>Text " + link.left(3) + "|" + link.mid(3) + " mer</p>");
    RunDialog<TLink>("IInsertLink", [](TLink* d) {
        EXPECT_EQ(d->pHREF->text(), QStringLiteral("x.html"));
        EXPECT_TRUE(d->btnok->isVisible());
        d->pTitle->setText(QStringLiteral("Titel"));
        return 1;
    });
    EXPECT_EQ(Text(), "<p>Text <a href=\"x.html\" title=\"Titel\" onclick=\"f()\" id='k'>Se "
                      "<b>h\xe4r</b></a> mer</p>\r\n");
    EXPECT_EQ(win->CodeEditor->GetSelStart(), static_cast<int>(Text().indexOf("</a>")));

    // Unchanged fields give the element back byte for byte.
    const QByteArray same = "<p><a href=\"u.html\" target=\"_blank\" title=\"T\" class=\"c\" "
                            "style=\"color: red\" rel=nofollow>x</a></p>\r\n";
    win->TagCase = 0;
    SetText(same);
    win->CodeEditor->SetSelStart(6);
    RunDialog<TLink>("IInsertLink", [](TLink*) { return 1; });
    EXPECT_EQ(Text(), same);
    EXPECT_TRUE(seen.isEmpty());
}

TEST_F(ElementDialogsTest, ANewLinkReplacesTheSelectionAndAPresetFillsTheUrl) {
    win->TagCase = 2;
    SetText("a <A |b");
    win->CodeEditor->SetSelStart(2);
    win->CodeEditor->SetSelLength(3);
    Answer<TLink>([](TLink* d) {
        EXPECT_EQ(d->pHREF->text(), QStringLiteral("/sida/x.html"));
        return 1;
    });
    ASSERT_TRUE(win->Commands().Run(QStringLiteral("IInsertLink"), QStringLiteral("/sida/x.html")));
    EXPECT_EQ(Text(), "a <a href=\"/sida/x.html\"></a>b\r\n");
    EXPECT_EQ(win->CodeEditor->GetSelStart(), 25);
}

TEST_F(ElementDialogsTest, InsideAnotherTagTheDialogsRefuse) {
    for (const char* command : {"IInsertLink", "IInsertImage", "IInsertLine", "IInsertAcronym",
                                "IInsertCite", "IInsertUL", "IInsertTable"}) {
        SCOPED_TRACE(command);
        seen.clear();
        SetText("<p cl|ass=x>t</p>");
        Answer<TElementDialog>([](TElementDialog* d) {
            EXPECT_FALSE(d->btnok->isVisible());
            EXPECT_TRUE(d->btncancel->isVisible());
            return 1; // even a forced OK writes nothing
        });
        ASSERT_TRUE(win->Commands().Run(QLatin1String(command)));
        EXPECT_EQ(seen, QStringList{QStringLiteral(
                            "M:Ett HTML-element kan inte placeras inom ett annat.")});
        EXPECT_EQ(Text(), "<p class=x>t</p>\r\n");
    }
}

TEST_F(ElementDialogsTest, ImageAndRuleReadTheirAttributesBack) {
    win->TagCase = 1;
    SetText("<img src=\"a.png\" alt=\"A\" align=left border=0 usemap=\"#m\">|");
    win->CodeEditor->SetSelStart(5);
    RunDialog<TIMG>("IInsertImage", [](TIMG* d) {
        EXPECT_EQ(d->pSRC->text(), QStringLiteral("a.png"));
        EXPECT_EQ(d->pAlign->currentText(), QStringLiteral("left"));
        d->pWidth->setText(QStringLiteral("20"));
        return 1;
    });
    EXPECT_EQ(Text(), "<IMG SRC=\"a.png\" ALT=\"A\" ALIGN=\"left\" WIDTH=\"20\" BORDER=\"0\" "
                      "usemap=\"#m\" />\r\n");

    // A colour the swatch cannot show stays as written; a bare noshade is on.
    win->TagCase = 2;
    SetText("<hr color=\"red\" noshade size=3>");
    win->CodeEditor->SetSelStart(3);
    RunDialog<THRule>("IInsertLine", [](THRule* d) {
        EXPECT_TRUE(d->pAColor->isChecked());
        EXPECT_TRUE(d->pNOSHADE->isChecked());
        EXPECT_EQ(d->ColorText(), "red");
        return 1;
    });
    EXPECT_EQ(Text(), "<hr size=\"3\" color=\"red\" noshade=\"noshade\" />\r\n");

    // A colour that converts is shown; choosing another writes that one.
    SetText("<hr color=#00ff00 noshade=\"x\">");
    win->CodeEditor->SetSelStart(3);
    RunDialog<THRule>("IInsertLine", [](THRule* d) {
        EXPECT_EQ(d->ownColor->CurrentColor(), TColor(0x00FF00));
        EXPECT_EQ(d->ColorText(), "#00ff00");
        d->pNOSHADE->setChecked(false);
        d->ownColor->SetCurrentColor(0x0000FF);
        d->ownColor->OnChange(d->ownColor);
        return 1;
    });
    EXPECT_EQ(Text(), "<hr color=\"#FF0000\" />\r\n");
    EXPECT_TRUE(seen.isEmpty());
}

TEST_F(ElementDialogsTest, PhraseDialogsEnableGenerateOnlyWhenFilled) {
    win->TagCase = 2;
    SetText("|");
    RunDialog<TPhraseWin>("IInsertAcronym", [](TPhraseWin* d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("Akronym"));
        EXPECT_FALSE(d->btnok->isEnabled());
        d->Text->setText(QStringLiteral("hand"));
        EXPECT_FALSE(d->btnok->isEnabled());
        d->pTitle->setText(QStringLiteral("Tid på X"));
        EXPECT_EQ(d->Text->text(), QStringLiteral("TpX")); // the hand-made one is replaced
        EXPECT_TRUE(d->btnok->isEnabled());
        return 1;
    });
    EXPECT_EQ(Text(), "<acronym title=\"Tid p\xe5 X\">TpX</acronym>\r\n");

    // Editing keeps a content the field cannot show when it is left alone.
    SetText("<abbr title=\"telefon\" lang=sv>tel.\r\n</abbr>");
    win->CodeEditor->SetSelStart(3);
    RunDialog<TPhraseWin>("IInsertAbbreviation", [](TPhraseWin* d) {
        EXPECT_EQ(d->pTitle->text(), QStringLiteral("telefon"));
        EXPECT_TRUE(d->btnok->isEnabled());
        return 1;
    });
    EXPECT_EQ(Text(), "<abbr title=\"telefon\" lang=sv>tel.\r\n</abbr>\r\n");

    for (const char* command : {"IInsertCite", "IInsertDefinition"}) {
        SetText("|");
        RunDialog<TPhraseWin>(command, [](TPhraseWin* d) {
            EXPECT_FALSE(d->pTitle);
            EXPECT_FALSE(d->btnok->isEnabled());
            d->Text->setText(QStringLiteral("x"));
            EXPECT_TRUE(d->btnok->isEnabled());
            d->Text->clear();
            EXPECT_FALSE(d->btnok->isEnabled());
            return 2;
        });
        EXPECT_EQ(Text(), "\r\n");
    }
    EXPECT_TRUE(seen.isEmpty());
}

TEST_F(ElementDialogsTest, TheCssButtonWaitsForTheStyleEditor) {
    const TElementDialog::TStyleEditor installed = TElementDialog::StyleEditor;
    TElementDialog::StyleEditor = nullptr;
    SetText("|");
    RunDialog<TLink>("IInsertLink", [](TLink* d) {
        EXPECT_FALSE(d->STYLE0->isEnabled());
        return 2;
    });
    TElementDialog::StyleEditor = [](Tmain&, const QString& declarations, const QString& page) {
        EXPECT_EQ(declarations, QStringLiteral("a: b"));
        EXPECT_EQ(page, QString());
        return std::optional<QString>(QStringLiteral("color: red"));
    };
    RunDialog<TLink>("IInsertLink", [](TLink* d) {
        d->pSTYLE->setText(QStringLiteral("a: b"));
        d->STYLE0->click();
        EXPECT_EQ(d->pSTYLE->text(), QStringLiteral("color: red"));
        return 2;
    });
    TElementDialog::StyleEditor = installed;
}

} // namespace
