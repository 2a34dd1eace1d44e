#include "app/commands/EditCommands.h"
#include "MainWinFixture.h"
#include "MarkedText.h"
#include "app/preview/ViewModes.h"
#include "controls/HexColorWin.h"
#include "platform/ColorText.h"
#include "platform/Cp1252.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>

namespace {

// The marked text with CR LF written as "\n".
QByteArray Marks(const TTextEditorEx& editor) {
    return MarkedText(editor).replace("\r\n", "\n");
}

QString ClipboardText() {
    return QGuiApplication::clipboard()->text();
}

QStringList Texts(const QMenu* menu) {
    QStringList out;
    for (const QAction* a : menu->actions())
        out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}

class EditCommandsTest : public MainWinTest {
protected:
    void SetUp() override {
        MainWinTest::SetUp();
        QGuiApplication::clipboard()->clear();
        win->DataFiles.ClipboardHistory.Clear();
    }

    // Opens a document with the marked text, so that its undo history starts there.
    void Load(const QByteArray& marked) {
        static int serial = 0;
        const Marked m = Parse(marked);
        QByteArray bytes = m.text;
        bytes.replace("\n", "\r\n");
        Open(Make(QStringLiteral("doc%1.txt").arg(++serial), bytes));
        const int offset = static_cast<int>(QByteArray(m.text.left(m.start)).count('\n'));
        win->CodeEditor->SetSelStart(m.start + offset);
        const QByteArray inside = m.text.mid(m.start, m.length);
        win->CodeEditor->SetSelLength(m.length + static_cast<int>(inside.count('\n')));
    }
    void Focus() {
        win->show();
        QApplication::setActiveWindow(win.get());
        win->CodeEditor->setFocus();
        QCoreApplication::processEvents();
        ASSERT_TRUE(win->CodeEditor->hasFocus());
    }
    QMenu* Menu(const char* name) const {
        return win->menuBar()->findChild<QMenu*>(QLatin1String(name), Qt::FindDirectChildrenOnly);
    }
    QList<QByteArray> History() const { return win->DataFiles.ClipboardHistory.Entries(); }
    void OpenEditMenu() { emit Menu("Redigera1")->aboutToShow(); }
};

} // namespace

TEST_F(EditCommandsTest, ActionsHaveTheirCaptionsAndKeys) {
    const struct {
        const char* name;
        const char* caption;
        const char* key;
    } cases[] = {
        {"RDocCut", "Klipp ut", "Ctrl+X"},
        {"RDocCopy", "Kopiera", "Ctrl+C"},
        {"RDocPaste", "Klistra in", "Ctrl+V"},
        {"RDocDelSel", "Ta bort", ""},
        {"RExportText", "Exportera markering...", ""},
        {"RImportText", "Importera text från fil...", ""},
        {"RSelectCurrentTag", "Markera tagg", "Ctrl+Shift+A"},
        {"RSelectAll", "Markera allt", "Ctrl+A"},
        {"RCopyAll", "Kopiera allt", ""},
        {"RClearAll", "Rensa allt", ""},
        {"FConvUpperCase", "Ändra till &versaler", "Ctrl+Alt+U"},
        {"FConvLowerCase", "Ändra till &gemener", "Ctrl+Alt+L"},
        {"FConvOppositCase", "Invertera skiftläge", "Ctrl+Alt+I"},
        {"FAddIndent", "Indentera markering", "Ctrl+Alt+Space"},
        {"FDelIndent", "Avindentera markering", "Ctrl+Alt+Backspace"},
        {"FDelAllIndent", "Ta bort indentering", ""},
        {"VApplyROT13", "Utför ROT-13", "Ctrl+Q"},
    };
    for (const auto& c : cases) {
        const QAction* a = win->Action(QLatin1String(c.name));
        ASSERT_NE(a, nullptr) << c.name;
        EXPECT_EQ(a->text(), QString::fromUtf8(c.caption)) << c.name;
        EXPECT_EQ(a->shortcut(), QKeySequence(QLatin1String(c.key))) << c.name;
    }
    EXPECT_EQ(win->Action("RDocCut")->statusTip(),
              QStringLiteral("Klipp ut|Flyttar aktuell markering till urklipp."));
}

