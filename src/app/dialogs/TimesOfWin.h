#pragma once

#include <QAbstractListModel>
#include <QByteArray>
#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

class LineStore;
class QAction;
class QLabel;
class QListView;
class QMenu;
class QStatusBar;

// One listed hit: where it is, how long it is and in which document.
struct TOccurrence {
    qint64 Offset = 0;
    int Length = 0;
    int Tab = -1;      // the document's tab at listing time; -1 for a listing of one document
    int Document = -1; // index into TOccurrenceList's documents; -1 for none
};

// The entries of the occurrences window, one row per hit. A row's text is built when the
// view asks for it, so a million hits cost a few tens of bytes each and no widgets.
class TOccurrenceList : public QAbstractListModel {
public:
    // How much of the text at a hit an entry shows.
    static constexpr int ExcerptLength = 32;

    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    void Clear();
    // Adds one entry per hit (offsets increasing) with the text that follows it in lines.
    // A non-empty fileName names the document in each entry; its full path tells the
    // document again when the entry is gone to.
    void AddHits(const LineStore& lines, const std::vector<int>& hits, int length, int tab,
                 const QString& fileName = QString());

    int Count() const { return static_cast<int>(entries_.size()); }
    const TOccurrence& Entry(int row) const { return entries_[static_cast<size_t>(row)]; }
    // The full path of an entry's document (empty for a listing of one document).
    QString DocumentPath(int row) const;
    // "(offset + 1): " + 32 characters from the hit + "..." [+ " (file name)"]. Line breaks and
    // tabs in the excerpt show as blanks, so that an entry is one line.
    QString Text(int row) const;

private:
    std::vector<TOccurrence> entries_;
    QByteArray excerpts_; // ExcerptLength bytes per entry, padded with NUL
    std::vector<QString> names_, paths_;
};

// The occurrences window: the list of hits of the last listing, with go to, clear and export.
// Closing it only hides it.
class TTimesOf : public QWidget {
public:
    explicit TTimesOf(QWidget* parent = nullptr);

    QLabel* PanelCaption1 = nullptr;
    QListView* IndexList = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QLabel* StatusText = nullptr;
    QMenu* Popup = nullptr;
    QAction* GotoItem = nullptr;
    QAction* ClearItem = nullptr;
    QAction* ExportItem = nullptr;
    TOccurrenceList* List() const { return list_; }

    // Run for the entry to go to, with its row.
    std::function<void(int row)> OnGoto;
    // Shows a message to the user.
    std::function<void(const QString&)> OnMessage;

    void SetCaption(const QString& text);
    void SetStatus(const QString& text);
    // The selected entry to the editor; nothing without a selected entry.
    void GotoOccItem();
    // Caption back to "Förekomster", list emptied, status text cleared.
    void DelOccResults();
    // Writes the entries one per line to a file the user chooses.
    void ExportOccs();
    // Writes the entries to a file; false when that failed.
    bool WriteEntries(const QString& fileName) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TOccurrenceList* list_;
};
