#pragma once

#include <QHash>
#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <any>
#include <functional>

class QAction;
class QWidget;
struct TDocState;

// The explicit input of one run of a command: empty for commands that take none, else the
// request type the command names (app/commands/Requests.h: a search request, a file name, a
// line number). A menu or a toolbar button runs its command with an empty request; a panel, a
// subroutine statement or a module export fills one.
using TCommandRequest = std::any;

// What a command shows: its caption, its shortcuts (the first is the one menus show), its hint
// ("short|long": the short part is the tool tip, the long part goes to the status bar) and
// whether it is a check item.
struct TCommandInfo {
    QString Caption{};
    QList<QKeySequence> Keys{};
    QString Hint{};
    bool Checkable = false;
};

// Every command of the program, once, by its action name ("ASaveDoc", "IInsertHeading1"):
// its caption, shortcut, hint and check state live on its action, its handler here. Menus,
// toolbars, the tab strip, the panels, the subroutine statements and the module exports all
// run commands through the registry by name. The enabled and checked states come from the one
// table of action states (app/core/ActionStates.h).
class TCommandRegistry : public QObject {
public:
    using Handler = std::function<void(const TCommandRequest& request)>;

    // The actions are added to `owner` so that their shortcuts work in its window; without an
    // owner the commands run only by name.
    explicit TCommandRegistry(QWidget* owner);

    // Registers a command. A name that menus already refer to gets its placeholder filled;
    // registering a name twice replaces the handler and what the command shows.
    QAction* Add(const QString& name, const TCommandInfo& info, std::function<void()> handler);
    QAction* AddWithRequest(const QString& name, const TCommandInfo& info, Handler handler);
    // The same with a caption and one shortcut.
    QAction* Add(const QString& name, const QString& caption, const QKeySequence& key,
                 std::function<void()> handler);
    QAction* AddWithRequest(const QString& name, const QString& caption, const QKeySequence& key,
                            Handler handler);

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

    // Gives every registered command the enabled and checked state the table of action states
    // has for a document state.
    void ApplyStates(const TDocState& state) const;

    // The registered names, and the names menus refer to that nothing registered.
    QStringList Names() const;
    QStringList Unregistered() const;

private:
    QAction* Fill(const QString& name, const TCommandInfo& info, Handler handler);
    QAction* NewAction(const QString& name);

    QWidget* owner_;
    QHash<QString, QAction*> actions_;
    QHash<QString, Handler> handlers_;
};
