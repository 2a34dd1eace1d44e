#pragma once

#include "app/core/SettingsStore.h"

#include <vector>

class Tmain;
class Toptions;

// A quick toggle: a command that flips one setting the options dialog shows and applies it at
// once, and the texts it shows in status panel 6 (none for the hidden characters).
struct TQuickToggle {
    const char* Name;
    const char* Caption;
    bool TSettingsValues::*Field;
    const char* OnText;
    const char* OffText;
};

// ChSettA .. ChSettE of the "Inst&ällningar" menu, then FToggleShowHiddenChars.
const std::vector<TQuickToggle>& QuickToggles();

// Flips the toggle's setting in the running program (its other settings stay as they are)
// and shows its text for two seconds.
void RunQuickToggle(Tmain& main, const TQuickToggle& toggle);

// The options dialog of a main window; made on first call. The program block makes it at
// start, right after the main window.
Toptions& OptionsDialog(Tmain& main);

// Registers IShowOptions ("Alternativ..."), the quick toggles and the hidden-characters toggle,
// builds the "Inst&ällningar" menu (its check marks follow the settings as it opens) and opens
// the dialog on "Verktygsfält" when a toolbar is double-clicked.
void InstallOptionsCommands(Tmain& main);
