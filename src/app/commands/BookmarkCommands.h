#pragma once

#include <QByteArray>

class TCommandRegistry;
class TEditorModel;

// The bookmark list as its commands see it: entries that name a line and show its start.
class TBookmarkList {
public:
    virtual ~TBookmarkList() = default;
    // Adds an entry for a 0-based line holding `text` (Windows-1252 bytes).
    virtual void AddLine(int line, const QByteArray& text) = 0;
};

// The line bookmarks of the current document: adding the caret's line to the list, and going
// to the line an entry names.
class TBookmarkCommands {
public:
    TBookmarkCommands(TEditorModel& editor, TBookmarkList& list);

    // Registers AddBookmark and GotoBookmark (its request: the 1-based line).
    void Register(TCommandRegistry& commands);

    void AddBookmark();
    // Selects a 1-based line; a line that is not there changes nothing.
    void GotoBookmark(int line);

private:
    TEditorModel& editor_;
    TBookmarkList& list_;
};
