#include "FtpPanelFixture.h"

#include "controls/PanelCaption.h"
#include "ftp/panel/FtpInfoWin.h"

#include <QAction>
#include <QCheckBox>
#include <QPushButton>

namespace {

void DoubleClick(QListWidget* list, const QString& name, TFtpClient* client,
                 void (TFtpClient::*command)()) {
    const QList<QListWidgetItem*> found = list->findItems(name, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << name.toStdString();
    list->clearSelection();
    list->setCurrentItem(found[0]);
    RunCommand([&] { (client->*command)(); });
}

} // namespace

TEST_F(FtpPanelTest, ConnectsInActiveModeListsBothFoldersAndDisconnects) {
    OnServer(QStringLiteral("index.html"));
    OnServer(QStringLiteral("pub/a.txt"));
    Local(QStringLiteral("b.txt"));
    Local(QStringLiteral("A mapp/c.txt"));
    Connect();
    EXPECT_EQ(panel->pcFTPServer->CaptionText(), server.Address());
    EXPECT_TRUE(panel->btnFTPConnect->isHidden());
    EXPECT_FALSE(panel->btnFTPDisconnect->isHidden());
    EXPECT_TRUE(panel->btnFTPSend->isEnabled() && panel->btnFTPRec->isEnabled());
    EXPECT_EQ(panel->FTPServerDir->text(), QStringLiteral("/"));
    EXPECT_EQ(Sorted(ServerItems()),
              (QStringList{QStringLiteral("index.html"), QStringLiteral("pub")}));
    EXPECT_EQ(LocalItems(), (QStringList{QStringLiteral("."), QStringLiteral(".."),
                                         QStringLiteral("A mapp"), QStringLiteral("b.txt")}));
    EXPECT_EQ(panel->FTPLocalDir->text(), LocalFolder());
    EXPECT_FALSE(server.CommandsOf({QStringLiteral("PORT"), QStringLiteral("EPRT")}).isEmpty());
    EXPECT_TRUE(server.CommandsOf({QStringLiteral("PASV"), QStringLiteral("EPSV")}).isEmpty());
    EXPECT_TRUE(seen.isEmpty()) << seen.join(QLatin1Char('|')).toStdString();

    Run(&TFtpClient::FTPDisconnect);
    EXPECT_FALSE(client->FTPConnected);
    EXPECT_EQ(panel->pcFTPServer->CaptionText(), QStringLiteral("Server"));
    EXPECT_FALSE(panel->btnFTPConnect->isHidden());
    EXPECT_TRUE(panel->btnFTPDisconnect->isHidden());
    EXPECT_TRUE(ServerItems().isEmpty() && panel->FTPServerDir->text().isEmpty());
    EXPECT_FALSE(panel->btnFTPSend->isEnabled() || panel->btnFTPRec->isEnabled());
    EXPECT_EQ(LocalItems().size(), 4);
    EXPECT_EQ(server.CommandsOf({QStringLiteral("QUIT")}).size(), 1);
}

TEST_F(FtpPanelTest, FailedConnectionsStayDisconnected) {
    StartServer();
    const struct {
        const char* account;
        QString serverLine;
        const char* password;
        const char* serverDir;
    } cases[] = {
        {"Fel lösenord", server.Address(), "fel", "/"},
        {"Stängd port", QStringLiteral("127.0.0.1:%1").arg(TFtpTestServer::ClosedPort()), "hemligt",
         "/"},
        {"Fel port", QStringLiteral("127.0.0.1:99999"), "hemligt", "/"},
        {"Saknad katalog", server.Address(), "hemligt", "/saknas"},
    };
    for (const auto& c : cases) {
        TFtpAccount a;
        a.Server = c.serverLine;
        a.User = QStringLiteral("kv");
        a.Password = QString::fromUtf8(c.password);
        a.ServerDir = QString::fromUtf8(c.serverDir);
        a.LocalDir = LocalFolder();
        ASSERT_TRUE(FtpAccounts::Write(QString::fromUtf8(c.account), a));
        client->LoadFTPSitesFromFiles();
        Choose(QString::fromUtf8(c.account));
        seen.clear();
        Run(&TFtpClient::FTPConnect);
        EXPECT_EQ(seen, QStringList{QStringLiteral("M:Det gick inte att sätta arbetskatalogen på "
                                                   "servern till \"%1\".")
                                        .arg(QString::fromUtf8(c.serverDir))})
            << c.account;
        EXPECT_FALSE(client->FTPConnected) << c.account;
        EXPECT_FALSE(panel->btnFTPConnect->isHidden()) << c.account;
        EXPECT_TRUE(panel->btnFTPDisconnect->isHidden()) << c.account;
        EXPECT_FALSE(panel->btnFTPSend->isEnabled()) << c.account;
        EXPECT_TRUE(ServerItems().isEmpty()) << c.account;
    }
}

TEST_F(FtpPanelTest, AccountWithoutServerOrPassword) {
    StartServer();
    ASSERT_TRUE(FtpAccounts::Write(QStringLiteral("Ny"), FtpAccounts::NewAccount()));
    Account(QStringLiteral("Utan lösenord"), QStringLiteral("/"), QString());
    EXPECT_FALSE(panel->btnFTPConnect->isEnabled()) << "nothing chosen after a reload";
    Choose(QStringLiteral("Ny"));
    EXPECT_TRUE(panel->btnFTPConnect->isEnabled());
    Run(&TFtpClient::FTPConnect);
    EXPECT_EQ(seen, QStringList{QStringLiteral(
                        "M:Ingen serveradress har angivits för detta konto. Kan ej ansluta. Ange "
                        "en serveradress med knappen \"Hantera FTP-konton\".")});

    // The password is asked for; Cancel does not connect, and what is typed is not kept.
    seen.clear();
    Choose(QStringLiteral("Utan lösenord"));
    inputs = {std::nullopt, QStringLiteral("hemligt")};
    Run(&TFtpClient::FTPConnect);
    EXPECT_FALSE(client->FTPConnected);
    EXPECT_TRUE(server.CommandsOf({QStringLiteral("USER")}).isEmpty());
    Run(&TFtpClient::FTPConnect);
    EXPECT_TRUE(client->FTPConnected);
    EXPECT_EQ(seen, (QStringList{QStringLiteral("I:Ange lösenord:|"),
                                 QStringLiteral("I:Ange lösenord:|")}));
    TFtpAccount stored;
    FtpAccounts::Read(QStringLiteral("Utan lösenord"), &stored);
    EXPECT_TRUE(stored.Password.isEmpty());
}

TEST_F(FtpPanelTest, BrowsesTheServerFolders) {
    OnServer(QStringLiteral("pub/docs/x.txt"));
    Connect();
    DoubleClick(panel->FTPServerFiles, QStringLiteral("pub"), client,
                &TFtpClient::FTPServerFilesDblClick);
    EXPECT_EQ(client->FTPServerPath, QStringLiteral("/pub"));
    EXPECT_EQ(ServerItems(), (QStringList{QStringLiteral(".."), QStringLiteral("docs")}));
    DoubleClick(panel->FTPServerFiles, QStringLiteral("docs"), client,
                &TFtpClient::FTPServerFilesDblClick);
    EXPECT_EQ(panel->FTPServerDir->text(), QStringLiteral("/pub/docs"));
    DoubleClick(panel->FTPServerFiles, QStringLiteral(".."), client,
                &TFtpClient::FTPServerFilesDblClick);
    EXPECT_EQ(client->FTPServerPath, QStringLiteral("/pub"));
    DoubleClick(panel->FTPServerFiles, QStringLiteral(".."), client,
                &TFtpClient::FTPServerFilesDblClick);
    EXPECT_EQ(client->FTPServerPath, QStringLiteral("/"));
    EXPECT_EQ(ServerItems(), QStringList{QStringLiteral("pub")});

    // A typed folder counts from the folder shown; a missing one changes nothing.
    panel->FTPServerDir->setText(QStringLiteral("pub/docs"));
    emit panel->FTPServerDir->returnPressed();
    EXPECT_EQ(client->FTPServerPath, QStringLiteral("/pub/docs"));
    panel->FTPServerDir->setText(QStringLiteral("/saknas"));
    emit panel->FTPServerDir->returnPressed();
    EXPECT_EQ(seen, QStringList{QStringLiteral(
                        "M:Det gick inte att sätta arbetskatalogen på servern till \"/saknas\".")});
    EXPECT_EQ(client->FTPServerPath, QStringLiteral("/pub/docs"));
    EXPECT_EQ(ServerItems(), (QStringList{QStringLiteral(".."), QStringLiteral("x.txt")}));
}

TEST_F(FtpPanelTest, DoubleClickOnAFileShowsItsSizeOnly) {
    OnServer(QStringLiteral("pub/sex.txt"), "123456");
    Connect(QStringLiteral("/pub"));
    server.ClearCommands();
    DoubleClick(panel->FTPServerFiles, QStringLiteral("sex.txt"), client,
                &TFtpClient::FTPServerFilesDblClick);
    EXPECT_EQ(seen, QStringList{QStringLiteral("M:/pub/sex.txt (Filstorlek: 6 B)")});
    EXPECT_EQ(client->FTPServerPath, QStringLiteral("/pub"));
    EXPECT_TRUE(server.CommandsOf({QStringLiteral("RETR"), QStringLiteral("CWD")}).isEmpty());
}

TEST_F(FtpPanelTest, DeletesOneOrSeveralFilesAfterAsking) {
    for (const char* name : {"a.txt", "b b.txt", "c.txt", "d.txt", "e.txt"})
        OnServer(QStringLiteral("pub/") + QString::fromUtf8(name));
    Connect(QStringLiteral("/pub"));
    const auto exists = [&](const char* name) {
        return QFileInfo::exists(ServerFolder() + QStringLiteral("/pub/") +
                                 QString::fromUtf8(name));
    };

    Run(&TFtpClient::FTPServerDelFile);
    Select(panel->FTPServerFiles, {QStringLiteral("a.txt")});
    answers = {7};
    Run(&TFtpClient::FTPServerDelFile);
    EXPECT_TRUE(exists("a.txt"));
    answers = {6};
    Run(&TFtpClient::FTPServerDelFile);
    EXPECT_FALSE(exists("a.txt"));

    Select(panel->FTPServerFiles,
           {QStringLiteral("b b.txt"), QStringLiteral("c.txt"), QStringLiteral("d.txt")});
    QFile::remove(ServerFolder() + QStringLiteral("/pub/c.txt")); // gone meanwhile
    server.ClearCommands();
    answers = {6};
    Run(&TFtpClient::FTPServerDelFile);
    EXPECT_EQ(Sorted(server.CommandsOf({QStringLiteral("DELE")})),
              (QStringList{QStringLiteral("DELE /pub/b b.txt"), QStringLiteral("DELE /pub/c.txt"),
                           QStringLiteral("DELE /pub/d.txt")}));
    EXPECT_FALSE(exists("b b.txt") || exists("d.txt"));
    EXPECT_TRUE(exists("e.txt"));
    EXPECT_EQ(ServerItems(), (QStringList{QStringLiteral(".."), QStringLiteral("e.txt")}));
    EXPECT_EQ(seen, (QStringList{
                        QStringLiteral("M:Ingen fil är markerad för borttagning."),
                        QStringLiteral("Q:Filen \"a.txt\" kommer att tas bort.|Vill du fortsätta?"),
                        QStringLiteral("Q:Filen \"a.txt\" kommer att tas bort.|Vill du fortsätta?"),
                        QStringLiteral("Q:3 filer kommer att tas bort.|Vill du fortsätta?"),
                        QStringLiteral("M:Ett fel uppstod när filen \"c.txt\" skulle raderas.")}));
}

TEST_F(FtpPanelTest, AFailedListingNeverRedirectsADelete) {
    OnServer(QStringLiteral("a/f.txt"));
    OnServer(QStringLiteral("b/f.txt"));
    Connect(QStringLiteral("/a"));
    panel->FTPServerDir->setText(QStringLiteral("/saknas"));
    emit panel->FTPServerDir->returnPressed();
    // The server was told "CWD /b" by hand; the shown folder still decides.
    client->Session().Command(QStringLiteral("/b"), QStringLiteral("NOOP"));
    Select(panel->FTPServerFiles, {QStringLiteral("f.txt")});
    answers = {6};
    Run(&TFtpClient::FTPServerDelFile);
    EXPECT_FALSE(QFileInfo::exists(ServerFolder() + QStringLiteral("/a/f.txt")));
    EXPECT_TRUE(QFileInfo::exists(ServerFolder() + QStringLiteral("/b/f.txt")));
}

TEST_F(FtpPanelTest, RenamesByTheShownFolderAndIgnoresAnEmptyName) {
    OnServer(QStringLiteral("pub/a.txt"));
    Connect(QStringLiteral("/pub"));
    Run(&TFtpClient::FTPServerRenameFile);
    Select(panel->FTPServerFiles, {QStringLiteral("a.txt")});
    server.ClearCommands();
    inputs = {QString(), std::nullopt};
    Run(&TFtpClient::FTPServerRenameFile);
    Run(&TFtpClient::FTPServerRenameFile);
    EXPECT_TRUE(server.Commands().isEmpty()) << "nothing sent, nothing listed again";
    inputs = {QStringLiteral("b.txt")};
    Run(&TFtpClient::FTPServerRenameFile);
    EXPECT_EQ(server.CommandsOf({QStringLiteral("RNFR"), QStringLiteral("RNTO")}),
              (QStringList{QStringLiteral("RNFR /pub/a.txt"), QStringLiteral("RNTO /pub/b.txt")}));
    EXPECT_EQ(ServerItems(), (QStringList{QStringLiteral(".."), QStringLiteral("b.txt")}));
    Select(panel->FTPServerFiles, {QStringLiteral("b.txt")});
    inputs = {QStringLiteral("saknas/c.txt")};
    Run(&TFtpClient::FTPServerRenameFile);
    const QString prompt = QStringLiteral("I:Ange nytt namn för filen \"%1\":|%1");
    EXPECT_EQ(seen,
              (QStringList{QStringLiteral("M:Ingen fil är markerad för namnbyte."),
                           prompt.arg(QStringLiteral("a.txt")), prompt.arg(QStringLiteral("a.txt")),
                           prompt.arg(QStringLiteral("a.txt")), prompt.arg(QStringLiteral("b.txt")),
                           QStringLiteral("M:Ett fel uppstod när filen skulle byta namn.")}));
}

TEST_F(FtpPanelTest, MakesAndRemovesFoldersOnBothSides) {
    OnServer(QStringLiteral("full/x"));
    Connect();
    inputs = {QStringLiteral("Ny katalog"), QStringLiteral("Ny katalog")};
    Run(&TFtpClient::FTPServerCreateDir);
    EXPECT_TRUE(QFileInfo(ServerFolder() + QStringLiteral("/Ny katalog")).isDir());
    EXPECT_TRUE(ServerItems().contains(QStringLiteral("Ny katalog")));
    Run(&TFtpClient::FTPServerCreateDir); // exists already

    Select(panel->FTPServerFiles, {QStringLiteral("full")});
    answers = {6};
    Run(&TFtpClient::FTPServerDelDir);
    Select(panel->FTPServerFiles, {QStringLiteral("Ny katalog")});
    answers = {6};
    Run(&TFtpClient::FTPServerDelDir);
    EXPECT_FALSE(QFileInfo::exists(ServerFolder() + QStringLiteral("/Ny katalog")));
    EXPECT_TRUE(QFileInfo::exists(ServerFolder() + QStringLiteral("/full/x")));

    inputs = {QStringLiteral("Här"), QStringLiteral("Här")};
    Run(&TFtpClient::FTPLocalCreateDir);
    EXPECT_TRUE(QFileInfo(LocalFolder() + QStringLiteral("/Här")).isDir());
    EXPECT_TRUE(LocalItems().contains(QStringLiteral("Här")));
    Run(&TFtpClient::FTPLocalCreateDir);
    EXPECT_EQ(
        seen,
        (QStringList{
            QStringLiteral("I:Ange katalogens namn:|Ny katalog"),
            QStringLiteral("I:Ange katalogens namn:|Ny katalog"),
            QStringLiteral("M:Ett fel uppstod när katalogen skulle skapas."),
            QStringLiteral("Q:Katalogen \"full\" kommer att tas bort.|Vill du fortsätta?"),
            QStringLiteral("M:Ett fel uppstod när katalogen skulle raderas. "
                           "Endast tomma kataloger kan raderas."),
            QStringLiteral("Q:Katalogen \"Ny katalog\" kommer att tas bort.|Vill du fortsätta?"),
            QStringLiteral("I:Ange katalogens namn:|Ny katalog"),
            QStringLiteral("I:Ange katalogens namn:|Ny katalog"),
            QStringLiteral("M:Ett fel uppstod när katalogen skulle skapas.")}));
}

TEST_F(FtpPanelTest, RawCommandShowsTheServersResponse) {
    Connect();
    inputs = {QStringLiteral("SYST"), QStringLiteral("BOGUS"), QString()};
    Run(&TFtpClient::FTPServerSendCommand);
    ASSERT_TRUE(client->InfoWindow());
    EXPECT_TRUE(client->InfoWindow()->isVisible());
    EXPECT_EQ(client->InfoWindow()->windowTitle(), QStringLiteral("FTP-svarsmeddelanden"));
    EXPECT_EQ(client->InfoWindow()->FTPMSG->Text(), QByteArray("215 UNIX Type: L8\r\n"));
    TFTPInfoFrm* first = client->InfoWindow();
    Run(&TFtpClient::FTPServerSendCommand);
    EXPECT_EQ(client->InfoWindow(), first);
    EXPECT_TRUE(client->InfoWindow()->FTPMSG->Text().startsWith("500 "));
    Run(&TFtpClient::FTPServerSendCommand); // an empty command sends nothing
    EXPECT_EQ(seen,
              (QStringList{QStringLiteral("I:Ange ett giltigt FTP-kommando (ej för data):|"),
                           QStringLiteral("I:Ange ett giltigt FTP-kommando (ej för data):|"),
                           QStringLiteral("M:Kommandot kunde inte utföras."),
                           QStringLiteral("I:Ange ett giltigt FTP-kommando (ej för data):|")}));
    client->InfoWindow()->close();
}

TEST_F(FtpPanelTest, LocalFolderBrowsingAndOpening) {
    Local(QStringLiteral("sida.html"), "<p>Hej</p>\r\n");
    Local(QStringLiteral("inre/djup.txt"));
    ASSERT_TRUE(RunCommand([&] { client->FTPSetLocalDir(LocalFolder()); }));
    DoubleClick(panel->FTPLocalFiles, QStringLiteral("inre"), client,
                &TFtpClient::FTPLocalFilesDblClick);
    EXPECT_EQ(client->FTPLocalPath, LocalFolder() + QStringLiteral("/inre"));
    DoubleClick(panel->FTPLocalFiles, QStringLiteral("."), client,
                &TFtpClient::FTPLocalFilesDblClick);
    EXPECT_EQ(client->FTPLocalPath, LocalFolder() + QStringLiteral("/inre"));
    DoubleClick(panel->FTPLocalFiles, QStringLiteral(".."), client,
                &TFtpClient::FTPLocalFilesDblClick);
    EXPECT_EQ(client->FTPLocalPath, LocalFolder());
    DoubleClick(panel->FTPLocalFiles, QStringLiteral("sida.html"), client,
                &TFtpClient::FTPLocalFilesDblClick);
    EXPECT_EQ(win->OpenFilesCount(), 2);
    EXPECT_EQ(win->CodeEditor->Text(), QByteArray("<p>Hej</p>\r\n"));

    // Typed folders: an empty one is never the current folder; relative ones count from it.
    for (const QString& typed : {QString(), QStringLiteral("saknas")}) {
        panel->FTPLocalDir->setText(typed);
        emit panel->FTPLocalDir->returnPressed();
    }
    EXPECT_EQ(client->FTPLocalPath, LocalFolder());
    panel->FTPLocalDir->setText(QStringLiteral("inre"));
    emit panel->FTPLocalDir->returnPressed();
    EXPECT_EQ(client->FTPLocalPath, LocalFolder() + QStringLiteral("/inre"));
    EXPECT_EQ(
        seen,
        (QStringList{QStringLiteral("M:Den valda katalogen på den här datorn existerar inte."),
                     QStringLiteral("M:Den valda katalogen på den här datorn existerar inte.")}));

    fileAnswers.push_back({LocalFolder(), 0});
    Run(&TFtpClient::BrowseLocalDir);
    EXPECT_EQ(client->FTPLocalPath, LocalFolder());
    EXPECT_EQ(requests.value(0).section(QLatin1Char('|'), 0, 0),
              QStringLiteral("Välj katalog på den här datorn:"));
}

TEST_F(FtpPanelTest, DisconnectedServerSideDoesNothing) {
    StartServer();
    panel->FTPServerFiles->addItem(QStringLiteral("kvar"));
    panel->FTPServerFiles->item(0)->setSelected(true);
    Run(&TFtpClient::FTPServerFilesDblClick);
    panel->FTPServerDir->setText(QStringLiteral("/"));
    emit panel->FTPServerDir->returnPressed();
    Run(&TFtpClient::FTPServerDelFile);
    client->FTPServerFilesPopupPopup();
    for (QAction* a :
         {panel->mnuFTPServerRenameFile, panel->mnuFTPServerDelFile, panel->mnuFTPServerDelDir,
          panel->mnuFTPServerCreateDir, panel->mnuFTPServerSendCommand})
        EXPECT_FALSE(a->isEnabled()) << a->objectName().toStdString();
    EXPECT_TRUE(panel->mnuFTPServerSendCommand->isVisible() == false);
    EXPECT_TRUE(seen.isEmpty());
    EXPECT_TRUE(server.Commands().isEmpty());

    Run(&TFtpClient::FTPUploadFile);
    Run(&TFtpClient::FTPDownloadFile);
    EXPECT_EQ(
        seen,
        (QStringList{
            QStringLiteral("M:Kelvora är inte ansluten till någon FTP-server. Kan ej uppladda."),
            QStringLiteral(
                "M:Kelvora är inte ansluten till någon FTP-server. Kan ej ladda ner.")}));
}
