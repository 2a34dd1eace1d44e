#include "FtpPanelFixture.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QRandomGenerator>

namespace {

QByteArray RandomBytes(int size) {
    QByteArray b(size, Qt::Uninitialized);
    QRandomGenerator gen(size);
    for (char& c : b)
        c = static_cast<char>(gen.bounded(256));
    return b;
}

class FtpTransferTest : public FtpPanelTest {
protected:
    void ShowLocal() { ASSERT_TRUE(client->FTPSetLocalDir(LocalFolder())); }
    QStringList Files(const QString& folder) const {
        return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }
};

} // namespace

TEST_F(FtpTransferTest, UploadsOneFileWithItsBytes) {
    const QByteArray bytes = RandomBytes(300000) + "\r\n\n\r";
    Local(QStringLiteral("bild med blanksteg.bin"), bytes);
    Connect();
    Select(panel->FTPLocalFiles, {QStringLiteral("bild med blanksteg.bin")});
    ASSERT_TRUE(Transfer(&TFtpClient::FTPUploadFile));
    EXPECT_EQ(ReadTestFile(ServerFolder() + QStringLiteral("/bild med blanksteg.bin")), bytes);
    EXPECT_EQ(seen, QStringList{QStringLiteral(
                        "M:Filen \"bild med blanksteg.bin\" har laddats upp till servern.")});
    EXPECT_TRUE(panel->isEnabled());
    EXPECT_EQ(ServerItems(), QStringList{QStringLiteral("bild med blanksteg.bin")});
    EXPECT_TRUE(server.Commands().contains(QStringLiteral("STOR /bild med blanksteg.bin")));
    EXPECT_TRUE(server.CommandsOf({QStringLiteral("PASV"), QStringLiteral("EPSV")}).isEmpty());
}

TEST_F(FtpTransferTest, UploadsSeveralFilesWithOneSummary) {
    for (const char* name : {"a.txt", "b.txt", "c.txt"})
        Local(QString::fromUtf8(name), QByteArray(name));
    Connect(QStringLiteral("/"));
    QDir().mkpath(ServerFolder() + QStringLiteral("/pub"));
    ASSERT_TRUE(client->FTPSetServerDir(QStringLiteral("pub")));
    Select(panel->FTPLocalFiles,
           {QStringLiteral("a.txt"), QStringLiteral("b.txt"), QStringLiteral("c.txt")});
    ASSERT_TRUE(Transfer(&TFtpClient::FTPUploadFile));
    EXPECT_EQ(
        Files(ServerFolder() + QStringLiteral("/pub")),
        (QStringList{QStringLiteral("a.txt"), QStringLiteral("b.txt"), QStringLiteral("c.txt")}));
    EXPECT_EQ(ReadTestFile(ServerFolder() + QStringLiteral("/pub/b.txt")), QByteArray("b.txt"));
    EXPECT_EQ(seen, QStringList{QStringLiteral("M:Uppladdning av flera filer färdig.")});
}

TEST_F(FtpTransferTest, AFolderInTheSelectionEndsTheUpload) {
    Local(QStringLiteral("a.txt"));
    Local(QStringLiteral("mapp/inne.txt"));
    Local(QStringLiteral("z.txt"));
    Connect();
    Select(panel->FTPLocalFiles,
           {QStringLiteral("a.txt"), QStringLiteral("mapp"), QStringLiteral("z.txt")});
    ASSERT_TRUE(Transfer(&TFtpClient::FTPUploadFile));
    EXPECT_EQ(Files(ServerFolder()), QStringList{QStringLiteral("a.txt")});
    EXPECT_EQ(seen, QStringList{QStringLiteral(
                        "M:\"mapp\" är antingen en katalog eller en icke-existerande "
                        "(icke-åtkomlig) fil. Kan ej uppladda.")});
    EXPECT_TRUE(panel->isEnabled());
    // Nothing selected: nothing starts.
    panel->FTPLocalFiles->clearSelection();
    seen.clear();
    EXPECT_FALSE(Transfer(&TFtpClient::FTPUploadFile));
    EXPECT_EQ(seen, QStringList{QStringLiteral("M:Ingen fil är markerad för uppladdning.")});
}

