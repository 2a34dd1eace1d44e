#pragma once

#include <QString>

class Tmain;

// The commands on the current document's file: deleting it, going back to its saved version,
// opening its folder, and the frameset wizard's new page. Also the open button's drop-down.
namespace DocumentFileCommands {

// The command the frameset wizard itself is registered under; "Ramguiden..." runs it by name
// on a new page "Ny ramsida.html".
inline const QString kFrameWizard = QStringLiteral("TFrameWiz");

// Where "Återställ" keeps the text it replaces: a per-user folder of the data folder.
QString CopiesFolder();
// A name in a folder that no file has yet: "Copy of " + the name, then with " (2)", " (3)"...
// before the extension.
QString UniqueCopyPath(const QString& folder, const QString& fileName);

void DocDel(Tmain& main);
void RecreateDoc(Tmain& main);
void OpenFileFolder(Tmain& main);
void NewFrameWiz(Tmain& main);

// Registers ADocDel, ARecreateDoc, AOpenFileFolder and ANewFrameWiz and places them; the
// open button's drop-down gets "Annat dokument..." below the recent files.
void Install(Tmain& main);

} // namespace DocumentFileCommands
