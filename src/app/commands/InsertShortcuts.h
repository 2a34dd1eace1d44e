#pragma once

#include <QString>
#include <Qt>
#include <vector>

// Insert-command shortcuts that do not always reach the window as their key sequence: the
// desktop's input method may take Ctrl+Space and Ctrl+Shift+U, Ctrl+Shift+digit arrives as
// the digit's shifted symbol, and the editor keeps Enter for itself. They are matched by the
// physical key instead.
namespace InsertShortcuts {

struct TPhysicalShortcut {
    const char* Action;
    Qt::KeyboardModifiers Modifiers;
    std::vector<quint32> ScanCodes; // XKB key codes (evdev code + 8)
    std::vector<int> Keys;          // the keys as reported on any layout
    std::vector<int> ShiftedKeys;   // the shifted symbols, trusted only without a scan code
};

const std::vector<TPhysicalShortcut>& PhysicalShortcuts();

// The action a key press stands for, or empty. Keypad and group modifiers are ignored; a
// known scan code decides over the shifted symbol, so that Ctrl+Shift+' on one layout is not
// taken for Ctrl+Shift+2 on another.
QString MatchPhysicalShortcut(int key, Qt::KeyboardModifiers modifiers, quint32 scanCode);

} // namespace InsertShortcuts
