#include "app/panels/WebSitesPanel.h"

#include "app/commands/CommandRegistry.h"
#include "app/commands/Requests.h"
#include "app/core/WebsiteData.h"
#include "platform/SilentAbort.h"

#include <QAction>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTableWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace {

constexpr int kLevels = 3;

} // namespace

const QStringList& TWebSitesPanel::FilterItems() {
    static const QStringList items = {
        QStringLiteral("Alla filer (*.*)"),
        QStringLiteral("HTML-dokument (*.htm;*.html)"),
        QStringLiteral("CGI (*.cgi;*.pl;*.c;*.cpp)"),
        QStringLiteral("ASP (*.asp)"),
        QStringLiteral("PHP (*.php;*.php?)"),
        QStringLiteral("Inkluderingsfiler (*.inc)"),
        QStringLiteral("JavaScript (*.js)"),
        QStringLiteral("VisualBasic Scripting Edition (*.vbs)"),
        QStringLiteral("Stilmall (*.css)"),
        QStringLiteral("Textdokument (*.txt)"),
        QStringLiteral("Bilder (*.bmp;*.png;*.gif;*.jpg;*.jpeg;*.tif;*.tiff;*.tga)"),
    };
    return items;
}

TWebSitesPanel::TWebSitesPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("projectpn"));
    setWindowTitle(QStringLiteral("Projekthanterare"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);

    auto* buttons = new QHBoxLayout;
    btnWebsiteNew = new QToolButton(this);
    btnWebsiteNew->setText(QStringLiteral("Ny webbplats..."));
    btnWebsiteNew->setToolTip(QStringLiteral("Ny webbplats"));
    btnWebsiteNew->setStatusTip(QStringLiteral("Skapar en ny webbplats."));
    btnWebsiteDelete = new QToolButton(this);
    btnWebsiteDelete->setText(QStringLiteral("Ta bort"));
    btnWebsiteDelete->setToolTip(QStringLiteral("Ta bort webbplats"));
    btnWebsiteDelete->setStatusTip(QStringLiteral("Tar bort den markerade webbplatsen."));
    btnWebsiteDelete->setEnabled(false);
    buttons->addWidget(btnWebsiteNew);
    buttons->addWidget(btnWebsiteDelete);
    buttons->addStretch();
    layout->addLayout(buttons);

    auto* split = new QSplitter(Qt::Vertical, this);
    Websites = new QListWidget(split);
    WebsiteDataView = new QTableWidget(0, 2, split);
    WebsiteDataView->setHorizontalHeaderLabels(
        {QStringLiteral("Egenskap"), QStringLiteral("Värde")});
    WebsiteDataView->horizontalHeader()->setStretchLastSection(true);
    WebsiteDataView->verticalHeader()->hide();
    WebsiteDataView->installEventFilter(this);
    Webpages = new QTreeWidget(split);
    Webpages->setHeaderHidden(true);
    Webpages->setSelectionMode(QAbstractItemView::ExtendedSelection);
    Webpages->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Webpages->setContextMenuPolicy(Qt::CustomContextMenu);
    // Small minimum heights, so that the panel fits beside the other side panels.
    for (QWidget* view : {static_cast<QWidget*>(Websites), static_cast<QWidget*>(WebsiteDataView),
                          static_cast<QWidget*>(Webpages)})
        view->setMinimumHeight(24);
    layout->addWidget(split, 1);
    setMinimumHeight(1);

    auto* filterRow = new QHBoxLayout;
    auto* label = new QLabel(QStringLiteral("Visa e&ndast:"), this);
    WebPageFilter = new QComboBox(this);
    WebPageFilter->setEditable(true);
    WebPageFilter->setInsertPolicy(QComboBox::NoInsert);
    WebPageFilter->addItems(FilterItems());
    label->setBuddy(WebPageFilter);
    filterRow->addWidget(label);
    filterRow->addWidget(WebPageFilter, 1);
    layout->addLayout(filterRow);

    WebpagePopup = new QMenu(this);
    mnuPreviewFile = WebpagePopup->addAction(QStringLiteral("&Förhandsgranska"));
    mnuOpenFile = WebpagePopup->addAction(QStringLiteral("Öppna dokument"));
    mnuInsertA_HREF = WebpagePopup->addAction(QStringLiteral("Infoga länk i aktuellt dokument"));
    mnuInsertIMG_SRC = WebpagePopup->addAction(QStringLiteral("Infoga bild i aktuellt dokument"));
    connect(Webpages, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        WebpagePopup->popup(Webpages->viewport()->mapToGlobal(at));
    });
    connect(WebsiteDataView, &QTableWidget::itemChanged, this, [this] { GridChanged(); });

    // The new-site wizard, the file preview and the link and image dialogs are commands of the
    // markup tools, run by name; the file commands take the selected file.
    connect(btnWebsiteNew, &QToolButton::clicked, this, [this] {
        if (commands_)
            commands_->Trigger(QStringLiteral("CreateNewSite"));
    });
    const struct {
        QAction* item;
        const char* command;
    } fileCommands[] = {{mnuPreviewFile, "PreviewExternalFile"},
                        {mnuInsertA_HREF, "IInsertLink"},
                        {mnuInsertIMG_SRC, "IInsertImage"}};
    for (const auto& f : fileCommands)
        connect(f.item, &QAction::triggered, this, [this, command = f.command] {
            const QString path = SelectedFile();
            if (!path.isEmpty())
                Run(QLatin1String(command), path);
        });
    connect(btnWebsiteDelete, &QToolButton::clicked, this, [this] {
        Run(QStringLiteral("RemoveSite"), TSiteChangeRequest{CurrentSite(), {}});
    });
    connect(Websites, &QListWidget::itemClicked, this, [this] { UpdateWebsite(); });
    connect(Websites, &QListWidget::currentRowChanged, this, [this] { UpdateWebsite(); });
    connect(WebsiteDataView, &QTableWidget::cellDoubleClicked, this, [this] { OpenUrl(); });
    connect(WebPageFilter, &QComboBox::activated, this, [this] { FilterChanged(); });
    connect(WebPageFilter->lineEdit(), &QLineEdit::returnPressed, this,
            [this] { FilterChanged(); });
    connect(WebpagePopup, &QMenu::aboutToShow, this, [this] { PrepareFileMenu(); });
    connect(mnuOpenFile, &QAction::triggered, this, [this] { OpenSelectedFile(); });
    connect(Webpages, &QTreeWidget::itemDoubleClicked, this, [this] { OpenSelectedFile(); });
}

