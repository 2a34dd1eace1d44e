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

// Puts a command into a menu right after another command's item; at the end when that is not
// there.
void InsertAfter(Tmain& window, const QString& menu, const QString& after, const QString& command) {
    QMenu* target = window.Menu(menu);
    if (!target) {
        window.AddToMenu(menu, command);
        return;
    }
    const QList<QAction*> items = target->actions();
    QAction* before = nullptr;
    for (qsizetype i = 0; i < items.size(); ++i)
        if (items[i]->objectName() == after)
            before = items.value(i + 1);
    target->insertAction(before, window.Commands().Slot(command));
}

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
    InsertAfter(window, QStringLiteral("Visa1"), QStringLiteral("VToggleBookmarks"),
                QStringLiteral("VToggleFTP"));

    window.Commands().Add(QStringLiteral("ASaveToFTP"), QStringLiteral("Spara via FTP..."), {},
                          [client] { client->SaveToFTP(); });
    InsertAfter(window, QStringLiteral("Arkiv1"), QStringLiteral("ASaveAllDocAs"),
                QStringLiteral("ASaveToFTP"));

    window.Hooks.ApplySettings.push_back([&window, panel](const TSettingsValues& v) {
        window.SetSidePanelVisible(panel, v.ShowFTP);
    });
    window.Hooks.TakeSettings.push_back(
        [&window, panel](TSettingsValues& v) { v.ShowFTP = window.SidePanelVisible(panel); });
    window.Hooks.DocState.push_back(
        [&window, panel](TDocState& s) { s.LeftPanelVisible[3] = window.SidePanelVisible(panel); });
    window.Hooks.StopWork.push_back([client] { client->StopTransfer(kStopWaitMs); });

    client->LoadFTPSitesFromFiles();
}

} // namespace

void InstallFtp() {
    Extensions::Add(QStringLiteral("ftp"), InstallInto);
}