TEST_F(EditCommandsTest, MenusListTheCommandsBeforeTheSearchItems) {
    QMenu* edit = Menu("Redigera1");
    ASSERT_NE(edit, nullptr);
    const QStringList texts = Texts(edit);
    const QStringList head = {"Ångra",
                              "Gör om",
                              "-",
                              "Klipp ut",
                              "Kopiera",
                              "Klistra in",
                              "K&listra in",
                              "Ta bort",
                              "-",
                              "Exportera markering...",
                              "Importera text från fil...",
                              "-",
                              "Markera tagg",
                              "Markera allt",
                              "-",
                              "Kopiera allt",
                              "Rensa allt",
                              "-",
                              "Sök..."};
    EXPECT_EQ(texts.mid(0, head.size()), head);
    EXPECT_EQ(edit->actions().value(6)->menu(), win->mnuPaste);

    QMenu* format = Menu("Format1");
    ASSERT_NE(format, nullptr);
    EXPECT_EQ(format->title(), QStringLiteral("&Format"));
    EXPECT_EQ(Texts(format),
              QStringList({"Ändra till &versaler", "Ändra till &gemener", "Invertera skiftläge",
                           "-", "Indentera markering", "Avindentera markering",
                           "Ta bort indentering", "-", "Utför ROT-13", "Visa/dölj dolda tecken"}));
    // Exactly one of each menu on the bar.
    int edits = 0;
    for (const QAction* a : win->menuBar()->actions())
        edits += a->text() == QStringLiteral("&Redigera");
    EXPECT_EQ(edits, 1);
}

// Each one-line command on a small document; one undo takes it back.
TEST_F(EditCommandsTest, CommandsChangeTheTextAndUndoTakesBackTheCommandAlone) {
    const struct {
        const char* action;
        const char* before;
        const char* after;
    } cases[] = {
        {"FConvUpperCase",
         "x [abc D\xe9"
         "f] y",
         "x [ABC D\xc9"
         "F] y"},
        {"FConvLowerCase",
         "x [ABC D\xc9"
         "F] y",
         "x [abc d\xe9"
         "f] y"},
        {"FConvOppositCase", "[aBc D\xe9]", "[AbC d\xc9]"},
        {"VApplyROT13", "[Hello, World]", "[Uryyb, Jbeyq]"},
        {"RDocDelSel", "ab[cd]ef", "ab|ef"},
        // "~" is the editor's indentation step; only the text is compared.
        {"FAddIndent", "[a\nb]", "~a\n~b"},
        {"FDelIndent", "[~~a\n~b\nc]", "~a\nb\nc"},
        {"FDelAllIndent", "[    a\n\t b]", "a\nb"},
    };
    const QByteArray step = win->CodeEditor->GetTabSpaces();
    ASSERT_FALSE(step.isEmpty());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.action);
        Load(QByteArray(c.before).replace("~", step));
        const QByteArray original = win->CodeEditor->Text();
        ASSERT_TRUE(Run(c.action));
        QByteArray got = Marks(*win->CodeEditor);
        const QByteArray after = QByteArray(c.after).replace("~", step);
        if (!after.contains('[') && !after.contains('|'))
            got.replace("[", "").replace("]", "").replace("|", "");
        EXPECT_EQ(got, after);
        win->CodeEditor->Undo();
        EXPECT_EQ(win->CodeEditor->Text(), original);
    }
}

