#include "app/commands/InsertCommands.h"
#include "MainWinFixture.h"
#include "MarkedText.h"
#include "app/dialogs/InternalFunctionInputWin.h"
#include "app/preview/ViewModes.h"
#include "controls/HexColorDialog.h"
#include "controls/HexColorWin.h"
#include "platform/Cp1252.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolBar>

namespace {

QByteArray Marks(const TTextEditorEx& editor) {
    return MarkedText(editor);
}

// Answers the one-line prompt: the question asked and whether it could browse are written
// down; an empty answer cancels.
struct Prompts {
    explicit Prompts(QString answer)
        : guard([this, answer](QDialog* d) {
              auto* box = qobject_cast<TInternalFunctionInput*>(d);
              if (!box) {
                  ADD_FAILURE() << "unexpected dialog";
                  return int(Dialogs::mrCancel);
              }
              asked << box->Q->text();
              browse = box->btnSearch->isVisible();
              if (onShow)
                  onShow(box);
              if (answer.isEmpty()) {
                  box->btnCancel->click();
              } else {
                  box->A->setText(answer);
                  box->btnOk->click();
              }
              return box->result();
          }) {}
    QStringList asked;
    bool browse = false;
    std::function<void(TInternalFunctionInput*)> onShow;
    Dialogs::ScopedModalHandler guard;
};

class InsertTest : public MainWinTest {
protected:
    void SetUp() override {
        MainWinTest::SetUp();
        win->BoldTagName = QStringLiteral("Strong");
        win->ItalicTagName = QStringLiteral("Em");
    }
    void Start(const char* marked) {
        const Marked m = Parse(Cp1252::Encode(QString::fromUtf8(marked)));
        win->CodeEditor->SetText(m.text);
        win->CodeEditor->SetSelStart(m.start);
        win->CodeEditor->SetSelLength(m.length);
        win->Current().Modified = false;
    }
};

} // namespace

