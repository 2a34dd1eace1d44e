#include "MainWinFixture.h"

#include <QApplication>
#include <QMenu>
#include <QTest>
#include <utility>

using ::testing::Test;

TEST_F(MainWinTest, StartsWithOneNewDocument) {
    EXPECT_EQ(Captions(), QStringList{"Nytt dokument ()"});
    EXPECT_EQ(win->windowTitle(), "Kelvora - Nytt dokument");
    EXPECT_EQ(win->StatusPanel(5), "Filer öppna: 1");
    EXPECT_FALSE(win->Current().Modified);
}

TEST_F(MainWinTest, DocumentsThroughNewOpenEditSwitchSaveClose) {
    const QString a = Make("a.html", "<html>\r\n<TITLE>Start</TITLE>\r\n</html>\r\n");
    const QString b = Make("b.txt", "one\r\ntwo\r\n");
    Open(a);
    Open(b);
    EXPECT_EQ(Captions(), (QStringList{"Nytt dokument ()", "a.html (S)", "b.txt (S)"}));
    EXPECT_EQ(win->CurrentTab(), 2);
    EXPECT_EQ(win->StatusPanel(5), "Filer öppna: 3");

    win->CodeEditor->SetSelStart(5);
    Type("zero ");
    EXPECT_EQ(Captions()[2], "b.txt (SM)");

    Click("a.html (S)");
    EXPECT_EQ(win->CurrentTab(), 1);
    EXPECT_EQ(win->windowTitle(), "Kelvora - a.html [Start]");
    EXPECT_EQ(TextOf(1), "<html>\r\n<TITLE>Start</TITLE>\r\n</html>\r\n");
    EXPECT_EQ(TextOf(2), "one\r\nzero two\r\n");
    EXPECT_EQ(win->OpenFiles[2].SelStart, 10) << "the caret is kept with the document left";
    // Neither the document left nor the one shown became modified by the switch.
    EXPECT_EQ(Captions(), (QStringList{"Nytt dokument ()", "a.html (S)", "b.txt (SM)"}));

    Click("b.txt (SM)");
    EXPECT_EQ(win->CodeEditor->GetSelStart(), 10);
    EXPECT_TRUE(Run("ASaveDoc"));
    EXPECT_EQ(ReadTestFile(b), "one\r\nzero two\r\n");
    EXPECT_EQ(Captions()[2], "b.txt (S)");
    EXPECT_TRUE(seen.isEmpty()) << seen.join(", ").toStdString();

    win->Commands().Run(QStringLiteral("WPrevDoc"));
    EXPECT_EQ(win->CurrentTab(), 1);
    EXPECT_TRUE(Run("ADocClose"));
    EXPECT_EQ(Captions(), (QStringList{"Nytt dokument ()", "b.txt (S)"}));
    EXPECT_EQ(win->CurrentTab(), 0) << "a close shows the first document";
    EXPECT_EQ(TextOf(1), "one\r\nzero two\r\n");
    EXPECT_EQ(win->windowTitle(), "Kelvora - Nytt dokument");
    EXPECT_EQ(win->StatusPanel(5), "Filer öppna: 2");
}

TEST_F(MainWinTest, ClosingKeepsEveryOtherDocumentsText) {
    for (const char* name : {"1.txt", "2.txt", "3.txt"})
        Open(Make(name, QByteArray(name) + "\r\n"));
    // Closing the current (last) tab must not store its text into a neighbour.
    Type("x");
    answers = {Dialogs::mrNo};
    EXPECT_TRUE(Run("ADocClose"));
    EXPECT_EQ(Captions(), (QStringList{"Nytt dokument ()", "1.txt (S)", "2.txt (S)"}));
    EXPECT_EQ(TextOf(0), "\r\n");
    EXPECT_EQ(TextOf(1), "1.txt\r\n");
    EXPECT_EQ(TextOf(2), "2.txt\r\n");
    Click("2.txt (S)");
    EXPECT_EQ(win->CodeEditor->Text(), "2.txt\r\n");
    Click("1.txt (S)");
    EXPECT_EQ(win->CodeEditor->Text(), "1.txt\r\n");
    EXPECT_EQ(TextOf(2), "2.txt\r\n");
}

TEST_F(MainWinTest, ClosingTheThirdOfFourShowsTheFirst) {
    for (const char* name : {"1.txt", "2.txt", "3.txt"})
        Open(Make(name, name));
    Click("2.txt (S)");
    EXPECT_TRUE(Run("ADocClose"));
    EXPECT_EQ(Captions(), (QStringList{"Nytt dokument ()", "1.txt (S)", "3.txt (S)"}));
    EXPECT_EQ(win->CurrentTab(), 0);
    EXPECT_EQ(TextOf(2), "3.txt\r\n");
}

