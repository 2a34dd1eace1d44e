#include "ftp/accounts/FtpAccounts.h"

#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

class FtpAccountsTest : public ::testing::Test {
protected:
    void SetUp() override {
        QDir(FtpAccounts::Folder()).removeRecursively();
        folder = FtpAccounts::Folder();
    }
    QString Put(const QString& file, const QByteArray& bytes) {
        const QString path = QDir(folder).filePath(file);
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return path;
    }
    QString folder;
};

} // namespace

TEST_F(FtpAccountsTest, NewAccountFileIsFiveLinesWithTheHomeFolder) {
    ASSERT_TRUE(FtpAccounts::Write(QStringLiteral("Test"), FtpAccounts::NewAccount()));
    EXPECT_EQ(ReadTestFile(QDir(folder).filePath(QStringLiteral("Test.fta"))),
              "\r\n\r\n" + QDir::homePath().toUtf8() + "\r\n/\r\n\r\n");
    EXPECT_EQ(QFileInfo(folder).permissions() & 0x0077, 0) << "folder readable by others";
}

TEST_F(FtpAccountsTest, PasswordIsStoredAsRot13AndReadBack) {
    TFtpAccount a;
    a.Server = QStringLiteral("ftp.example.se");
    a.User = QStringLiteral("kalle");
    a.LocalDir = QStringLiteral("/home/kalle/webb");
    a.ServerDir = QStringLiteral("/public_html");
    a.Password = QStringLiteral("Hemligt 123!åZ");
    ASSERT_TRUE(FtpAccounts::Write(QStringLiteral("Mitt konto"), a));
    EXPECT_EQ(ReadTestFile(FtpAccounts::FileOf(QStringLiteral("Mitt konto"))),
              QByteArray("ftp.example.se\r\nkalle\r\n/home/kalle/webb\r\n/public_html\r\n"
                         "Urzyvtg 123!\xE5M\r\n"));
    TFtpAccount b;
    ASSERT_EQ(FtpAccounts::Read(QStringLiteral("Mitt konto"), &b), FtpAccounts::TReadResult::Ok);
    EXPECT_EQ(b.Server, a.Server);
    EXPECT_EQ(b.User, a.User);
    EXPECT_EQ(b.LocalDir, a.LocalDir);
    EXPECT_EQ(b.ServerDir, a.ServerDir);
    EXPECT_EQ(b.Password, a.Password);
}

TEST_F(FtpAccountsTest, FilesAreWrittenForTheOwnerOnly) {
    const QString path = Put(QStringLiteral("Gammal.fta"), "old\r\n");
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                    QFileDevice::ReadGroup | QFileDevice::ReadOther);
    for (const QString& name : {QStringLiteral("Gammal"), QStringLiteral("Ny")}) {
        ASSERT_TRUE(FtpAccounts::Write(name, FtpAccounts::NewAccount()));
        EXPECT_EQ(QFileInfo(FtpAccounts::FileOf(name)).permissions(),
                  QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser |
                      QFileDevice::WriteUser)
            << name.toStdString();
    }
}

TEST_F(FtpAccountsTest, MissingLinesReadEmptyAndConnectingGivesDefaults) {
    Put(QStringLiteral("Kort.fta"), "server.se\nanna\n");
    Put(QStringLiteral("Tom.fta"), "");
    TFtpAccount a;
    ASSERT_EQ(FtpAccounts::Read(QStringLiteral("Kort"), &a), FtpAccounts::TReadResult::Ok);
    EXPECT_EQ(a.Server, QStringLiteral("server.se"));
    EXPECT_EQ(a.User, QStringLiteral("anna"));
    EXPECT_TRUE(a.LocalDir.isEmpty() && a.ServerDir.isEmpty() && a.Password.isEmpty());
    const TFtpAccount c = FtpAccounts::WithConnectDefaults(a);
    EXPECT_EQ(c.LocalDir, QDir::homePath());
    EXPECT_EQ(c.ServerDir, QStringLiteral("/"));

    EXPECT_EQ(FtpAccounts::Read(QStringLiteral("Tom"), &a), FtpAccounts::TReadResult::NoLines);
    EXPECT_EQ(FtpAccounts::Read(QStringLiteral("Saknas"), &a),
              FtpAccounts::TReadResult::Unreadable);
}

