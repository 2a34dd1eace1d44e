#include "ftp/FtpInstall.h"

#include "app/mainwindow/Extensions.h"
#include "app/mainwindow/MainWin.h"

void InstallFtp() {
    Extensions::Add(QStringLiteral("ftp"), [](Tmain&) {});
}
