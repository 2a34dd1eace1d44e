#pragma once

class Tmain;

// The document-head, date and special-character dialogs, the snippets, the paste formats, the
// style-sheet editor and the script dialogs of a main window: their commands in its registry
// and their places in its menus and toolbar.
void InstallTextTools(Tmain& window);
