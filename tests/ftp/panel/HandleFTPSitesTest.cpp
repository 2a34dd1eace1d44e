#include "FtpPanelFixture.h"

#include "ftp/panel/HandleFTPSitesWin.h"

#include <QPushButton>

namespace {

class HandleFTPSitesTest : public FtpPanelTest {
protected:
    // Runs the manager from the panel; `script` acts in it while it is shown.
    void Manage(const std::function<void(THandleFTPSites&)>& script) {
        dialogs = [&](QDialog* d) {
            auto* m = dynamic_cast<THandleFTPSites*>(d);
            if (!m)
                return -1;
            EXPECT_EQ(m->windowTitle(), QStringLiteral("Hantera FTP-konton"));
            script(*m);
            return int(Dialogs::mrOk);
        };
        Run(&TFtpClient::HandleFTPSites);
        dialogs = nullptr;
    }
    static QStringList Listed(const THandleFTPSites& m) { return Items(m.lbFTPSites); }
    static int Row(const THandleFTPSites& m, const QString& name) {
        return m.lbFTPSites->row(m.lbFTPSites->findItems(name, Qt::MatchExactly).value(0));
    }
    static void SelectRow(THandleFTPSites& m, int row) {
        m.lbFTPSites->setCurrentRow(row);
        m.lbFTPSites->item(row)->setSelected(true);
    }
    QByteArray FileBytes(const QString& name) { return ReadTestFile(FtpAccounts::FileOf(name)); }
    void PutAccount(const QString& name, const QByteArray& bytes) {
        WriteTestFile(FtpAccounts::FileOf(name), bytes);
    }
};

} // namespace

TEST_F(HandleFTPSitesTest, AddsEditsAndSavesOnSwitchAndClose) {
    PutAccount(QStringLiteral("Befintligt"), "gammal.se\r\nolle\r\n");
    const QByteArray home = QDir::homePath().toUtf8();
    Manage([&](THandleFTPSites& m) {
        EXPECT_EQ(m.EditedIndex(), -1);
        EXPECT_TRUE(m.eServerAddr->isHidden());
        inputs = {QStringLiteral("Mitt FTP-konto")};
        m.AddSite();
        EXPECT_EQ(Listed(m),
                  (QStringList{QStringLiteral("Befintligt"), QStringLiteral("Mitt FTP-konto")}));
        EXPECT_EQ(m.EditedIndex(), -1) << "a new account is not chosen";
        EXPECT_EQ(FileBytes(QStringLiteral("Mitt FTP-konto")), "\r\n\r\n" + home + "\r\n/\r\n\r\n");

        m.EditSite(Row(m, QStringLiteral("Mitt FTP-konto")));
        EXPECT_FALSE(m.eServerAddr->isHidden());
        EXPECT_EQ(m.eLocalDir->text(), QDir::homePath());
        EXPECT_EQ(m.eServerDir->text(), QStringLiteral("/"));
        m.eServerAddr->setText(QStringLiteral("ftp.exempel.se"));
        m.GoAnonymous();
        m.ePSW->setText(QStringLiteral("Abc-123"));
        // Choosing another account saves this one.
        m.EditSite(Row(m, QStringLiteral("Befintligt")));
        EXPECT_EQ(FileBytes(QStringLiteral("Mitt FTP-konto")),
                  "ftp.exempel.se\r\nanonymous\r\n" + home + "\r\n/\r\nNop-123\r\n");
        // A hand-written file of two lines shows empty fields and is saved whole.
        EXPECT_EQ(m.eUserName->text(), QStringLiteral("olle"));
        EXPECT_TRUE(m.eLocalDir->text().isEmpty() && m.ePSW->text().isEmpty());
        m.eServerDir->setText(QStringLiteral("/www"));
    });
    EXPECT_EQ(FileBytes(QStringLiteral("Befintligt")), "gammal.se\r\nolle\r\n\r\n/www\r\n\r\n");
    EXPECT_EQ(panel->cbFTPSite->count(), 2);
    EXPECT_EQ(panel->cbFTPSite->currentIndex(), -1);
    EXPECT_FALSE(panel->btnFTPConnect->isEnabled());
    EXPECT_EQ(seen, QStringList{QStringLiteral("I:Ange namnet på det nya kontot:|Mitt FTP-konto")});
}

