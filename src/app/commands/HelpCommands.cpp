#include "app/commands/HelpCommands.h"

#include "app/dialogs/AboutWin.h"
#include "app/dialogs/HelpWin.h"
#include "app/dialogs/WelcomeWin.h"
#include "app/mainwindow/MainWin.h"
#include "platform/AppPaths.h"
#include "platform/Dialogs.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QUrl>

namespace HelpCommands {

namespace {

const QString kHelpMenu = QStringLiteral("Hjlp1");

} // namespace

QString HelpFile(const QString& name) {
    return AppPaths::ProgramFile(QStringLiteral("defaults/help/") + name);
}

void ShowHelpContent(Tmain& main, const QString& fileName) {
    if (!QFileInfo(fileName).isFile()) {
        main.kvMessageBox(kNotInstalled);
        return;
    }
    auto* window = main.findChild<THelpWin*>(QStringLiteral("HelpWin"));
    if (!window)
        window = new THelpWin(&main);
    window->ShowFile(fileName);
}

void ShowIntroduction(Tmain& main, bool firstRun) {
    Twelcome welcome(&main);
    welcome.LoadIntroduction(HelpFile(kIntroduction));
    if (!firstRun)
        welcome.btnStartECNow->setText(QStringLiteral("OK"));
    Dialogs::RunModal(&welcome);
}

void Install(Tmain& main) {
    TCommandRegistry& commands = main.Commands();
    commands.Add(QStringLiteral("HShowHelp"), QStringLiteral("&Hjälpavsnitt"),
                 QKeySequence(Qt::Key_F1), [&main] { ShowHelpContent(main, HelpFile(kTopics)); });
    commands.Add(QStringLiteral("HShowHelpB"), QStringLiteral("&Kortkommandon"), {},
                 [&main] { ShowHelpContent(main, HelpFile(kHotKeys)); });
    commands.Add(QStringLiteral("HShowIntroduction"), QStringLiteral("Introduktion..."), {},
                 [&main] { ShowIntroduction(main, false); });
    commands.Add(QStringLiteral("HAboutDlg"), QStringLiteral("&Om Kelvora..."), {}, [&main] {
        Tabout about(&main);
        about.LoadAbout(HelpFile(kAbout));
        Dialogs::RunModal(&about);
    });
    commands.Add(QStringLiteral("Kelvoraswebbplats1"), QStringLiteral("Kelvoras webbplats"), {},
                 [] { QDesktopServices::openUrl(QUrl(kProductPage)); });
    commands.Add(QStringLiteral("VarekTolvanesHemsida1"), QStringLiteral("Varek Tolvanes Hemsida"),
                 {}, [] { QDesktopServices::openUrl(QUrl(kHomePage)); });

    QMenu* help = main.Menu(kHelpMenu);
    if (!help) {
        help = main.menuBar()->addMenu(QStringLiteral("&Hjälp"));
        help->setObjectName(kHelpMenu);
    }
    main.AddToMenu(kHelpMenu, QStringLiteral("HShowHelp"));
    main.AddToMenu(kHelpMenu, QStringLiteral("HShowHelpB"));
    help->addSeparator();
    main.AddToMenu(kHelpMenu, QStringLiteral("HShowIntroduction"));
    QMenu* internet = help->addMenu(QStringLiteral("&Internet"));
    internet->setObjectName(QStringLiteral("Internet1"));
    main.AddToMenu(QStringLiteral("Internet1"), QStringLiteral("Kelvoraswebbplats1"));
    main.AddToMenu(QStringLiteral("Internet1"), QStringLiteral("VarekTolvanesHemsida1"));
    help->addSeparator();
    main.AddToMenu(kHelpMenu, QStringLiteral("HAboutDlg"));
}

} // namespace HelpCommands
