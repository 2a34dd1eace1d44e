#include "markup/sites/SiteToolsInstall.h"

#include "app/mainwindow/MainWin.h"
#include "app/panels/WebSitesPanel.h"
#include "markup/sites/DispWizWin.h"
#include "markup/sites/FilePreviewWin.h"
#include "markup/sites/NewSiteWin.h"
#include "platform/Dialogs.h"

#include <QLineEdit>
#include <any>

namespace {

QString TextOf(const TCommandRequest& request) {
    if (const auto* text = std::any_cast<QString>(&request))
        return *text;
    return QString();
}

} // namespace

void InstallSiteTools(Tmain& window) {
    Tmain& w = window;
    TCommandRegistry& commands = w.Commands();
    commands.Add(QStringLiteral("CreateNewSite"), QStringLiteral("Ny webbplats..."), {}, [&w] {
        TNewSite wizard(w);
        Dialogs::RunModal(&wizard);
    });
    commands.AddWithRequest(QStringLiteral("PreviewExternalFile"),
                            QStringLiteral("&Förhandsgranska"), {},
                            [&w](const TCommandRequest& request) {
                                QString file = TextOf(request);
                                if (file.isEmpty())
                                    file = w.projectpn->SelectedFile();
                                if (file.isEmpty())
                                    return;
                                TFilePreview preview(w);
                                preview.Preview(file);
                                Dialogs::RunModal(&preview);
                            });
    commands.AddWithRequest(QStringLiteral("StartLayoutGuide"), QStringLiteral("Layoutguiden..."),
                            {}, [&w](const TCommandRequest& request) {
                                TdispWiz guide(w);
                                guide.eH1Caption->setText(TextOf(request));
                                Dialogs::RunModal(&guide);
                            });
}
