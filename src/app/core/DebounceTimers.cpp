#include "app/core/DebounceTimers.h"

TDebounceTimers::TDebounceTimers(TClock* clock) : ASU(1000, false, clock), AUU(1000, false, clock) {
    AUU.Guard = [this] { return Busy && Busy(); };
}

void TDebounceTimers::EditorChanged(const TEditorActivity& state) {
    if (!state.StartingUp && !state.SwitchingTab && !state.ClosingDocument)
        AUU.Restart();
    else
        AUU.Stop(); // the text was replaced: a snapshot due for the old one would be a no-op step
}

void TDebounceTimers::SelectionMoved(bool previewMode) {
    if (!previewMode)
        ASU.Restart();
}

void TDebounceTimers::Poll() {
    ASU.Poll();
    AUU.Poll();
}
