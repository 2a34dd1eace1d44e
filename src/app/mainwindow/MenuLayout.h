#pragma once

#include <vector>

// Where the main window's commands stand: the menus of the menu bar and their submenus, the
// toolbars and the tab strip's menu, each as a list of command names. The window builds them
// from this table; the subsystems above it place their own commands with Tmain::AddToMenu.
namespace MenuLayout {

// One entry: a command, a submenu (the object name of a menu of Submenus()) or, without a
// name, a separator. An edit-only entry is disabled while preview mode hides the editor.
struct TItem {
    const char* Name = nullptr;
    bool EditOnly = false;
};

struct TMenu {
    const char* ObjectName;
    const char* Caption;
    // The whole menu is disabled in preview mode.
    bool EditOnly;
    std::vector<TItem> Items;
};

// The menus of the menu bar, from left to right.
const std::vector<TMenu>& MenuBar();
// The submenus the menus refer to.
const std::vector<TMenu>& Submenus();
// The main toolbar "Toolbar", the insert toolbar "InsertToolbar", the tab strip's menu and the
// editor's context menu.
const TMenu& MainToolbar();
const TMenu& InsertToolbar();
const TMenu& TabsPopup();
const TMenu& DocumentPopup();

} // namespace MenuLayout

class QAction;

namespace MenuLayout {

// The items a window makes as a menu opens (the documents, the clips) run no command of the
// registry; they are marked as such.
void MarkRunTimeItem(QAction* item);
bool IsRunTimeItem(const QAction* item);

} // namespace MenuLayout