void TWebSitesPanel::Run(const QString& command, const std::any& request) {
    if (commands_)
        RunCommand([&] { commands_->Run(command, request); });
}

// --- the list ----------------------------------------------------------------------------------

void TWebSitesPanel::ShowSites() {
    const QSignalBlocker block(Websites);
    Websites->clear();
    if (sites_)
        for (const TWebsiteData& site : *sites_)
            Websites->addItem(site.Value(QStringLiteral("Titel")));
    btnWebsiteDelete->setEnabled(false);
}

void TWebSitesPanel::ShowSite(int index) {
    if (index >= 0 && sites_ && index < static_cast<int>(sites_->size())) {
        {
            const QSignalBlocker block(Websites);
            Websites->setCurrentRow(index);
        }
        UpdateWebsite();
        return;
    }
    SetGridLines({});
    Webpages->clear();
}

int TWebSitesPanel::CurrentSite() const {
    const int row = Websites->currentRow();
    return sites_ && row >= 0 && row < static_cast<int>(sites_->size()) ? row : -1;
}

void TWebSitesPanel::UpdateWebsite() {
    const int row = CurrentSite();
    if (row < 0)
        return;
    const TWebsiteData& site = (*sites_)[static_cast<size_t>(row)];
    SetGridLines(site.Properties);
    FillTree(site.LocalPath, filterPattern_);
    btnWebsiteDelete->setEnabled(true);
}

void TWebSitesPanel::GridChanged() {
    const int row = CurrentSite();
    if (row >= 0)
        Run(QStringLiteral("SetSiteProperties"), TSiteChangeRequest{row, GridLines()});
}

void TWebSitesPanel::FilterChanged() {
    filterPattern_ = WebsiteFilter::PatternOf(WebPageFilter->currentText());
    UpdateWebsite();
}

void TWebSitesPanel::OpenUrl() {
    const QTableWidgetItem* name = WebsiteDataView->item(WebsiteDataView->currentRow(), 0);
    if (!name || name->text() != QLatin1String("URL"))
        return;
    const QString url = WebsiteFiles::ValueOf(GridLines(), QStringLiteral("URL"));
    if (!url.isEmpty())
        QDesktopServices::openUrl(QUrl::fromUserInput(url));
}

