#pragma once

#include <QString>

// What the view modes need of the main window. "The document" is the one the editor holds.
class TViewModesHost {
public:
    virtual ~TViewModesHost() = default;

    virtual QString DocumentFileName() const = 0;
    virtual bool DocumentHasFile() const = 0;
    virtual bool DocumentModified() const = 0;
    // Saves the document under its own name: a save that succeeds clears the modified mark, a
    // failure is reported there, keeps the mark and gives false.
    virtual bool SaveDocument() = 0;
    // Writes the editor's text to a file (the preview copy); false when that failed.
    virtual bool WriteEditorText(const QString& fileName) = 0;

    // The program is starting; a tab switch or a close is under way.
    virtual bool StartingUp() const = 0;
    virtual bool Busy() const = 0;

    virtual void ShowMessage(const QString& text) = 0;
    // Focuses the editor when it can take the focus.
    virtual void FocusEditor() = 0;
    // The selection display of the status bar.
    virtual void SelectionChange() = 0;
    // Status bar in simple mode with an empty text, or back to its panels.
    virtual void SetSimpleStatus(bool simple) = 0;
    // Hides the subroutine window and closes the special-character window.
    virtual void HideEditTools() = 0;
    // Lets the editor paint what is pending.
    virtual void PaintEditor() = 0;
    // The mode or the split changed: the window's one update of the action states runs.
    virtual void RequestActionUpdate() = 0;
};
