#pragma once

class Tmain;

// The doctype, title, date and special-character commands of a main window, in its
// "&Infoga" menu.
void InstallDocumentDialogs(Tmain& window);
