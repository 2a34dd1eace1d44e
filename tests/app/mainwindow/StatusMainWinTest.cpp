#include "MainWinFixture.h"

#include <QCoreApplication>
#include <QStatusBar>
#include <QStatusTipEvent>

namespace {

QStringList Panels(const Tmain& w) {
    QStringList out;
    for (int i = 0; i < 6; ++i)
        out << w.StatusPanel(i);
    return out;
}

} // namespace

TEST_F(MainWinTest, StatusPanelsFollowTheDocument) {
    EXPECT_EQ(Panels(*win), (QStringList{"Rad:  1    Kol:  1", "Tkn: 1", "Filstorlek:   2 B", "INS",
                                         "Ny fil", "Filer öppna: 1"}));
    Type("abc");
    EXPECT_EQ(win->StatusPanel(0), QString("Rad:  1    Kol:  4"));
    EXPECT_EQ(win->StatusPanel(1), QString("Tkn: 4"));
    EXPECT_EQ(win->StatusPanel(2), QString("Filstorlek:   5 B"));
    EXPECT_EQ(win->StatusPanel(4), QString("Ny fil"));

    Open(Make("a.html", "<p>one</p>\r\n"));
    EXPECT_EQ(Panels(*win), (QStringList{"Rad:  1    Kol:  1", "Tkn: 1", "Filstorlek:   12 B",
                                         "INS", "Sparad", "Filer öppna: 2"}));
    win->CodeEditor->SetSelStart(3);
    win->CodeEditor->SetSelLength(3);
    EXPECT_EQ(win->StatusPanel(0), QString("3 tecken markerade"));
    EXPECT_EQ(win->StatusPanel(1), QString("Tkn: 4-6"));
    Type("two");
    EXPECT_EQ(win->StatusPanel(4), QString("Ändrad"));
    ASSERT_TRUE(Run("ASaveDoc"));
    EXPECT_EQ(win->StatusPanel(4), QString("Sparad"));

    win->CodeEditor->Settings()->SetOverwriteMode(true);
    win->CodeEditorCaretModeChange();
    EXPECT_EQ(win->StatusPanel(3), QString("ÖVER"));
    win->CodeEditorFontSizeChange(14);
    EXPECT_EQ(win->StatusPanel(6), QString("Teckenstorlek: 14 pt."));
    EXPECT_EQ(win->EditorFontSize, 14);
}

TEST_F(MainWinTest, DocumentStateForTheActionsComesFromTheEditor) {
    TDocState s = win->CurrentDocState();
    EXPECT_FALSE(s.HasFile || s.Modified || s.HasSelection || s.HasText);
    Open(Make("a.txt", "x\r\n"));
    s = win->CurrentDocState();
    EXPECT_TRUE(s.HasFile);
    EXPECT_TRUE(s.HasText);
    EXPECT_FALSE(s.HasSelection);
    win->CodeEditor->SelectAll();
    Type("yz");
    win->CodeEditor->SetSelStart(0);
    win->CodeEditor->SetSelLength(1);
    s = win->CurrentDocState();
    EXPECT_TRUE(s.Modified);
    EXPECT_TRUE(s.HasSelection);
}

TEST_F(MainWinTest, TabHintShowsTheDocumentUnderTheMouse) {
    Open(Make("b.html", "<b>\r\n"));
    Type("12345");
    win->show();
    const QPoint first = win->FilesList->tabRect(0).center();
    const QPoint second = win->FilesList->tabRect(1).center();

    win->FilesListMouseMove(second);
    EXPECT_EQ(win->HintTabIndex, 1);
    const QString tip = win->FilesList->toolTip();
    EXPECT_TRUE(tip.contains("Filnamn: b.html")) << tip.toStdString();
    EXPECT_TRUE(tip.contains("Storlek: 10 B")) << tip.toStdString(); // the editor's live text
    EXPECT_TRUE(tip.contains("Fil modifierad: Sant")) << tip.toStdString();
    EXPECT_TRUE(tip.contains(QDir(dir).path().toHtmlEscaped() + "/<br>")) << tip.toStdString();

    // The same tab again: the hint is not made anew.
    win->FilesList->setToolTip("kept");
    win->FilesListMouseMove(second);
    EXPECT_EQ(win->FilesList->toolTip(), QString("kept"));

    win->FilesListMouseMove(first);
    EXPECT_TRUE(win->FilesList->toolTip().contains("Filnamn: Nytt dokument"));
    EXPECT_TRUE(win->FilesList->toolTip().contains("Sparad till fil: Falskt"));
    win->CodeEditorMouseMove();
    EXPECT_EQ(win->HintTabIndex, -1);
    EXPECT_TRUE(win->FilesList->toolTip().isEmpty());
}

TEST_F(MainWinTest, LongHintsGoToTheStatusBar) {
    QStatusTipEvent tip(QStringLiteral("Spara|Sparar dokumentet"));
    QCoreApplication::sendEvent(win.get(), &tip);
    EXPECT_EQ(win->statusBar()->currentMessage(), QString("Sparar dokumentet"));
    win->ApplicationEvents1Hint("Spara");
    EXPECT_EQ(win->statusBar()->currentMessage(), QString("Spara"));
    win->ApplicationEvents1Hint(QString());
    EXPECT_TRUE(win->statusBar()->currentMessage().isEmpty());
    win->ShowToolExpEnabled = false;
    win->ApplicationEvents1Hint("Spara|Sparar dokumentet");
    EXPECT_TRUE(win->statusBar()->currentMessage().isEmpty());
}

TEST_F(MainWinTest, EqualsAfterClassOpensTheClassDialog) {
    QStringList opened;
    QByteArray selected;
    win->InsertCSSClass = [&] {
        opened << "class";
        selected = win->CodeEditor->GetSelText();
    };
    struct Case {
        const char* typed;
        bool autoWiz, withStyleDialog;
        bool swallowed;
    };
    const Case cases[] = {
        {"<p CLaSS", true, false, true},  {"<p class", false, false, false},
        {"<p style", true, false, false}, // no style dialog yet: "=" is typed
        {"<p style", true, true, true},   {"class", true, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        opened.clear();
        win->CodeEditor->SelectAll();
        Type(c.typed);
        win->AutoWizEnabled = c.autoWiz;
        win->InsertCSSXStyle = nullptr;
        if (c.withStyleDialog)
            win->InsertCSSXStyle = [&] { opened << "style"; };
        char key = '=';
        win->CodeEditor->OnKeyPress(win->CodeEditor, key);
        EXPECT_EQ(key == 0, c.swallowed);
        EXPECT_EQ(opened.size(), c.swallowed ? 1 : 0);
    }
    win->CodeEditor->SelectAll();
    Type("<p class");
    win->AutoWizEnabled = true;
    char key = '=';
    win->CodeEditor->OnKeyPress(win->CodeEditor, key);
    EXPECT_EQ(selected, QByteArray(" class"));
}