TEST_F(HandleFTPSitesTest, AddingAnExistingNameAsksBeforeReplacing) {
    PutAccount(QStringLiteral("A"), "s.se\r\nu\r\n/l\r\n/r\r\nc\r\n");
    Manage([&](THandleFTPSites& m) {
        m.EditSite(0);
        inputs = {QStringLiteral("A"), QStringLiteral("A")};
        answers = {7, 6};
        m.AddSite();
        EXPECT_EQ(FileBytes(QStringLiteral("A")), "s.se\r\nu\r\n/l\r\n/r\r\nc\r\n");
        EXPECT_EQ(m.EditedIndex(), 0);
        m.AddSite();
        EXPECT_EQ(Listed(m), QStringList{QStringLiteral("A")});
        EXPECT_EQ(m.EditedIndex(), -1) << "the old values must not be saved over the new account";
    });
    EXPECT_EQ(FileBytes(QStringLiteral("A")),
              "\r\n\r\n" + QDir::homePath().toUtf8() + "\r\n/\r\n\r\n");
    const QString q =
        QStringLiteral("Q:Det finns redan ett FTP-konto med namnet \"A\".|Vill du ersätta det?");
    EXPECT_EQ(seen,
              (QStringList{QStringLiteral("I:Ange namnet på det nya kontot:|Mitt FTP-konto"), q,
                           QStringLiteral("I:Ange namnet på det nya kontot:|Mitt FTP-konto"), q}));
}

TEST_F(HandleFTPSitesTest, BadNamesAreRefused) {
    Manage([&](THandleFTPSites& m) {
        inputs = {std::nullopt, QString(), QStringLiteral("../ut"), QStringLiteral("a\\b"),
                  QStringLiteral("rad\x01")};
        for (int i = 0; i < 5; ++i)
            m.AddSite();
        EXPECT_TRUE(Listed(m).isEmpty());
    });
    EXPECT_TRUE(QDir(FtpAccounts::Folder()).entryList(QDir::Files).isEmpty());
    const QString refused = QStringLiteral(
        "M:Det gick inte att skapa filen med information om FTP-kontot. Kontrollera att du inte "
        "angett förbjudna tecken för filnamn i kontots namn.");
    EXPECT_EQ(seen.count(refused), 4);
}

TEST_F(HandleFTPSitesTest, DeletingAsksAndDropsUnsavedEdits) {
    PutAccount(QStringLiteral("A"), "a.se\r\n");
    PutAccount(QStringLiteral("B"), "b.se\r\n");
    Manage([&](THandleFTPSites& m) {
        m.DelSite(); // nothing selected
        m.EditSite(0);
        SelectRow(m, 0);
        m.eServerAddr->setText(QStringLiteral("ändrad.se"));
        answers = {7};
        m.DelSite();
        EXPECT_EQ(m.EditedIndex(), -1);
        EXPECT_TRUE(m.eServerAddr->isHidden());
        EXPECT_EQ(FileBytes(QStringLiteral("A")), "a.se\r\n");
        SelectRow(m, 0);
        answers = {6};
        m.DelSite();
        EXPECT_EQ(Listed(m), QStringList{QStringLiteral("B")});
    });
    EXPECT_FALSE(FtpAccounts::Exists(QStringLiteral("A")));
    EXPECT_EQ(panel->cbFTPSite->count(), 1);
    const QString q = QStringLiteral(
        "Q:Informationen om FTP-kontot \"A\" kommer att raderas från Kelvora.|Vill du fortsätta?");
    EXPECT_EQ(seen, (QStringList{q, q}));
}

TEST_F(HandleFTPSitesTest, MissingFileKeepsTheEditedAccount) {
    PutAccount(QStringLiteral("A"), "a.se\r\n");
    PutAccount(QStringLiteral("B"), "b.se\r\n");
    Manage([&](THandleFTPSites& m) {
        m.EditSite(0);
        QFile::remove(FtpAccounts::FileOf(QStringLiteral("B")));
        m.EditSite(1);
        EXPECT_EQ(m.EditedIndex(), 0);
        EXPECT_EQ(m.eServerAddr->text(), QStringLiteral("a.se"));
    });
    EXPECT_EQ(seen, QStringList{QStringLiteral(
                        "M:Det gick inte att öppna filen med informationen om FTP-kontot.")});
}

TEST_F(HandleFTPSitesTest, PasswordFieldColourAndFolderBrowser) {
    PutAccount(QStringLiteral("A"), "a.se\r\n");
    Manage([&](THandleFTPSites& m) {
        m.EditSite(0);
        const QColor empty = m.ePSW->palette().color(QPalette::Base);
        EXPECT_EQ(empty, m.palette().color(QPalette::Button));
        m.ePSW->setText(QStringLiteral("x"));
        EXPECT_EQ(m.ePSW->palette().color(QPalette::Base), m.palette().color(QPalette::Base));
        EXPECT_EQ(m.ePSW->echoMode(), QLineEdit::Password);

        fileAnswers.push_back({QStringLiteral("/vald/mapp"), 0});
        fileAnswers.push_back({QString(), 0});
        m.BrowseLocalDir();
        m.BrowseLocalDir(); // cancelled: unchanged
        EXPECT_EQ(m.eLocalDir->text(), QStringLiteral("/vald/mapp"));
    });
    EXPECT_EQ(requests.value(0), QStringLiteral("Välj startkatalog på den här datorn:|1|"));
}
