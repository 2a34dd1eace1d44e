// The main window's web-site panel "Projekthanterare": the user's web sites, their properties
// and their files.
#include "app/mainwindow/MainWin.h"

#include "app/panels/WebSitesPanel.h"
#include "app/preview/ViewModes.h"
#include "platform/AppPaths.h"
#include "platform/SilentAbort.h"

#include <QAction>
#include <QComboBox>
#include <QDesktopServices>
#include <QDockWidget>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QUrl>

void Tmain::CreateWebSitesPanel() {
    WebSitesDock = new QDockWidget(QStringLiteral("Projekthanterare"), this);
    WebSitesDock->setObjectName(QStringLiteral("WebSitesDock"));
    WebSitesDock->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    WebSitesDock->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
    projectpn = new TWebSitesPanel(WebSitesDock);
    WebSitesDock->setWidget(projectpn);
    addDockWidget(Qt::LeftDockWidgetArea, WebSitesDock);
    WebSitesDock->hide();
    Views->AddEditOnly(projectpn);
    connect(WebSitesDock, &QDockWidget::visibilityChanged, this,
            [this](bool) { RequestActionUpdate(); });

    QAction* toggle =
        AddAction(QStringLiteral("VToggleCommonDocs"), QStringLiteral("Projekthanterare"), {},
                  [this] { ToggleCommonDocs(); });
    toggle->setCheckable(true);
    if (auto* view =
            menuBar()->findChild<QMenu*>(QStringLiteral("Visa1"), Qt::FindDirectChildrenOnly)) {
        view->insertAction(Action(QStringLiteral("VToggleBookmarks")), toggle);
    }

    const auto command = [this](auto* sender, auto signal, void (Tmain::*handler)()) {
        connect(sender, signal, this,
                [this, handler] { RunCommand([this, handler] { (this->*handler)(); }); });
    };
    // The new-site wizard, the file preview and the link and image dialogs are commands of
    // the markup tools, run by name.
    connect(projectpn->btnWebsiteNew, &QToolButton::clicked, this,
            [this] { Commands().Trigger(QStringLiteral("CreateNewSite")); });
    const auto withSelectedFile = [this](QAction* item, const QString& name) {
        connect(item, &QAction::triggered, this, [this, name] {
            RunCommand([this, name] {
                const QString path = GetSelectedFileName();
                if (!path.isEmpty())
                    Commands().Run(name, path);
            });
        });
    };
    withSelectedFile(projectpn->mnuPreviewFile, QStringLiteral("PreviewExternalFile"));
    withSelectedFile(projectpn->mnuInsertA_HREF, QStringLiteral("IInsertLink"));
    withSelectedFile(projectpn->mnuInsertIMG_SRC, QStringLiteral("IInsertImage"));
    command(projectpn->btnWebsiteDelete, &QToolButton::clicked, &Tmain::RemoveSite);
    command(projectpn->Websites, &QListWidget::itemClicked, &Tmain::UpdateWebsite);
    command(projectpn->Websites, &QListWidget::currentRowChanged, &Tmain::UpdateWebsite);
    command(projectpn->WebsiteDataView, &QTableWidget::cellDoubleClicked,
            &Tmain::WebsiteDataViewDblClick);
    command(projectpn->WebPageFilter, &QComboBox::activated, &Tmain::UpdateWebPagesFilter);
    command(projectpn->WebPageFilter->lineEdit(), &QLineEdit::returnPressed,
            &Tmain::UpdateWebPagesFilter);
    command(projectpn->WebpagePopup, &QMenu::aboutToShow, &Tmain::WebpagePopupPopup);
    command(projectpn->mnuOpenFile, &QAction::triggered, &Tmain::OpenExternalFile);
    command(projectpn->Webpages, &QTreeWidget::itemDoubleClicked, &Tmain::OpenExternalFile);
    projectpn->OnGridChanged = [this] { RunCommand([this] { WebsiteDataViewStringsChange(); }); };
}

void Tmain::ApplyWebSitesSettings(const TSettingsValues& values) {
    WebSitesDock->setVisible(values.ShowCommonDocs);
}

void Tmain::TakeWebSitesSettings(TSettingsValues* values) const {
    values->ShowCommonDocs = WebSitesPanelVisible();
}

bool Tmain::WebSitesPanelVisible() const {
    return WebSitesDock && WebSitesDock->isVisibleTo(this);
}

void Tmain::ToggleCommonDocs() {
    WebSitesDock->setVisible(!WebSitesPanelVisible());
    RequestActionUpdate();
}

QString Tmain::WebSitesFolder() const {
    return AppPaths::DataFile(QStringLiteral("Webbplatser"));
}

