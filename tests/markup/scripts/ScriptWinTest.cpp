#include "markup/scripts/ScriptWin.h"
#include "MarkupFixture.h"
#include "markup/DialogEditor.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>

namespace {

class ScriptWinTest : public MarkupTest {
protected:
    // Runs the script editor with `steps`; it closes with what they return.
    void Script(std::function<int(Tscript&)> steps) {
        Expect<Tscript>(std::move(steps));
        ASSERT_TRUE(Run("IInsertJavaScript"));
    }
    static QByteArray EditorMarks(Tscript& d) { return MarkedText(*d.scriptEditor->Editor); }
};

TEST_F(ScriptWinTest, ANewScriptIsWrittenInTheTagCase) {
    win->TagCase = 1;
    Start("<body>\r\n[x]\r\n</body>");
    Script([](Tscript& d) {
        EXPECT_FALSE(d.EditMode().IsEdit());
        EXPECT_EQ(d.pLANG->currentText(), QStringLiteral("JavaScript"));
        EXPECT_EQ(d.pTYPE->currentText(), QStringLiteral("text/javascript"));
        d.scriptEditor->Editor->SetSelText("var a = 1;\r\nalert(a);");
        return int(Dialogs::mrOk);
    });
    EXPECT_EQ(Marks(), QByteArray("<body>\r\n<SCRIPT LANGUAGE=\"JavaScript\" "
                                  "TYPE=\"text/javascript\">\r\nvar a = 1;\r\nalert(a);\r\n\r\n"
                                  "</SCRIPT>|\r\n</body>"));

    // Empty fields write no attributes; Avbryt writes nothing.
    win->TagCase = 2;
    Start("|");
    Script([](Tscript& d) {
        d.pLANG->setEditText(QString());
        d.pTYPE->setEditText(QString());
        return int(Dialogs::mrOk);
    });
    Script([](Tscript&) { return int(Dialogs::mrCancel); });
    EXPECT_EQ(Marks(), QByteArray("<script>\r\n\r\n\r\n</script>|"));
}

TEST_F(ScriptWinTest, EachTemplateLeavesTheCaretInItsBody) {
    const struct {
        void (Tscript::*insert)();
        QStringList answers;
        QStringList prompts;
        const char* marked; // the script editor afterwards
    } cases[] = {
        {&Tscript::scriptInsertFunction,
         {"visa", "a, b"},
         {"P:Namn:", "P:Parameterlista:"},
         "x\r\nfunction visa(a, b)\r\n{\r\n\r\n|\r\n\r\n}\r\ny"},
        {&Tscript::scriptInsertConditional,
         {"a > 1"},
         {"P:Villkorsuttryck:"},
         "x\r\nif (a > 1)\r\n{\r\n\r\n|\r\n\r\n}\r\ny"},
        // The selection stays empty at the line's end.
        {&Tscript::scriptInsertRepetition,
         {"i = 0", "i < 9", "i++"},
         {"P:Startuttryck:", "P:Villkorsuttryck:", "P:Stegningsuttryck:"},
         "x\r\nfor (i = 0; i < 9; i++)\r\n{\r\n\r\n|\r\n\r\n}\r\ny"},
        {&Tscript::scriptInsertRepetitionW,
         {"ok"},
         {"P:Villkorsuttryck:"},
         "x\r\nwhile (ok)\r\n{\r\n\r\n|\r\n\r\n}\r\ny"},
        // A cancelled prompt writes nothing.
        {&Tscript::scriptInsertRepetition,
         {"i = 0", ""},
         {"P:Startuttryck:", "P:Villkorsuttryck:"},
         "x|y"},
    };
    for (const auto& c : cases) {
        seen.clear();
        Expect<Tscript>([&](Tscript& d) {
            d.scriptEditor->Editor->SetText("xy");
            d.scriptEditor->Editor->SetSelStart(1);
            for (const QString& answer : c.answers)
                Prompt(answer);
            (d.*c.insert)();
            EXPECT_EQ(EditorMarks(d), QByteArray(c.marked));
            return int(Dialogs::mrCancel);
        });
        ASSERT_TRUE(Run("IInsertJavaScript"));
        EXPECT_EQ(seen, c.prompts);
    }
}

TEST_F(ScriptWinTest, EditingAScriptElementRoundTrips) {
    win->TagCase = 1;
    const QByteArray element =
        "<script Type='text/javascript' defer>\r\n  alert(\"hej\");\r\n</SCRIPT>";
    // Unchanged: byte for byte, the tags as they were written.
    Start(("<p>x</p>\r\n<scr|ipt Type='text/javascript' defer>\r\n  alert(\"hej\");\r\n"
           "</SCRIPT>\r\n<p>y</p>"));
    Script([&](Tscript& d) {
        EXPECT_TRUE(d.EditMode().IsEdit());
        EXPECT_EQ(win->CodeEditor->GetSelText(), element);
        EXPECT_EQ(d.pLANG->currentText(), QString());
        EXPECT_EQ(d.pTYPE->currentText(), QStringLiteral("text/javascript"));
        EXPECT_EQ(d.scriptEditor->Editor->Text(), QByteArray("  alert(\"hej\");\r\n"));
        return int(Dialogs::mrOk);
    });
    EXPECT_EQ(Marks(), "<p>x</p>\r\n" + element + "|\r\n<p>y</p>");

    // Changed, from a caret in the end tag: rebuilt in the tag case, the attribute the dialog
    // does not show kept, the body's line breaks as they were; nothing around it changes.
    Start("<p>x</p><script>a();</scr|ipt><p>y</p>");
    Script([](Tscript& d) {
        EXPECT_TRUE(d.EditMode().IsEdit());
        EXPECT_EQ(d.pLANG->currentText(), QString());
        d.scriptEditor->Editor->SelectAll();
        d.scriptEditor->Editor->SetSelText("b();");
        return int(Dialogs::mrOk);
    });
    EXPECT_EQ(Marks(), QByteArray("<p>x</p><SCRIPT>b();</SCRIPT>|<p>y</p>"));

    Start("<SCRIPT language=\"JavaScript\" sr|c=\"a.js\"></script>");
    Script([](Tscript& d) {
        d.pLANG->setEditText(QStringLiteral("JScript"));
        return int(Dialogs::mrOk);
    });
    EXPECT_EQ(Marks(), QByteArray("<SCRIPT LANGUAGE=\"JScript\" src=\"a.js\"></SCRIPT>|"));
}

TEST_F(ScriptWinTest, AnEndTagWithoutItsStartOrAnotherTagIsRefused) {
    for (const char* marked : {"a();</scr|ipt>b", "<p cla|ss=\"x\">b</p>"}) {
        Start(marked);
        Script([](Tscript& d) {
            EXPECT_TRUE(d.EditMode().IsRefused());
            EXPECT_FALSE(d.btnGenerate->isVisibleTo(&d));
            return int(Dialogs::mrOk);
        });
        EXPECT_EQ(Marks(), QByteArray(marked));
    }
    EXPECT_EQ(seen, (QStringList{"M:Ett HTML-element kan inte placeras inom ett annat.",
                                 "M:Ett HTML-element kan inte placeras inom ett annat."}));
}

TEST_F(ScriptWinTest, StatementsAreForJavaScriptOnly) {
    Start("|");
    Script([&](Tscript& d) {
        EXPECT_TRUE(d.FunctionItem->isEnabled());
        d.pLANG->setEditText(QStringLiteral("VBScript"));
        d.sePopupPopup();
        EXPECT_FALSE(d.InsertMenu->isEnabled());
        EXPECT_FALSE(d.ForItem->isEnabled());
        d.btnInsertStateMenuOpenerClick();
        d.pSTATE->hide();
        d.pLANG->setEditText(QStringLiteral("jscript"));
        EXPECT_TRUE(d.WhileItem->isEnabled());
        // The context menu's own items follow the editor.
        d.sePopupPopup();
        EXPECT_FALSE(d.scriptEditor->CutItem->isEnabled());
        EXPECT_FALSE(d.scriptEditor->SelectAllItem->isEnabled());
        d.scriptEditor->Editor->SetSelText("ab");
        d.scriptEditor->Editor->SelectAll();
        d.sePopupPopup();
        EXPECT_TRUE(d.scriptEditor->CutItem->isEnabled());
        EXPECT_TRUE(d.scriptEditor->SelectAllItem->isEnabled());
        return int(Dialogs::mrCancel);
    });
    EXPECT_EQ(seen, QStringList{"M:Kelvora har endast stöd för satser i JavaScript/JScript."});
}

TEST_F(ScriptWinTest, IndentAndUnindentKeepTheLinesSelected) {
    win->CodeEditor->Settings()->SetTabLength(2);
    Start("|");
    Script([&](Tscript& d) {
        TTextEditorEx& e = *d.scriptEditor->Editor;
        e.SetText("a\r\nb\r\nc");
        e.SetSelStart(0);
        e.SetSelLength(4); // "a", the break and "b"
        d.IndentItem->trigger();
        EXPECT_EQ(EditorMarks(d), QByteArray("[  a\r\n  b]\r\nc"));
        d.UnindentItem->trigger();
        EXPECT_EQ(EditorMarks(d), QByteArray("[a\r\nb]\r\nc"));
        return int(Dialogs::mrCancel);
    });
}

} // namespace
