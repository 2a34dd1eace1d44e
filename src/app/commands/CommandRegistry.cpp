#include "app/commands/CommandRegistry.h"

#include "app/core/ActionStates.h"
#include "platform/SilentAbort.h"

#include <QAction>
#include <QWidget>

namespace {

// The short part of a hint ("short|long"), or the whole hint when it has no "|".
QString ShortHint(const QString& hint) {
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? hint : hint.left(bar);
}

} // namespace

TCommandRegistry::TCommandRegistry(QWidget* owner) : QObject(owner), owner_(owner) {}

QAction* TCommandRegistry::Add(const QString& name, const TCommandInfo& info,
                               std::function<void()> handler) {
    return Fill(name, info, [handler = std::move(handler)](const TCommandRequest&) {
        if (handler)
            handler();
    });
}

QAction* TCommandRegistry::AddWithRequest(const QString& name, const TCommandInfo& info,
                                          Handler handler) {
    return Fill(name, info, std::move(handler));
}

QAction* TCommandRegistry::Add(const QString& name, const QString& caption, const QKeySequence& key,
                               std::function<void()> handler) {
    return Add(name, TCommandInfo{caption, {key}, {}, false}, std::move(handler));
}

QAction* TCommandRegistry::AddWithRequest(const QString& name, const QString& caption,
                                          const QKeySequence& key, Handler handler) {
    return AddWithRequest(name, TCommandInfo{caption, {key}, {}, false}, std::move(handler));
}

QAction* TCommandRegistry::NewAction(const QString& name) {
    // Owned by the window, as its other actions are; a registry without a window frees them
    // itself.
    auto* action = new QAction(owner_ ? static_cast<QObject*>(owner_) : this);
    action->setObjectName(name);
    connect(action, &QAction::triggered, this, [this, name] { Trigger(name); });
    actions_.insert(name, action);
    if (owner_)
        owner_->addAction(action);
    return action;
}

QAction* TCommandRegistry::Fill(const QString& name, const TCommandInfo& info, Handler handler) {
    QAction* action = actions_.value(name);
    if (!action)
        action = NewAction(name);
    action->setText(info.Caption);
    QList<QKeySequence> keys;
    for (const QKeySequence& key : info.Keys)
        if (!key.isEmpty())
            keys << key;
    action->setShortcuts(keys);
    action->setToolTip(info.Hint.isEmpty() ? QString() : ShortHint(info.Hint));
    action->setStatusTip(info.Hint);
    action->setCheckable(info.Checkable);
    action->setVisible(true);
    action->setEnabled(true);
    handlers_.insert(name, std::move(handler));
    return action;
}

bool TCommandRegistry::Has(const QString& name) const {
    return handlers_.contains(name);
}

QAction* TCommandRegistry::Find(const QString& name) const {
    return handlers_.contains(name) ? actions_.value(name) : nullptr;
}

QAction* TCommandRegistry::Slot(const QString& name) {
    if (QAction* action = actions_.value(name))
        return action;
    QAction* action = NewAction(name);
    action->setVisible(false);
    action->setEnabled(false);
    return action;
}

bool TCommandRegistry::Run(const QString& name, const TCommandRequest& request) {
    const auto it = handlers_.constFind(name);
    if (it == handlers_.constEnd())
        return false;
    // A copy: the handler may register commands and so move the table.
    const Handler handler = it.value();
    handler(request);
    return true;
}

bool TCommandRegistry::Trigger(const QString& name) {
    if (!Has(name))
        return false;
    return RunCommand([this, name] { Run(name); });
}

void TCommandRegistry::ApplyStates(const TDocState& state) const {
    ApplyActionStates(state, [this](const QString& name) { return Find(name); });
}

QStringList TCommandRegistry::Names() const {
    QStringList names = handlers_.keys();
    names.sort();
    return names;
}

QStringList TCommandRegistry::Unregistered() const {
    QStringList names;
    for (auto it = actions_.constBegin(); it != actions_.constEnd(); ++it)
        if (!handlers_.contains(it.key()))
            names << it.key();
    names.sort();
    return names;
}
