#pragma once

class QMenu;
class Tmain;

// The snippet commands of a main window: "HandleFastTexts" (the manager, the toolbar's
// "Texter" button) and "InsertFastText" (a snippet by name, the request a QString), and the
// drop-down of the snippets on that button and in "&Infoga".
void InstallSnippets(Tmain& window);

// Rebuilds the snippet drop-down ("FTPopup") of a window from the folder.
void UpdateFastText(Tmain& window);
