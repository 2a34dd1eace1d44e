#include "MainWinFixture.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>

namespace {

class BackupMainWinTest : public MainWinTest {
protected:
    void SetUp() override {
        MainWinTest::SetUp();
        QDir(win->Backups.Folder()).removeRecursively();
    }
    QString Backup(const QString& name) const { return QDir(win->Backups.Folder()).filePath(name); }
    QStringList Backups() const {
        return QDir(win->Backups.Folder()).entryList(QDir::Files, QDir::Name);
    }
};

} // namespace

TEST_F(BackupMainWinTest, BacksUpEachDocumentsOwnTextAndLeavesTheTableAlone) {
    Type("new text");
    Open(Make("a.html", "a\r\n"));
    Type("A");
    Open(Make("b.html", "b\r\n"));
    Type("B");
    Click("a.html (SM)");
    ASSERT_EQ(win->CurrentTab(), 1);
    const int storedLines = win->OpenFiles[1].Lines->Count();

    ASSERT_TRUE(win->BackupDoc());
    EXPECT_EQ(Backups(), (QStringList{"0 Nytt dokument", "1 a.html", "2 b.html"}));
    EXPECT_EQ(ReadTestFile(Backup("0 Nytt dokument")), QByteArray("new text\r\n"));
    EXPECT_EQ(ReadTestFile(Backup("1 a.html")), QByteArray("Aa\r\n"));
    EXPECT_EQ(ReadTestFile(Backup("2 b.html")), QByteArray("Bb\r\n"));
    // The record of the document on screen is not filled from the editor.
    EXPECT_EQ(win->OpenFiles[1].Lines->Count(), storedLines);
    EXPECT_EQ(TextOf(0), QByteArray("new text\r\n"));
    EXPECT_EQ(TextOf(2), QByteArray("Bb\r\n"));
    EXPECT_EQ(Captions(), (QStringList{"Nytt dokument (M)", "a.html (SM)", "b.html (SM)"}));
    EXPECT_EQ(win->StatusPanel(6), QStringLiteral("Säkerhetskopierar öppna dokument..."));

    win->SwitchingTab = true;
    EXPECT_FALSE(win->BackupDoc());
    EXPECT_TRUE(win->BackupTimer.Guard());
    win->SwitchingTab = false;
    EXPECT_TRUE(seen.isEmpty()) << seen.join('\n').toStdString();
}

TEST_F(BackupMainWinTest, TypingArmsTheUndoSnapshotButASwitchDoesNot) {
    Open(Make("a.txt", "a\r\n"));
    EXPECT_FALSE(win->Debounce.AUU.IsActive());
    Type("x");
    EXPECT_TRUE(win->Debounce.AUU.IsActive());
    EXPECT_FALSE(win->CodeEditor->CanUndo());
    win->AddManualChangeToUndoData();
    EXPECT_FALSE(win->Debounce.AUU.IsActive());
    EXPECT_TRUE(win->CodeEditor->CanUndo());
    EXPECT_TRUE(win->CurrentDocState().CanUndo);
    Type("y");
    Click("Nytt dokument ()");
    EXPECT_FALSE(win->Debounce.AUU.IsActive()); // no snapshot of the text switched to
    EXPECT_FALSE(win->CodeEditor->CanUndo());
}

TEST_F(BackupMainWinTest, AFailedBackupIsReportedOnce) {
    Type("x");
    QFile blocker(win->Backups.Folder());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_FALSE(win->BackupDoc());
    EXPECT_FALSE(win->BackupDoc());
    EXPECT_EQ(seen, QStringList{"M:" + TBackupService::FolderFailedMessage()});
    QFile::remove(win->Backups.Folder());
}

TEST_F(BackupMainWinTest, TheOfferAfterAnUnfinishedRunOpensABackup) {
    ASSERT_TRUE(QDir().mkpath(win->Backups.Folder()));
    QFile left(Backup("0 Nytt dokument"));
    ASSERT_TRUE(left.open(QIODevice::WriteOnly));
    left.write("lost work\r\n");
    left.close();

    win->PreviousRunUnfinished = true;
    answers = {Dialogs::mrYes};
    fileAnswers = {{Backup("0 Nytt dokument"), 0}};
    win->ShowTimersAndData();
    ASSERT_EQ(seen.size(), 1);
    // The box breaks the information into lines (at blanks or after a hyphen).
    QString asked = seen[0];
    QString expected =
        "Q:" + TBackupService::OfferInformation() + "|" + TBackupService::OfferQuestion();
    EXPECT_EQ(asked.remove(' '), expected.remove(' '));
    // The folder with every file listed: backups of new documents have no extension.
    EXPECT_EQ(requests, QStringList{"Öppna|10|" + win->Backups.Folder() + "/"});
    EXPECT_EQ(TextOf(1), QByteArray("lost work\r\n"));
    EXPECT_TRUE(win->BackupTimer.IsActive());

    // The backups of that run stay until something in this run changes.
    ASSERT_TRUE(win->BackupDoc());
    EXPECT_EQ(ReadTestFile(Backup("0 Nytt dokument")), QByteArray("lost work\r\n"));
}

TEST_F(BackupMainWinTest, NoOfferWithoutAutomaticBackups) {
    win->PreviousRunUnfinished = true;
    win->AutoBackupEnabled = false;
    win->ShowTimersAndData();
    EXPECT_TRUE(seen.isEmpty());
    EXPECT_FALSE(win->BackupTimer.IsActive());
}

TEST_F(BackupMainWinTest, ClosingSavesTheDataFilesAndPurgesOldBackups) {
    ASSERT_TRUE(QDir().mkpath(win->Backups.Folder()));
    QFile old(Backup("3 old.html"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("x");
    old.flush();
    const QDateTime now = QDateTime::currentDateTime();
    ASSERT_TRUE(old.setFileTime(now.addDays(now.date().day() == 1 ? 1 : -1),
                                QFileDevice::FileModificationTime));
    old.close();
    win->DataFiles.ClipboardHistory.Add("copied\r\ntext");
    win->DataFiles.AutoCloseTagsList = {"p", "div"};
    const QString history = win->DataFiles.FilePath("ClipboardHistory.dat");
    const QString tags = win->DataFiles.FilePath("AutoCloseTags.dat");
    const QByteArray tagsBefore = ReadTestFile(tags);

    QCloseEvent e;
    QCoreApplication::sendEvent(win.get(), &e);
    ASSERT_TRUE(e.isAccepted());
    EXPECT_FALSE(QFileInfo::exists(Backup("3 old.html")));
    EXPECT_TRUE(ReadTestFile(history).contains("copied\\ntext\r\n"));
    EXPECT_EQ(ReadTestFile(tags), QByteArray("p\r\ndiv\r\n"));
    EXPECT_TRUE(seen.isEmpty()) << seen.join('\n').toStdString();
    // Put the shipped list back for the tests that follow.
    QFile restore(tags);
    ASSERT_TRUE(restore.open(QIODevice::WriteOnly));
    restore.write(tagsBefore);
}
