#include "FtpPanelFixture.h"

#include "ftp/panel/SaveFTPSettingsWin.h"

#include <QCheckBox>
#include <QPushButton>

namespace {

class SaveToFtpTest : public FtpPanelTest {
protected:
    // Runs "Spara via FTP..." from its command; `script` acts in the dialog while it is shown.
    void SaveVia(const std::function<void(TSaveFTPSettings&)>& script) {
        dialogs = [&](QDialog* d) {
            auto* s = dynamic_cast<TSaveFTPSettings*>(d);
            if (!s)
                return -1;
            EXPECT_EQ(s->windowTitle(), QStringLiteral("Spara via FTP"));
            script(*s);
            ++shown;
            return int(Dialogs::mrCancel);
        };
        ASSERT_TRUE(win->Commands().Trigger(QStringLiteral("ASaveToFTP")));
        dialogs = nullptr;
    }
    static void ChooseAccount(TSaveFTPSettings& s, const QString& name) {
        s.cbFTPAccount->setCurrentIndex(s.cbFTPAccount->findText(name));
    }
    QStringList TempFiles() const {
        return QDir(TestRootDir() + QStringLiteral("/tmp")).entryList(QDir::Files);
    }
    int shown = 0;
};

} // namespace

TEST_F(SaveToFtpTest, SavesTheDocumentsTextAndLeavesItsState) {
    Local(QStringLiteral("sida.html"), "<p>Hej</p>\r\n");
    StartServer();
    Account(QStringLiteral("Webb"), QStringLiteral("/www"));
    QDir().mkpath(ServerFolder() + QStringLiteral("/www"));
    Open(LocalFolder() + QStringLiteral("/sida.html"));
    Type("<h1>Rubrik</h1>");
    ASSERT_TRUE(win->Current().Modified);
    const QStringList tempBefore = TempFiles();
    SaveVia([&](TSaveFTPSettings& s) {
        EXPECT_EQ(s.eFileName->text(), QStringLiteral("sida.html"));
        EXPECT_FALSE(s.eDir->isEnabled() || s.eFileName->isEnabled());
        ChooseAccount(s, QStringLiteral("Webb"));
        EXPECT_TRUE(s.eDir->isEnabled() && s.eFileName->isEnabled());
        EXPECT_EQ(s.eDir->text(), QStringLiteral("/www"));
        EXPECT_TRUE(s.SaveFileToFTP());
    });
    EXPECT_EQ(ReadTestFile(ServerFolder() + QStringLiteral("/www/sida.html")),
              win->CodeEditor->Text());
    EXPECT_EQ(seen, QStringList{QStringLiteral("M:Filen sparades på servern.")});
    EXPECT_TRUE(win->Current().Modified);
    EXPECT_EQ(win->Current().FileName, LocalFolder() + QStringLiteral("/sida.html"));
    EXPECT_EQ(TempFiles(), tempBefore) << "the temporary copy is removed";
    EXPECT_TRUE(server.Commands().contains(QStringLiteral("STOR /www/sida.html")));
    EXPECT_TRUE(server.CommandsOf({QStringLiteral("PASV"), QStringLiteral("EPSV")}).isEmpty());
    EXPECT_EQ(server.CommandsOf({QStringLiteral("QUIT")}).size(), 1) << "its own connection ends";
}

TEST_F(SaveToFtpTest, RefusalsAndFailuresKeepTheDialogOpen) {
    StartServer();
    Account(QStringLiteral("Webb"));
    Account(QStringLiteral("Utan lösenord"), QStringLiteral("/"), QString());
    Type("text");
    SaveVia([&](TSaveFTPSettings& s) {
        EXPECT_FALSE(s.btnSave->isEnabled()) << "no account chosen yet";
        ChooseAccount(s, QStringLiteral("Webb"));
        // An unsaved document proposes no name; an empty name sends nothing.
        EXPECT_TRUE(s.eFileName->text().isEmpty());
        EXPECT_FALSE(s.SaveFileToFTP());
        EXPECT_TRUE(server.Commands().isEmpty());
        s.eFileName->setText(QStringLiteral("ny.html"));
        s.eDir->setText(QStringLiteral("/saknas"));
        EXPECT_FALSE(s.SaveFileToFTP());
        inputs = {QStringLiteral("hemligt")};
        ChooseAccount(s, QStringLiteral("Utan lösenord"));
        s.eDir->setText(QStringLiteral("/"));
        s.cbFTPAscii->setChecked(true);
        EXPECT_TRUE(s.SaveFileToFTP());
    });
    EXPECT_EQ(ReadTestFile(ServerFolder() + QStringLiteral("/ny.html")), QByteArray("text\r\n"));
    EXPECT_TRUE(server.Commands().contains(QStringLiteral("TYPE A")));
    EXPECT_EQ(seen, (QStringList{QStringLiteral("M:Det gick inte att spara filen på servern."),
                                 QStringLiteral("M:Det gick inte att öppna katalogen."),
                                 QStringLiteral("I:Ange lösenord:|"),
                                 QStringLiteral("M:Filen sparades på servern.")}));
}

TEST_F(SaveToFtpTest, AccountsWithoutServerAndTheConnectedPanel) {
    ASSERT_TRUE(FtpAccounts::Write(QStringLiteral("Tomt"), FtpAccounts::NewAccount()));
    client->LoadFTPSitesFromFiles();
    SaveVia([&](TSaveFTPSettings& s) {
        ChooseAccount(s, QStringLiteral("Tomt"));
        s.eFileName->setText(QStringLiteral("x.html"));
        EXPECT_FALSE(s.SaveFileToFTP());
    });
    EXPECT_EQ(seen, (QStringList{
                        QStringLiteral("M:Ingen serveradress har angivits för detta konto. Kan ej "
                                       "ansluta. Ange en serveradress med knappen \"Hantera "
                                       "FTP-konton\" i huvudfönstret."),
                        QStringLiteral("M:Det gick inte att öppna katalogen.")}));

    seen.clear();
    Connect();
    const int before = shown;
    win->Commands().Trigger(QStringLiteral("ASaveToFTP"));
    EXPECT_EQ(shown, before) << "no dialog while the panel is connected";
    EXPECT_EQ(seen, QStringList{QStringLiteral(
                        "M:Du är redan ansluten till en FTP-server. Spara via FTP-fältet till "
                        "vänster på skärmen, eller koppla från den aktuella anslutningen först.")});
}
