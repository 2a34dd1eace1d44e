#include "modules/ModulesInstall.h"

#include "app/mainwindow/Extensions.h"
#include "app/mainwindow/MainWin.h"

void InstallModules() {
    Extensions::Add(QStringLiteral("modules"), [](Tmain&) {});
}