// --- the files ---------------------------------------------------------------------------------

QString TWebSitesPanel::SelectedFile() const {
    const int row = CurrentSite();
    if (row < 0)
        return {};
    return SelectedFileName((*sites_)[static_cast<size_t>(row)].LocalPath);
}

void TWebSitesPanel::PrepareFileMenu() {
    const bool selected = !Webpages->selectedItems().isEmpty();
    const auto available = [this, selected](const char* command) {
        return selected && commands_ && commands_->Has(QLatin1String(command));
    };
    mnuOpenFile->setEnabled(selected);
    mnuPreviewFile->setEnabled(available("PreviewExternalFile"));
    mnuInsertA_HREF->setEnabled(available("IInsertLink"));
    mnuInsertIMG_SRC->setEnabled(available("IInsertImage"));
}

void TWebSitesPanel::OpenSelectedFile() {
    if (Webpages->selectedItems().isEmpty())
        return;
    const QString path = SelectedFile();
    if (path.isEmpty() || QFileInfo(path).isDir())
        return;
    Run(QStringLiteral("AOpenDoc"), TOpenRequest{path});
}

QStringList TWebSitesPanel::GridLines() const {
    QStringList lines;
    for (int r = 0; r < WebsiteDataView->rowCount(); ++r) {
        const QTableWidgetItem* name = WebsiteDataView->item(r, 0);
        const QTableWidgetItem* value = WebsiteDataView->item(r, 1);
        const QString n = name ? name->text() : QString();
        const QString v = value ? value->text() : QString();
        if (!n.isEmpty() || !v.isEmpty())
            lines << n + QLatin1Char('=') + v;
    }
    return lines;
}

void TWebSitesPanel::SetGridLines(const QStringList& lines) {
    const QSignalBlocker block(WebsiteDataView);
    WebsiteDataView->setRowCount(static_cast<int>(lines.size()));
    for (int r = 0; r < lines.size(); ++r) {
        const QString& line = lines[r];
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        WebsiteDataView->setItem(r, 0, new QTableWidgetItem(eq < 0 ? line : line.left(eq)));
        WebsiteDataView->setItem(r, 1, new QTableWidgetItem(eq < 0 ? QString() : line.mid(eq + 1)));
    }
}

void TWebSitesPanel::FillTree(const QString& localPath, const QString& pattern) {
    Webpages->clear();
    AddEntries(localPath, nullptr, 1, pattern);
}

void TWebSitesPanel::AddEntries(const QString& folder, QTreeWidgetItem* parent, int level,
                                const QString& pattern) {
    const QDir dir(folder);
    const QFileInfoList entries = dir.entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Unsorted);
    for (const QFileInfo& info : entries) {
        const bool isDir = info.isDir();
        if (!isDir && !WebsiteFilter::Filter(pattern, WebsiteFilter::ExtensionOf(info.fileName())))
            continue;
        auto* node = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(Webpages);
        node->setText(0, info.fileName());
        if (isDir && level < kLevels)
            AddEntries(info.filePath(), node, level + 1, pattern);
    }
}

QString TWebSitesPanel::SelectedFileName(const QString& localPath) const {
    QTreeWidgetItem* node = Webpages->currentItem();
    if (!node)
        return {};
    QStringList parts;
    for (; node; node = node->parent())
        parts.prepend(node->text(0));
    return localPath + QLatin1Char('/') + parts.join(QLatin1Char('/'));
}

bool TWebSitesPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == WebsiteDataView && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Insert && key->modifiers() == Qt::NoModifier) {
            const QSignalBlocker block(WebsiteDataView);
            WebsiteDataView->insertRow(WebsiteDataView->rowCount());
            WebsiteDataView->setCurrentCell(WebsiteDataView->rowCount() - 1, 0);
            return true;
        }
        if (key->key() == Qt::Key_Delete && key->modifiers() == Qt::ControlModifier &&
            WebsiteDataView->currentRow() >= 0) {
            {
                const QSignalBlocker block(WebsiteDataView);
                WebsiteDataView->removeRow(WebsiteDataView->currentRow());
            }
            GridChanged();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
