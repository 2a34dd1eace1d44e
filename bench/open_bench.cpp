// Opening a 1,000,000-line HTML file of about 92 MB through the main window, the way the
// command line opens it: the time from the start of the opening to the end of the first paint
// of the file's first screen, the time until the program is idle (the event loop has nothing
// left to do and waits), and the peak of the resident memory. The peer component opens the
// same file: read, set as its text with its HTML lexer, and painted.
//
// "cold" drops the file from the page cache before each run (the read comes from the disk);
// "warm" reads it from the page cache. Each run makes a new window; --benchmark_repetitions
// gives the median of that many runs. --lines=N changes the size (2,000,000 shows how the cost
// grows).
#include "BenchSupport.h"

#include "app/mainwindow/MainWin.h"
#include "editor/view/TextEditorEx.h"
#include "platform/Dialogs.h"
#include "program/Assembly.h"

#include <QAbstractEventDispatcher>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QTimer>
#include <memory>

#ifdef KV_HAVE_QSCINTILLA
#include <Qsci/qscilexerhtml.h>
#include <Qsci/qsciscintilla.h>
#endif

namespace {

int gLines = 1000000;

// Notes the end of the first event, at any nesting depth, during which a watched widget got
// painted: the moment its pixels have been handed to the window system.
class ProbeApplication : public QApplication {
public:
    using QApplication::QApplication;

    void Watch(QWidget* widget) {
        watched_ = widget;
        painted_ = false;
        paintedAt_ = -1;
    }
    qint64 PaintedAt() const { return paintedAt_; }
    static qint64 Now() {
        static QElapsedTimer clock = [] {
            QElapsedTimer c;
            c.start();
            return c;
        }();
        return clock.nsecsElapsed();
    }

