#pragma once

#include "app/commands/BookmarkCommands.h"

#include <QByteArray>
#include <QStringList>
#include <QWidget>
#include <any>

class QAction;
class QListWidget;
class QMenu;
class QPushButton;
class TCommandRegistry;

// The side panel "Bokmärken": a list of line bookmarks of the current document. An entry
// only names a line number and shows the start of that line; it does not follow edits. Adding
// the caret's line and going to an entry's line run their commands by name.
class TBookmarksPanel : public QWidget, public TBookmarkList {
public:
    // A line longer than this is shown cut, with "..." before the closing quote.
    static constexpr int ShownChars = 20;

    explicit TBookmarksPanel(QWidget* parent = nullptr);

    // The registry the add button, the menu and the list run their commands in.
    void SetCommands(TCommandRegistry* commands) { commands_ = commands; }

    QListWidget* bookmarks = nullptr;
    QPushButton* btnAddBookmark = nullptr;
    QMenu* bmPopup = nullptr;
    QAction* Laggtillaktuellrad1 = nullptr;
    QAction* Taborttmarkeradebokmrken1 = nullptr;
    QAction* Markeraallabokmrken1 = nullptr;

    // The entry of a 0-based line holding `text` (Windows-1252 bytes): 1-based number, ": "
    // and the line's first characters in quotes.
    static QString EntryText(int line, const QByteArray& text);
    // The 1-based line number an entry names; 0 when it names none.
    static int EntryLine(const QString& entry);

    QStringList Entries() const;
    void SetEntries(const QStringList& entries);
    void AddEntry(const QString& entry);
    void AddLine(int line, const QByteArray& text) override { AddEntry(EntryText(line, text)); }
    // Deletes the selected entries.
    void DeleteSelected();
    void SelectAll();
    // Sets the states of the menu's items (run as it opens).
    void PreparePopup();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Run(const QString& command, const std::any& request = {});

    TCommandRegistry* commands_ = nullptr;
};
