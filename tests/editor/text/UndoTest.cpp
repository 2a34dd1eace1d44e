// Undo snapshots: undo, redo, cutting the redo entries, the silent aborts, the budget.
#include "editor/text/UndoBudget.h"
#include "editor/view/TextEditorEx.h"
#include "platform/SilentAbort.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

class UndoTest : public ::testing::Test {
protected:
    void SetUp() override { ed = std::make_unique<TTextEditorEx>(); }

    void Snap(const QByteArray& text) {
        ed->SetText(text);
        ed->AddUndoData();
    }
    std::string Text() const { return ed->Text().toStdString(); }

    std::unique_ptr<TTextEditorEx> ed;
};

TEST_F(UndoTest, UndoAndRedoWalkTheSnapshots) {
    Snap("A");
    Snap("B");
    Snap("C");
    EXPECT_TRUE(ed->CanUndo());
    EXPECT_FALSE(ed->CanRedo());
    ed->Undo();
    EXPECT_EQ(Text(), "B\r\n");
    ed->Undo();
    EXPECT_EQ(Text(), "A\r\n");
    EXPECT_FALSE(ed->CanUndo());
    EXPECT_THROW(ed->Undo(), ESilentAbort);
    EXPECT_EQ(Text(), "A\r\n");
    ed->Redo();
    EXPECT_EQ(Text(), "B\r\n");
    ed->Redo();
    EXPECT_EQ(Text(), "C\r\n");
    EXPECT_FALSE(ed->CanRedo());
    EXPECT_THROW(ed->Redo(), ESilentAbort);
    EXPECT_EQ(Text(), "C\r\n");
}

TEST_F(UndoTest, NewSnapshotAfterUndoDropsRedoEntries) {
    Snap("A");
    Snap("B");
    Snap("C");
    ed->Undo();
    ed->Undo();
    Snap("D");
    EXPECT_EQ(ed->UndoStore.Count(), 2);
    EXPECT_TRUE(ed->CanUndo());
    EXPECT_FALSE(ed->CanRedo());
    ed->Undo();
    EXPECT_EQ(Text(), "A\r\n");
    ed->Redo();
    EXPECT_EQ(Text(), "D\r\n");
}

TEST_F(UndoTest, NothingToUndo) {
    EXPECT_THROW(ed->Undo(), ESilentAbort);
    EXPECT_THROW(ed->Redo(), ESilentAbort);
    Snap("only");
    EXPECT_FALSE(ed->CanUndo());
    EXPECT_THROW(ed->Undo(), ESilentAbort);
    EXPECT_EQ(Text(), "only\r\n");
    ed->ClearUndoData();
    EXPECT_EQ(ed->UndoStore.Count(), 0);
    EXPECT_FALSE(ed->CanUndo());
    EXPECT_FALSE(ed->CanRedo());
}

TEST_F(UndoTest, ReadOnlyDoesNothingAndRaisesNothing) {
    Snap("A");
    Snap("B");
    ed->Settings()->ReadOnly = true;
    EXPECT_NO_THROW(ed->Undo());
    EXPECT_EQ(Text(), "B\r\n");
    EXPECT_TRUE(ed->CanUndo());
    ed->Settings()->ReadOnly = false;
    ed->Undo();
    ed->Settings()->ReadOnly = true;
    EXPECT_NO_THROW(ed->Redo());
    EXPECT_EQ(Text(), "A\r\n");
}

TEST_F(UndoTest, ChangeSinceLastSnapshotIsKept) {
    Snap("A");
    ed->Lines.Put(0, "A typed");
    ed->Undo();
    EXPECT_EQ(Text(), "A\r\n");
    ed->Redo();
    EXPECT_EQ(Text(), "A typed\r\n");
}

TEST_F(UndoTest, TypingAfterUndoEndsRedoButIsKept) {
    Snap("A");
    Snap("B");
    ed->Undo();
    ed->Lines.Put(0, "A2");
    EXPECT_THROW(ed->Redo(), ESilentAbort);
    EXPECT_EQ(Text(), "A2\r\n");
    ed->Undo();
    EXPECT_EQ(Text(), "A\r\n");
}

