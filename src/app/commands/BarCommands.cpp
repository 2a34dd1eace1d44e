#include "app/commands/BarCommands.h"

#include "app/mainwindow/MainWin.h"

#include <QAction>
#include <QMenu>
#include <QMetaObject>
#include <QPointer>
#include <QStatusBar>
#include <QToolBar>
#include <QVariant>

namespace BarCommands {

namespace {

const char* const kEdgesProperty = "kvBevelEdges";

void SetEdges(QToolBar* bar, TBevelEdges edges) {
    bar->setProperty(kEdgesProperty, edges);
    const auto width = [edges](TBevelEdge edge) { return edges & edge ? 1 : 0; };
    bar->setStyleSheet(QStringLiteral("QToolBar { border-style: solid; border-color: "
                                      "palette(mid); border-width: %1px %2px %3px %4px; }")
                           .arg(width(beTop))
                           .arg(width(beRight))
                           .arg(width(beBottom))
                           .arg(width(beLeft)));
}

bool Shown(const Tmain& main, const QToolBar* bar) {
    return bar && bar->isVisibleTo(&main);
}

QToolBar* ModifyToolbar(Tmain& main) {
    return main.findChild<QToolBar*>(QStringLiteral("ModifyToolbar"));
}

} // namespace

TBevelEdges BevelsOf(const QToolBar* bar) {
    return static_cast<TBevelEdges>(bar->property(kEdgesProperty).toUInt());
}

void FixToolbarBevels(Tmain& main) {
    const TToolbarBevels bevels =
        ToolbarBevels(Shown(main, main.Toolbar), Shown(main, main.InsertToolbar),
                      Shown(main, ModifyToolbar(main)));
    if (bevels.Main)
        SetEdges(main.Toolbar, *bevels.Main);
    if (bevels.Insert)
        SetEdges(main.InsertToolbar, *bevels.Insert);
}

void ToggleToolbar(Tmain& main) {
    main.Toolbar->setVisible(!main.Toolbar->isVisibleTo(&main));
    FixToolbarBevels(main);
    main.RequestActionUpdate();
}

void ToggleInputBar(Tmain& main) {
    main.InsertToolbar->setVisible(!main.InsertToolbar->isVisibleTo(&main));
    FixToolbarBevels(main);
    main.RequestActionUpdate();
}

void ToggleStatusBar(Tmain& main) {
    main.statusBar()->setVisible(!main.statusBar()->isVisibleTo(&main));
    main.RequestActionUpdate();
}

void Install(Tmain& main) {
    TCommandRegistry& commands = main.Commands();
    const auto add = [&](const char* name, const char* caption, void (*toggle)(Tmain&)) {
        QAction* action = commands.Add(QLatin1String(name), QString::fromUtf8(caption), {},
                                       [&main, toggle] { toggle(main); });
        action->setCheckable(true);
    };
    add("VToggleToolbar", "Verktygsfält", &ToggleToolbar);
    add("VToggleInputBar", "Infogafält", &ToggleInputBar);
    add("VToggleStatusBar", "Statusfält", &ToggleStatusBar);
    if (QMenu* view = main.Menu(QStringLiteral("Visa1"))) {
        view->addSeparator();
        for (const char* name : {"VToggleToolbar", "VToggleInputBar", "VToggleStatusBar"})
            main.AddToMenu(QStringLiteral("Visa1"), QLatin1String(name));
    }

    // The bars may change with every set of settings (the tag toolbar's own setting among
    // them, applied after this one): the edges follow once all are applied.
    QPointer<Tmain> window(&main);
    main.Hooks.ApplySettings.push_back([window](const TSettingsValues&) {
        QMetaObject::invokeMethod(
            window.data(),
            [window] {
                if (!window)
                    return;
                FixToolbarBevels(*window);
                // The tag toolbar's own command moves the edges too.
                QAction* editBar = window->Action(QStringLiteral("VToggleEditBar"));
                if (editBar && !editBar->property(kEdgesProperty).toBool()) {
                    editBar->setProperty(kEdgesProperty, true);
                    QObject::connect(editBar, &QAction::triggered, window.data(), [window] {
                        if (window)
                            FixToolbarBevels(*window);
                    });
                }
            },
            Qt::QueuedConnection);
    });

    // Clears the simple status text a wizard leaves, two seconds after it was written.
    main.StatusFix.OnTimer = [&main] {
        main.StatusFix.Stop();
        main.statusBar()->clearMessage();
    };
}

} // namespace BarCommands
