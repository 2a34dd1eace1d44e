#include "TestSupport.h"
#include "app/core/AppTimer.h"
#include "app/core/Backups.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace {

// Open documents as the main window holds them: a name and a line store each.
class BackupTest : public ::testing::Test {
protected:
    BackupTest() : service_(QDir(dir_.path()).filePath("backup"), &clock_) {
        service_.CollectDocuments = [this]() -> std::optional<std::vector<TBackupDocument>> {
            if (busy_)
                return std::nullopt;
            std::vector<TBackupDocument> docs;
            for (const auto& d : docs_)
                docs.push_back({d.first, d.second->TakeSnapshot(), modified_});
            return docs;
        };
        service_.ReportFailure = [this](const QString& m) { messages_ << m; };
    }

    LineStore& Open(const QString& name, const QByteArray& text) {
        docs_.emplace_back(name, std::make_unique<LineStore>());
        docs_.back().second->SetText(text);
        return *docs_.back().second;
    }
    QString Backup(const QString& name) const { return QDir(service_.Folder()).filePath(name); }
    QStringList Files() const { return QDir(service_.Folder()).entryList(QDir::Files, QDir::Name); }

    QTemporaryDir dir_;
    TManualClock clock_{QDateTime(QDate(2026, 3, 9), QTime(15, 0))};
    TBackupService service_;
    std::vector<std::pair<QString, std::unique_ptr<LineStore>>> docs_;
    bool busy_ = false;
    bool modified_ = true;
    QStringList messages_;
};

TEST_F(BackupTest, NamesAreTabIndexAndFileNameWithoutFolder) {
    EXPECT_EQ(TBackupService::BackupName(0, "Nytt dokument"), QString("0 Nytt dokument"));
    EXPECT_EQ(TBackupService::BackupName(12, "/home/a/site/index.html"), QString("12 index.html"));
}

TEST_F(BackupTest, WritesEveryDocumentAndFollowsTheTabsAfterAClose) {
    Open("Nytt dokument", "one\r\n");
    Open("/w/a.html", "<p>a</p>\r\nline 2\r\n");
    Open("/w/b.css", "b {}\r\n");
    ASSERT_EQ(service_.BackupDoc(), TBackupService::TResult::Written);
    EXPECT_EQ(service_.LastWritten(), 3);
    EXPECT_EQ(Files(), (QStringList{"0 Nytt dokument", "1 a.html", "2 b.css"}));
    EXPECT_EQ(ReadTestFile(Backup("1 a.html")), QByteArray("<p>a</p>\r\nline 2\r\n"));

    docs_.erase(docs_.begin() + 1);
    ASSERT_EQ(service_.BackupDoc(), TBackupService::TResult::Written);
    EXPECT_EQ(service_.LastWritten(), 1); // only the former third document has a new name
    EXPECT_EQ(ReadTestFile(Backup("1 b.css")), QByteArray("b {}\r\n"));
    EXPECT_TRUE(QFileInfo::exists(Backup("2 b.css"))); // stays until it is purged
    EXPECT_TRUE(messages_.isEmpty());
}

TEST_F(BackupTest, WritesOnlyWhatChangedSinceItsLastBackup) {
    Open("a.txt", "a\r\n");
    LineStore& b = Open("b.txt", "b\r\n");
    Open("c.txt", "c\r\n");
    service_.BackupDoc();
    EXPECT_EQ(service_.BackupDoc(), TBackupService::TResult::Unchanged);
    EXPECT_EQ(service_.LastWritten(), 0);

    b.Put(0, "b changed");
    EXPECT_EQ(service_.BackupDoc(), TBackupService::TResult::Written);
    EXPECT_EQ(service_.LastWritten(), 1);
    EXPECT_EQ(ReadTestFile(Backup("1 b.txt")), QByteArray("b changed\r\n"));

    // A backup file that went away is written again.
    QFile::remove(Backup("2 c.txt"));
    service_.BackupDoc();
    EXPECT_EQ(service_.LastWritten(), 1);
    EXPECT_EQ(ReadTestFile(Backup("2 c.txt")), QByteArray("c\r\n"));
}

TEST_F(BackupTest, LeavesWhatAnUnfinishedRunLeftUntilTheDocumentChanges) {
    // The last run ended without closing: its backup of a new document is in the folder.
    ASSERT_TRUE(QDir().mkpath(service_.Folder()));
    QFile left(Backup("0 Nytt dokument"));
    ASSERT_TRUE(left.open(QIODevice::WriteOnly));
    left.write("unsaved work\r\n");
    left.close();

    LineStore& fresh = Open("Nytt dokument", "template\r\n");
    modified_ = false;
    EXPECT_EQ(service_.BackupDoc(), TBackupService::TResult::Unchanged);
    EXPECT_EQ(ReadTestFile(Backup("0 Nytt dokument")), QByteArray("unsaved work\r\n"));

    fresh.Put(0, "new work");
    modified_ = true;
    EXPECT_EQ(service_.BackupDoc(), TBackupService::TResult::Written);
    EXPECT_EQ(ReadTestFile(Backup("0 Nytt dokument")), QByteArray("new work\r\n"));
}

