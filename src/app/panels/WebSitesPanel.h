#pragma once

#include <QStringList>
#include <QWidget>
#include <functional>

class QAction;
class QComboBox;
class QListWidget;
class QMenu;
class QTableWidget;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

// The side panel "Projekthanterare": the list of web sites, the selected site's properties
// and its files three folder levels deep, filtered by file type. The main window connects the
// controls to its commands.
class TWebSitesPanel : public QWidget {
public:
    // The items of the filter combo box.
    static const QStringList& FilterItems();

    explicit TWebSitesPanel(QWidget* parent = nullptr);

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

    // Run after the user edited, added or deleted a grid row.
    std::function<void()> OnGridChanged;

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
    void AddEntries(const QString& folder, QTreeWidgetItem* parent, int level,
                    const QString& pattern);
};
