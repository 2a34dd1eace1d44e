#include "MainWinFixture.h"
#include "app/panels/BookmarksPanel.h"

#include <QAction>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

class BookmarksTest : public MainWinTest {
protected:
    void SetUp() override {
        MainWinTest::SetUp();
        p = win->bmpn;
    }
    void SetText(const QByteArray& text) {
        win->CodeEditor->SetText(text);
        win->Current().Modified = false;
    }
    void AddAtLine(int line) {
        win->CodeEditor->SetSelStart(win->CodeEditor->PosToOffset(QPoint(0, line)));
        win->CodeEditor->SetSelLength(0);
        p->btnAddBookmark->click();
    }
    QByteArray Selected() const { return win->CodeEditor->GetSelText(); }

    TBookmarksPanel* p = nullptr;
};

TEST(BookmarkEntry, ShowsTheLineNumberAndTheStartOfTheLine) {
    const struct {
        int line;
        QByteArray text;
        QString entry;
    } cases[] = {
        {11, "Hello", QStringLiteral("12: \"Hello\"")},
        {0, "", QStringLiteral("1: \"\"")},
        {4, "12345678901234567890", QStringLiteral("5: \"12345678901234567890\"")},
        {4, "123456789012345678901", QStringLiteral("5: \"12345678901234567890...\"")},
        {0, "\xE5ngest\x80", QStringLiteral("1: \"ångest€\"")},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TBookmarksPanel::EntryText(c.line, c.text), c.entry) << c.text.constData();
        EXPECT_EQ(TBookmarksPanel::EntryLine(c.entry), c.line + 1);
    }
    EXPECT_EQ(TBookmarksPanel::EntryLine(QStringLiteral("no number")), 0);
    EXPECT_EQ(TBookmarksPanel::EntryLine(QStringLiteral("x: \"a\"")), 0);
}

TEST_F(BookmarksTest, AddingAppendsUnsortedDuplicatesAllowed) {
    SetText("one\r\ntwo\r\nthree");
    AddAtLine(2);
    AddAtLine(0);
    AddAtLine(0);
    EXPECT_EQ(p->Entries(), (QStringList{"3: \"three\"", "1: \"one\"", "1: \"one\""}));
    p->Laggtillaktuellrad1->trigger(); // the menu item adds as the button does
    EXPECT_EQ(p->Entries().size(), 4);
}

TEST_F(BookmarksTest, ClickSelectsTheNamedLineNotTheMovedText) {
    SetText("alpha\r\nbeta\r\ngamma");
    AddAtLine(1);
    win->CodeEditor->SetSelStart(0);
    Type("new\r\n");
    ASSERT_EQ(win->CodeEditor->Lines[1], "alpha");
    emit p->bookmarks->itemClicked(p->bookmarks->item(0));
    EXPECT_EQ(Selected(), "alpha") << "the entry names line 2, whatever it holds now";

    // A line that no longer exists: nothing happens.
    win->CodeEditor->SetText("only");
    win->CodeEditor->SetSelStart(2);
    emit p->bookmarks->itemClicked(p->bookmarks->item(0));
    EXPECT_EQ(win->CodeEditor->GetSelStart(), 2);
    EXPECT_FALSE(win->CodeEditor->HasSelection());
}

TEST_F(BookmarksTest, MenuStatesDeleteAndSelectAll) {
    SetText("a\r\nb\r\nc");
    p->PreparePopup();
    EXPECT_TRUE(p->Laggtillaktuellrad1->isEnabled());
    EXPECT_FALSE(p->Taborttmarkeradebokmrken1->isEnabled());
    EXPECT_FALSE(p->Markeraallabokmrken1->isEnabled());

    for (int line : {0, 1, 2})
        AddAtLine(line);
    p->PreparePopup();
    EXPECT_FALSE(p->Taborttmarkeradebokmrken1->isEnabled());
    EXPECT_TRUE(p->Markeraallabokmrken1->isEnabled());

    p->bookmarks->item(0)->setSelected(true);
    p->bookmarks->item(2)->setSelected(true);
    p->PreparePopup();
    ASSERT_TRUE(p->Taborttmarkeradebokmrken1->isEnabled());
    p->Taborttmarkeradebokmrken1->trigger();
    EXPECT_EQ(p->Entries(), QStringList{"2: \"b\""});

    p->Markeraallabokmrken1->trigger();
    EXPECT_EQ(p->bookmarks->selectedItems().size(), 1);
    // The Delete key in the list deletes the selection, even before the menu has opened again.
    QTest::keyClick(p->bookmarks, Qt::Key_Delete);
    EXPECT_TRUE(p->Entries().isEmpty());
    QTest::keyClick(p->bookmarks, Qt::Key_Delete); // nothing left: no harm
    EXPECT_TRUE(p->Entries().isEmpty());
}

TEST_F(BookmarksTest, EachDocumentKeepsItsOwnList) {
    SetText("first doc");
    AddAtLine(0);
    ASSERT_TRUE(RunCommand([&] { win->Commands().Run(QStringLiteral("ANewDoc")); }));
    EXPECT_TRUE(p->Entries().isEmpty()) << "a new document starts with no bookmarks";
    win->CodeEditor->SetText("x\r\nsecond doc");
    AddAtLine(1);
    const QStringList second = p->Entries();

    win->FilesList->setCurrentIndex(0);
    EXPECT_EQ(p->Entries(), QStringList{"1: \"first doc\""});
    EXPECT_EQ(win->OpenFiles[1].Bookmarks, second);
    win->FilesList->setCurrentIndex(1);
    EXPECT_EQ(p->Entries(), QStringList{"2: \"second doc\""});
}

TEST_F(BookmarksTest, VisibilityTogglesAndIsStored) {
    ASSERT_FALSE(win->SidePanelVisible(win->bmpn));
    ASSERT_TRUE(Run("VToggleBookmarks"));
    EXPECT_TRUE(win->SidePanelVisible(win->bmpn));
    EXPECT_TRUE(win->CurrentSettings().ShowBookmarks);
    win->CentralActionListUpdate();
    EXPECT_TRUE(win->Action(QStringLiteral("VToggleBookmarks"))->isChecked());
    ASSERT_TRUE(Run("VToggleBookmarks"));
    EXPECT_FALSE(win->CurrentSettings().ShowBookmarks);

    TSettingsValues values = win->CurrentSettings();
    values.ShowBookmarks = true;
    win->ApplySettings(values);
    EXPECT_TRUE(win->SidePanelVisible(win->bmpn));
    values.ShowBookmarks = false;
    win->ApplySettings(values);
    EXPECT_FALSE(win->SidePanelVisible(win->bmpn));
}