TEST_F(BackupTest, WritesTheLinesAsTheyWereWhenCollected) {
    LineStore& a = Open("a.txt", "before\r\n");
    // Typing that happens while the backup runs does not reach this backup.
    service_.ShowNote = [&a](const QString& note) {
        EXPECT_EQ(note, QStringLiteral("Säkerhetskopierar öppna dokument..."));
        a.Put(0, "after");
    };
    int done = 0;
    service_.NoteDone = [&done] { ++done; };
    service_.BackupDoc();
    EXPECT_EQ(ReadTestFile(Backup("0 a.txt")), QByteArray("before\r\n"));
    EXPECT_EQ(a.Get(0), QByteArray("after"));
    EXPECT_EQ(done, 1);
    service_.BackupDoc();
    EXPECT_EQ(ReadTestFile(Backup("0 a.txt")), QByteArray("after\r\n"));
}

TEST_F(BackupTest, DoesNothingWhileTheTableIsBusy) {
    Open("a.txt", "a\r\n");
    busy_ = true;
    bool noted = false;
    service_.ShowNote = [&noted](const QString&) { noted = true; };
    EXPECT_EQ(service_.BackupDoc(), TBackupService::TResult::Busy);
    EXPECT_FALSE(noted);
    EXPECT_FALSE(QFileInfo::exists(service_.Folder()));
}

TEST_F(BackupTest, AFailureIsReportedOnceUntilABackupSucceeds) {
    Open("a.txt", "a\r\n");
    // A file where the folder should be: the folder cannot be made.
    QFile blocker(service_.Folder());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_EQ(service_.BackupDoc(), TBackupService::TResult::Failed);
    EXPECT_EQ(service_.BackupDoc(), TBackupService::TResult::Failed);
    EXPECT_EQ(messages_, QStringList{TBackupService::FolderFailedMessage()});

    ASSERT_TRUE(QFile::remove(service_.Folder()));
    EXPECT_EQ(service_.BackupDoc(), TBackupService::TResult::Written);

    // A document whose backup cannot be written: the others still are, one message.
    Open("b.txt", "b\r\n");
    Open("c.txt", "c\r\n");
    ASSERT_TRUE(QDir().mkpath(Backup("1 b.txt")));
    docs_[0].second->Put(0, "a2");
    EXPECT_EQ(service_.BackupDoc(), TBackupService::TResult::Failed);
    EXPECT_EQ(ReadTestFile(Backup("0 a.txt")), QByteArray("a2\r\n"));
    EXPECT_EQ(ReadTestFile(Backup("2 c.txt")), QByteArray("c\r\n"));
    service_.BackupDoc();
    EXPECT_EQ(messages_, (QStringList{TBackupService::FolderFailedMessage(),
                                      TBackupService::SaveFailedMessage()}));
}

TEST_F(BackupTest, ABackupAskedForFromItsOwnBoxDoesNothing) {
    Open("a.txt", "a\r\n");
    QFile blocker(service_.Folder());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    std::vector<TBackupService::TResult> nested;
    service_.ReportFailure = [&](const QString& m) {
        messages_ << m;
        // The box's event loop: the minute passes, the timer or the exception box asks again.
        nested.push_back(service_.BackupDoc());
    };
    service_.BackupDoc();
    EXPECT_EQ(nested, std::vector<TBackupService::TResult>{TBackupService::TResult::Busy});
    EXPECT_EQ(messages_.size(), 1);
}

void Touch(const QString& path, const QDateTime& when) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("x");
    f.flush();
    ASSERT_TRUE(f.setFileTime(when, QFileDevice::FileModificationTime));
}

TEST_F(BackupTest, PurgeDeletesBackupsOfAnotherDayOfTheMonth) {
    ASSERT_TRUE(QDir().mkpath(service_.Folder()));
    const QTime noon(12, 0);
    Touch(Backup("0 last month same day"), QDateTime(QDate(2026, 2, 9), noon));
    Touch(Backup("1 yesterday"), QDateTime(QDate(2026, 3, 8), QTime(23, 59)));
    Touch(Backup("2 today"), QDateTime(QDate(2026, 3, 9), QTime(0, 1)));
    Touch(Backup("3 last year"), QDateTime(QDate(2025, 11, 20), noon));
    ASSERT_TRUE(QDir().mkpath(Backup("folder")));

    EXPECT_EQ(service_.PurgeOldBackups(), 2);
    EXPECT_EQ(Files(), (QStringList{"0 last month same day", "2 today"}));
    EXPECT_TRUE(QFileInfo(Backup("folder")).isDir());
}

} // namespace
