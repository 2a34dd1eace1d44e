#pragma once

#include "app/core/FileData.h"

#include <QString>

// The open documents as the commands see them: records in tab order, one of them current with
// its text and selection in the editor.
class TDocumentTable {
public:
    virtual ~TDocumentTable() = default;

    virtual int Count() const = 0;
    // The current document; -1 when there is none.
    virtual int CurrentIndex() const = 0;
    // A document's record. The current one's text and selection live in the editor.
    virtual TFileData& Record(int index) = 0;
    // Makes a document current (also the current one: its record is stored and loaded again).
    virtual void Select(int index) = 0;
    // Adds a document and makes it current: a new one named `name` (mode 0) or the file `name`
    // (mode 1). A file that cannot be read is reported and ends in a silent abort.
    virtual void Open(int mode, const QString& name) = 0;
    // Closes the current document, or all of them, without asking; an empty table gets a new
    // document.
    virtual void CloseCurrent() = 0;
    virtual void CloseAll() = 0;
    // A record's name or marks changed.
    virtual void RecordChanged(int index) = 0;
};
