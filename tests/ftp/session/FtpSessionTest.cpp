#include "FtpServerFixture.h"

#include "ftp/session/FtpSession.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <thread>

namespace {

class FtpSessionTest : public FtpServerTest {
protected:
    TFtpLogin Login(const QString& user = QStringLiteral("kv"),
                    const QString& password = QStringLiteral("hemligt")) const {
        TFtpLogin l;
        l.Host = QStringLiteral("127.0.0.1");
        l.Port = server.Port();
        l.User = user;
        l.Password = password;
        return l;
    }
    void Open() {
        StartServer();
        ASSERT_TRUE(session.Open(Login())) << session.ErrorText().toStdString();
    }
    QStringList Names(const QString& folder) {
        QList<TFtpEntry> entries;
        EXPECT_EQ(session.List(folder, &entries), TFtpSession::TListResult::Ok);
        QStringList names;
        for (const TFtpEntry& e : entries)
            names << e.Name + (e.IsFolder ? QStringLiteral("/") : QString());
        names.sort();
        return names;
    }

    TFtpSession session;
};

} // namespace

TEST_F(FtpSessionTest, ListsInActiveModeOnly) {
    OnServer(QStringLiteral("pub/a b.txt"), "hej");
    OnServer(QStringLiteral("pub/docs/x"), "");
    OnServer(QStringLiteral("pub/back\\slash.txt"), "");
    Open();
    EXPECT_TRUE(session.UsesMlsd());
    EXPECT_EQ(session.EntryFolder(), QStringLiteral("/"));
    EXPECT_EQ(Names(QStringLiteral("/pub")),
              (QStringList{QStringLiteral("a b.txt"), QStringLiteral("docs/")}));
    EXPECT_EQ(Names(QStringLiteral("/pub/docs")), QStringList{QStringLiteral("x")});
    const QStringList commands = server.Commands();
    EXPECT_EQ(commands.value(0), QStringLiteral("USER kv"));
    EXPECT_TRUE(commands.contains(QStringLiteral("CWD /pub")));
    EXPECT_TRUE(commands.contains(QStringLiteral("MLSD /pub")));
    EXPECT_FALSE(server.CommandsOf({QStringLiteral("PORT"), QStringLiteral("EPRT")}).isEmpty());
    EXPECT_TRUE(server.CommandsOf({QStringLiteral("PASV"), QStringLiteral("EPSV")}).isEmpty());
    // One login for everything: the connection is kept.
    EXPECT_EQ(server.CommandsOf({QStringLiteral("USER")}).size(), 1);
}

TEST_F(FtpSessionTest, LoginsThatFail) {
    StartServer();
    const struct {
        const char* user;
        const char* password;
        bool opens;
    } cases[] = {
        {"kv", "hemligt", true},
        {"kv", "fel", false},
        {"ingen", "hemligt", false},
        {"anonymous", "", true},
    };
    for (const auto& c : cases) {
        TFtpSession s;
        EXPECT_EQ(s.Open(Login(QString::fromUtf8(c.user), QString::fromUtf8(c.password))), c.opens)
            << c.user << "/" << c.password;
        EXPECT_EQ(s.IsOpen(), c.opens);
    }
    // Nothing listens: refused at once, not after a time-out.
    TFtpSession closed;
    TFtpLogin login = Login();
    login.Port = TFtpTestServer::ClosedPort();
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(closed.Open(login));
    EXPECT_LT(clock.elapsed(), 5000);
    // A host that would change the address's meaning is never tried.
    login.Host = QStringLiteral("127.0.0.1/x@evil");
    EXPECT_FALSE(closed.Open(login));
}