TEST_F(InsertTest, EachCommandUnderEachTagCase) {
    const struct {
        const char* action;
        const char* before;
        const char* answer; // for the commands that ask
        const char* upper;  // TagCase 1
        const char* lower;  // TagCase 2
        const char* asIs;   // any other TagCase
    } cases[] = {
        {"IInsertParaP", "x|y", "", "x<P>|</P>y", "x<p>|</p>y", "x<P>|</P>y"},
        {"IInsertParaD", "x|y", "", "x<DIV>|</DIV>y", "x<div>|</div>y", "x<DIV>|</DIV>y"},
        {"IInsertRaised", "x[2]y", "", "x<SUP>[2]</SUP>y", "x<sup>[2]</sup>y", "x<SUP>[2]</SUP>y"},
        {"IInsertLowered", "x|y", "", "x<SUB>|</SUB>y", "x<sub>|</sub>y", "x<SUB>|</SUB>y"},
        {"IInsertBold", "x|y", "", "x<STRONG>|</STRONG>y", "x<strong>|</strong>y",
         "x<Strong>|</Strong>y"},
        {"IInsertBold", "a [ord] b", "", "a <STRONG>[ord]</STRONG> b", "a <strong>[ord]</strong> b",
         "a <Strong>[ord]</Strong> b"},
        {"IInsertItalic", "[två\r\nrader]", "", "<EM>[två\r\nrader]</EM>",
         "<em>[två\r\nrader]</em>", "<Em>[två\r\nrader]</Em>"},
        {"IInsertUnderlined", "|", "", "<U>|</U>", "<u>|</u>", "<U>|</U>"},
        {"IInsertHeading1", "x|", "", "x<H1>|</H1>", "x<h1>|</h1>", "x<H1>|</H1>"},
        {"IInsertHeading6", "[rubrik]", "", "<H6>[rubrik]</H6>", "<h6>[rubrik]</h6>",
         "<H6>[rubrik]</H6>"},
        {"IInsertBreakB", "a[bc]d", "", "a<BR />|d", "a<br />|d", "a<BR />|d"},
        {"IInsertHTMLComment", "x|y", "", "x<!-- | -->y", "x<!-- | -->y", "x<!-- | -->y"},
        {"IInsertHTMLComment", "x[Mer]y", "", "x<!-- [Mer] -->y", "x<!-- [Mer] -->y",
         "x<!-- [Mer] -->y"},
        {"IInsertJSComment", "x|y", "", "x/* | */y", "x/* | */y", "x/* | */y"},
        {"IInsertJSComment", "[a\r\nb]", "", "/* [a\r\nb] */", "/* [a\r\nb] */", "/* [a\r\nb] */"},
        {"IInsertVBComment", "x|y", "", "x' |y", "x' |y", "x' |y"},
        {"IInsertVBComment", "[Dim a]", "", "'[Dim a]", "'[Dim a]", "'[Dim a]"},
        {"IInsertSpace", "a[b]c", "", "a&nbsp;|c", "a&nbsp;|c", "a&nbsp;|c"},
        // A double quote in the answer is written as &quot;.
        {"IInsertAnchor", "x[y]z", "Top\"1", "x<A ID=\"Top&quot;1\" NAME=\"Top&quot;1\"></A>|z",
         "x<a id=\"Top&quot;1\" name=\"Top&quot;1\"></a>|z",
         "x<a id=\"Top&quot;1\" name=\"Top&quot;1\"></a>|z"},
        // The link lines go above the caret's line, which is not split; the caret keeps its
        // line and column numbers and so stands on the new line.
        {"IInsertLinkScript", "l1\r\nab|cd", "js/a.js",
         "l1\r\n<S|CRIPT LANGUAGE=\"JavaScript\" TYPE=\"text/javascript\" "
         "SRC=\"js/a.js\"></SCRIPT>\r\nabcd",
         "l1\r\n<s|cript language=\"JavaScript\" type=\"text/javascript\" "
         "src=\"js/a.js\"></script>\r\nabcd",
         "l1\r\n<s|cript language=\"JavaScript\" type=\"text/javascript\" "
         "src=\"js/a.js\"></script>\r\nabcd"},
        {"IInsertLinkStyle", "l1\r\na[b]", "Stil.css",
         "l1\r\n<[L]INK REL=\"stylesheet\" TYPE=\"text/css\" HREF=\"Stil.css\" />\r\nab",
         "l1\r\n<[l]ink rel=\"stylesheet\" type=\"text/css\" href=\"Stil.css\" />\r\nab",
         "l1\r\n<[l]ink rel=\"stylesheet\" type=\"text/css\" href=\"Stil.css\" />\r\nab"},
        {"IInsertBuiltinStyle", "x[sel]y", "",
         "x\r\n<STYLE TYPE=\"text/css\">\r\n\r\n|\r\n\r\n</STYLE>\r\ny",
         "x\r\n<style type=\"text/css\">\r\n\r\n|\r\n\r\n</style>\r\ny",
         "x\r\n<style type=\"text/css\">\r\n\r\n|\r\n\r\n</style>\r\ny"},
    };
    const std::pair<int, const char*> modes[] = {
        {1, "upper"}, {2, "lower"}, {0, "as is"}, {7, "as is"}};
    for (const auto& c : cases) {
        for (const auto& [mode, label] : modes) {
            SCOPED_TRACE(std::string(c.action) + " " + c.before + " TagCase " +
                         std::to_string(mode));
            win->TagCase = mode;
            Start(c.before);
            Prompts prompts{QString::fromUtf8(c.answer)};
            ASSERT_TRUE(Run(c.action));
            const char* expected = mode == 1 ? c.upper : mode == 2 ? c.lower : c.asIs;
            EXPECT_EQ(Marks(*win->CodeEditor), Cp1252::Encode(QString::fromUtf8(expected)));
            EXPECT_EQ(prompts.asked.size(), *c.answer ? 1 : 0);
            (void)label;
        }
    }
}

