#pragma once

#include "app/core/AppTimer.h"

#include <functional>

// What the main window's debounce timers look at when the editor changes.
struct TEditorActivity {
    bool StartingUp = false;
    bool SwitchingTab = false;
    bool ClosingDocument = false;
};

// Two of the main window's one-second debounce timers: the selected-tag panel (ASU) and the
// undo snapshot (AUU); the preview update (APU) belongs to the view modes. Each fires once,
// one second after the last change that armed it. The undo timer does nothing while a tab
// switch or a close is under way (Busy).
class TDebounceTimers {
public:
    explicit TDebounceTimers(TClock* clock = nullptr);

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