TEST_F(EditCommandsTest, UndoAndRedoThroughTheMenu) {
    Load("ab|cd");
    Type("X");
    ASSERT_TRUE(Run("RDocUndo"));
    EXPECT_EQ(win->CodeEditor->Text(), QByteArray("abcd\r\n")) << "the typing since the snapshot";
    ASSERT_TRUE(Run("RDocRedo"));
    EXPECT_EQ(win->CodeEditor->Text(), QByteArray("abXcd\r\n"));
    EXPECT_FALSE(win->Debounce.AUU.IsActive()) << "no snapshot of the restored text follows";
    win->Views->PreviewPageMode();
    ASSERT_TRUE(Run("RDocUndo"));
    EXPECT_EQ(win->CodeEditor->Text(), QByteArray("abXcd\r\n")) << "preview mode does nothing";
}

TEST_F(EditCommandsTest, UndoAfterTypingThenACommandKeepsTheTyping) {
    Load("ab|cd");
    Type("X");
    win->CodeEditor->SetSelStart(0);
    win->CodeEditor->SetSelLength(5);
    ASSERT_TRUE(Run("FConvUpperCase"));
    EXPECT_EQ(Marks(*win->CodeEditor), QByteArray("[ABXCD]"));
    win->CodeEditor->Undo();
    EXPECT_EQ(win->CodeEditor->Text(), QByteArray("abXcd\r\n"));
}

TEST_F(EditCommandsTest, SelectionCommands) {
    Load("one\n<b c=\"d\">t|wo</b>");
    ASSERT_TRUE(Run("RSelectAll"));
    EXPECT_EQ(Marks(*win->CodeEditor), QByteArray("[one\n<b c=\"d\">two</b>]"));
    Load("one\n<b c=\"d|\">two</b>");
    ASSERT_TRUE(Run("RSelectCurrentTag"));
    EXPECT_EQ(Marks(*win->CodeEditor), QByteArray("one\n[<b c=\"d\">]two</b>"));
}

TEST_F(EditCommandsTest, CopyAllPutsTheWholeTextOnTheClipboardOnly) {
    Load("ab|c\nd\xe9");
    ASSERT_TRUE(Run("RCopyAll"));
    EXPECT_EQ(ClipboardText(), QString::fromUtf8("abc\r\ndé\r\n"));
    EXPECT_TRUE(History().isEmpty());
    EXPECT_EQ(Marks(*win->CodeEditor), QByteArray("ab|c\nd\xe9"));
}

TEST_F(EditCommandsTest, ClearAllAsksAndOnlyYesClears) {
    for (const int answer : {int(Dialogs::mrNo), int(Dialogs::mrCancel)}) {
        Load("abc|");
        answers = {answer};
        ASSERT_TRUE(Run("RClearAll"));
        EXPECT_EQ(win->CodeEditor->Text(), QByteArray("abc\r\n")) << answer;
    }
    EXPECT_EQ(seen.last(),
              QStringLiteral("Q:All text i dokumentet kommer att raderas.|Vill du fortsätta?"));
    Load("abc\ndef|");
    answers = {int(Dialogs::mrYes)};
    ASSERT_TRUE(Run("RClearAll"));
    EXPECT_EQ(win->CodeEditor->Text(), QByteArray("\r\n"));
    EXPECT_TRUE(win->Current().Modified);
    win->CodeEditor->Undo();
    EXPECT_EQ(win->CodeEditor->Text(), QByteArray("abc\r\ndef\r\n"));
}

TEST_F(EditCommandsTest, CopyAddsToTheHistoryNewestFirstWithoutDeduplication) {
    Load("[ab\ncd]\nef");
    ASSERT_TRUE(Run("RDocCopy"));
    EXPECT_EQ(ClipboardText(), QStringLiteral("ab\ncd"));
    win->CodeEditor->SetSelStart(8);
    win->CodeEditor->SetSelLength(2);
    ASSERT_TRUE(Run("RDocCopy"));
    ASSERT_TRUE(Run("RDocCopy"));
    EXPECT_EQ(History(), QList<QByteArray>({"ef", "ef", "ab\r\ncd"}));
    // An empty selection is copied as an empty entry.
    win->CodeEditor->SetSelLength(0);
    ASSERT_TRUE(Run("RDocCopy"));
    EXPECT_EQ(History(), QList<QByteArray>({"", "ef", "ef", "ab\r\ncd"}));
    OpenEditMenu();
    EXPECT_EQ(Texts(win->mnuPaste).value(2), QStringLiteral("\"\"")) << "below the system clip";
}

