#pragma once

#include <QHash>
#include <QKeySequence>
#include <QObject>
#include <QString>
#include <QStringList>
#include <any>
#include <functional>

class QAction;
class QWidget;

// The explicit input of one run of a command: empty for commands that take none, else the
// request type the command names (a search request, a file name, a line number). A menu or a
// toolbar button runs its command with an empty request; a panel, a subroutine statement or a
// module export fills one.
using TCommandRequest = std::any;

// Every command of the program, once, by its action name ("ASaveDoc", "IInsertHeading1"):
// its caption, shortcut and hint live on its action, its handler here. Menus, toolbars, the
// tab strip, the panels, the subroutine statements and the module exports all run commands
// through the registry by name.
class TCommandRegistry : public QObject {
public:
    using Handler = std::function<void(const TCommandRequest& request)>;

    // The actions are added to `owner` so that their shortcuts work in its window.
    explicit TCommandRegistry(QWidget* owner);

    // Registers a command that takes no request. A name that menus already refer to gets its
    // placeholder filled; registering a name twice replaces the handler and caption.
    QAction* Add(const QString& name, const QString& caption, const QKeySequence& key,
                 std::function<void()> handler);
    // Registers a command that reads its request.
    QAction* AddWithRequest(const QString& name, const QString& caption, const QKeySequence& key,
                            Handler handler);

    // Registers an action that runs its own command when triggered (the view modes' actions).
    void Adopt(QAction* action);

    // True when the command is registered (not only referred to by a menu).
    bool Has(const QString& name) const;
    // The registered command's action; null when there is none.
    QAction* Find(const QString& name) const;
    // The action that a menu or toolbar holds for a name: the registered one, or a hidden,
    // disabled placeholder that becomes the command when it is registered later.
    QAction* Slot(const QString& name);

    // Runs a command with a request at the caller's boundary: exceptions (the silent abort
    // among them) reach the caller. False when no such command is registered.
    bool Run(const QString& name, const TCommandRequest& request = {});
    // Runs a command as its action does: at a command boundary of its own.
    bool Trigger(const QString& name);

    // The registered names, and the names menus refer to that nothing registered.
    QStringList Names() const;
    QStringList Unregistered() const;

private:
    QAction* Fill(const QString& name, const QString& caption, const QKeySequence& key,
                  Handler handler);

    QWidget* owner_;
    QHash<QString, QAction*> actions_;
    QHash<QString, Handler> handlers_;
};
