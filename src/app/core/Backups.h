#pragma once

#include "editor/text/LineStore.h"

#include <QString>
#include <functional>
#include <map>
#include <optional>
#include <vector>

class TClock;

// One open document as a backup sees it: its name and an immutable copy of its lines.
struct TBackupDocument {
    QString FileName; // full path, or the given name of a new document
    LineStore::Snapshot Lines;
    // A document without unsaved changes has its file (or nothing) to come back to: it is not
    // written, so that it cannot overwrite what an earlier run that did not end left behind.
    bool Modified = true;
};

// The background backup of the open documents into the "backup" folder: one file per document,
// named by its tab index, a blank and its file name without folder ("0 Nytt dokument"). Only
// modified documents whose lines changed since their last backup are written, each atomically
// from a snapshot, so the document table and the editor are only read.
class TBackupService {
public:
    // The documents in tab order, or nothing while a tab switch or a close is under way.
    using Collect = std::function<std::optional<std::vector<TBackupDocument>>()>;
    using Report = std::function<void(const QString& message)>;
    using Status = std::function<void(const QString& note)>;

    // The folder; empty means the per-user data folder's "backup".
    explicit TBackupService(QString folder = QString(), TClock* clock = nullptr);

    Collect CollectDocuments;
    Report ReportFailure;           // may run a modal box
    Status ShowNote;                // panel 6 while the backup runs
    std::function<void()> NoteDone; // the note may go (after 2 seconds)

    // The instance whose backups these are: slot 1 (or none) writes into the folder itself,
    // any other slot into a subfolder of its own, so that instances never share a file.
    void SetInstance(int slot) { slot_ = slot; }
    static QString InstanceFolderName(int slot);
    QString Folder() const;
    static QString BackupName(int tabIndex, const QString& fileName);

    enum class TResult { Written, Unchanged, Busy, Failed };
    // One backup of every open document. A failure is reported once, until a backup succeeds
    // again; a backup asked for while one is running (from the box it opened) does nothing.
    TResult BackupDoc();
    // How many files the last backup wrote.
    int LastWritten() const { return lastWritten_; }

    // At the end of a run: deletes every backup whose last write was on another day of the
    // month than today. Returns the number deleted.
    int PurgeOldBackups() const;

    // The question after a run that did not end: asked only when automatic backups are on.
    static bool ShouldOfferBackups(bool previousRunUnfinished, bool autoBackupEnabled) {
        return previousRunUnfinished && autoBackupEnabled;
    }
    static QString OfferInformation();
    static QString OfferQuestion();

    static QString FolderFailedMessage();
    static QString SaveFailedMessage();

private:
    bool WriteSnapshot(const QString& path, const LineStore::Snapshot& lines) const;
    void Fail(const QString& message);

    QString folder_;
    int slot_ = 0;
    TClock* clock_;
    // The lines last written to each backup file, to see what changed.
    std::map<QString, LineStore::Snapshot> written_;
    bool running_ = false;
    bool failureReported_ = false;
    int lastWritten_ = 0;
};
