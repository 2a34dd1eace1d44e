#include "app/core/InstanceMark.h"
#include "TestSupport.h"
#include "app/core/AppTimer.h"
#include "app/core/Backups.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace {

// Instances of the program as this process can make them: marks on one store, lock files in
// one folder. A mark dropped without Release is an instance that ended without closing.
class InstanceMarkTest : public ::testing::Test {
protected:
    std::unique_ptr<QSettings> Store() const {
        return std::make_unique<QSettings>(dir_.filePath("Kelvora.ini"), QSettings::IniFormat);
    }
    std::unique_ptr<TInstanceMark> Start() const {
        auto mark = std::make_unique<TInstanceMark>(dir_.filePath("instanser"));
        mark->Take(*Store());
        return mark;
    }
    QList<int> Listed() const { return RunningSlots(*Store()); }

    QTemporaryDir dir_;
};

TEST_F(InstanceMarkTest, TwoInstancesHaveSeparateMarks) {
    auto first = Start();
    auto second = Start();
    EXPECT_EQ(first->Slot(), 1);
    EXPECT_EQ(second->Slot(), 2);
    EXPECT_FALSE(first->PreviousRunUnfinished());
    EXPECT_FALSE(second->PreviousRunUnfinished()) << "the first one is running, not gone";
    EXPECT_EQ(Listed(), (QList<int>{1, 2}));

    // The second ends without closing, the first closes: the next start takes over the second
    // one's slot, the one after it a free one.
    second.reset();
    EXPECT_TRUE(first->Release(*Store()));
    EXPECT_EQ(Listed(), QList<int>{2});
    auto third = Start();
    EXPECT_EQ(third->Slot(), 2);
    EXPECT_TRUE(third->PreviousRunUnfinished());
    auto fourth = Start();
    EXPECT_EQ(fourth->Slot(), 1);
    EXPECT_FALSE(fourth->PreviousRunUnfinished());

    // Closing in order leaves no mark; an end without closing is offered only once.
    EXPECT_TRUE(third->Release(*Store()));
    EXPECT_TRUE(fourth->Release(*Store()));
    EXPECT_EQ(Listed(), QList<int>());
    EXPECT_FALSE(Start()->PreviousRunUnfinished());
    EXPECT_TRUE(Start()->PreviousRunUnfinished());
    auto again = Start();
    EXPECT_TRUE(again->PreviousRunUnfinished());
    EXPECT_TRUE(again->Release(*Store()));
    EXPECT_FALSE(Start()->PreviousRunUnfinished());
}

TEST_F(InstanceMarkTest, TheLockOfAKilledProcessIsTakenOver) {
    // A lock file as a killed instance leaves it: its process is gone.
    QProcess gone;
    gone.start(QStringLiteral("/bin/true"));
    ASSERT_TRUE(gone.waitForStarted(30000));
    const qint64 pid = gone.processId();
    ASSERT_TRUE(gone.waitForFinished(30000));
    MarkRunning(*Store(), 1);
    ASSERT_TRUE(QDir().mkpath(dir_.filePath("instanser")));
    WriteTestFile(QDir(TestRootDir()).relativeFilePath(dir_.filePath("instanser/1.lock")),
                  QByteArray::number(pid) + "\nkelvora\n" + QSysInfo::machineHostName().toUtf8() +
                      "\n");
    auto next = Start();
    EXPECT_EQ(next->Slot(), 1);
    EXPECT_TRUE(next->PreviousRunUnfinished());
}

TEST_F(InstanceMarkTest, WithoutLockFilesTheFirstSlotIsShared) {
    // The folder of the lock files is a plain file: no lock can be made.
    WriteTestFile(QDir(TestRootDir()).relativeFilePath(dir_.filePath("instanser")), "x");
    auto first = Start();
    auto second = Start();
    EXPECT_EQ(first->Slot(), 1);
    EXPECT_EQ(second->Slot(), 1);
    EXPECT_TRUE(second->PreviousRunUnfinished());
    EXPECT_EQ(Listed(), QList<int>{1});
}

TEST_F(InstanceMarkTest, EachInstanceBacksUpAndPurgesItsOwnFolder) {
    TManualClock clock{QDateTime(QDate(2026, 3, 9), QTime(15, 0))};
    const QString root = dir_.filePath("backup");
    TBackupService first(root, &clock), second(root, &clock);
    first.SetInstance(1);
    second.SetInstance(2);
    EXPECT_EQ(first.Folder(), root);
    EXPECT_EQ(second.Folder(), root + "/instans 2");
    LineStore one, two;
    one.SetText("first\r\n");
    two.SetText("second\r\n");
    first.CollectDocuments = [&] {
        return std::optional(std::vector<TBackupDocument>{{"Nytt dokument", one.TakeSnapshot()}});
    };
    second.CollectDocuments = [&] {
        return std::optional(std::vector<TBackupDocument>{{"Nytt dokument", two.TakeSnapshot()}});
    };
    ASSERT_EQ(first.BackupDoc(), TBackupService::TResult::Written);
    ASSERT_EQ(second.BackupDoc(), TBackupService::TResult::Written);
    EXPECT_EQ(ReadTestFile(root + "/0 Nytt dokument"), "first\r\n");
    EXPECT_EQ(ReadTestFile(root + "/instans 2/0 Nytt dokument"), "second\r\n");

    // Written another day: each purge takes its own files only.
    for (const QString& name : {root + "/0 Nytt dokument", root + "/instans 2/0 Nytt dokument"}) {
        QFile f(name);
        ASSERT_TRUE(f.open(QIODevice::Append));
        ASSERT_TRUE(f.setFileTime(clock.Now().addDays(-1), QFileDevice::FileModificationTime));
    }
    EXPECT_EQ(first.PurgeOldBackups(), 1);
    EXPECT_TRUE(QFile::exists(root + "/instans 2/0 Nytt dokument"));
    EXPECT_EQ(second.PurgeOldBackups(), 1);
}

} // namespace