TEST_F(InsertTest, PromptsAskTheirQuestionAndAnEmptyAnswerChangesNothing) {
    const struct {
        const char* action;
        const char* question;
        bool browse;
        const char* filter; // preselected by the browse button
    } cases[] = {
        {"IInsertAnchor", "Ange namn på ankaret:", false, nullptr},
        {"IInsertLinkScript", "Ange relativ eller absolut sökväg till skriptfilen:", true,
         "JavaScript (*.js)"},
        {"IInsertLinkStyle", "Ange relativ eller absolut sökväg till stilmallen:", true,
         "Stilmall (*.css)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.action);
        Start("ab[c]d");
        Prompts prompts{QString()};
        QString selected;
        if (c.browse) {
            prompts.onShow = [&](TInternalFunctionInput* box) { box->btnSearch->click(); };
            fileAnswers.push_back({}); // the browse dialog is cancelled
        }
        ASSERT_TRUE(Run(c.action));
        EXPECT_EQ(prompts.asked, QStringList{QString::fromUtf8(c.question)});
        EXPECT_EQ(prompts.browse, c.browse);
        if (c.browse) {
            ASSERT_EQ(requests.size(), 1);
            EXPECT_TRUE(lastFilters.value(requests[0].section('|', 1, 1).toInt() - 1)
                            .startsWith(QString::fromUtf8(c.filter)))
                << requests[0].toStdString();
            requests.clear();
        }
        EXPECT_EQ(Marks(*win->CodeEditor), "ab[c]d");
        EXPECT_FALSE(win->Current().Modified);
    }
}

TEST_F(InsertTest, LinkLinesMarkTheDocumentModifiedAndKeepTheSelection) {
    Start("<head>\r\n[</head>]");
    Prompts prompts{QStringLiteral("a.js")};
    ASSERT_TRUE(Run("IInsertLinkScript"));
    EXPECT_TRUE(win->Current().Modified);
    EXPECT_EQ(win->CodeEditor->Lines.Count(), 3);
    EXPECT_EQ(win->CodeEditor->Lines.Get(2), "</head>");
}

TEST_F(InsertTest, ReadOnlyEditorIsLeftAsItWas) {
    win->CodeEditor->Settings()->ReadOnly = true;
    for (const char* action :
         {"IInsertParaP", "IInsertBold", "IInsertHeading2", "IInsertBreakB", "IInsertHTMLComment",
          "IInsertJSComment", "IInsertVBComment", "IInsertSpace", "IInsertBuiltinStyle",
          "IInsertAnchor", "IInsertLinkScript", "IInsertLinkStyle"}) {
        for (const char* before : {"abc\r\nde|f", "a[b]c\r\ndef"}) {
            SCOPED_TRACE(std::string(action) + " " + before);
            Start(before);
            Prompts prompts{QStringLiteral("x")};
            ASSERT_TRUE(Run(action));
            EXPECT_EQ(Marks(*win->CodeEditor), before);
        }
    }
}

TEST_F(InsertTest, FCCUsesTheCodePagesOwnCaseTable) {
    // "Åtgärd œ ÿ" and markup, in Windows-1252.
    const QByteArray text = "<Td Class=\"H\xF6g\">\xC5tg\xE4rd \x9C \xFF</Td>";
    const struct {
        int tagCase;
        QByteArray expected;
    } cases[] = {
        {1, "<TD CLASS=\"H\xD6G\">\xC5TG\xC4RD \x8C \x9F</TD>"},
        {2, "<td class=\"h\xF6g\">\xE5tg\xE4rd \x9C \xFF</td>"},
        {0, text},
        {3, text},
    };
    for (const auto& c : cases) {
        win->TagCase = c.tagCase;
        EXPECT_EQ(win->FCC(text), c.expected) << c.tagCase;
    }
}

TEST_F(InsertTest, TheMenuHoldsTheCommandsUnderTheirCaptions) {
    ASSERT_NE(win->Infoga1, nullptr);
    EXPECT_EQ(win->Infoga1->title(), "&Infoga");
    EXPECT_TRUE(win->menuBar()->actions().contains(win->Infoga1->menuAction()));
    const std::pair<const char*, const char*> captions[] = {
        {"IInsertParaP", "Paragraf (P)"},
        {"IInsertParaD", "Stycke (DIV)"},
        {"IInsertRaised", "Upphöjd text"},
        {"IInsertLowered", "Nedsänkt text"},
        {"IInsertBold", "Stark emfas (betoning; fet stil)"},
        {"IInsertItalic", "Emfas (betoning; kursiv stil)"},
        {"IInsertUnderlined", "Understruken"},
        {"IInsertHeading1", "Rubrik &1"},
        {"IInsertHeading6", "Rubrik &6"},
        {"IInsertBreakB", "Radbrytning"},
        {"IInsertHTMLComment", "Kommentar (&HTML)"},
        {"IInsertJSComment", "Kommentar (&JavaScript/CSS)"},
        {"IInsertVBComment", "Kommentar (&VB-skript)"},
        {"IInsertSpace", "Hårt mellanslag"},
        {"IInsertAnchor", "Ankare"},
        {"IInsertLinkScript", "Länk till skript..."},
        {"IInsertLinkStyle", "Länk till stilmall..."},
        {"IInsertBuiltinStyle", "Inbyggd stilmall (STYLE)"},
    };
    const QList<QAction*> items = win->Infoga1->actions();
    for (const auto& [name, caption] : captions) {
        QAction* a = win->Action(QLatin1String(name));
        ASSERT_NE(a, nullptr) << name;
        EXPECT_EQ(a->text(), QString::fromUtf8(caption));
        EXPECT_TRUE(items.contains(a)) << name;
    }
}

TEST_F(InsertTest, PreviewModeDisablesTheMenuAndTheToolbarButtons) {
    const auto buttonsEnabled = [&] {
        QStringList states;
        for (QAction* a : win->InsertToolbar->actions())
            if (QWidget* button = win->InsertToolbar->widgetForAction(a);
                button && !a->isSeparator())
                states << QString::number(button->isEnabled());
        return states;
    };
    ASSERT_FALSE(buttonsEnabled().isEmpty());
    EXPECT_FALSE(buttonsEnabled().contains("0"));
    ASSERT_TRUE(Run("VUserGoPreviewPageMode"));
    EXPECT_FALSE(win->Infoga1->menuAction()->isEnabled());
    EXPECT_FALSE(buttonsEnabled().contains("1"));
    // A shortcut still reaches its action, which writes nothing into the hidden editor.
    Start("ab|");
    ASSERT_TRUE(Run("IInsertSpace"));
    ASSERT_TRUE(Run("IInsertHeading1"));
    EXPECT_EQ(Marks(*win->CodeEditor), QByteArray("ab|"));
    ASSERT_TRUE(Run("VUserGoEditMode"));
    EXPECT_TRUE(win->Infoga1->menuAction()->isEnabled());
    EXPECT_FALSE(buttonsEnabled().contains("0"));
}

TEST_F(InsertTest, TheToolbarFollowsItsSetting) {
    for (const bool shown : {true, false}) {
        TSettingsValues values = win->CurrentSettings();
        values.ShowInsertToolbar = shown;
        win->ApplySettings(values);
        EXPECT_EQ(win->InsertToolbar->isVisibleTo(win.get()), shown);
        EXPECT_EQ(win->CurrentSettings().ShowInsertToolbar, shown);
    }
}

namespace {

TEST_F(InsertTest, ColourCommandPresetsFromTheSelectionAndRemembersItsColour) {
    struct Case {
        const char* before;  // the document with its selection
        TColor lastColor;    // the colour last confirmed
        TColor expectPreset; // what the dialog opens on
        bool confirm;        // the insert button, or the window closed
        TColor choose;       // the colour set in the dialog
        const char* after;
    };
    const Case cases[] = {
        {"a[#00FF00]b", clBlack, RGBColor(0, 255, 0), true, RGBColor(1, 2, 3), "a#010203|b"},
        {"a[#00FG00]b", RGBColor(9, 9, 9), RGBColor(9, 9, 9), true, clRed, "a#FF0000|b"},
        {"a[x00FF00]b", RGBColor(9, 9, 9), RGBColor(9, 9, 9), false, clRed, "a[x00FF00]b"},
        {"ab|", RGBColor(0x12, 0x34, 0x56), RGBColor(0x12, 0x34, 0x56), true,
         RGBColor(0x12, 0x34, 0x56), "ab#123456|"},
    };
    for (const Case& c : cases) {
        Start(c.before);
        win->InsertCommands->LastColor = c.lastColor;
        TColor preset = 0xFFFFFFFF;
        QString title, button;
        Dialogs::ScopedModalHandler dialog([&](QDialog* d) {
            auto* f = dynamic_cast<Thexcolor*>(d);
            if (!f) {
                ADD_FAILURE() << "unexpected dialog";
                return int(Dialogs::mrCancel);
            }
            title = f->windowTitle();
            button = f->btnInsert->text();
            preset = ColorToRGB(HTMLToColor(f->vhex->text()).value_or(0xFFFFFFFF));
            f->SetColor(c.choose);
            (c.confirm ? f->btnInsert : f->btnClose)->click();
            return f->result();
        });
        ASSERT_TRUE(Run("IInsertColor"));
        EXPECT_EQ(title, QStringLiteral("Färg")) << c.before;
        EXPECT_EQ(button, QStringLiteral("&Infoga kod")) << c.before;
        EXPECT_EQ(preset, c.expectPreset) << c.before;
        EXPECT_EQ(Marks(*win->CodeEditor), QByteArray(c.after)) << c.before;
        EXPECT_EQ(win->InsertCommands->LastColor, c.confirm ? c.choose : c.lastColor) << c.before;
    }
}

} // namespace
