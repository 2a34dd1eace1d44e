#pragma once

#include <QtGlobal>
#include <optional>

// The edge lines of a toolbar: left, top, right and bottom.
enum TBevelEdge : quint8 { beLeft = 1, beTop = 2, beRight = 4, beBottom = 8 };
using TBevelEdges = quint8;

// The edges the main toolbar and the insert toolbar get from which of the three bars (main,
// insert, tag toolbar) are shown; none where a bar keeps the edges it has.
struct TToolbarBevels {
    std::optional<TBevelEdges> Main;
    std::optional<TBevelEdges> Insert;
};

TToolbarBevels ToolbarBevels(bool mainShown, bool insertShown, bool modifyShown);
