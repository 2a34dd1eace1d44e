#include "SubroutineFixture.h"

#include "editor/colouring/SUBFormattingProcessor.h"
#include "editor/view/Ruler.h"

#include <QAction>
#include <QClipboard>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QTest>

namespace {

using SubroutineWindow = SubroutineTest;

const QString kAskReplace =
    QStringLiteral("Q:Den aktuella subrutinen kommer att raderas.|Vill du fortsätta?");

TEST_F(SubroutineWindow, F12AndEscShowAndHide) {
    QAction* toggle = win->Action(QStringLiteral("VStartCommands"));
    ASSERT_TRUE(toggle);
    EXPECT_EQ(toggle->shortcut(), QKeySequence(Qt::Key_F12));
    EXPECT_EQ(toggle->text(), "Subrutiner");
    toggle->trigger();
    EXPECT_TRUE(Window().isVisible());
    EXPECT_TRUE(toggle->isChecked());
    toggle->trigger();
    EXPECT_FALSE(Window().isVisible());
    EXPECT_FALSE(toggle->isChecked());

    // Esc in the editor or on a button hides the window.
    for (QWidget* target :
         std::initializer_list<QWidget*>{Window().CurrentSubroutine, Window().Button5}) {
        toggle->trigger();
        QTest::keyClick(target, Qt::Key_Escape);
        EXPECT_FALSE(Window().isVisible());
        EXPECT_FALSE(toggle->isChecked());
    }
}

TEST_F(SubroutineWindow, NewOpenAndSave) {
    Tcommands& w = Window();
    const QString a = Make("a.sub", "write a");
    w.CurrentSubroutine->SetText("write x");

    // "&Ny" answered with Nej keeps the text, but the save then proposes a new name.
    w.OpenDialogFileName = a;
    w.SubroutineFileKnown = true;
    answers = {Dialogs::mrNo};
    w.Button1->click();
    EXPECT_EQ(w.CurrentSubroutine->Text(), "write x\r\n");
    fileAnswers = {{}};
    w.Button3->click();
    EXPECT_EQ(requests.value(0),
              "Spara subrutin|0|" + Tcommands::SubroutineFolder() + "/Ny subrutin.sub");
    answers = {Dialogs::mrYes};
    w.Button1->click();
    EXPECT_EQ(w.CurrentSubroutine->Text(), "\r\n");

    // "&Öppna" asks, then loads; "&Spara" then proposes that file.
    requests.clear();
    seen.clear();
    answers = {Dialogs::mrYes};
    fileAnswers = {{a}};
    w.Button2->click();
    EXPECT_EQ(w.CurrentSubroutine->Text(), "write a\r\n");
    EXPECT_EQ(seen, (QStringList{kAskReplace, "M:Subrutinen a.sub har laddats."}));
    EXPECT_TRUE(w.SubroutineFileKnown);
    fileAnswers = {{}};
    w.Button3->click();
    EXPECT_EQ(requests, (QStringList{"Välj subrutin|0|" + a, "Spara subrutin|0|" + a}));

    // A file that cannot be read.
    seen.clear();
    answers = {Dialogs::mrYes};
    fileAnswers = {{dir}};
    w.Button2->click();
    EXPECT_EQ(seen, (QStringList{kAskReplace, "M:Det gick inte att öppna filen med subrutinen (" +
                                                  dir + "). Den används av systemet."}));
    EXPECT_EQ(w.CurrentSubroutine->Text(), "write a\r\n");
}

// Saving over a file asks first; Nej leaves the file as it was.
TEST_F(SubroutineWindow, SaveAsksBeforeReplacingAFile) {
    Tcommands& w = Window();
    w.CurrentSubroutine->SetText("write ny");
    const QString target = Make("b.sub", "gammal");
    const QString fresh = File("c.sub");
    const QString ask = "Q:Filen b.sub finns redan.|Vill du ersätta den?";
    const struct {
        QString file;
        std::deque<int> answers;
        QStringList seen;
        QByteArray bytes;
    } cases[] = {
        {fresh, {}, {"M:Subrutinen har sparats."}, "write ny\r\n"},
        {target, {Dialogs::mrNo}, {ask}, "gammal"},
        {target, {Dialogs::mrYes}, {ask, "M:Subrutinen har sparats."}, "write ny\r\n"},
        {File("saknas/d.sub"),
         {},
         {"M:Det gick inte att spara subrutinen till filen \"" + File("saknas/d.sub") + "\"."},
         ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        seen.clear();
        answers = c.answers;
        fileAnswers = {{c.file}};
        w.Button3->click();
        EXPECT_EQ(seen, c.seen);
        EXPECT_EQ(ReadTestFile(c.file), c.bytes);
    }
    EXPECT_FALSE(w.SubroutineFileKnown) << "saving does not change it";
}

TEST_F(SubroutineWindow, CopyingADocumentIntoTheWindow) {
    Tcommands& w = Window();
    const QString a = Make("a.sub", "write från a");
    w.CurrentSubroutine->SetText("write x");
    w.OpenDialogFileName = a;
    w.SubroutineFileKnown = true;
    QAction* copy = win->Action(QStringLiteral("subtlb"));
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->text(), "&Öppna i fönstret subrutiner...");

    // The saved document of the window's own file: no question.
    Open(a);
    copy->trigger();
    EXPECT_TRUE(seen.isEmpty());
    EXPECT_EQ(w.CurrentSubroutine->Text(), "write från a\r\n");
    EXPECT_TRUE(w.isVisible());

    // Another document asks first; Nej keeps the window's text.
    const QString b = Make("b.sub", "write b");
    Open(b);
    answers = {Dialogs::mrNo};
    copy->trigger();
    EXPECT_EQ(seen, QStringList{kAskReplace});
    EXPECT_EQ(w.CurrentSubroutine->Text(), "write från a\r\n");
    answers = {Dialogs::mrYes};
    copy->trigger();
    EXPECT_EQ(w.CurrentSubroutine->Text(), "write b\r\n");
    EXPECT_EQ(w.OpenDialogFileName, b);
    EXPECT_TRUE(w.SubroutineFileKnown);

    // A document without a file: the window no longer knows a file.
    win->NewDocTab(0, QStringLiteral("Nytt dokument"));
    Type("write n");
    answers = {Dialogs::mrYes};
    copy->trigger();
    EXPECT_EQ(w.CurrentSubroutine->Text(), "write n\r\n");
    EXPECT_FALSE(w.SubroutineFileKnown);
    // An empty window takes a document without asking.
    w.CurrentSubroutine->Clear();
    seen.clear();
    copy->trigger();
    EXPECT_TRUE(seen.isEmpty());
}

TEST_F(SubroutineWindow, ContextMenu) {
    Tcommands& w = Window();
    w.CurrentSubroutine->Clear();
    QGuiApplication::clipboard()->clear();
    w.PrepareSubEdPopup();
    for (QAction* item :
         {w.UndoItem, w.CutItem, w.CopyItem, w.DeleteItem, w.PasteItem, w.SelectAllItem})
        EXPECT_FALSE(item->isEnabled()) << item->text().toStdString();
    EXPECT_TRUE(w.OpenInMainItem->isEnabled());
    w.CurrentSubroutine->SetText("write a\r\nbeep");
    w.CurrentSubroutine->SetSelLength(3);
    QGuiApplication::clipboard()->setText(QStringLiteral("x"));
    w.PrepareSubEdPopup();
    for (QAction* item : {w.CutItem, w.CopyItem, w.DeleteItem, w.PasteItem, w.SelectAllItem})
        EXPECT_TRUE(item->isEnabled()) << item->text().toStdString();
    EXPECT_EQ(w.OpenInMainItem->shortcut(), QKeySequence(QStringLiteral("Ctrl+F12")));

    w.OpenInMainItem->trigger();
    EXPECT_EQ(Captions().last(), "subrutin.sub (M)");
    EXPECT_FALSE(win->Current().HasFile);
    EXPECT_EQ(Doc(), "write a\r\nbeep");
}

// The window's own keys come before the main window's commands of the same keys, which
// would act on the document.
TEST_F(SubroutineWindow, OwnKeysComeBeforeTheMainWindowsShortcuts) {
    Tcommands& w = Window();
    win->show();
    SetDoc("dokument");
    w.CurrentSubroutine->SetText("write a");
    w.show();
    w.activateWindow();
    w.CurrentSubroutine->setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(w.CurrentSubroutine, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(w.CurrentSubroutine->GetSelLength(), 7);
    EXPECT_EQ(Editor().GetSelLength(), 0);
    QTest::keyClick(w.CurrentSubroutine, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(w.CurrentSubroutine->Text(), "\r\n");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "write a");
    EXPECT_EQ(Doc(), "dokument");
}

// The editor takes the main editor's look each time the window is shown and after each of
// the setting toggles, which run the main window's commands.
TEST_F(SubroutineWindow, SettingTogglesAndTheMainEditorsLook) {
    Tcommands& w = Window();
    QStringList ran;
    for (const char* name : {"ChSettA", "ChSettB", "ChSettE"})
        win->Commands().Add(QLatin1String(name), QStringLiteral("x"), {}, [&, name] {
            ran << QLatin1String(name);
            win->CodeEditor->Settings()->AutoIndent = !win->CodeEditor->Settings()->AutoIndent;
        });
    win->CodeEditor->EditorFont = QFont(QStringLiteral("Liberation Mono"), 15);
    win->CodeEditor->Settings()->ListMenuHelper = true;
    win->SUBFormattingProcessor1->KeywordColor = 0x123456;
    w.show();
    EXPECT_EQ(w.CurrentSubroutine->EditorFont.pointSize(), 15);
    EXPECT_FALSE(w.CurrentSubroutine->Settings()->ListMenuHelper);
    EXPECT_EQ(w.SUBFormattingProcessor1->KeywordColor, TColor(0x123456));

    const Qt::KeyboardModifiers all = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;
    const auto press = [&](int key, Qt::KeyboardModifiers mods, quint32 scan) {
        QKeyEvent e(QEvent::KeyPress, key, mods, scan, 0, 0);
        QCoreApplication::sendEvent(w.CurrentSubroutine, &e);
    };
    press(Qt::Key_Exclam, all, 10);   // "1" by its key
    press(Qt::Key_QuoteDbl, all, 11); // "2" on a Nordic layout
    press(Qt::Key_Percent, all, 14);  // "5"
    press(Qt::Key_3, all, 12);
    press(Qt::Key_1, Qt::ControlModifier | Qt::AltModifier, 10);
    EXPECT_EQ(ran, (QStringList{"ChSettA", "ChSettB", "ChSettE"}));
    EXPECT_EQ(w.CurrentSubroutine->Settings()->AutoIndent, win->CodeEditor->Settings()->AutoIndent);
}

} // namespace
