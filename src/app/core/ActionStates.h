#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

class QAction;

// Everything the enabled and checked states of the main window's actions depend on. The text
// test comes from the line store's length (O(1)), never from the text itself.
struct TDocState {
    bool HasFile = false;
    bool Modified = false;
    bool HasSelection = false;
    bool HasText = false; // the text form is longer than 2 characters
    bool PreviewMode = false;
    bool CombinationMode = false;
    bool SplitVertical = false;
    bool CanUndo = false;
    bool CanRedo = false;
    bool MainToolbarVisible = false;
    bool InsertToolbarVisible = false;
    bool TagToolbarVisible = false;
    bool RulerVisible = false;
    bool StatusBarVisible = false;
    bool LeftPanelVisible[4] = {false, false, false, false};
    bool RightPanelVisible = false;
    bool SubroutineWindowVisible = false;
    bool ShowHiddenChars = false;
};

// The state one action gets; a state left empty stays as it is.
struct TActionState {
    QString Name;
    std::optional<bool> Enabled;
    std::optional<bool> Checked;
};

// The state of every action that depends on the document, in one table.
std::vector<TActionState> ActionStates(const TDocState& state);

// Gives every action the table's state for a document state; `find` gives the action of a
// name, or none. A check mark is set without running the action's toggled handlers.
void ApplyActionStates(const TDocState& state, const std::function<QAction*(const QString&)>& find);

// Runs a function once per turn of the event loop however often it is asked for: the update
// of all action states after a change of the selection, the modified mark, the mode, the undo
// state or the tab.
class TCoalescedCall : public QObject {
public:
    explicit TCoalescedCall(std::function<void()> call, QObject* parent = nullptr)
        : QObject(parent), call_(std::move(call)) {}
    void Request();
    bool IsPending() const { return pending_; }
    // Runs a pending call now.
    void Flush();

private:
    std::function<void()> call_;
    bool pending_ = false;
};
