#include "ftp/FtpInstall.h"

#include "app/mainwindow/Extensions.h"
#include "app/mainwindow/MainWin.h"
#include "ftp/panel/FtpClient.h"
#include "ftp/panel/FtpPanel.h"

#include <QAction>
#include <QMenu>

namespace {

// A running transfer gets this long to stop when the window closes.
constexpr int kStopWaitMs = 5000;

void InstallInto(Tmain& window) {
    auto* client = new TFtpClient(window);
    client->setObjectName(QStringLiteral("FtpClient"));
    TFtpPanel* panel = client->Panel();
    window.AddSidePanel(panel, /*right=*/false, [&window] { window.RequestActionUpdate(); });

    QAction* toggle =
        window.Commands().Add(QStringLiteral("VToggleFTP"), QStringLiteral("Filöverföring (FTP)"),
                              {}, [client] { client->ToggleFTP(); });
    toggle->setCheckable(true);
    toggle->setToolTip(QStringLiteral("Filöverföring (FTP)"));
    toggle->setStatusTip(QStringLiteral("Visar/döljer panelen Filöverföring (FTP)."));
    window.AddToMenu(QStringLiteral("Visa1"), QStringLiteral("VToggleFTP"));

    window.Commands().Add(QStringLiteral("ASaveToFTP"), QStringLiteral("Spara via FTP..."), {},
                          [client] { client->SaveToFTP(); });
    // Beside the other save commands: right after the last of them.
    if (QMenu* file = window.Menu(QStringLiteral("Arkiv1"))) {
        const QList<QAction*> items = file->actions();
        QAction* before = nullptr;
        for (qsizetype i = 0; i < items.size(); ++i)
            if (items[i]->objectName() == QLatin1String("ASaveAllDocAs"))
                before = items.value(i + 1);
        file->insertAction(before, window.Commands().Slot(QStringLiteral("ASaveToFTP")));
    }

    window.Hooks.ApplySettings.push_back([&window, panel](const TSettingsValues& v) {
        window.SetSidePanelVisible(panel, v.ShowFTP);
    });
    window.Hooks.TakeSettings.push_back(
        [&window, panel](TSettingsValues* v) { v->ShowFTP = window.SidePanelVisible(panel); });
    window.Hooks.DocState.push_back([&window, panel](TDocState* s) {
        s->LeftPanelVisible[3] = window.SidePanelVisible(panel);
    });
    window.Hooks.StopWork.push_back([client] { client->StopTransfer(kStopWaitMs); });

    client->LoadFTPSitesFromFiles();
}

} // namespace

void InstallFtp() {
    Extensions::Add(QStringLiteral("ftp"), InstallInto);
}
