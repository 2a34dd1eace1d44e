#pragma once

#include <QStringList>

// The hits of a search in the whole text: their number and their offsets as decimal text, in
// increasing order.
struct TSearchHits {
    int Count = 0;
    QStringList Positions;
};
