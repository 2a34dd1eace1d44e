#pragma once

#include <QString>
#include <QStringList>

// The filter list that the open and save dialogs of the main window share. Indexes count
// from 1, as the dialogs' filter index does.
namespace FileFilters {

struct TFileFilter {
    QString Caption;
    QString Patterns; // separated by ";"
};

constexpr int FilterCount = 12;
// The entries the save dialog offers (the last one is for the open dialog only).
constexpr int SaveFilterCount = 11;
constexpr int AllFilesIndex = 10;
constexpr int AllRelevantIndex = 11;

// Entry 1 .. FilterCount.
const TFileFilter& Filter(int index);

// One entry in Qt's form "caption (p1 p2)": the patterns split at ";", "*.*" written as "*".
// A caption that already ends with its patterns in parentheses has them replaced.
QString QtFilter(const TFileFilter& filter);
// The first `count` entries in Qt's form.
QStringList QtFilters(int count);
// The filter that lists only files of one name: "Alla filer med namnet "<name>"".
QString QtNameFilter(const QString& name);

// The filter index for a document: 11 for "Nytt dokument", else by the extension.
int FilterIndexFor(const QString& fileName);
// The extension appended to a name without one that is saved with filter 1 .. 9; else "".
QString DefaultExtension(int index);

} // namespace FileFilters