void Tmain::LoadWebSites() {
    WebsitesData = WebsiteFiles::Load(WebSitesFolder());
    SiteFilterPattern = QStringLiteral("*.*");
    UpdateWebSiteListFromArray();
}

void Tmain::SaveWebSites() {
    WebsiteFiles::Save(WebSitesFolder(), WebsitesData,
                       [this](const QString& message) { kvMessageBox(message); });
}

void Tmain::AddSite(const QString& localPath, const QStringList& properties) {
    WebsitesData.push_back({localPath, properties});
    UpdateWebSiteListFromArray();
}

void Tmain::UpdateWebSiteListFromArray() {
    const QSignalBlocker block(projectpn->Websites);
    projectpn->Websites->clear();
    for (const TWebsiteData& site : WebsitesData)
        projectpn->Websites->addItem(site.Value(QStringLiteral("Titel")));
    projectpn->btnWebsiteDelete->setEnabled(false);
}

void Tmain::UpdateWebsite() {
    const int row = projectpn->Websites->currentRow();
    if (row < 0 || row >= static_cast<int>(WebsitesData.size()))
        return;
    const TWebsiteData& site = WebsitesData[static_cast<size_t>(row)];
    projectpn->SetGridLines(site.Properties);
    projectpn->FillTree(site.LocalPath, SiteFilterPattern);
    projectpn->btnWebsiteDelete->setEnabled(true);
}

void Tmain::RemoveSite() {
    const int row = projectpn->Websites->currentRow();
    if (row < 0 || row >= static_cast<int>(WebsitesData.size()))
        return;
    WebsitesData.erase(WebsitesData.begin() + row);
    UpdateWebSiteListFromArray();
    if (!WebsitesData.empty()) {
        const QSignalBlocker block(projectpn->Websites);
        projectpn->Websites->setCurrentRow(
            std::min(row, static_cast<int>(WebsitesData.size()) - 1));
    }
    if (projectpn->Websites->currentRow() >= 0) {
        UpdateWebsite();
    } else {
        projectpn->SetGridLines({});
        projectpn->Webpages->clear();
    }
}

void Tmain::WebsiteDataViewStringsChange() {
    const int row = projectpn->Websites->currentRow();
    if (projectpn->Websites->count() == 0 || row < 0 ||
        row >= static_cast<int>(WebsitesData.size()))
        return;
    const QStringList lines = projectpn->GridLines();
    if (WebsiteFiles::ValueOf(lines, QStringLiteral("Titel")).isEmpty()) {
        kvMessageBox(QStringLiteral("Egenskapen \"Titel\" är obligatorisk."));
        return;
    }
    WebsitesData[static_cast<size_t>(row)].Properties = lines;
}

void Tmain::WebsiteDataViewDblClick() {
    const QTableWidgetItem* name =
        projectpn->WebsiteDataView->item(projectpn->WebsiteDataView->currentRow(), 0);
    if (!name || name->text() != QLatin1String("URL"))
        return;
    const QString url = WebsiteFiles::ValueOf(projectpn->GridLines(), QStringLiteral("URL"));
    if (!url.isEmpty())
        QDesktopServices::openUrl(QUrl::fromUserInput(url));
}

void Tmain::UpdateWebPagesFilter() {
    SiteFilterPattern = WebsiteFilter::PatternOf(projectpn->WebPageFilter->currentText());
    UpdateWebsite();
}

QString Tmain::GetSelectedFileName() const {
    const int row = projectpn->Websites->currentRow();
    if (row < 0 || row >= static_cast<int>(WebsitesData.size()))
        return {};
    return projectpn->SelectedFileName(WebsitesData[static_cast<size_t>(row)].LocalPath);
}

void Tmain::WebpagePopupPopup() {
    const bool selected = !projectpn->Webpages->selectedItems().isEmpty();
    projectpn->mnuOpenFile->setEnabled(selected);
    projectpn->mnuPreviewFile->setEnabled(selected &&
                                          Commands().Has(QStringLiteral("PreviewExternalFile")));
    projectpn->mnuInsertA_HREF->setEnabled(selected &&
                                           Commands().Has(QStringLiteral("IInsertLink")));
    projectpn->mnuInsertIMG_SRC->setEnabled(selected &&
                                            Commands().Has(QStringLiteral("IInsertImage")));
}

void Tmain::OpenExternalFile() {
    if (projectpn->Webpages->selectedItems().isEmpty())
        return;
    const QString path = GetSelectedFileName();
    if (path.isEmpty() || QFileInfo(path).isDir())
        return;
    NewDocTab(1, path);
}
