#include "app/mainwindow/PhysicalKeys.h"

#include "app/commands/CommandRegistry.h"
#include "app/commands/InsertShortcuts.h"

#include <QAction>
#include <QKeyEvent>
#include <QWidget>

TPhysicalKeys::TPhysicalKeys(QWidget* window, TCommandRegistry& commands)
    : QObject(window), window_(window), commands_(commands) {}

bool TPhysicalKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType() ||
        static_cast<QWidget*>(watched)->window() != window_)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const QString name =
        InsertShortcuts::MatchPhysicalShortcut(key->key(), key->modifiers(), key->nativeScanCode());
    QAction* action = name.isEmpty() ? nullptr : commands_.Find(name);
    if (!action || !action->isEnabled())
        return false;
    action->trigger();
    return true;
}