TEST_F(FtpTransferTest, AsciiAndBinaryFollowTheCheckBox) {
    const QByteArray text = "rad 1\nrad 2\r\nrad 3\n";
    Local(QStringLiteral("upp.txt"), text);
    OnServer(QStringLiteral("ner.txt"), "x\r\ny\n");
    const struct {
        bool ascii;
        QByteArray onServer;
        QByteArray here;
    } cases[] = {
        {false, text, "x\r\ny\n"},
        {true, "rad 1\r\nrad 2\r\nrad 3\r\n", "x\ny\n"},
    };
    Connect();
    for (const auto& c : cases) {
        panel->cbFTPAscii->setChecked(c.ascii);
        EXPECT_EQ(client->FTPGetTransferType(), c.ascii ? 1 : 2);
        Select(panel->FTPLocalFiles, {QStringLiteral("upp.txt")});
        ASSERT_TRUE(Transfer(&TFtpClient::FTPUploadFile));
        EXPECT_EQ(ReadTestFile(ServerFolder() + QStringLiteral("/upp.txt")), c.onServer);
        Select(panel->FTPServerFiles, {QStringLiteral("ner.txt")});
        ASSERT_TRUE(Transfer(&TFtpClient::FTPDownloadFile));
        EXPECT_EQ(ReadTestFile(LocalFolder() + QStringLiteral("/ner.txt")), c.here);
    }
}

TEST_F(FtpTransferTest, AFailedDownloadLeavesTheLocalFileAsItWas) {
    OnServer(QStringLiteral("sida.halvt"), RandomBytes(400000));
    Local(QStringLiteral("sida.halvt"), "gammalt innehåll");
    Connect();
    Select(panel->FTPServerFiles, {QStringLiteral("sida.halvt")});
    ASSERT_TRUE(Transfer(&TFtpClient::FTPDownloadFile));
    EXPECT_EQ(ReadTestFile(LocalFolder() + QStringLiteral("/sida.halvt")),
              QByteArray("gammalt innehåll"));
    EXPECT_EQ(Files(LocalFolder()), QStringList{QStringLiteral("sida.halvt")})
        << "no partial file left";
    EXPECT_EQ(seen, QStringList{QStringLiteral(
                        "M:Ett fel uppstod vid nedladdning av filen \"sida.halvt\".")});
    EXPECT_TRUE(panel->isEnabled());
}

TEST_F(FtpTransferTest, DownloadsNameTheFileTheyAreAbout) {
    OnServer(QStringLiteral("pub/a.txt"), "A");
    OnServer(QStringLiteral("pub/b.txt"), "B");
    OnServer(QStringLiteral("pub/mapp/x"), "x");
    Local(QStringLiteral("b.txt"), "gammal");
    Connect(QStringLiteral("/pub"));
    // One entry selected while another one has the focus.
    Select(panel->FTPServerFiles, {QStringLiteral("b.txt")});
    panel->FTPServerFiles->setCurrentItem(
        panel->FTPServerFiles->findItems(QStringLiteral("a.txt"), Qt::MatchExactly)[0],
        QItemSelectionModel::NoUpdate);
    ASSERT_TRUE(Transfer(&TFtpClient::FTPDownloadFile));
    EXPECT_EQ(ReadTestFile(LocalFolder() + QStringLiteral("/b.txt")), QByteArray("B"));
    EXPECT_EQ(seen, QStringList{
                        QStringLiteral("M:Filen \"b.txt\" har laddats ner till den här datorn.")});

    seen.clear();
    server.ClearCommands();
    Select(panel->FTPServerFiles,
           {QStringLiteral("a.txt"), QStringLiteral("mapp"), QStringLiteral("..")});
    ASSERT_TRUE(Transfer(&TFtpClient::FTPDownloadFile));
    EXPECT_EQ(ReadTestFile(LocalFolder() + QStringLiteral("/a.txt")), QByteArray("A"));
    EXPECT_EQ(server.CommandsOf({QStringLiteral("RETR")}),
              QStringList{QStringLiteral("RETR /pub/a.txt")});
    EXPECT_EQ(Sorted(seen),
              Sorted({QStringLiteral("M:Ett fel uppstod vid nedladdning av filen \"mapp\"."),
                      QStringLiteral("M:Ett fel uppstod vid nedladdning av filen \"..\"."),
                      QStringLiteral("M:Nedladdning av flera filer färdig.")}));
    EXPECT_EQ(seen.last(), QStringLiteral("M:Nedladdning av flera filer färdig."));
    EXPECT_TRUE(LocalItems().contains(QStringLiteral("a.txt")))
        << "the local folder is listed again";
}

