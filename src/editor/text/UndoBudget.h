#pragma once

#include <QtGlobal>
#include <vector>

class TUndoStore;

// One memory budget for the undo histories of several stores (the documents of a window).
// While together they keep more than Limit, the oldest snapshot goes, whichever store holds
// it; every store keeps its shown snapshot and the one before it.
class TUndoBudget {
public:
    explicit TUndoBudget(qint64 limit);
    // The stores that are still attached go on with budgets of their own.
    ~TUndoBudget();
    TUndoBudget(const TUndoBudget&) = delete;
    TUndoBudget& operator=(const TUndoBudget&) = delete;

    qint64 Limit;
    // The memory of every attached store.
    qint64 Used() const;
    // Drops the oldest snapshots until the stores keep within the limit (or none can lose one).
    void Prune();
    // A number that grows with every snapshot taken: the age of snapshots across the stores.
    quint64 NextSerial() { return ++serial_; }

private:
    friend class TUndoStore;
    void Attach(TUndoStore* store);
    void Detach(TUndoStore* store);

    std::vector<TUndoStore*> stores_;
    quint64 serial_ = 0;
};
