#pragma once

#include <QString>

class Tmain;

// The commands on the current document's file: deleting it, going back to its saved version and
// opening its folder. Also the open button's drop-down.
namespace DocumentFileCommands {

// Where "Återställ" keeps the text it replaces: a per-user folder of the data folder.
QString CopiesFolder();
// A name in a folder that no file has yet: "Copy of " + the name, then with " (2)", " (3)"...
// before the extension.
QString UniqueCopyPath(const QString& folder, const QString& fileName);

void DocDel(Tmain& main);
void RecreateDoc(Tmain& main);
void OpenFileFolder(Tmain& main);

// Registers ADocDel, ARecreateDoc and AOpenFileFolder and places them on "&Arkiv"; the open
// button's drop-down gets "Annat dokument..." below the recent files.
void Install(Tmain& main);

} // namespace DocumentFileCommands
