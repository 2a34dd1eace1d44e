#include "app/core/ActionStates.h"

#include "platform/SilentAbort.h"

#include <QAction>
#include <QMetaObject>
#include <QSignalBlocker>

std::vector<TActionState> ActionStates(const TDocState& s) {
    std::vector<TActionState> out;
    const auto enable = [&out](const char* name, bool on) {
        out.push_back({QString::fromLatin1(name), on, std::nullopt});
    };
    const auto check = [&out](const char* name, bool on) {
        out.push_back({QString::fromLatin1(name), std::nullopt, on});
    };

    enable("ADocDel", s.HasFile);
    enable("AOpenFileFolder", s.HasFile);
    enable("ARecreateDoc", s.HasFile && s.Modified);
    enable("RDocUndo", s.CanUndo && !s.PreviewMode);
    enable("RDocRedo", s.CanRedo && !s.PreviewMode);
    for (const char* name : {"RDocCut", "RDocCopy", "RDocDelSel", "RExportText", "FConvUpperCase",
                             "FConvLowerCase", "FConvOppositCase", "FEncodeAlpha", "FDecodeAlpha",
                             "FEncodeOmega", "FDecodeOmega", "VApplyROT13"})
        enable(name, s.HasSelection && !s.PreviewMode);
    for (const char* name : {"RSelectCurrentTag", "RSelectAll", "RCopyAll", "RClearAll",
                             "FAddIndent", "FDelIndent", "FDelAllIndent", "VSortRows"})
        enable(name, s.HasText && !s.PreviewMode);
    check("VToggleToolbar", s.MainToolbarVisible);
    check("VToggleInputBar", s.InsertToolbarVisible);
    check("VToggleEditBar", s.TagToolbarVisible);
    check("VToggleRuler", s.RulerVisible);
    check("VToggleStatusBar", s.StatusBarVisible);
    check("VToggleCommonDocs", s.LeftPanelVisible[0]);
    check("VToggleSearch", s.LeftPanelVisible[1]);
    check("VToggleBookmarks", s.LeftPanelVisible[2]);
    check("VToggleFTP", s.LeftPanelVisible[3]);
    check("VToggleReflist", s.RightPanelVisible);
    out.push_back({QStringLiteral("VSetOrientationH"), s.CombinationMode, !s.SplitVertical});
    out.push_back({QStringLiteral("VSetOrientationV"), s.CombinationMode, s.SplitVertical});
    for (const char* name : {"VPreviewPage", "VToggleAutoPreviewUpdate", "VToggleAutoSaveOnUpdate"})
        enable(name, s.PreviewMode || s.CombinationMode);
    check("VStartCommands", s.SubroutineWindowVisible);
    check("FToggleShowHiddenChars", s.ShowHiddenChars);
    return out;
}

void ApplyActionStates(const TDocState& state,
                       const std::function<QAction*(const QString&)>& find) {
    for (const TActionState& s : ActionStates(state)) {
        QAction* action = find(s.Name);
        if (!action)
            continue;
        if (s.Enabled)
            action->setEnabled(*s.Enabled);
        if (s.Checked) {
            const QSignalBlocker block(action);
            action->setCheckable(true);
            action->setChecked(*s.Checked);
        }
    }
}

void TCoalescedCall::Request() {
    if (pending_)
        return;
    pending_ = true;
    QMetaObject::invokeMethod(
        this, [this] { Flush(); }, Qt::QueuedConnection);
}

void TCoalescedCall::Flush() {
    if (!pending_)
        return;
    pending_ = false;
    if (call_)
        RunCommand(call_);
}