TEST_F(UndoTest, SelectionComesBackForward) {
    ed->SetText("abc\r\ndef\r\n");
    ed->Caret.SetPosAndNotify(QPoint(2, 1));
    ed->SelEnd.SetPos(QPoint(1, 0)); // made backwards
    ed->AddUndoData();
    Snap("x");
    ed->Undo();
    EXPECT_EQ(ed->GetCaretPos(), QPoint(1, 0));
    EXPECT_EQ(ed->SelEnd.GetPos(), QPoint(2, 1));
    EXPECT_EQ(ed->GetSelText(), "bc\r\nde");
}

TEST_F(UndoTest, SnapshotDuringRestoreAbortsAndLeavesStoreUsable) {
    Snap("A");
    Snap("B");
    Snap("C");
    int aborted = 0;
    ed->OnChange = [&](QObject*) {
        try {
            ed->AddUndoData();
        } catch (const ESilentAbort&) {
            ++aborted;
            throw;
        }
    };
    EXPECT_THROW(ed->Undo(), ESilentAbort);
    EXPECT_EQ(aborted, 1);
    EXPECT_EQ(Text(), "B\r\n");
    EXPECT_FALSE(ed->UndoStore.Restoring());
    EXPECT_EQ(ed->UndoStore.UndoPos(), -1);
    ed->OnChange = nullptr;
    ed->Undo();
    EXPECT_EQ(Text(), "A\r\n");
    ed->AddUndoData(); // not stuck in restoring
    EXPECT_EQ(ed->UndoStore.Count(), 2);
}

QByteArray BigText(int lines, char fill) {
    QByteArray t;
    const QByteArray line = QByteArray(60, fill) + "\r\n";
    t.reserve(lines * line.size());
    for (int i = 0; i < lines; ++i)
        t += line;
    return t;
}

TEST_F(UndoTest, UnchangedSnapshotsShareTheText) {
    ed->SetText(BigText(100000, 'a'));
    for (int i = 0; i < 50; ++i)
        ed->AddUndoData();
    // Each snapshot keeps only its chunk list, never a copy of the 6 MB of text.
    EXPECT_LT(ed->UndoStore.MemoryUsed(), 50 * 64 * 1024);
    ed->Lines.Put(50000, "changed");
    ed->AddUndoData();
    EXPECT_LT(ed->UndoStore.MemoryUsed(), 51 * 64 * 1024);
}

TEST_F(UndoTest, BudgetDropsTheOldestSnapshots) {
    ed->UndoStore.MemoryBudget = 3 << 20;
    const char fills[] = "abcdefgh";
    for (char f : fills) {
        if (!f)
            break;
        ed->SetText(BigText(10000, f)); // about 620 KB of new lines each
        ed->AddUndoData();
    }
    EXPECT_LE(ed->UndoStore.MemoryUsed(), ed->UndoStore.MemoryBudget);
    EXPECT_LT(ed->UndoStore.Count(), 8);
    EXPECT_GE(ed->UndoStore.Count(), 2);
    int undos = 0;
    while (ed->CanUndo()) {
        ed->Undo();
        ++undos;
    }
    EXPECT_EQ(undos, ed->UndoStore.Count() - 1);
    // The oldest kept snapshot is a later one than the first.
    EXPECT_NE(ed->Lines.Get(0).at(0), 'a');
}

// Stores that share a budget keep within it together: the oldest snapshots go first,
// whichever store holds them, and every store keeps its shown snapshot and the one before.
TEST(UndoBudgetTest, TheOldestSnapshotsOfAllStoresGoFirst) {
    TTextEditorEx a, b;
    TUndoStore parked;
    TUndoBudget budget(qint64(2) << 20);
    for (TUndoStore* store : {&a.UndoStore, &b.UndoStore, &parked})
        store->SetBudget(&budget);
    const auto snap = [](TTextEditorEx& ed, char fill) {
        ed.SetText(QByteArray(620000, fill)); // one line of about 620 KB
        ed.AddUndoData();
    };
    for (char f : {'a', 'b', 'c'})
        snap(a, f);
    for (char f : {'d', 'e', 'f', 'g'})
        snap(b, f);
    EXPECT_LE(budget.Used(), budget.Limit);
    EXPECT_EQ(a.UndoStore.Count(), 2) << "a's snapshots are the oldest";
    EXPECT_EQ(b.UndoStore.Count(), 3);
    // A history parked in another store keeps counting.
    b.UndoStore.SwapHistory(parked);
    EXPECT_EQ(parked.Count(), 3);
    EXPECT_EQ(b.UndoStore.Count(), 0);
    snap(b, 'h');
    snap(b, 'i');
    EXPECT_LE(budget.Used(), budget.Limit);
    EXPECT_EQ(a.UndoStore.Count(), 2) << "kept: shown and the one before";
    EXPECT_EQ(parked.Count(), 2);
    EXPECT_EQ(b.UndoStore.Count(), 2);
    EXPECT_EQ(budget.Used(),
              a.UndoStore.MemoryUsed() + b.UndoStore.MemoryUsed() + parked.MemoryUsed());
    // The budget may go before its stores.
    {
        TUndoBudget brief(1);
        TUndoStore store;
        store.SetBudget(&brief);
    }
    TUndoStore later;
    {
        TUndoBudget gone(1);
        later.SetBudget(&gone);
    }
    EXPECT_EQ(later.Budget(), nullptr);
}