// The editor's menu gains "Ändra färgvärde" for a selected colour value and "Ändra
// specialtecken" for a selected entity as it opens; a later kind goes on top of the other, and
// a selection of neither kind takes all extras away.
TEST_F(EditCommandsTest, TheEditorMenuGainsItsExtrasForAColourOrAnEntity) {
    QMenu* popup = win->documentPopup;
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(win->Menu(QStringLiteral("documentPopup")), popup);
    const QStringList plain = Texts(popup);
    const QString colour = QStringLiteral("Ändra färgvärde"),
                  entity = QStringLiteral("Ändra specialtecken");
    const struct {
        const char* text;
        QStringList extras;
    } steps[] = {
        {"c: [#a0B1c2];", {colour, "-"}},
        {"c: [#a0B1cg];", {}},
        {"x [&amp;] y", {entity, "-"}},
        {"x [&amp;] y", {entity, "-"}},
        {"[#FFFFFF]", {colour, "-", entity, "-"}},
        {"[&nbsp;abcd;]", {}},
        {"|&amp;", {}},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.text);
        Load(step.text);
        emit popup->aboutToShow();
        EXPECT_EQ(Texts(popup), step.extras + plain);
    }

    // "Ändra färgvärde" opens the colour dialog on the selected value and replaces it.
    Load("c: [#a0B1c2];");
    emit popup->aboutToShow();
    TColor preset = 0;
    Dialogs::ScopedModalHandler dialog([&](QDialog* d) {
        auto* f = dynamic_cast<Thexcolor*>(d);
        if (!f)
            return int(Dialogs::mrCancel);
        preset = f->Color();
        f->SetColor(RGBColor(0x12, 0x34, 0x56));
        f->btnInsert->click();
        return f->result();
    });
    popup->actions().first()->trigger();
    EXPECT_EQ(preset, RGBColor(0xA0, 0xB1, 0xC2));
    EXPECT_EQ(Marks(*win->CodeEditor), QByteArray("c: #123456|;"));
}

TEST_F(EditCommandsTest, TheHistoryKeepsTheNewest25) {
    Load("|");
    for (int i = 1; i <= 26; ++i) {
        win->CodeEditor->SetSelText(QByteArray::number(i));
        win->CodeEditor->SetSelStart(0);
        win->CodeEditor->SetSelLength(static_cast<int>(QByteArray::number(i).size()));
        ASSERT_TRUE(Run("RDocCopy"));
    }
    ASSERT_EQ(History().size(), 25);
    EXPECT_EQ(History().first(), QByteArray("26"));
    EXPECT_EQ(History().last(), QByteArray("2"));
}

TEST_F(EditCommandsTest, CutNeedsTheEditorsFocus) {
    Load("a[bc]d");
    ASSERT_TRUE(Run("RDocCut"));
    EXPECT_EQ(Marks(*win->CodeEditor), QByteArray("a[bc]d"));
    EXPECT_TRUE(History().isEmpty());
    EXPECT_TRUE(ClipboardText().isEmpty());

    Focus();
    ASSERT_TRUE(Run("RDocCut"));
    EXPECT_EQ(Marks(*win->CodeEditor), QByteArray("a|d"));
    EXPECT_EQ(History(), QList<QByteArray>({"bc"}));
    EXPECT_EQ(ClipboardText(), QStringLiteral("bc"));
    win->CodeEditor->Undo();
    EXPECT_EQ(win->CodeEditor->Text(), QByteArray("abcd\r\n"));

    // Paste puts the clipboard at the selection; undo takes it back.
    Load("x[y]z");
    ASSERT_TRUE(Run("RDocPaste"));
    EXPECT_EQ(Marks(*win->CodeEditor), QByteArray("xbc|z"));
    win->CodeEditor->Undo();
    EXPECT_EQ(win->CodeEditor->Text(), QByteArray("xyz\r\n"));
}

