// FTP transfer speed against the tests' local server (Debian's pyftpdlib on 127.0.0.1): a
// 50 MB upload and download through the session, beside a plain disk copy of the same file,
// and how long the main thread's event loop is kept waiting while a worker downloads.
#include "BenchSupport.h"

#include "../tests/ftp/FtpTestServer.h"
#include "ftp/session/FtpSession.h"
#include "ftp/transfers/FtpTransfer.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QSaveFile>
#include <QTimer>
#include <memory>

namespace {

constexpr qint64 kSize = 50LL * 1024 * 1024;

struct Setup {
    TFtpTestServer server;
    QString serverDir, localDir, localFile;
    bool ok = false;

    Setup() {
        serverDir = bench::TempDir() + QStringLiteral("/server");
        localDir = bench::TempDir() + QStringLiteral("/local");
        QDir().mkpath(serverDir);
        QDir().mkpath(localDir);
        QByteArray chunk(1024 * 1024, Qt::Uninitialized);
        for (qsizetype i = 0; i < chunk.size(); ++i)
            chunk[i] = static_cast<char>((i * 131) ^ (i >> 7));
        localFile = localDir + QStringLiteral("/stor.bin");
        for (const QString& path : {localFile, serverDir + QStringLiteral("/stor.bin")}) {
            QFile f(path);
            if (!f.open(QIODevice::WriteOnly))
                return;
            for (qint64 done = 0; done < kSize; done += chunk.size())
                f.write(chunk);
        }
        ok = server.Start(serverDir);
    }
    TFtpLogin Login() const {
        TFtpLogin l;
        l.Host = QStringLiteral("127.0.0.1");
        l.Port = server.Port();
        l.User = QStringLiteral("kv");
        l.Password = QStringLiteral("hemligt");
        return l;
    }
};

Setup& Shared() {
    static Setup setup;
    return setup;
}

// A session logged in to the shared server; null, with the benchmark skipped, without one.
std::shared_ptr<TFtpSession> LoggedIn(benchmark::State& state) {
    if (!Shared().ok) {
        state.SkipWithError("no FTP server");
        return nullptr;
    }
    auto session = std::make_shared<TFtpSession>();
    if (!session->Open(Shared().Login())) {
        state.SkipWithError("no login");
        return nullptr;
    }
    return session;
}

void BM_DiskCopy50MB(benchmark::State& state) {
    Setup& s = Shared();
    const QString target = s.localDir + QStringLiteral("/kopia.bin");
    for (auto _ : state) {
        QFile::remove(target);
        if (!QFile::copy(s.localFile, target))
            state.SkipWithError("copy failed");
    }
    state.SetBytesProcessed(state.iterations() * kSize);
}

void BM_Upload50MB(benchmark::State& state) {
    const Setup& s = Shared();
    const std::shared_ptr<TFtpSession> session = LoggedIn(state);
    if (!session)
        return;
    for (auto _ : state) {
        QFile file(s.localFile);
        if (!file.open(QIODevice::ReadOnly) ||
            !session->Upload(&file, QStringLiteral("/upp.bin"), false))
            state.SkipWithError("upload failed");
    }
    state.SetBytesProcessed(state.iterations() * kSize);
}

void BM_Download50MB(benchmark::State& state) {
    const Setup& s = Shared();
    const std::shared_ptr<TFtpSession> session = LoggedIn(state);
    if (!session)
        return;
    for (auto _ : state) {
        // As a transfer writes it: a temporary file beside the target, renamed when complete.
        QSaveFile file(s.localDir + QStringLiteral("/ner.bin"));
        if (!file.open(QIODevice::WriteOnly) ||
            !session->Download(QStringLiteral("/stor.bin"), &file, false) || !file.commit())
            state.SkipWithError("download failed");
    }
    state.SetBytesProcessed(state.iterations() * kSize);
}

// A worker downloads 50 MB while the main thread's event loop runs a 5 ms timer; the counter
// is the longest time between two ticks (what a repaint would wait at most).
void BM_WorkerDownloadEventLoopGap(benchmark::State& state) {
    const Setup& s = Shared();
    const std::shared_ptr<TFtpSession> session = LoggedIn(state);
    if (!session)
        return;
    qint64 worstGap = 0;
    for (auto _ : state) {
        TFtpTransferJob job;
        job.Direction = TFtpTransferJob::TDirection::Download;
        job.Names = {QStringLiteral("stor.bin")};
        job.Folders = {false};
        job.LocalFolder = s.localDir;
        job.ServerFolder = QStringLiteral("/");
        TFtpTransfer transfer(session, job, [](const QString&) {});
        QEventLoop loop;
        QTimer tick;
        tick.setInterval(5);
        QElapsedTimer since;
        since.start();
        QObject::connect(&tick, &QTimer::timeout,
                         [&] { worstGap = std::max(worstGap, since.restart()); });
        QObject::connect(&transfer, &QThread::finished, &loop, &QEventLoop::quit);
        tick.start();
        transfer.start();
        loop.exec();
        tick.stop();
    }
    state.SetBytesProcessed(state.iterations() * kSize);
    state.counters["max_gap_ms"] = static_cast<double>(worstGap);
}

} // namespace

BENCHMARK(BM_DiskCopy50MB)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(BM_Upload50MB)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(BM_Download50MB)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(BM_WorkerDownloadEventLoopGap)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime();

int main(int argc, char** argv) {
    return bench::RunInApplication(argc, argv);
}