    bool notify(QObject* receiver, QEvent* e) override {
        ++depth_;
        const bool result = QApplication::notify(receiver, e);
        --depth_;
        if (watched_ && receiver == watched_ && e->type() == QEvent::Paint)
            painted_ = true;
        if (painted_ && depth_ == 0 && paintedAt_ < 0)
            paintedAt_ = Now();
        return result;
    }

private:
    QWidget* watched_ = nullptr;
    bool painted_ = false;
    qint64 paintedAt_ = -1;
    int depth_ = 0;
};

ProbeApplication* App() {
    return static_cast<ProbeApplication*>(QCoreApplication::instance());
}

// Runs the event loop until the watched widget has been painted and the loop is about to wait
// with nothing left to do; returns that moment (or -1 after 60 s).
qint64 RunUntilPaintedAndIdle() {
    QEventLoop loop;
    qint64 idleAt = -1;
    const auto conn = QObject::connect(QAbstractEventDispatcher::instance(),
                                       &QAbstractEventDispatcher::aboutToBlock, &loop, [&] {
                                           if (App()->PaintedAt() >= 0 && idleAt < 0) {
                                               idleAt = ProbeApplication::Now();
                                               loop.quit();
                                           }
                                       });
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    if (App()->PaintedAt() < 0 || idleAt < 0)
        loop.exec();
    QObject::disconnect(conn);
    return idleAt;
}

const QString& File() {
    static const QString path = [] {
        const QString p =
            bench::MakeLongHtmlFile(gLines, QStringLiteral("open%1.html").arg(gLines));
        std::printf("file: %d lines, %.1f MB\n", gLines, QFileInfo(p).size() / 1e6);
        return p;
    }();
    return path;
}

double Mb(long long bytes) {
    return static_cast<double>(bytes) / 1e6;
}

// One opening, timed from the start of the opening to the first painted screen.
template <typename Open> void Measure(benchmark::State& state, bool cold, Open&& open) {
    const double fileMb = Mb(QFileInfo(File()).size());
    double peakMb = 0, idleMs = 0, startMs = 0;
    for (auto _ : state) {
        if (cold)
            bench::DropFromPageCache(File());
        bench::ResetPeakMemory();
        const long long base = bench::ProcStatusBytes("VmRSS");
        qint64 opening = 0, started = ProbeApplication::Now();
        auto keep = open(&opening);
        const qint64 idle = RunUntilPaintedAndIdle();
        const qint64 painted = App()->PaintedAt();
        if (painted < 0 || idle < 0) {
            state.SkipWithError("the file was never painted");
            break;
        }
        state.SetIterationTime((painted - opening) / 1e9);
        peakMb = Mb(bench::ProcStatusBytes("VmHWM") - base);
        idleMs = (idle - opening) / 1e6;
        startMs = (painted - started) / 1e6;
        keep.reset();
        App()->Watch(nullptr);
        QCoreApplication::processEvents();
    }
    state.counters["idle_ms"] = idleMs;
    state.counters["from_window_ms"] = startMs;
    state.counters["peak_MB"] = peakMb;
    state.counters["peak/file"] = peakMb / fileMb;
}

// Ours: a new main window opens the file from its command line when it is first shown.
void Ours(benchmark::State& state, bool cold) {
    Measure(state, cold, [](qint64* opening) {
        auto win = std::make_unique<Tmain>();
        win->CommandLineArguments = QStringList{File()};
        App()->Watch(win->CodeEditor->viewport());
        *opening = ProbeApplication::Now();
        win->show();
        return win;
    });
}

// The window alone with its empty document: the program's own memory.
void WindowOnly(benchmark::State& state) {
    Measure(state, false, [](qint64* opening) {
        auto win = std::make_unique<Tmain>();
        App()->Watch(win->CodeEditor->viewport());
        *opening = ProbeApplication::Now();
        win->show();
        return win;
    });
}

#ifdef KV_HAVE_QSCINTILLA
struct PeerEditor {
    QsciScintilla editor;
    QsciLexerHTML lexer;
};

void Peer(benchmark::State& state, bool cold) {
    Measure(state, cold, [](qint64* opening) {
        auto peer = std::make_unique<PeerEditor>();
        peer->editor.setUtf8(false);
        peer->editor.setLexer(&peer->lexer);
        peer->editor.resize(1200, 900);
        App()->Watch(peer->editor.viewport());
        *opening = ProbeApplication::Now();
        QFile f(File());
        if (f.open(QIODevice::ReadOnly)) {
            const QByteArray bytes = f.readAll();
            peer->editor.SendScintilla(QsciScintillaBase::SCI_SETTEXT, 0UL, bytes.constData());
        }
        peer->editor.show();
        return peer;
    });
}
#endif

void Register() {
    const auto add = [](const std::string& name, auto fn) {
        benchmark::RegisterBenchmark(name.c_str(), fn)
            ->UseManualTime()
            ->Iterations(1)
            ->Unit(benchmark::kMillisecond);
    };
    add("window_only/ours", [](benchmark::State& s) { WindowOnly(s); });
    for (const bool cold : {false, true}) {
        const std::string kind = cold ? "open_cold" : "open_warm";
        add(kind + "/ours", [cold](benchmark::State& s) { Ours(s, cold); });
#ifdef KV_HAVE_QSCINTILLA
        add(kind + "/peer", [cold](benchmark::State& s) { Peer(s, cold); });
#endif
    }
}

} // namespace

int main(int argc, char** argv) {
    UseOffscreenPlatform();
    bench::TakeLinesOption(argc, argv, &gLines);
    bench::UseTemporaryUserFolders();
    ProbeApplication app(argc, argv);
    bench::NameApplication();
    // No run may wait on a box; the subsystems install as in the program.
    Dialogs::SetModalHandler([](QDialog*) { return int(Dialogs::mrNo); });
    InstallAllSubsystems();
    File();
    benchmark::Initialize(&argc, argv);
    Register();
    return bench::RunWithSummary();
}
