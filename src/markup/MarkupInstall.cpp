#include "markup/MarkupInstall.h"

#include "app/mainwindow/Extensions.h"
#include "app/mainwindow/MainWin.h"
#include "markup/TagTools.h"
#include "markup/TextTools.h"
#include "markup/sites/SiteToolsInstall.h"
#include "markup/wizards/WizardsInstall.h"

void InstallMarkup() {
    Extensions::Add(QStringLiteral("markup"), [](Tmain& window) {
        InstallTagTools(window);
        InstallTextTools(window);
        InstallWizards(window);
        InstallSiteTools(window);
    });
}
