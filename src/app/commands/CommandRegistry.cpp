#include "app/commands/CommandRegistry.h"

#include "platform/SilentAbort.h"

#include <QAction>
#include <QWidget>

TCommandRegistry::TCommandRegistry(QWidget* owner) : QObject(owner), owner_(owner) {}

QAction* TCommandRegistry::Add(const QString& name, const QString& caption, const QKeySequence& key,
                               std::function<void()> handler) {
    return Fill(name, caption, key,
                [handler = std::move(handler)](const TCommandRequest&) { handler(); });
}

QAction* TCommandRegistry::AddWithRequest(const QString& name, const QString& caption,
                                          const QKeySequence& key, Handler handler) {
    return Fill(name, caption, key, std::move(handler));
}

QAction* TCommandRegistry::Fill(const QString& name, const QString& caption,
                                const QKeySequence& key, Handler handler) {
    QAction* action = actions_.value(name);
    if (!action) {
        action = new QAction(owner_);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, [this, name] { Trigger(name); });
        actions_.insert(name, action);
        if (owner_)
            owner_->addAction(action);
    }
    action->setText(caption);
    action->setShortcut(key);
    action->setVisible(true);
    action->setEnabled(true);
    handlers_.insert(name, std::move(handler));
    return action;
}

void TCommandRegistry::Adopt(QAction* action) {
    actions_.insert(action->objectName(), action);
    handlers_.insert(action->objectName(), [action](const TCommandRequest&) { action->trigger(); });
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
    auto* action = new QAction(owner_);
    action->setObjectName(name);
    action->setVisible(false);
    action->setEnabled(false);
    connect(action, &QAction::triggered, this, [this, name] { Trigger(name); });
    actions_.insert(name, action);
    if (owner_)
        owner_->addAction(action);
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