TEST_F(EditCommandsTest, ClipCaptions) {
    const QString thirty(30, QLatin1Char('a'));
    EXPECT_EQ(Tmain::ClipCaption(thirty), QLatin1Char('"') + thirty + QLatin1Char('"'));
    EXPECT_EQ(Tmain::ClipCaption(thirty + QLatin1Char('b')),
              QLatin1Char('"') + thirty + QStringLiteral("...\""));
    EXPECT_EQ(Tmain::ClipCaption(QString()), QStringLiteral("\"\""));
}

TEST_F(EditCommandsTest, PasteMenuShowsTheSystemClipAndTheHistory) {
    OpenEditMenu();
    ASSERT_EQ(win->mnuPaste->actions().size(), 1);
    const QAction* none = win->mnuPaste->actions().first();
    EXPECT_EQ(none->text(), QStringLiteral("Det finns inga urklipp i minnet."));
    EXPECT_FALSE(none->isEnabled());
    EXPECT_EQ(none->statusTip(),
              QStringLiteral("|Det finns inget systemurklipp och inga Kelvora-urklipp."));

    Load("[a&b\nc]");
    ASSERT_TRUE(Run("RDocCopy"));
    win->DataFiles.ClipboardHistory.Add(QByteArray(31, 'x'));
    QGuiApplication::clipboard()->setText(QStringLiteral("sys"));
    OpenEditMenu();
    EXPECT_EQ(Texts(win->mnuPaste),
              QStringList({"\"sys\" (Systemurklipp)", "-",
                           "\"" + QString(30, QLatin1Char('x')) + "...\"", "\"a&&b\\nc\""}));
    const QList<QAction*> items = win->mnuPaste->actions();
    EXPECT_EQ(items[0]->shortcut(), QKeySequence(QStringLiteral("Ctrl+V")));
    EXPECT_EQ(items[0]->statusTip(),
              QStringLiteral("|Infogar innehållet i systemurklipp vid markören."));
    EXPECT_EQ(items[2]->data().toInt(), 0);
    EXPECT_EQ(items[3]->data().toInt(), 1);
    EXPECT_EQ(items[3]->statusTip(),
              QStringLiteral("|Infogar innehållet i det här Kelvora-urklippet vid markören."));

    // A history item replaces the system clip and is pasted; the history keeps its order.
    Load("<|>");
    items[3]->trigger();
    EXPECT_EQ(Marks(*win->CodeEditor), QByteArray("<a&b\nc|>"));
    EXPECT_EQ(ClipboardText(), QStringLiteral("a&b\r\nc"));
    EXPECT_EQ(History().size(), 2);
    EXPECT_EQ(History().first(), QByteArray(31, 'x'));
    win->CodeEditor->Undo();
    EXPECT_EQ(win->CodeEditor->Text(), QByteArray("<>\r\n"));

    // The rebuilt menu drops what was there.
    QGuiApplication::clipboard()->clear();
    win->DataFiles.ClipboardHistory.Clear();
    OpenEditMenu();
    EXPECT_EQ(Texts(win->mnuPaste), QStringList({"Det finns inga urklipp i minnet."}));
}

