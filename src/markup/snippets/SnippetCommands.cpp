#include "markup/snippets/SnippetCommands.h"

#include "app/mainwindow/MainWin.h"
#include "app/mainwindow/MenuLayout.h"
#include "app/preview/ViewModes.h"
#include "editor/view/TextEditorEx.h"
#include "markup/snippets/HandleFastTextsWin.h"
#include "markup/snippets/SnippetFolder.h"
#include "platform/Dialogs.h"
#include "platform/SilentAbort.h"

#include <QAction>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>

namespace {

const QString kMenuName = QStringLiteral("FTPopup");

QString MenuText(QString text) {
    return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

QMenu* SnippetMenu(Tmain& window) {
    return window.findChild<QMenu*>(kMenuName);
}

void InsertFastText(Tmain& window, const QString& name) {
    const TSnippetFolder folder;
    if (!folder.Exists(name)) {
        window.kvMessageBox(QStringLiteral("Det finns ingen snabbtext med namnet \"") + name +
                            QStringLiteral("\"."));
        return;
    }
    window.BeforeEditorChange();
    try {
        window.CodeEditor->InsertFromFile(folder.PathOf(name));
    } catch (const EKelvoraError&) {
        window.kvMessageBox(QStringLiteral("Det gick inte att öppna filen med snabbtexten."));
    }
}

void HandleFastTexts(Tmain& window) {
    THandleFastTexts dialog(window, TSnippetFolder(), &window);
    Dialogs::RunModal(&dialog);
    UpdateFastText(window);
}

} // namespace

void UpdateFastText(Tmain& window) {
    QMenu* menu = SnippetMenu(window);
    if (!menu)
        return;
    menu->clear();
    // The item runs its command by name; the snippets are items of the menu alone.
    QAction* manage = menu->addAction(QStringLiteral("Hantera snabbtexter"));
    manage->setObjectName(QStringLiteral("HandleFastTexts"));
    QFont bold = manage->font();
    bold.setBold(true);
    manage->setFont(bold);
    manage->setStatusTip(QStringLiteral("|Skapar, redigerar och tar bort snabbtexter."));
    QObject::connect(manage, &QAction::triggered, &window,
                     [&window] { window.Commands().Trigger(QStringLiteral("HandleFastTexts")); });
    menu->setDefaultAction(manage);
    menu->addSeparator();
    for (const QString& name : TSnippetFolder().Names()) {
        QAction* item = menu->addAction(MenuText(name));
        MenuLayout::MarkRunTimeItem(item);
        item->setStatusTip(QStringLiteral("|Infogar snabbtexten \"") + name +
                           QStringLiteral("\"."));
        QObject::connect(item, &QAction::triggered, &window, [&window, name] {
            RunCommand(
                [&window, name] { window.Commands().Run(QStringLiteral("InsertFastText"), name); });
        });
    }
}

void InstallSnippets(Tmain& window) {
    QAction* manage =
        window.Commands().Add(QStringLiteral("HandleFastTexts"), QStringLiteral("Texter"), {},
                              [&window] { HandleFastTexts(window); });
    manage->setStatusTip(QStringLiteral("Snabbtexter|Skapar, redigerar och tar bort snabbtexter."));
    window.Commands().AddWithRequest(
        QStringLiteral("InsertFastText"), QStringLiteral("Infoga snabbtext"), {},
        [&window](const TCommandRequest& request) {
            const QString* name = std::any_cast<QString>(&request);
            if (!name || (window.Views && window.Views->IsPreviewMode()))
                return;
            InsertFastText(window, *name);
        });

    auto* menu = new QMenu(QStringLiteral("Snabb&texter"), &window);
    menu->setObjectName(kMenuName);
    if (window.Toolbar) {
        window.Toolbar->addAction(manage);
        if (auto* button = qobject_cast<QToolButton*>(window.Toolbar->widgetForAction(manage))) {
            button->setObjectName(QStringLiteral("btnFT"));
            button->setMenu(menu);
            button->setPopupMode(QToolButton::MenuButtonPopup);
            if (window.Views)
                window.Views->AddEditOnly(button);
        }
    }
    if (QMenu* insert = window.Menu(QStringLiteral("Infoga1"))) {
        insert->addSeparator();
        insert->addMenu(menu);
    }
    UpdateFastText(window);
}
