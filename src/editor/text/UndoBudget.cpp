#include "editor/text/UndoBudget.h"

#include "editor/text/UndoStore.h"

#include <algorithm>

TUndoBudget::TUndoBudget(qint64 limit) : Limit(limit) {}

TUndoBudget::~TUndoBudget() {
    for (TUndoStore* store : stores_)
        store->budget_ = nullptr;
}

qint64 TUndoBudget::Used() const {
    qint64 used = 0;
    for (const TUndoStore* store : stores_)
        used += store->MemoryUsed();
    return used;
}

void TUndoBudget::Prune() {
    while (Used() > Limit) {
        TUndoStore* oldest = nullptr;
        for (TUndoStore* store : stores_)
            if (store->Count() > 2 &&
                (!oldest || store->entries_.front().Serial < oldest->entries_.front().Serial))
                oldest = store;
        if (!oldest)
            return;
        oldest->DropOldest();
    }
}

void TUndoBudget::Attach(TUndoStore* store) {
    if (std::find(stores_.begin(), stores_.end(), store) == stores_.end())
        stores_.push_back(store);
}

void TUndoBudget::Detach(TUndoStore* store) {
    stores_.erase(std::remove(stores_.begin(), stores_.end(), store), stores_.end());
}
