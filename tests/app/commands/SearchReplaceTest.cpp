#include "SearchFixture.h"
#include "app/commands/SearchCommands.h"
#include "platform/Cp1252.h"

// --- replace the selection -------------------------------------------------------------------

TEST_F(SearchTest, ReplaceSwapsTheSelectionAndSelectsWhatWentIn) {
    ShowPanel();
    SetText("one two one\r\n");
    FindNext("two");
    p->ReplaceText->setEditText(QStringLiteral("\\n2"));
    p->Replace->click();
    EXPECT_EQ(win->CodeEditor->Text(), "one \\n2 one\r\n") << "no escapes in a single replace";
    EXPECT_EQ(Sel(), std::make_pair(4, 3));
    EXPECT_EQ(TSearchPanel::History(p->ReplaceText), QStringList{"\\n2"});

    win->CodeEditor->Settings()->ReadOnly = true;
    p->ReplaceText->setEditText(QStringLiteral("x"));
    ASSERT_TRUE(p->Replace->isEnabled());
    p->Replace->click();
    EXPECT_EQ(win->CodeEditor->Text(), "one \\n2 one\r\n");
    EXPECT_TRUE(seen.isEmpty());
}

// --- replace all in one document -------------------------------------------------------------

TEST_F(SearchTest, ReplaceAllShowsItsProgressAndCountsEveryHit) {
    win->Settings.ShowReplaceProgress = true;
    SetText("a a a\r\n");
    p->searchtext->setEditText(QStringLiteral("a"));
    p->ReplaceText->setEditText(QStringLiteral("bb"));
    p->ReplaceInCurrent->trigger();
    EXPECT_EQ(win->CodeEditor->Text(), "bb bb bb\r\n");
    EXPECT_EQ(progress, QStringList{"Ersättningsprocess klar.|a|bb||3|3|1000 ‰|Stäng"});
    EXPECT_EQ(statusDuring, QStringList{"Ersätter..."});
    EXPECT_TRUE(win->statusBar()->currentMessage().isEmpty());
    EXPECT_EQ(win->SearchCommands->replaceprogress, nullptr)
        << "the window lives for one replace-all";
    EXPECT_TRUE(win->Current().Modified);
    EXPECT_EQ(TSearchPanel::History(p->searchtext), QStringList{"a"});
    EXPECT_EQ(TSearchPanel::History(p->ReplaceText), QStringList{"bb"});

    // One hit reports no progress: the window keeps its first figures.
    progress.clear();
    p->vers->setChecked(true);
    p->whwo->setChecked(true);
    SetText("x bb-bbb\r\n");
    p->searchtext->setEditText(QStringLiteral("bb"));
    p->ReplaceText->setEditText(QStringLiteral("c\\td"));
    p->ReplaceInCurrent->trigger();
    EXPECT_EQ(win->CodeEditor->Text(), "x c\td-bbb\r\n");
    EXPECT_EQ(progress, QStringList{"Ersättningsprocess klar.|bb|c\\td|Versalkänslighet, "
                                    "Matcha hela ord|0|0|0 %|Stäng"});

    // Without the setting no window opens.
    win->Settings.ShowReplaceProgress = false;
    progress.clear();
    p->searchtext->setEditText(QStringLiteral("x"));
    p->ReplaceText->setEditText(QStringLiteral("y"));
    p->ReplaceInCurrent->trigger();
    EXPECT_EQ(win->CodeEditor->Text(), "y c\td-bbb\r\n");
    EXPECT_TRUE(progress.isEmpty());
    EXPECT_TRUE(seen.isEmpty()) << seen.join(", ").toStdString();
}

TEST_F(SearchTest, ReplaceAllUndoesInOneStepAndKeepsWhatWasTypedBefore) {
    SetText("a a a\r\n");
    win->CodeEditor->ClearUndoData();
    win->CodeEditor->AddUndoData();
    win->CodeEditor->SetSelStart(0);
    Type("x ");
    win->CodeEditor->SetSelStart(6); // before the last "a"
    p->searchtext->setEditText(QStringLiteral("a"));
    p->ReplaceText->setEditText(QStringLiteral("bb"));
    p->ReplaceInCurrent->trigger();
    EXPECT_EQ(win->CodeEditor->Text(), "x bb bb bb\r\n");
    EXPECT_EQ(win->CodeEditor->GetSelStart(), 8) << "the caret moves by the hits before it";
    win->CodeEditor->Undo();
    EXPECT_EQ(win->CodeEditor->Text(), "x a a a\r\n");
    win->CodeEditor->Undo();
    EXPECT_EQ(win->CodeEditor->Text(), "a a a\r\n");

    // A replace-all that finds nothing adds no empty undo step.
    SetText("q\r\n");
    win->CodeEditor->ClearUndoData();
    win->CodeEditor->AddUndoData();
    p->searchtext->setEditText(QStringLiteral("zz"));
    p->ReplaceInCurrent->trigger();
    EXPECT_FALSE(win->CodeEditor->CanUndo());
}

struct SelfCase {
    const char* find;
    const char* replace;
    bool matchCase;
    bool refused;
};

class SearchSelfTest : public SearchTest, public ::testing::WithParamInterface<SelfCase> {};

