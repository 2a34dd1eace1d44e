#include "app/core/Backups.h"

#include "app/core/AppTimer.h"
#include "platform/AppPaths.h"
#include "platform/FlagScope.h"

#include <QDir>
#include <QFileInfo>

TBackupService::TBackupService(QString folder, TClock* clock)
    : folder_(std::move(folder)), clock_(clock ? clock : &SystemClock()) {}

QString TBackupService::InstanceFolderName(int slot) {
    return QStringLiteral("instans ") + QString::number(slot);
}

QString TBackupService::Folder() const {
    const QString folder =
        folder_.isEmpty() ? AppPaths::DataFile(QStringLiteral("backup")) : folder_;
    return slot_ > 1 ? QDir(folder).filePath(InstanceFolderName(slot_)) : folder;
}

QString TBackupService::BackupName(int tabIndex, const QString& fileName) {
    return QString::number(tabIndex) + QLatin1Char(' ') + QFileInfo(fileName).fileName();
}

QString TBackupService::FolderFailedMessage() {
    return QStringLiteral("Det gick inte att säkerhetskopiera dokumentet i bakgrunden. Det gick "
                          "inte att skapa katalogen \"backup\".");
}

QString TBackupService::SaveFailedMessage() {
    return QStringLiteral("Det gick inte att säkerhetskopiera dokumentet i bakgrunden. Det gick "
                          "inte att spara filen.");
}

QString TBackupService::OfferInformation() {
    return QStringLiteral("Kelvoras föregående session avslutades inte normalt. Eventuella "
                          "förlorade data kan återskapas från backup-filer.");
}

QString TBackupService::OfferQuestion() {
    return QStringLiteral("Vill du öppna en backup-fil?");
}

bool TBackupService::WriteSnapshot(const QString& path, const LineStore::Snapshot& lines) const {
    // A store that shares the snapshot's chunks: no line is copied before it is written.
    LineStore store;
    store.RestoreSnapshot(lines);
    return store.SaveToFile(path, nullptr);
}

void TBackupService::Fail(const QString& message) {
    if (failureReported_)
        return;
    failureReported_ = true;
    if (ReportFailure)
        ReportFailure(message);
}

TBackupService::TResult TBackupService::BackupDoc() {
    if (running_)
        return TResult::Busy;
    const FlagScope running(running_);
    lastWritten_ = 0;

    std::optional<std::vector<TBackupDocument>> docs;
    if (CollectDocuments)
        docs = CollectDocuments();
    if (!docs)
        return TResult::Busy;

    if (ShowNote)
        ShowNote(QStringLiteral("Säkerhetskopierar öppna dokument..."));
    struct NoteEnd {
        const std::function<void()>& done;
        ~NoteEnd() {
            if (done)
                done();
        }
    } noteEnd{NoteDone};
    const QString folder = Folder();
    if (!QDir().mkpath(folder)) {
        Fail(FolderFailedMessage());
        return TResult::Failed;
    }

    std::map<QString, LineStore::Snapshot> written;
    bool failed = false;
    for (size_t i = 0; i < docs->size(); ++i) {
        const TBackupDocument& doc = (*docs)[i];
        const QString path = QDir(folder).filePath(BackupName(static_cast<int>(i), doc.FileName));
        if (!doc.Modified)
            continue;
        const auto last = written_.find(path);
        if (last != written_.end() && last->second.Count() == doc.Lines.Count() &&
            last->second.SharesAllWith(doc.Lines) && QFileInfo::exists(path)) {
            written.emplace(path, doc.Lines);
            continue;
        }
        if (WriteSnapshot(path, doc.Lines)) {
            written.emplace(path, doc.Lines);
            ++lastWritten_;
        } else {
            failed = true;
        }
    }
    // Only the files of documents still open are remembered: a closed document's lines go.
    written_ = std::move(written);

    if (failed) {
        Fail(SaveFailedMessage());
        return TResult::Failed;
    }
    failureReported_ = false;
    return lastWritten_ > 0 ? TResult::Written : TResult::Unchanged;
}

int TBackupService::PurgeOldBackups() const {
    const int today = clock_->Now().date().day();
    int deleted = 0;
    const QFileInfoList entries =
        QDir(Folder()).entryInfoList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo& info : entries) {
        if (info.lastModified().date().day() != today && QFile::remove(info.filePath()))
            ++deleted;
    }
    return deleted;
}