TEST_F(FtpAccountsTest, ListIsSortedAndMatchesTheSuffixInAnyCase) {
    Put(QStringLiteral("beta.fta"), "b\r\n");
    Put(QStringLiteral("Alfa.FTA"), "a\r\n");
    Put(QStringLiteral("gamma.Fta"), "g\r\n");
    Put(QStringLiteral("annat.txt"), "x\r\n");
    Put(QStringLiteral("fta"), "x\r\n");
    EXPECT_EQ(FtpAccounts::Names(), (QStringList{QStringLiteral("Alfa"), QStringLiteral("beta"),
                                                 QStringLiteral("gamma")}));
    TFtpAccount a;
    ASSERT_EQ(FtpAccounts::Read(QStringLiteral("Alfa"), &a), FtpAccounts::TReadResult::Ok);
    EXPECT_EQ(a.Server, QStringLiteral("a"));
    EXPECT_TRUE(FtpAccounts::Remove(QStringLiteral("gamma")));
    EXPECT_EQ(FtpAccounts::Names().size(), 2);
}

TEST_F(FtpAccountsTest, BadNamesAndValuesAreRefused) {
    for (const QString& bad :
         {QString(), QStringLiteral("a/b"), QStringLiteral("a\\b"), QStringLiteral(".."),
          QStringLiteral("x..y"), QStringLiteral("rad\nbrytning"), QStringLiteral("tab\t"),
          QStringLiteral("del\x7f")}) {
        EXPECT_FALSE(FtpAccounts::IsValidName(bad)) << bad.toStdString();
        EXPECT_FALSE(FtpAccounts::Write(bad, FtpAccounts::NewAccount())) << bad.toStdString();
    }
    for (const QString& good : {QStringLiteral("Mitt FTP-konto"), QStringLiteral("Räksmörgås"),
                                QStringLiteral("a.b"), QStringLiteral("100%")})
        EXPECT_TRUE(FtpAccounts::IsValidName(good)) << good.toStdString();
    EXPECT_TRUE(QDir(folder).entryList(QDir::Files).isEmpty());

    TFtpAccount a = FtpAccounts::NewAccount();
    a.Server = QStringLiteral("a\r\nb");
    EXPECT_FALSE(FtpAccounts::Write(QStringLiteral("Radbrytning"), a));
    a.Server = QStringLiteral("日本");
    EXPECT_FALSE(FtpAccounts::Write(QStringLiteral("Utanför teckentabellen"), a));
    EXPECT_TRUE(QDir(folder).entryList(QDir::Files).isEmpty());
}

TEST(FtpAccountsServer, SplitServerTable) {
    const struct {
        const char* server;
        bool ok;
        const char* host;
        int port;
    } cases[] = {
        {"ftp.example.se", true, "ftp.example.se", 21},
        {" ftp.example.se ", true, "ftp.example.se", 21},
        {"127.0.0.1:2121", true, "127.0.0.1", 2121},
        {"[::1]:2121", true, "::1", 2121},
        {"[::1]", true, "::1", 21},
        {"::1", true, "::1", 21},
        {"host:0", false, "host", 21},
        {"host:70000", false, "host", 21},
        {"host:ftp", false, "host", 21},
    };
    for (const auto& c : cases) {
        QString host;
        int port = 0;
        EXPECT_EQ(FtpAccounts::SplitServer(QString::fromUtf8(c.server), &host, &port), c.ok)
            << c.server;
        EXPECT_EQ(host.toStdString(), c.host) << c.server;
        if (c.ok) {
            EXPECT_EQ(port, c.port) << c.server;
        }
    }
}