TEST_P(SearchSelfTest, AStringIsNotReplacedByItself) {
    const SelfCase& c = GetParam();
    win->Settings.ShowReplaceProgress = true;
    SetText(Cp1252::Encode(QString::fromUtf8("abc ÅR\r\n")));
    p->vers->setChecked(c.matchCase);
    p->searchtext->setEditText(QString::fromUtf8(c.find));
    p->ReplaceText->setEditText(QString::fromUtf8(c.replace));
    p->ReplaceInCurrent->trigger();
    if (c.refused) {
        EXPECT_EQ(seen, QStringList{"M:Du kan inte ersätta en sträng med sig själv."});
        EXPECT_TRUE(progress.isEmpty());
        EXPECT_EQ(win->CodeEditor->Text(), Cp1252::Encode(QString::fromUtf8("abc ÅR\r\n")));
        EXPECT_FALSE(win->Current().Modified);
    } else {
        EXPECT_TRUE(seen.isEmpty());
        EXPECT_EQ(progress.size(), 1);
        EXPECT_NE(win->CodeEditor->Text(), Cp1252::Encode(QString::fromUtf8("abc ÅR\r\n")));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SearchSelfTest,
    ::testing::Values(SelfCase{"abc", "abc", false, true}, SelfCase{"abc", "abc", true, true},
                      SelfCase{"abc", "ABC", false, true}, SelfCase{"abc", "ABC", true, false},
                      SelfCase{"ÅR", "år", false, true}, SelfCase{"ÅR", "år", true, false},
                      // The escapes count: "\t" is a tab, not "\t".
                      SelfCase{"\\t", "\t", false, true}));

TEST_F(SearchTest, ReplaceAllLeavesAReadOnlyDocumentAlone) {
    SetText("a a\r\n");
    win->CodeEditor->Settings()->ReadOnly = true;
    p->searchtext->setEditText(QStringLiteral("a"));
    p->ReplaceText->setEditText(QStringLiteral("b"));
    p->ReplaceInCurrent->trigger();
    EXPECT_EQ(win->CodeEditor->Text(), "a a\r\n");
    EXPECT_TRUE(seen.isEmpty());
    EXPECT_FALSE(win->Current().Modified);
}

// --- replace all in every document -----------------------------------------------------------

// After a replacement in every document, each one takes it back with one undo, in its own tab.
TEST_F(SearchTest, ReplaceAllInAllDocumentsCanBeUndoneInEveryTab) {
    Type("x0");
    Open(Make("a.txt", "x1 x2\r\n"));
    Open(Make("b.txt", "x3\r\n"));
    p->searchtext->setEditText(QStringLiteral("x"));
    p->ReplaceText->setEditText(QStringLiteral("yy"));
    p->ReplaceInAll->trigger();
    const QByteArray before[] = {"x0\r\n", "x1 x2\r\n", "x3\r\n"};
    for (int i = 2; i >= 0; --i) {
        SCOPED_TRACE(i);
        win->FilesList->setCurrentIndex(i);
        EXPECT_TRUE(TextOf(i).startsWith("yy"));
        ASSERT_TRUE(Run("RDocUndo"));
        EXPECT_EQ(TextOf(i), before[i]);
    }
    // And each redoes it again after more switches.
    for (int i = 0; i < 3; ++i) {
        win->FilesList->setCurrentIndex(i);
        ASSERT_TRUE(Run("RDocRedo"));
        EXPECT_TRUE(TextOf(i).startsWith("yy"));
    }
}

TEST_F(SearchTest, ReplaceAllInAllDocumentsRunsOncePerDocumentAndEndsOnTheLast) {
    win->Settings.ShowReplaceProgress = true;
    Type("no hit here");
    Open(Make("a.txt", "x1 x2\r\n"));
    Open(Make("b.txt", "x3\r\n"));
    Open(Make("c.txt", "nothing\r\n"));
    win->FilesList->setCurrentIndex(1);
    p->searchtext->setEditText(QStringLiteral("x"));
    p->ReplaceText->setEditText(QStringLiteral("yy"));
    p->ReplaceInAll->trigger();
    EXPECT_EQ(TextOf(0), "no hit here\r\n");
    EXPECT_EQ(TextOf(1), "yy1 yy2\r\n");
    EXPECT_EQ(TextOf(2), "yy3\r\n");
    EXPECT_EQ(TextOf(3), "nothing\r\n");
    EXPECT_EQ(win->CurrentTab(), 3) << "the last document stays active";
    EXPECT_EQ(Captions(),
              (QStringList{"Nytt dokument (M)", "a.txt (SM)", "b.txt (SM)", "c.txt (S)"}));
    // Every document has its own window, with or without hits.
    EXPECT_EQ(progress, (QStringList{"Ersättningsprocess klar.|x|yy||0|0|0 %|Stäng",
                                     "Ersättningsprocess klar.|x|yy||2|2|1000 ‰|Stäng",
                                     "Ersättningsprocess klar.|x|yy||0|0|0 %|Stäng",
                                     "Ersättningsprocess klar.|x|yy||0|0|0 %|Stäng"}));

    // The refusal comes for each document, and nothing changes.
    progress.clear();
    p->searchtext->setEditText(QStringLiteral("YY"));
    p->ReplaceText->setEditText(QStringLiteral("yy"));
    p->ReplaceInAll->trigger();
    EXPECT_EQ(seen.size(), 4);
    EXPECT_TRUE(progress.isEmpty());
    EXPECT_EQ(TextOf(1), "yy1 yy2\r\n");
}
