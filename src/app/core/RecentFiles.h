#pragma once

#include <QString>
#include <QStringList>

// The recent files of the "&Öppna" menu, kept in the store's "Reopen" group as Reopen1 (the
// most recent) .. Reopen4.
namespace RecentFiles {

constexpr int Count = 4;

// Enters a file once: a file listed already moves to the top (nothing moves when it is first
// already); a new one fills the free places, then enters at the top and the oldest goes.
void Add(const QString& fileName);
// The stored files, most recent first.
QStringList Files();
// Entry i (1 .. Count); empty when it is not stored.
QString File(int i);

} // namespace RecentFiles
