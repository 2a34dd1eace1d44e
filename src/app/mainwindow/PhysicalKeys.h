#pragma once

#include <QObject>

class QWidget;
class TCommandRegistry;

// Runs the insert commands whose keys a window may not see as their key sequence (see
// app/commands/InsertShortcuts.h), for any widget of that window. A key that matched a
// shortcut never arrives here as a key press, so no command runs twice.
class TPhysicalKeys : public QObject {
public:
    TPhysicalKeys(QWidget* window, TCommandRegistry& commands);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* window_;
    TCommandRegistry& commands_;
};
