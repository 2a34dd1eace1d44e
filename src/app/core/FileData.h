#pragma once

#include "editor/text/LineStore.h"
#include "editor/text/UndoStore.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

// One open document. SelStart, SelLength, Lines, Undo, Bookmarks and ViewMode are valid only
// while the document is not on screen; the editor holds the live state of the one that is.
struct TFileData {
    TFileData() : Lines(std::make_unique<LineStore>()), Undo(std::make_unique<TUndoStore>()) {}

    QString FileName;
    bool HasFile = false;
    bool Modified = false;
    int SelStart = 0;
    int SelLength = 0;
    std::unique_ptr<LineStore> Lines;
    // The undo history while the document is not on screen (the editor holds it meanwhile).
    std::unique_ptr<TUndoStore> Undo;
    QStringList Bookmarks;
    quint8 ViewMode = 0;
};

// The document table, indexed by document tab.
using TOpenFiles = std::vector<TFileData>;

// The file-name part of a path.
QString DocFileName(const QString& path);
// The extension with its dot ("" when there is none).
QString DocFileExt(const QString& path);

// The tab caption: the name without folder and " (" + "S" when it has a file + "M" when it is
// modified + ")".
QString TabCaption(const QString& fileName, bool hasFile, bool modified);
inline QString TabCaption(const TFileData& data) {
    return TabCaption(data.FileName, data.HasFile, data.Modified);
}
