#include "modules/ModulesInstall.h"

#include "app/mainwindow/Extensions.h"
#include "app/mainwindow/MainWin.h"
#include "modules/ModuleHost.h"

void InstallModules() {
    Extensions::Add(QStringLiteral("modules"), [](Tmain& window) {
        auto* host = new TModuleHost(window);
        window.Commands().Add(QStringLiteral("VUserLoadModule"),
                              QStringLiteral("Ladda tilläggsmodul..."), {},
                              [host] { host->UserLoadModule(); });
        window.Commands().Add(QStringLiteral("VUserUnloadModule"),
                              QStringLiteral("Koppla från tilläggsmodul..."), {},
                              [host] { host->UserUnloadModule(); });
        window.AddMenuSeparator(QStringLiteral("Verktyg1"));
        window.AddToMenu(QStringLiteral("Verktyg1"), QStringLiteral("VUserLoadModule"));
        window.AddToMenu(QStringLiteral("Verktyg1"), QStringLiteral("VUserUnloadModule"));
        // The close unloads every module before the document table is emptied.
        window.Hooks.UnloadModules = [host] { host->FreeAllModules(); };
    });
}
