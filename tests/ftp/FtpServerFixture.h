#pragma once

#include "FtpTestServer.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

// A fresh folder per test with a local FTP server serving its "server" subfolder.
class FtpServerTest : public ::testing::Test {
protected:
    void SetUp() override {
        static int serial = 0;
        base = QDir(TestRootDir()).filePath(QStringLiteral("ftp%1").arg(++serial));
        QDir(base).removeRecursively();
        QDir().mkpath(base + QStringLiteral("/server"));
        QDir().mkpath(base + QStringLiteral("/local"));
    }

    // Starts the server; `rate` limits data connections to bytes a second.
    void StartServer(int rate = 0) {
        ASSERT_TRUE(server.Start(base + QStringLiteral("/server"), rate))
            << server.Error().toStdString();
    }

    // Writes a file below the served folder / below the local folder; returns its path.
    QString OnServer(const QString& relative, const QByteArray& bytes) {
        return WriteTestFile(QDir(base + QStringLiteral("/server")).filePath(relative), bytes);
    }
    QString Local(const QString& relative, const QByteArray& bytes) {
        return WriteTestFile(QDir(base + QStringLiteral("/local")).filePath(relative), bytes);
    }
    QString ServerFolder() const { return base + QStringLiteral("/server"); }
    QString LocalFolder() const { return base + QStringLiteral("/local"); }
    static QByteArray Bytes(const QString& path) { return ReadTestFile(path); }

    QString base;
    TFtpTestServer server;
};
