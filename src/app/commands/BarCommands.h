#pragma once

#include "app/core/ToolbarBevels.h"

class QToolBar;
class Tmain;

// Showing and hiding the toolbars and the status bar, the toolbars' edge lines, and the timer
// that clears the status text the wizards leave.
namespace BarCommands {

// The edges a toolbar has now (set by FixToolbarBevels).
TBevelEdges BevelsOf(const QToolBar* bar);
// Gives the main and the insert toolbar their edges from which bars are shown.
void FixToolbarBevels(Tmain& main);

void ToggleToolbar(Tmain& main);
void ToggleInputBar(Tmain& main);
void ToggleStatusBar(Tmain& main);

// Registers VToggleToolbar, VToggleInputBar and VToggleStatusBar on "&Visa", and sets up
// StatusFix.
void Install(Tmain& main);

} // namespace BarCommands
