#include "app/DebounceTimers.h"

TDebounceTimers::TDebounceTimers(TClock* clock)
    : APU(1000, false, clock), ASU(1000, false, clock), AUU(1000, false, clock) {
    const auto busy = [this] { return Busy && Busy(); };
    APU.Guard = busy;
    AUU.Guard = busy;
}

void TDebounceTimers::EditorChanged(const TEditorActivity& state) {
    if (state.AutoPreviewUpdate && !state.EditMode)
        APU.Restart();
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
    APU.Poll();
    ASU.Poll();
    AUU.Poll();
}
