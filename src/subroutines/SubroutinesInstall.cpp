#include "subroutines/SubroutinesInstall.h"

#include "app/mainwindow/Extensions.h"
#include "app/mainwindow/MainWin.h"
#include "app/preview/ViewModes.h"
#include "editor/view/TextEditorEx.h"
#include "subroutines/Commands.h"
#include "subroutines/events/SubroutineEvents.h"
#include "subroutines/statements/InterimCommands.h"

#include <QAction>
#include <QEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QSignalBlocker>
#include <QToolBar>

namespace {

// Keeps the check mark of "Subrutiner" equal to the window's visibility.
class TVisibilityMark : public QObject {
public:
    TVisibilityMark(QWidget* window, QAction* action) : QObject(window), action_(action) {
        window->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show || event->type() == QEvent::Hide) {
            const QSignalBlocker block(action_);
            action_->setChecked(static_cast<QWidget*>(watched)->isVisible());
        }
        return false;
    }

private:
    QAction* action_;
};

// The submenu of the File menu that holds the command for a new empty document.
QMenu* NewDocumentMenu(Tmain& window) {
    QAction* newDoc = window.Action(QStringLiteral("ANewDoc"));
    for (QMenu* menu : window.menuBar()->findChildren<QMenu*>())
        if (menu != window.Arkiv1 && newDoc && menu->actions().contains(newDoc))
            return menu;
    return nullptr;
}

bool IsSubroutineDocument(Tmain& window) {
    const int t = window.CurrentTab();
    return t >= 0 && t < window.OpenFilesCount() &&
           QFileInfo(window.Current().FileName)
                   .suffix()
                   .compare(QLatin1String("sub"), Qt::CaseInsensitive) == 0;
}

void Install(Tmain& window) {
    // A tool window over the main window; it never keeps the program running.
    auto* commands = new Tcommands(&window);
    commands->setWindowFlag(Qt::Tool);
    commands->setAttribute(Qt::WA_QuitOnClose, false);
    window.SubroutineWindow = commands;

    TCommandRegistry& registry = window.Commands();
    QAction* toggle = registry.Add(QStringLiteral("VStartCommands"), QStringLiteral("Subrutiner"),
                                   QKeySequence(Qt::Key_F12), [commands] {
                                       commands->setVisible(!commands->isVisible());
                                       if (commands->isVisible()) {
                                           commands->raise();
                                           commands->activateWindow();
                                           commands->CurrentSubroutine->setFocus();
                                       }
                                   });
    toggle->setCheckable(true);
    new TVisibilityMark(commands, toggle);
    if (QMenu* view = window.Menu(QStringLiteral("Visa1"))) {
        view->addSeparator();
        view->addAction(toggle);
    }
    if (window.Toolbar)
        window.Toolbar->addAction(toggle);

    QAction* copy =
        registry.Add(QStringLiteral("subtlb"), QStringLiteral("&Öppna i fönstret subrutiner..."),
                     {}, [commands] { commands->CopyFromDocument(); });
    copy->setStatusTip(QStringLiteral("|Öppnar dokumentet i fönstret subrutiner."));
    // The document's context menu shows the item for ".sub" documents only.
    if (QMenu* popup = window.Menu(QStringLiteral("documentPopup"))) {
        popup->addAction(copy);
        QObject::connect(popup, &QMenu::aboutToShow, copy,
                         [copy, &window] { copy->setVisible(IsSubroutineDocument(window)); });
    }

    QAction* tpl =
        registry.Add(QStringLiteral("ANewDocTpl"), QStringLiteral("HTML-grund"), {}, [&window] {
            window.NewDocTab(0, QStringLiteral("Ny webbsida.html"));
            SubroutineEvents::RariViduzeTpl(window);
            window.UpdateEditor();
            if (!window.Views->IsPreviewMode())
                window.CodeEditor->setFocus(Qt::OtherFocusReason);
        });
    if (QMenu* newMenu = NewDocumentMenu(window))
        newMenu->addAction(tpl);

    RegisterStatementCommands(window);
    SubroutineEvents::Install(window);
}

} // namespace

void InstallSubroutines() {
    Extensions::Add(QStringLiteral("subroutines"), Install);
}
