#pragma once

#include "app/commands/CommandContext.h"

#include <QString>

class TClipboardHistory;
class TCommandRegistry;
class TTextEditorEx;

// The "&Redigera" and "&Format" commands on the editor: undo and redo, cut, copy and paste
// with the clipboard history, deleting, selecting, copying and clearing the whole text, letter
// case, indentation, ROT13, and import and export of text files. While the editor is hidden
// (preview mode) they do nothing.
class TEditCommands {
public:
    // `openDialogFile` is where the import dialog starts (the open dialog's last file).
    TEditCommands(const TCommandContext& context, TTextEditorEx& editor, TClipboardHistory& history,
                  const QString& openDialogFile);

    // Registers RDocUndo .. RClearAll, FConvUpperCase .. FDelAllIndent and VApplyROT13.
    void Register(TCommandRegistry& commands);

    // Takes an undo snapshot of text changed since the last one, so that an undo takes back
    // the coming command alone.
    void BeforeEditorChange() { BeforeEditorChange(editor_); }
    static void BeforeEditorChange(TTextEditorEx& editor);

    void DocCut();
    void DocCopy();
    // Pastes the system clipboard, or entry `index` of the history (it goes onto the system
    // clipboard first).
    void DocPaste(int index = -1);
    void ExportText();
    void ImportText();
    void ClearAll();

private:
    void DocUndo(bool redo);

    TCommandContext ctx_;
    TTextEditorEx& editor_;
    TClipboardHistory& history_;
    const QString& openDialogFile_;
};