TEST_F(UndoTest, BudgetKeepsTwoSnapshotsWhateverTheirSize) {
    ed->UndoStore.MemoryBudget = 1;
    Snap(BigText(1000, 'a'));
    Snap(BigText(1000, 'b'));
    Snap(BigText(1000, 'c'));
    EXPECT_EQ(ed->UndoStore.Count(), 2);
    ed->Undo();
    EXPECT_EQ(ed->Lines.Get(0).at(0), 'b');
}

} // namespace

namespace {

TEST_F(UndoTest, ReplaceAllIsOneUndoStep) {
    struct Case {
        const char* what;
        bool snapshotFirst; // a snapshot of some earlier text exists
        bool typedAfterIt;  // the text changed since that snapshot
    };
    const Case cases[] = {
        {"no snapshot yet", false, false},
        {"snapshot of the current text", true, false},
        {"typed since the last snapshot", true, true},
    };
    for (const Case& c : cases) {
        ed = std::make_unique<TTextEditorEx>();
        ed->SetText("a b a\r\n");
        if (c.snapshotFirst)
            ed->AddUndoData();
        if (c.typedAfterIt)
            ed->SetText("a a a\r\n");
        const std::string before = Text();
        ed->ReplaceAll("a", "xy", 2);
        EXPECT_NE(Text(), before) << c.what;
        EXPECT_TRUE(RunCommand([&] { ed->Undo(); })) << c.what;
        EXPECT_EQ(Text(), before) << c.what;
        const int steps = ed->UndoStore.Count();
        ed->ReplaceAll("zzz", "q", 2);
        EXPECT_EQ(ed->UndoStore.Count(), steps)
            << "a replace without hits adds no step: " << c.what;
    }
}

} // namespace

namespace {

// A whole-text command that changes a few lines of a big text keeps the other chunks shared
// with the snapshot before it: the step costs those few chunks, not a copy of the text.
TEST_F(UndoTest, WholeTextCommandsShareTheLinesTheyLeave) {
    struct Case {
        const char* what;
        std::function<void(TTextEditorEx&)> run;
    };
    const Case cases[] = {
        {"replace all",
         [](TTextEditorEx& e) { EXPECT_EQ(e.ReplaceAll("needle", "thread", 2), 4); }},
        {"upper case of the whole text",
         [](TTextEditorEx& e) {
             e.SelectAll();
             e.UpperCaseSelection();
         }},
        {"entities of the whole text",
         [](TTextEditorEx& e) {
             e.SelectAll();
             e.EncodeAlpha();
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ed = std::make_unique<TTextEditorEx>();
        QByteArray text;
        for (int i = 0; i < 100000; ++i)
            text += i % 30000 == 7 ? "needle \xe5\r\n" : "ABC 123\r\n";
        ed->SetText(text);
        ed->AddUndoData();
        const qint64 before = ed->UndoStore.MemoryUsed();
        c.run(*ed);
        ed->AddUndoData();
        EXPECT_NE(ed->Text(), text);
        // Four lines changed in a text of 900 KB: their four chunks of 7 KB and the
        // snapshot's list of chunks, far from a copy of the text.
        EXPECT_LT(ed->UndoStore.MemoryUsed() - before, 48 * 1024);
        EXPECT_TRUE(RunCommand([&] { ed->Undo(); }));
        EXPECT_EQ(ed->Text(), text);
    }
}

} // namespace