TEST_F(MainWinTest, ClosingTheOnlyDocumentLeavesANewOne) {
    Type("draft");
    answers = {Dialogs::mrNo};
    EXPECT_TRUE(Run("ADocClose"));
    EXPECT_EQ(Captions(), QStringList{"Nytt dokument ()"});
    EXPECT_EQ(win->CodeEditor->Text(), "\r\n");
    EXPECT_EQ(win->OpenFilesCount(), 1);
}

TEST_F(MainWinTest, AllDocCloseAsksEachAndStopsAtCancel) {
    Open(Make("1.txt", "a"));
    Type("x");
    Open(Make("2.txt", "b"));
    Type("y");
    answers = {Dialogs::mrNo, Dialogs::mrCancel};
    EXPECT_FALSE(RunCommand([&] { win->Commands().Run(QStringLiteral("AAllDocClose")); }));
    EXPECT_EQ(win->OpenFilesCount(), 3);
    EXPECT_EQ(win->CurrentTab(), 2);
    EXPECT_EQ(win->CodeEditor->Text(), "yb\r\n");

    answers = {Dialogs::mrNo, Dialogs::mrNo};
    EXPECT_TRUE(RunCommand([&] { win->Commands().Run(QStringLiteral("AAllDocClose")); }));
    EXPECT_EQ(Captions(), QStringList{"Nytt dokument ()"});
    EXPECT_EQ(ReadTestFile(File("1.txt")), "a");
}

