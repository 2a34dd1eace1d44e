#pragma once

class TBoxes;
class TCommandWindow;
class TDocumentTable;
class TEditorModel;
class QString;

// What every command unit works on: the open documents, the editor that holds the current
// one, the boxes and the window.
struct TCommandContext {
    TDocumentTable& Documents;
    TEditorModel& Editor;
    TBoxes& Boxes;
    TCommandWindow& Window;

    // A question box built by a command; the answer is kept as the window's last one.
    int Ask(const QString& information, const QString& question) const;
};
