#include "subroutines/SubroutinesInstall.h"

#include "app/mainwindow/Extensions.h"
#include "app/mainwindow/MainWin.h"
#include "subroutines/Commands.h"

void InstallSubroutines() {
    Extensions::Add(QStringLiteral("subroutines"), [](Tmain& window) {
        // A tool window over the main window; it never keeps the program running.
        auto* commands = new Tcommands(&window);
        commands->setWindowFlag(Qt::Tool);
        commands->setAttribute(Qt::WA_QuitOnClose, false);
        window.SubroutineWindow = commands;
    });
}
