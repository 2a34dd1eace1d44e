#include "markup/MarkupInstall.h"

#include "app/mainwindow/Extensions.h"
#include "app/mainwindow/MainWin.h"
#include "markup/TagTools.h"
#include "markup/TextTools.h"

void InstallMarkup() {
    Extensions::Add(QStringLiteral("markup"), [](Tmain& window) {
        InstallTagTools(window);
        InstallTextTools(window);
    });
}