TEST_F(FtpSessionTest, FolderAndListingFailuresDiffer) {
    OnServer(QStringLiteral("fil.txt"), "x");
    QDir().mkpath(ServerFolder() + QStringLiteral("/tom"));
    Open();
    QList<TFtpEntry> entries;
    EXPECT_EQ(session.List(QStringLiteral("/saknas"), &entries),
              TFtpSession::TListResult::FolderFailed);
    EXPECT_EQ(session.List(QStringLiteral("/fil.txt"), &entries),
              TFtpSession::TListResult::FolderFailed);
    EXPECT_EQ(session.List(QStringLiteral("/a\r\nDELE /fil.txt"), &entries),
              TFtpSession::TListResult::FolderFailed);
    EXPECT_EQ(session.List(QStringLiteral("/tom"), &entries), TFtpSession::TListResult::Ok);
    EXPECT_TRUE(entries.isEmpty());
    EXPECT_TRUE(QFileInfo::exists(ServerFolder() + QStringLiteral("/fil.txt")));
}

TEST_F(FtpSessionTest, FileSizeProbe) {
    OnServer(QStringLiteral("sex.txt"), "123456");
    QDir().mkpath(ServerFolder() + QStringLiteral("/mapp"));
    QFile big(ServerFolder() + QStringLiteral("/stor.iso"));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly) && big.resize(5LL * 1024 * 1024 * 1024));
    big.close();
    Open();
    server.ClearCommands();
    qint64 size = 0;
    ASSERT_TRUE(session.FileSize(QStringLiteral("/sex.txt"), &size));
    EXPECT_EQ(size, 6);
    EXPECT_TRUE(server.Commands().contains(QStringLiteral("TYPE I")));
    ASSERT_TRUE(session.FileSize(QStringLiteral("/stor.iso"), &size));
    EXPECT_EQ(size, 5LL * 1024 * 1024 * 1024);
    EXPECT_FALSE(session.FileSize(QStringLiteral("/mapp"), &size));
    EXPECT_FALSE(session.FileSize(QStringLiteral("/saknas"), &size));
}

TEST_F(FtpSessionTest, ManagesFilesAndFoldersByAbsolutePath) {
    OnServer(QStringLiteral("pub/a b.txt"), "a");
    OnServer(QStringLiteral("pub/full/x"), "x");
    Open();
    server.ClearCommands();
    EXPECT_TRUE(session.Rename(QStringLiteral("/pub/a b.txt"), QStringLiteral("/pub/c.txt")));
    EXPECT_TRUE(session.MakeFolder(QStringLiteral("/pub/Ny katalog")));
    EXPECT_TRUE(session.RemoveFolder(QStringLiteral("/pub/Ny katalog")));
    EXPECT_TRUE(session.Delete(QStringLiteral("/pub/c.txt")));
    EXPECT_EQ(
        server.CommandsOf({QStringLiteral("RNFR"), QStringLiteral("RNTO"), QStringLiteral("MKD"),
                           QStringLiteral("RMD"), QStringLiteral("DELE")}),
        (QStringList{QStringLiteral("RNFR /pub/a b.txt"), QStringLiteral("RNTO /pub/c.txt"),
                     QStringLiteral("MKD /pub/Ny katalog"), QStringLiteral("RMD /pub/Ny katalog"),
                     QStringLiteral("DELE /pub/c.txt")}));
    EXPECT_FALSE(QFileInfo::exists(ServerFolder() + QStringLiteral("/pub/c.txt")));

    EXPECT_FALSE(session.Delete(QStringLiteral("/pub/saknas")));
    EXPECT_FALSE(session.RemoveFolder(QStringLiteral("/pub/full")));
    EXPECT_FALSE(session.Rename(QStringLiteral("/pub/saknas"), QStringLiteral("/pub/y")));
    EXPECT_TRUE(QFileInfo::exists(ServerFolder() + QStringLiteral("/pub/full/x")));
}

