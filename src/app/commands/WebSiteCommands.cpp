#include "app/commands/WebSiteCommands.h"

#include "app/commands/CommandRegistry.h"
#include "app/commands/Requests.h"
#include "app/dialogs/Boxes.h"
#include "platform/AppPaths.h"

#include <QAction>
#include <algorithm>

TWebSiteCommands::TWebSiteCommands(TBoxes& boxes) : boxes_(boxes) {}

void TWebSiteCommands::Register(TCommandRegistry& commands) {
    commands.AddWithRequest(QStringLiteral("AddSite"), {QStringLiteral("Lägg till webbplats")},
                            [this](const TCommandRequest& request) {
                                if (const auto* site = RequestOf<TSiteRequest>(request))
                                    AddSite(site->LocalPath, site->Properties);
                            });
    commands.AddWithRequest(QStringLiteral("RemoveSite"), {QStringLiteral("Ta bort webbplats")},
                            [this](const TCommandRequest& request) {
                                if (const auto* site = RequestOf<TSiteChangeRequest>(request))
                                    RemoveSite(site->Index);
                                else if (list_)
                                    RemoveSite(list_->CurrentSite());
                            });
    commands.AddWithRequest(QStringLiteral("SetSiteProperties"),
                            {QStringLiteral("Ändra webbplatsens egenskaper")},
                            [this](const TCommandRequest& request) {
                                if (const auto* site = RequestOf<TSiteChangeRequest>(request))
                                    SetSiteProperties(site->Index, site->Properties);
                            });
}

QString TWebSiteCommands::Folder() {
    return AppPaths::DataFile(QStringLiteral("Webbplatser"));
}

void TWebSiteCommands::Load() {
    Sites = WebsiteFiles::Load(Folder());
    if (list_)
        list_->ShowSites();
}

void TWebSiteCommands::Save() {
    WebsiteFiles::Save(Folder(), Sites,
                       [this](const QString& message) { boxes_.kvMessageBox(message); });
}

void TWebSiteCommands::AddSite(const QString& localPath, const QStringList& properties) {
    Sites.push_back({localPath, properties});
    if (list_)
        list_->ShowSites();
}

void TWebSiteCommands::RemoveSite(int index) {
    if (index < 0 || index >= static_cast<int>(Sites.size()))
        return;
    Sites.erase(Sites.begin() + index);
    if (!list_)
        return;
    list_->ShowSites();
    // The site that took its place, or the new last one.
    list_->ShowSite(std::min(index, static_cast<int>(Sites.size()) - 1));
}

void TWebSiteCommands::SetSiteProperties(int index, const QStringList& properties) {
    if (index < 0 || index >= static_cast<int>(Sites.size()))
        return;
    if (WebsiteFiles::ValueOf(properties, QStringLiteral("Titel")).isEmpty()) {
        boxes_.kvMessageBox(QStringLiteral("Egenskapen \"Titel\" är obligatorisk."));
        return;
    }
    Sites[static_cast<size_t>(index)].Properties = properties;
}