TEST_F(EditCommandsTest, ToolbarDropDownCopiesThePasteMenu) {
    auto* button = win->Toolbar->findChild<QToolButton*>(QStringLiteral("PasteButton"));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->menu(), win->PasteDataPopup);

    win->DataFiles.ClipboardHistory.Add("clip");
    QGuiApplication::clipboard()->setText(QStringLiteral("sys"));
    emit win->PasteDataPopup->aboutToShow();
    EXPECT_EQ(Texts(win->PasteDataPopup), Texts(win->mnuPaste));
    const QList<QAction*> items = win->PasteDataPopup->actions();
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(win->PasteDataPopup->defaultAction(), items[0]);
    EXPECT_TRUE(items[0]->shortcut().isEmpty());
    EXPECT_EQ(items[2]->data().toInt(), 0);
    Load("|");
    items[2]->trigger();
    EXPECT_EQ(Marks(*win->CodeEditor), QByteArray("clip|"));

    // Without a system clip there is no default item; the empty note is not disabled here.
    QGuiApplication::clipboard()->clear();
    win->DataFiles.ClipboardHistory.Clear();
    emit win->PasteDataPopup->aboutToShow();
    ASSERT_EQ(win->PasteDataPopup->actions().size(), 1);
    EXPECT_EQ(win->PasteDataPopup->defaultAction(), nullptr);
    EXPECT_TRUE(win->PasteDataPopup->actions().first()->isEnabled());
}

TEST_F(EditCommandsTest, ImportInsertsAFileAtTheSelection) {
    const QString path = Make(QStringLiteral("part.txt"), "one\r\ntwo");
    Load("a[b]c");
    fileAnswers = {{path}};
    ASSERT_TRUE(Run("RImportText"));
    ASSERT_EQ(requests.size(), 1);
    EXPECT_TRUE(requests[0].startsWith(QStringLiteral("Importera från fil|")));
    EXPECT_EQ(win->CodeEditor->Text(), QByteArray("aone\r\ntwo\r\nc\r\n"));
    EXPECT_TRUE(seen.isEmpty());
    win->CodeEditor->Undo();
    EXPECT_EQ(win->CodeEditor->Text(), QByteArray("abc\r\n"));

    // Cancelled: nothing happens; a file that cannot be read: a message, the text unchanged.
    fileAnswers = {{QString()}, {File(QStringLiteral("missing.txt"))}};
    ASSERT_TRUE(Run("RImportText"));
    ASSERT_TRUE(Run("RImportText"));
    EXPECT_EQ(win->CodeEditor->Text(), QByteArray("abc\r\n"));
    EXPECT_EQ(seen, QStringList(QStringLiteral("M:Det gick inte att importera text från filen \"") +
                                File(QStringLiteral("missing.txt")) + QStringLiteral("\".")));
    // The open command keeps its own title.
    fileAnswers = {{QString()}};
    ASSERT_TRUE(Run("AOpenDoc"));
    EXPECT_TRUE(requests.last().startsWith(QStringLiteral("Öppna|")));
}

TEST_F(EditCommandsTest, ExportWritesTheSelectedLinesWithCrLf) {
    const struct {
        const char* doc;
        QByteArray file;
    } cases[] = {
        {"x[ab\ncd]y", "ab\r\ncd\r\n"},
        {"[ab\n]cd", "ab\r\n"},
        {"a|b", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.doc);
        Load(c.doc);
        const QString path = File(QStringLiteral("out%1.txt").arg(requests.size()));
        fileAnswers = {{path}};
        ASSERT_TRUE(Run("RExportText"));
        EXPECT_TRUE(requests.last().startsWith(QStringLiteral("Exportera markering|")));
        EXPECT_EQ(ReadTestFile(path), c.file);
    }
    EXPECT_TRUE(seen.isEmpty());
}