TEST_F(FtpTransferTest, ClosingDuringATransferStopsItWithoutWaitingLong) {
    OnServer(QStringLiteral("lång.bin"), RandomBytes(4 * 1024 * 1024));
    Local(QStringLiteral("lång.bin"), "gammalt");
    StartServer(64 * 1024); // about a minute for the file
    Account(QStringLiteral("Test"));
    Choose(QStringLiteral("Test"));
    Run(&TFtpClient::FTPConnect);
    ASSERT_TRUE(client->FTPConnected);
    Select(panel->FTPServerFiles, {QStringLiteral("lång.bin")});
    Run(&TFtpClient::FTPDownloadFile);
    ASSERT_TRUE(client->TransferRunning());
    QTest::qWait(300);
    QElapsedTimer clock;
    clock.start();
    EXPECT_TRUE(win->close());
    EXPECT_LT(clock.elapsed(), 4000);
    EXPECT_FALSE(client->TransferRunning());
    EXPECT_EQ(ReadTestFile(LocalFolder() + QStringLiteral("/lång.bin")), QByteArray("gammalt"));
    EXPECT_EQ(Files(LocalFolder()), QStringList{QStringLiteral("lång.bin")});
    EXPECT_TRUE(seen.isEmpty()) << seen.join(QLatin1Char('|')).toStdString();
}

TEST_F(FtpTransferTest, ClosingWhileAMessageIsShownNeverDeadlocks) {
    for (const char* name : {"a.txt", "b.txt", "c.txt"})
        Local(QString::fromUtf8(name));
    StartServer();
    // Anonymous users may not write: every file fails with a message.
    TFtpAccount a;
    a.Server = server.Address();
    a.User = QStringLiteral("anonymous");
    a.Password = QStringLiteral("gäst");
    a.LocalDir = LocalFolder();
    ASSERT_TRUE(FtpAccounts::Write(QStringLiteral("Anonym"), a));
    client->LoadFTPSitesFromFiles();
    Choose(QStringLiteral("Anonym"));
    Run(&TFtpClient::FTPConnect);
    ASSERT_TRUE(client->FTPConnected);
    Select(panel->FTPLocalFiles,
           {QStringLiteral("a.txt"), QStringLiteral("b.txt"), QStringLiteral("c.txt")});
    // The window is closed from inside the first message, while the worker waits for it.
    bool closed = false;
    modal.reset();
    modal = ScriptBoxes(seen, answers, [&](QDialog*) { return -1; });
    auto closing = std::make_unique<Dialogs::ScopedModalHandler>([&](QDialog* d) {
        if (auto* m = qobject_cast<TMessageBox*>(d)) {
            seen << QStringLiteral("M:") + m->Text();
            if (!closed) {
                closed = true;
                QElapsedTimer clock;
                clock.start();
                EXPECT_TRUE(win->close());
                EXPECT_LT(clock.elapsed(), 4000);
            }
            return int(Dialogs::mrOk);
        }
        return int(Dialogs::mrCancel);
    });
    Run(&TFtpClient::FTPUploadFile);
    QTRY_VERIFY_WITH_TIMEOUT(closed, 20000);
    QTest::qWait(200);
    EXPECT_FALSE(client->TransferRunning());
    EXPECT_EQ(seen, QStringList{
                        QStringLiteral("M:Ett fel uppstod vid uppladdningen av filen \"a.txt\".")});
    closing.reset();
}
