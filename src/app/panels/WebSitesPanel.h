#pragma once

#include "app/commands/WebSiteCommands.h"

#include <QStringList>
#include <QWidget>
#include <any>

class QAction;
class QComboBox;
class QListWidget;
class QMenu;
class QTableWidget;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class TCommandRegistry;

// The side panel "Projekthanterare": the list of web sites, the selected site's properties
// and its files three folder levels deep, filtered by file type. Removing a site, changing its
// properties and opening a file run their commands by name.
class TWebSitesPanel : public QWidget, public TSiteList {
public:
    // The items of the filter combo box.
    static const QStringList& FilterItems();

    explicit TWebSitesPanel(QWidget* parent = nullptr);

    // The sites it shows, and the registry its controls run their commands in.
    void SetSites(const TWebsitesData* sites) { sites_ = sites; }
    void SetCommands(TCommandRegistry* commands) { commands_ = commands; }

    // --- the list (TSiteList) ----------------------------------------------------------------
    void ShowSites() override;
    void ShowSite(int index) override;
    int CurrentSite() const override;
    // Shows the properties and the files of the selected site.
    void UpdateWebsite();
    // The file-type pattern of the tree ("*.*" at start).
    const QString& FilterPattern() const { return filterPattern_; }
    // The full path of the selected tree node of the selected site; empty without either.
    QString SelectedFile() const;
    // Sets the states of the file menu's items (run as it opens).
    void PrepareFileMenu();

    QListWidget* Websites = nullptr;
    QToolButton* btnWebsiteNew = nullptr;
    QToolButton* btnWebsiteDelete = nullptr;
    QTableWidget* WebsiteDataView = nullptr; // columns "Egenskap" and "Värde"
    QTreeWidget* Webpages = nullptr;
    QComboBox* WebPageFilter = nullptr;
    QMenu* WebpagePopup = nullptr;
    QAction* mnuPreviewFile = nullptr;
    QAction* mnuOpenFile = nullptr;
    QAction* mnuInsertA_HREF = nullptr;
    QAction* mnuInsertIMG_SRC = nullptr;

    // The grid as Name=Value lines, and the grid filled from them (without its change signal).
    QStringList GridLines() const;
    void SetGridLines(const QStringList& lines);

    // The tree of a root folder: folders and the files the pattern lets through, three levels
    // deep, in the order the file system lists them.
    void FillTree(const QString& localPath, const QString& pattern);
    // The full path of the current tree node; empty when there is none.
    QString SelectedFileName(const QString& localPath) const;

    // Insert adds a grid row; Ctrl+Delete deletes the current one.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Run(const QString& command, const std::any& request = {});
    // The user edited, added or deleted a grid row.
    void GridChanged();
    void FilterChanged();
    void OpenSelectedFile();
    void OpenUrl();
    void AddEntries(const QString& folder, QTreeWidgetItem* parent, int level,
                    const QString& pattern);

    const TWebsitesData* sites_ = nullptr;
    TCommandRegistry* commands_ = nullptr;
    QString filterPattern_ = QStringLiteral("*.*");
};