TEST_F(EditCommandsTest, ExportAsksBeforeReplacingAndReportsAFailure) {
    const QString path = Make(QStringLiteral("old.txt"), "old");
    Load("[new]");
    for (const int answer : {int(Dialogs::mrNo), int(Dialogs::mrCancel)}) {
        fileAnswers = {{path}};
        answers = {answer};
        ASSERT_TRUE(Run("RExportText"));
        EXPECT_EQ(ReadTestFile(path), QByteArray("old"));
    }
    EXPECT_EQ(seen.last(), QStringLiteral("Q:Filen old.txt finns redan.|Vill du ersätta den?"));
    fileAnswers = {{path}};
    answers = {int(Dialogs::mrYes)};
    ASSERT_TRUE(Run("RExportText"));
    EXPECT_EQ(ReadTestFile(path), QByteArray("new\r\n"));
    EXPECT_EQ(seen.size(), 3); // questions only, no message

    const QString bad = File(QStringLiteral("no/such/folder/out.txt"));
    fileAnswers = {{bad}};
    ASSERT_TRUE(Run("RExportText"));
    EXPECT_EQ(seen.last(), QStringLiteral("M:Det gick inte att spara till filen \"") + bad +
                               QStringLiteral("\"."));
    EXPECT_EQ(win->CodeEditor->Text(), QByteArray("new\r\n"));
}

TEST_F(EditCommandsTest, ReadOnlyTextIsNotChanged) {
    Load("  [ab\n  cd]");
    QGuiApplication::clipboard()->setText(QStringLiteral("zz"));
    win->CodeEditor->Settings()->ReadOnly = true;
    Focus();
    const QByteArray before = Marks(*win->CodeEditor);
    for (const char* name : {"FConvUpperCase", "FConvLowerCase", "FConvOppositCase", "VApplyROT13",
                             "FAddIndent", "FDelIndent", "FDelAllIndent", "RDocDelSel", "RDocPaste",
                             "RDocCut", "RClearAll", "RImportText"}) {
        ASSERT_TRUE(Run(name));
        EXPECT_EQ(Marks(*win->CodeEditor), before) << name;
    }
    // No question and no file dialog were asked for; copying still works.
    EXPECT_TRUE(seen.isEmpty());
    EXPECT_TRUE(requests.isEmpty());
    ASSERT_TRUE(Run("RDocCopy"));
    EXPECT_EQ(ClipboardText(), QStringLiteral("ab\n  cd"));
}

TEST_F(EditCommandsTest, PreviewModeSwitchesTheCommandsOff) {
    Load("a[b]c");
    QGuiApplication::clipboard()->setText(QStringLiteral("zz"));
    ASSERT_TRUE(Run("VUserGoPreviewPageMode"));
    win->CentralActionListUpdate();
    EXPECT_FALSE(Menu("Redigera1")->menuAction()->isEnabled());
    EXPECT_FALSE(Menu("Format1")->menuAction()->isEnabled());
    EXPECT_FALSE(win->Toolbar->findChild<QToolButton*>(QStringLiteral("PasteButton"))->isEnabled());
    for (const char* name : {"RDocCut", "RDocCopy", "RDocDelSel", "RExportText", "FConvUpperCase",
                             "VApplyROT13", "RSelectAll", "RClearAll", "FAddIndent"})
        EXPECT_FALSE(win->Action(QLatin1String(name))->isEnabled()) << name;
    // The commands the state table leaves enabled do nothing either.
    ASSERT_TRUE(Run("RDocPaste"));
    ASSERT_TRUE(Run("RImportText"));
    win->EditCommands->DocPaste(0);
    EXPECT_EQ(Marks(*win->CodeEditor), QByteArray("a[b]c"));
    EXPECT_TRUE(requests.isEmpty());

    ASSERT_TRUE(Run("VUserGoEditMode"));
    win->CentralActionListUpdate();
    EXPECT_TRUE(Menu("Redigera1")->menuAction()->isEnabled());
    EXPECT_TRUE(win->Action("RDocCut")->isEnabled());
    ASSERT_TRUE(Run("RDocPaste"));
    EXPECT_EQ(Marks(*win->CodeEditor), QByteArray("azz|c"));
}