TEST_F(FtpSessionTest, RawCommandAndItsResponse) {
    OnServer(QStringLiteral("pub/kvar.txt"), "x");
    Open();
    server.ClearCommands();
    EXPECT_TRUE(session.Command(QStringLiteral("/pub"), QStringLiteral("SYST")));
    EXPECT_EQ(server.Commands(), (QStringList{QStringLiteral("CWD /pub"), QStringLiteral("SYST")}));
    EXPECT_EQ(session.LastResponse(), QStringLiteral("215 UNIX Type: L8"));
    EXPECT_TRUE(session.Command(QStringLiteral("/pub"), QStringLiteral("HELP")));
    EXPECT_TRUE(session.LastResponse().startsWith(QStringLiteral("214-")));
    EXPECT_TRUE(session.LastResponse().endsWith(QStringLiteral("214 Help command successful.")));
    EXPECT_GT(session.LastResponse().count(QLatin1Char('\n')), 1);

    EXPECT_FALSE(session.Command(QStringLiteral("/pub"), QStringLiteral("BOGUS")));
    EXPECT_TRUE(session.LastResponse().startsWith(QStringLiteral("500 ")));
    // A line break could smuggle in a second command: nothing is sent.
    server.ClearCommands();
    EXPECT_FALSE(session.Command(QStringLiteral("/pub"), QStringLiteral("NOOP\r\nDELE kvar.txt")));
    EXPECT_TRUE(server.Commands().isEmpty());
    EXPECT_TRUE(QFileInfo::exists(ServerFolder() + QStringLiteral("/pub/kvar.txt")));
}

TEST_F(FtpSessionTest, AsciiAndBinaryTransfers) {
    const QByteArray mixed = "a\nb\r\nc\n";
    OnServer(QStringLiteral("ut.txt"), "x\r\ny\n");
    Open();
    const struct {
        bool ascii;
        QByteArray onServer; // what an upload of `mixed` leaves on the server
        QByteArray here;     // what a download of "x\r\ny\n" gives
        const char* type;
    } cases[] = {
        {false, mixed, "x\r\ny\n", "TYPE I"},
        {true, "a\r\nb\r\nc\r\n", "x\ny\n", "TYPE A"},
    };
    for (const auto& c : cases) {
        server.ClearCommands();
        QBuffer source;
        source.setData(mixed);
        source.open(QIODevice::ReadOnly);
        ASSERT_TRUE(session.Upload(&source, QStringLiteral("/in.txt"), c.ascii));
        EXPECT_EQ(Bytes(ServerFolder() + QStringLiteral("/in.txt")), c.onServer) << c.type;
        QBuffer sink;
        sink.open(QIODevice::WriteOnly);
        ASSERT_TRUE(session.Download(QStringLiteral("/ut.txt"), &sink, c.ascii));
        EXPECT_EQ(sink.data(), c.here) << c.type;
        EXPECT_EQ(server.CommandsOf({QStringLiteral("TYPE")}),
                  QStringList{QString::fromUtf8(c.type)});
        EXPECT_TRUE(
            server.CommandsOf({QStringLiteral("STOR")}).contains(QStringLiteral("STOR /in.txt")));
    }
}

TEST_F(FtpSessionTest, DownloadThatFailsHalfWayFails) {
    QByteArray bytes(200000, 'k');
    OnServer(QStringLiteral("trasig.halvt"), bytes);
    Open();
    QBuffer sink;
    sink.open(QIODevice::WriteOnly);
    EXPECT_FALSE(session.Download(QStringLiteral("/trasig.halvt"), &sink, false));
    EXPECT_LT(sink.size(), bytes.size());
    // The connection is still good afterwards.
    EXPECT_EQ(Names(QStringLiteral("/")), QStringList{QStringLiteral("trasig.halvt")});
}

TEST_F(FtpSessionTest, CancelEndsARunningTransferFromAnotherThread) {
    OnServer(QStringLiteral("lång.bin"), QByteArray(2 * 1024 * 1024, 'x'));
    StartServer(64 * 1024); // half a minute for the whole file
    ASSERT_TRUE(session.Open(Login()));
    QBuffer sink;
    sink.open(QIODevice::WriteOnly);
    std::thread stopper([this] {
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        session.Cancel();
    });
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(session.Download(QStringLiteral("/lång.bin"), &sink, false));
    stopper.join();
    EXPECT_LT(clock.elapsed(), 10000);
    EXPECT_TRUE(session.IsCancelled());
    QList<TFtpEntry> entries;
    EXPECT_NE(session.List(QStringLiteral("/"), &entries), TFtpSession::TListResult::Ok);
    session.Resume();
    EXPECT_EQ(session.List(QStringLiteral("/"), &entries), TFtpSession::TListResult::Ok);
}