// A refusal says why where the reason is ours: a NUL byte, a folder.
TEST_F(MainWinTest, OpenFailureAddsNoTab) {
    struct Case {
        const char* name;
        QByteArray bytes; // empty: the file does not exist; "/": a folder
        const char* why;
    };
    const Case cases[] = {
        {"missing.html", {}, ""},
        {"binary.html", QByteArray("a\0b", 3),
         " Filen innehåller NUL-tecken (byte 0) och kan inte visas som text."},
        {"mapp.html", "/", " Det är en mapp, inte en fil."},
    };
    QDir().mkpath(File("mapp.html"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path =
            c.bytes.isEmpty() || c.bytes == "/" ? File(c.name) : Make(c.name, c.bytes);
        seen.clear();
        EXPECT_FALSE(RunCommand([&] { win->NewDocTab(1, path); }));
        EXPECT_EQ(seen, QStringList{QStringLiteral("M:Det gick inte att öppna filen \"%1\".%2")
                                        .arg(QLatin1String(c.name), QString::fromUtf8(c.why))});
        EXPECT_EQ(win->OpenFilesCount(), 1);
        EXPECT_EQ(Captions(), QStringList{"Nytt dokument ()"});
    }
}

TEST_F(MainWinTest, TitleBracketsFromTheEditorText) {
    struct Case {
        const char* file;
        QByteArray text;
        QByteArray title;
    };
    const QByteArray longTitle(300, 'x');
    const Case cases[] = {
        {"a.htm", "<TITLE>Stor</TITLE><title>liten</title>", "Kelvora - a.htm [Stor] [liten]"},
        {"a.htm", "<title>Bara</title>", "Kelvora - a.htm [Bara]"},
        {"a.htm", "<TITLE>Utan slut", "Kelvora - a.htm"},
        {"a.htm", "</TITLE>x<TITLE>y", "Kelvora - a.htm"},
        {"a.htm", "</TITLE>\r\n<TITLE>Andra</TITLE>", "Kelvora - a.htm [Andra]"},
        {"a.htm", "<title>Två\r\nrader</title>", "Kelvora - a.htm [Tvårader]"},
        {"a.PHP", "<title>Php</title>", "Kelvora - a.PHP [Php]"},
        {"a.txt", "<title>Text</title>", "Kelvora - a.txt"},
        {"a.htm", "<title>" + longTitle + "</title>",
         "Kelvora - a.htm [" + QByteArray(120, 'x') + "]"},
    };
    for (const Case& c : cases) {
        QByteArray bytes = c.text;
        bytes.replace("å", "\xe5"); // the file is Windows-1252
        Open(Make(c.file, bytes));
        EXPECT_EQ(win->windowTitle(), QString::fromUtf8(c.title)) << c.text.constData();
        ASSERT_TRUE(RunCommand([&] { win->Commands().Run(QStringLiteral("ADocClose")); }));
    }
}

TEST_F(MainWinTest, DocTabsMenuListsEveryDocumentWithShortcuts) {
    for (int i = 1; i <= 10; ++i)
        ASSERT_TRUE(RunCommand([&] { win->Commands().Run(QStringLiteral("ANewDoc")); }));
    emit win->mnuDocTabs->aboutToShow();
    const QList<QAction*> items = win->mnuDocTabs->actions();
    ASSERT_EQ(items.size(), 3 + 11);
    EXPECT_EQ(items[0]->text(), "Föregående dokument");
    EXPECT_EQ(items[1]->text(), "Nästa dokument");
    EXPECT_TRUE(items[2]->isSeparator());
    EXPECT_EQ(items[3]->text(), "1: Nytt dokument");
    EXPECT_EQ(items[3]->shortcut(), QKeySequence("Ctrl+1"));
    EXPECT_EQ(items[3]->statusTip(), "Visar dokumentfliken för filen Nytt dokument.");
    EXPECT_EQ(items[11]->shortcut(), QKeySequence("Ctrl+9"));
    EXPECT_TRUE(items[12]->shortcut().isEmpty()) << "the tenth entry has no shortcut";
    EXPECT_TRUE(items[13]->isChecked());
    EXPECT_FALSE(items[3]->isChecked());

    items[4]->trigger();
    EXPECT_EQ(win->CurrentTab(), 1);
    const QList<QAction*> again = win->mnuDocTabs->actions();
    EXPECT_TRUE(again[4]->isChecked());
}

TEST_F(MainWinTest, CtrlDigitShowsThatDocument) {
    for (const char* name : {"1.txt", "2.txt", "3.txt"})
        Open(Make(name, name));
    win->show();
    QApplication::setActiveWindow(win.get());
    win->CodeEditor->setFocus();
    QTest::keyClick(win->CodeEditor, Qt::Key_2, Qt::ControlModifier);
    EXPECT_EQ(win->CurrentTab(), 1);
    EXPECT_EQ(win->CodeEditor->Text(), "1.txt\r\n");
    QTest::keyClick(win->CodeEditor, Qt::Key_4, Qt::ControlModifier);
    EXPECT_EQ(win->CurrentTab(), 3);
    QTest::keyClick(win->CodeEditor, Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(win->CurrentTab(), 2);
}

TEST_F(MainWinTest, PrevAndNextFollowTheEnds) {
    ASSERT_TRUE(RunCommand([&] { win->Commands().Run(QStringLiteral("ANewDoc")); }));
    EXPECT_TRUE(win->Action("WPrevDoc")->isEnabled());
    EXPECT_FALSE(win->Action("WNextDoc")->isEnabled());
    EXPECT_TRUE(Run("WPrevDoc"));
    EXPECT_EQ(win->CurrentTab(), 0);
    EXPECT_FALSE(win->Action("WPrevDoc")->isEnabled());
    EXPECT_TRUE(win->Action("WNextDoc")->isEnabled());
    EXPECT_TRUE(Run("WPrevDoc"));
    EXPECT_EQ(win->CurrentTab(), 0);
}

TEST_F(MainWinTest, TabPopupActsOnTheTabClicked) {
    Open(Make("1.txt", "a"));
    Open(Make("2.txt", "b"));
    win->show();
    QStringList captions;
    for (QAction* a : win->TabsPopup->actions())
        if (!a->isSeparator() && a->isVisible())
            captions << a->text();
    // "Spara via FTP..." joins them when the FTP client is installed.
    EXPECT_EQ(captions, (QStringList{"Återställ", "Spara", "Spara som...", "Stäng", "Ta bort fil",
                                     "Egenskaper..."}));
    QTest::mouseClick(win->FilesList, Qt::RightButton, {}, win->FilesList->tabRect(1).center());
    EXPECT_TRUE(win->TabsPopup->isVisible());
    EXPECT_EQ(win->CodeEditor->Text(), "a\r\n");
    win->TabsPopup->hide();
    EXPECT_TRUE(Run("ADocClose"));
    EXPECT_EQ(Captions(), (QStringList{"Nytt dokument ()", "2.txt (S)"}));
}

TEST_F(MainWinTest, ColouringChosenByExtension) {
    EXPECT_EQ(win->CurrentProcessorKind(), TProcessorKind::HTML) << "Nytt dokument";
    EXPECT_EQ(win->CodeEditor->FormattingProcessor(), win->ProcessorFor(TProcessorKind::HTML));
    EXPECT_NE(win->CodeEditor->FormattingProcessor(), nullptr);
    // A fresh settings store colours the usual web and program files.
    for (const auto& [file, kind] : {std::pair{"/w/a.html", TProcessorKind::HTML},
                                     {"/w/a.PHP", TProcessorKind::HTML},
                                     {"/w/a.css", TProcessorKind::CSS},
                                     {"/w/a.js", TProcessorKind::JS},
                                     {"/w/a.sub", TProcessorKind::SUB},
                                     {"/w/a.inc", TProcessorKind::Pascal},
                                     {"/w/a.txt", TProcessorKind::None}})
        EXPECT_EQ(win->ProcessorKindFor(file), kind) << file;
    win->synHTMLext = QStringList{"htm", "HTML"};
    win->synCSSext = QStringList{"css"};
    win->synCUSText = QStringList{"css", "ini"};
    EXPECT_EQ(win->ProcessorKindFor("/w/a.html"), TProcessorKind::HTML);
    EXPECT_EQ(win->ProcessorKindFor("/w/a.CSS"), TProcessorKind::CSS) << "first list decides";
    EXPECT_EQ(win->ProcessorKindFor("/w/a.ini"), TProcessorKind::Custom);
    EXPECT_EQ(win->ProcessorKindFor("/w/a.txt"), TProcessorKind::None);
    Open(Make("s.css", "a{}"));
    EXPECT_EQ(win->CurrentProcessorKind(), TProcessorKind::CSS);
    EXPECT_EQ(win->CodeEditor->FormattingProcessor(), win->ProcessorFor(TProcessorKind::CSS));
    Open(Make("plain.txt", "x"));
    EXPECT_EQ(win->CodeEditor->FormattingProcessor(), nullptr);
    win->InteractiveFormattingEnabled = false;
    Click("Nytt dokument ()");
    EXPECT_NE(win->CodeEditor->FormattingProcessor(), nullptr);
    EXPECT_FALSE(win->CodeEditor->Settings()->InteractiveFormatting);
}

TEST_F(MainWinTest, EveryCommandIsInTheRegistry) {
    for (const char* name : {"ANewDoc", "AOpenDoc", "ASaveDoc", "ASaveDocAs", "ASaveAllDoc",
                             "ASaveAllDocAs", "ADocClose", "AAllDocClose", "WPrevDoc", "WNextDoc"})
        EXPECT_NE(win->Action(QLatin1String(name)), nullptr) << name;
    EXPECT_EQ(win->Action("ASaveDocAs")->shortcut(), QKeySequence("Ctrl+Alt+S"));
    EXPECT_EQ(win->Action("AAllDocClose")->shortcut(), QKeySequence("Shift+Ctrl+F4"));
}

namespace {} // namespace

// Undo after a switch must not bring back the other document's text.
// Each document keeps its own undo history across switches; undo never reaches into another
// document, and a closed document's history goes with it.
TEST_F(MainWinTest, EachDocumentKeepsItsUndoAcrossSwitches) {
    TTextEditorEx& editor = *win->CodeEditor;
    editor.SetSelText("first");
    editor.AddUndoData();
    ASSERT_TRUE(RunCommand([&] { win->Commands().Run(QStringLiteral("ANewDoc")); }));
    editor.SetSelText("second");
    editor.AddUndoData();
    win->Commands().Run(QStringLiteral("WPrevDoc"));
    EXPECT_EQ(editor.Text(), "first\r\n");
    ASSERT_TRUE(RunCommand([&] { editor.Undo(); }));
    EXPECT_EQ(editor.Text(), "\r\n");
    EXPECT_FALSE(RunCommand([&] { editor.Undo(); })) << "the other document is not reached";
    win->Commands().Run(QStringLiteral("WNextDoc"));
    EXPECT_EQ(editor.Text(), "second\r\n");
    ASSERT_TRUE(RunCommand([&] { editor.Undo(); }));
    EXPECT_EQ(editor.Text(), "\r\n");
    // Redo is kept across a switch as well.
    win->Commands().Run(QStringLiteral("WPrevDoc"));
    win->Commands().Run(QStringLiteral("WNextDoc"));
    ASSERT_TRUE(RunCommand([&] { editor.Redo(); }));
    EXPECT_EQ(editor.Text(), "second\r\n");

    // Closing takes the history along; the document shown next has its own.
    win->Current().Modified = false;
    ASSERT_TRUE(RunCommand([&] { win->Commands().Run(QStringLiteral("ADocClose")); }));
    EXPECT_EQ(editor.Text(), "\r\n");
    ASSERT_TRUE(RunCommand([&] { editor.Redo(); }));
    EXPECT_EQ(editor.Text(), "first\r\n");
    EXPECT_EQ(win->UndoBudget.Used(), editor.UndoStore.MemoryUsed());
}
