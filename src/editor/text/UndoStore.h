#pragma once

#include "editor/text/LineStore.h"

#include <QtGlobal>
#include <vector>

class TEditorModel;
class TUndoBudget;

// Whole-text undo snapshots of one editor. A snapshot shares every unchanged chunk of lines
// with the editor and with its neighbours, so taking one of an unchanged document costs next
// to nothing, and restoring one swaps line lists. The store keeps within a memory budget by
// dropping its oldest snapshots; stores that share a TUndoBudget keep within it together.
class TUndoStore {
public:
    struct TUndoEntry {
        LineStore::Snapshot Lines;
        int SelStart = 0;
        int SelLength = 0;
        // The memory this entry keeps alive beyond what its successor shares (estimated).
        qint64 Cost = 0;
        // When it was taken, among the snapshots of its budget (or of its store).
        quint64 Serial = 0;
    };

    TUndoStore() = default;
    ~TUndoStore();
    TUndoStore(const TUndoStore&) = delete;
    TUndoStore& operator=(const TUndoStore&) = delete;

    static constexpr qint64 DefaultMemoryBudget = qint64(256) << 20;

    // Appends a snapshot of the editor's text and selection; the redo entries go. Aborts
    // silently while a snapshot is being restored.
    void Add(TEditorModel& editor);
    // Restore the snapshot before or after the shown one. Nothing in a read-only editor;
    // a silent abort when there is nothing to restore. Both first take a snapshot of text
    // changed since the shown one, so that it is not lost (which ends what Redo had).
    void Undo(TEditorModel& editor);
    void Redo(TEditorModel& editor);
    void Clear();

    bool CanUndo() const { return static_cast<int>(entries_.size()) - 1 + pos_ > 0; }
    bool CanRedo() const { return pos_ < 0; }
    bool Restoring() const { return restoring_; }
    // Minus the number of snapshots that Redo can still restore.
    int UndoPos() const { return pos_; }
    int Count() const { return static_cast<int>(entries_.size()); }
    const TUndoEntry& Entry(int index) const { return entries_[static_cast<size_t>(index)]; }

    // The memory budget in bytes; at least the shown snapshot and the one before it stay.
    // Not used while the store shares a budget.
    qint64 MemoryBudget = DefaultMemoryBudget;
    qint64 MemoryUsed() const { return used_; }
    // Shares a budget with other stores (null: this store's own MemoryBudget).
    void SetBudget(TUndoBudget* budget);
    TUndoBudget* Budget() const { return budget_; }
    // Exchanges the histories (snapshots and the shown one) with another store: a document
    // that leaves the editor takes its history along and brings it back.
    void SwapHistory(TUndoStore& other);

    // The text differs from the snapshot on show (or there is none).
    bool ChangedSinceShown(const TEditorModel& editor) const;

private:
    friend class TUndoBudget;
    // Undo (direction -1) or Redo (+1).
    void Step(TEditorModel& editor, int direction);
    void Restore(TEditorModel& editor, const TUndoEntry& entry, int newPos);
    void Prune();
    void DropOldest();
    static qint64 EntryOverhead(const LineStore::Snapshot& s);
    static qint64 UnsharedCost(const LineStore::Snapshot& older, const LineStore::Snapshot& newer);

    std::vector<TUndoEntry> entries_;
    int pos_ = 0;
    bool restoring_ = false;
    qint64 used_ = 0;
    TUndoBudget* budget_ = nullptr;
    quint64 serial_ = 0;
};
