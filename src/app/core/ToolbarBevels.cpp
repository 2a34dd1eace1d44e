#include "app/core/ToolbarBevels.h"

TToolbarBevels ToolbarBevels(bool mainShown, bool insertShown, bool modifyShown) {
    constexpr TBevelEdges sides = beLeft | beTop | beRight;
    TToolbarBevels bevels;
    // A shown bar is closed at the bottom only when no bar stands below it.
    if (mainShown)
        bevels.Main = static_cast<TBevelEdges>(sides | (insertShown || modifyShown ? 0 : beBottom));
    if (insertShown)
        bevels.Insert = static_cast<TBevelEdges>(sides | (modifyShown ? 0 : beBottom));
    return bevels;
}
