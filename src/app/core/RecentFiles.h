#pragma once

#include <QString>
#include <QStringList>

// The recent files of the "&Öppna" menu, kept in the store's "Reopen" group as Reopen1 (the
// most recent) .. Reopen4.
namespace RecentFiles {

constexpr int Count = 4;

// Puts a file first; nothing moves when it is first already. Free places are filled before
// the oldest entry goes.
void Add(const QString& fileName);
// The stored files, most recent first.
QStringList Files();
// Entry i (1 .. Count); empty when it is not stored.
QString File(int i);

} // namespace RecentFiles
