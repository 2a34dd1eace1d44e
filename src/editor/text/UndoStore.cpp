#include "editor/text/UndoStore.h"

#include "editor/model/EditScopes.h"
#include "editor/model/EditorModel.h"
#include "editor/text/UndoBudget.h"
#include "platform/SilentAbort.h"

#include <algorithm>

using EditScopes::CaretHidden;
using EditScopes::FlagScope;

qint64 TUndoStore::EntryOverhead(const LineStore::Snapshot& s) {
    return static_cast<qint64>(sizeof(TUndoEntry)) +
           s.ChunkCount() * static_cast<qint64>(2 * sizeof(void*));
}

// What `older` keeps alive that `newer` does not share.
qint64 TUndoStore::UnsharedCost(const LineStore::Snapshot& older,
                                const LineStore::Snapshot& newer) {
    return EntryOverhead(older) + older.UnsharedBytes(newer);
}

TUndoStore::~TUndoStore() {
    SetBudget(nullptr);
}

void TUndoStore::SetBudget(TUndoBudget* budget) {
    if (budget_)
        budget_->Detach(this);
    budget_ = budget;
    if (budget_) {
        budget_->Attach(this);
        budget_->Prune();
    }
}

void TUndoStore::SwapHistory(TUndoStore& other) {
    std::swap(entries_, other.entries_);
    std::swap(pos_, other.pos_);
    std::swap(used_, other.used_);
    Prune();
    other.Prune();
}

void TUndoStore::DropOldest() {
    used_ -= entries_.front().Cost;
    entries_.erase(entries_.begin());
}

void TUndoStore::Add(TEditorModel& editor) {
    if (restoring_)
        Abort();
    if (pos_ < 0) {
        const auto keep = static_cast<size_t>(static_cast<int>(entries_.size()) + pos_);
        for (size_t i = keep; i < entries_.size(); ++i)
            used_ -= entries_[i].Cost;
        entries_.resize(keep);
    }
    TUndoEntry entry;
    entry.Lines = editor.Lines.TakeSnapshot();
    entry.SelStart = editor.GetSelStart();
    entry.SelLength = editor.GetSelLength();
    entry.Cost = EntryOverhead(entry.Lines);
    entry.Serial = budget_ ? budget_->NextSerial() : ++serial_;
    if (!entries_.empty()) {
        TUndoEntry& previous = entries_.back();
        used_ -= previous.Cost;
        previous.Cost = UnsharedCost(previous.Lines, entry.Lines);
        used_ += previous.Cost;
    }
    used_ += entry.Cost;
    entries_.push_back(std::move(entry));
    pos_ = 0;
    Prune();
}

void TUndoStore::Prune() {
    if (budget_) {
        budget_->Prune();
        return;
    }
    while (used_ > MemoryBudget && entries_.size() > 2)
        DropOldest();
}

void TUndoStore::Clear() {
    entries_.clear();
    pos_ = 0;
    used_ = 0;
}

void TUndoStore::Restore(TEditorModel& editor, const TUndoEntry& entry, int newPos) {
    // Copied: a handler of the change may clear the store under our feet.
    const TUndoEntry e = entry;
    const auto finish = [&] {
        pos_ = newPos;
        editor.RepaintAll();
        QPoint start;
        if (!editor.OffsetToPos(e.SelStart, &start))
            start = QPoint(0, 0);
        {
            FlagScope collapse(editor.ForceCollapse);
            editor.Caret.SetPosAndNotify(start);
        }
        editor.SetSelLength(e.SelLength);
    };
    EditScopes::CaretHidden hidden(&editor);
    try {
        FlagScope restoring(restoring_);
        editor.Lines.RestoreSnapshot(e.Lines);
    } catch (...) {
        // The change handler failed: the store follows whatever the lines now show.
        if (editor.Lines.TakeSnapshot().SharesAllWith(e.Lines))
            finish();
        throw;
    }
    finish();
}

bool TUndoStore::ChangedSinceShown(const TEditorModel& editor) const {
    const int shown = static_cast<int>(entries_.size()) - 1 + pos_;
    return shown >= 0 &&
           !editor.Lines.TakeSnapshot().SharesAllWith(entries_[static_cast<size_t>(shown)].Lines);
}

void TUndoStore::Undo(TEditorModel& editor) {
    Step(editor, -1);
}

void TUndoStore::Redo(TEditorModel& editor) {
    Step(editor, +1);
}

void TUndoStore::Step(TEditorModel& editor, int direction) {
    if (editor.Settings()->ReadOnly)
        return;
    if (restoring_)
        Abort();
    // Text typed since the shown snapshot is kept; it ends what there was to redo.
    if (ChangedSinceShown(editor))
        Add(editor);
    if (!(direction < 0 ? CanUndo() : CanRedo()))
        Abort();
    const int newPos = pos_ + direction;
    Restore(editor, entries_[static_cast<size_t>(static_cast<int>(entries_.size()) + newPos - 1)],
            newPos);
}
