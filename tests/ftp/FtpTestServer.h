#pragma once

// A local FTP server for tests and benchmarks: Debian's python3-pyftpdlib run by
// /usr/bin/python3 with FtpTestServer.py, on 127.0.0.1 at a port the system picks, serving one
// folder and writing down every command it receives. Users: "kv" / "hemligt" and "anonymous".

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#ifndef KV_FTP_TEST_SERVER
#error "KV_FTP_TEST_SERVER names the server script"
#endif

class TFtpTestServer {
public:
    TFtpTestServer() = default;
    ~TFtpTestServer() { Stop(); }
    TFtpTestServer(const TFtpTestServer&) = delete;
    TFtpTestServer& operator=(const TFtpTestServer&) = delete;

    // Serves `root` (made when missing); `rate` limits each data connection to that many bytes
    // a second. Waits until the server accepts connections; false (see Error()) when it did
    // not come up in time.
    bool Start(const QString& root, int rate = 0) {
        root_ = QDir::cleanPath(root);
        QDir().mkpath(root_);
        log_ = root_ + QStringLiteral(".commands");
        QFile::remove(log_);
        QFile(log_).open(QIODevice::WriteOnly);
        QStringList args{QStringLiteral("-u"),     QStringLiteral(KV_FTP_TEST_SERVER),
                         QStringLiteral("--root"), root_,
                         QStringLiteral("--log"),  log_};
        if (rate > 0)
            args << QStringLiteral("--rate") << QString::number(rate);
        process_.setProgram(QStringLiteral("/usr/bin/python3"));
        process_.setArguments(args);
        process_.setStandardErrorFile(root_ + QStringLiteral(".stderr"));
        process_.start();
        if (!process_.waitForStarted(10000)) {
            error_ = process_.errorString();
            return false;
        }
        QByteArray out;
        const QDeadlineTimer deadline(30000);
        while (!deadline.hasExpired()) {
            out += process_.readAllStandardOutput();
            const qsizetype at = out.indexOf("PORT ");
            const qsizetype end = at >= 0 ? out.indexOf('\n', at) : -1;
            if (end > at) {
                port_ = out.mid(at + 5, end - at - 5).trimmed().toInt();
                return port_ > 0;
            }
            if (process_.state() != QProcess::Running ||
                !process_.waitForReadyRead(static_cast<int>(deadline.remainingTime())))
                break;
        }
        error_ = QStringLiteral("the server did not start: ") + QString::fromUtf8(out);
        Stop();
        return false;
    }

    void Stop() {
        if (process_.state() == QProcess::NotRunning)
            return;
        process_.terminate();
        if (!process_.waitForFinished(5000)) {
            process_.kill();
            process_.waitForFinished(5000);
        }
    }

    int Port() const { return port_; }
    QString Root() const { return root_; }
    QString Error() const { return error_; }
    // The account's server line: "127.0.0.1:<port>".
    QString Address() const { return QStringLiteral("127.0.0.1:%1").arg(port_); }
    // The path of a file below the served folder.
    QString Path(const QString& relative) const { return QDir(root_).filePath(relative); }

    // Every command line received so far, in order ("PASS ..." included).
    QStringList Commands() const {
        QFile f(log_);
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }
    void ClearCommands() const { QFile(log_).open(QIODevice::WriteOnly | QIODevice::Truncate); }
    // The commands whose verb is one of `verbs` (e.g. {"PASV", "EPSV"}).
    QStringList CommandsOf(const QStringList& verbs) const {
        QStringList out;
        for (const QString& c : Commands())
            if (verbs.contains(c.section(QLatin1Char(' '), 0, 0), Qt::CaseInsensitive))
                out << c;
        return out;
    }

    // A port on 127.0.0.1 that nothing listens on.
    static int ClosedPort() {
        const int fd = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof addr;
        int port = 0;
        if (bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0 &&
            getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &length) == 0)
            port = ntohs(addr.sin_port);
        close(fd);
        return port;
    }

private:
    QProcess process_;
    QString root_, log_, error_;
    int port_ = 0;
};
