#pragma once

#include "app/AppTimer.h"

#include <functional>

// What the main window's debounce timers look at when the editor changes.
struct TEditorActivity {
    bool StartingUp = false;
    bool SwitchingTab = false;
    bool ClosingDocument = false;
    bool AutoPreviewUpdate = false; // automatic preview update is checked
    bool EditMode = true;           // the view is edit mode
};

// The three one-second debounce timers of the main window: the preview update (APU), the
// selected-tag panel (ASU) and the undo snapshot (AUU). Each fires once, one second after the
// last change that armed it. The preview and undo timers do nothing while a tab switch or a
// close is under way (Busy).
class TDebounceTimers {
public:
    explicit TDebounceTimers(TClock* clock = nullptr);

    TAppTimer APU;
    TAppTimer ASU;
    TAppTimer AUU;
    // True while a tab switch or a close is under way.
    std::function<bool()> Busy;

    // Every change of the editor text. A change made by start-up, a tab switch or a close puts
    // another text in the editor and drops a pending undo snapshot.
    void EditorChanged(const TEditorActivity& state);
    // Every caret or selection move.
    void SelectionMoved(bool previewMode);
    // Undo and redo replace the text: no snapshot of it follows.
    void UndoneOrRedone() { AUU.Stop(); }
    // Runs whatever has come due (the manual clock of tests).
    void Poll();
};
