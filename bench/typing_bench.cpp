// A key press in a 1,000,000-line HTML document, from the key event to the finished
// repaint, in the editor and side by side in the peer component; and the cost of undo
// snapshots of a 50 MB document.
#include "BenchSupport.h"
#include "editor/view/TextEditorEx.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <memory>
#include <string>

#ifdef KV_HAVE_QSCINTILLA
#include <Qsci/qsciscintilla.h>
#endif

namespace {

constexpr int kLines = 1000000;
constexpr int kMiddle = 500000;

// Counts the paint events of a viewport, so that a figure shows the repaint really ran.
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

void SendKey(QWidget* w, Qt::Key key, Qt::KeyboardModifiers mods, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, mods, text);
    QApplication::sendEvent(w, &release);
}

// Delivers the pending repaints.
void FinishPaint() {
    QApplication::processEvents();
}

const QByteArray& Document() {
    static const QByteArray doc = bench::HtmlText(kLines);
    return doc;
}

QByteArray EmptyLinesDocument() {
    QByteArray doc = "<p>ord ett</p>\r\n";
    for (int i = 0; i < 100000; ++i)
        doc += "\r\n";
    doc += "<p>ord två</p>\r\n";
    return doc;
}

// --- our editor ----------------------------------------------------------------------------

struct Ours {
    std::unique_ptr<TTextEditorEx> ed = std::make_unique<TTextEditorEx>();
    PaintCounter counter;
    explicit Ours(const QByteArray& text) {
        ed->resize(900, 700);
        ed->show();
        ed->activateWindow();
        ed->setFocus();
        ed->SetText(text);
        ed->viewport()->installEventFilter(&counter);
        FinishPaint();
    }
    void Place(int x, int y) {
        ed->Caret.SetPos(QPoint(x, y));
        FinishPaint();
    }
};

// --- the peer ----------------------------------------------------------------------------

#ifdef KV_HAVE_QSCINTILLA
struct Peer {
    std::unique_ptr<QsciScintilla> ed = std::make_unique<QsciScintilla>();
    PaintCounter counter;
    explicit Peer(const QByteArray& text) {
        ed->resize(900, 700);
        ed->setUtf8(false);
        ed->setEolMode(QsciScintilla::EolWindows);
        ed->show();
        ed->activateWindow();
        ed->setFocus();
        ed->setText(QString::fromLatin1(text));
        ed->viewport()->installEventFilter(&counter);
        FinishPaint();
    }
    void Place(int x, int y) {
        ed->setCursorPosition(y, x);
        ed->ensureCursorVisible();
        FinishPaint();
    }
};
#endif

template <class Editor> void TypeKey(benchmark::State& state) {
    Editor e(Document());
    e.Place(20, kMiddle);
    const int before = e.counter.paints;
    for (auto _ : state) {
        SendKey(e.ed.get(), Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        FinishPaint();
    }
    state.counters["paints/key"] =
        benchmark::Counter(e.counter.paints - before, benchmark::Counter::kAvgIterations);
}

template <class Editor> void Enter(benchmark::State& state) {
    Editor e(Document());
    e.Place(20, kMiddle);
    for (auto _ : state) {
        SendKey(e.ed.get(), Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        FinishPaint();
    }
}

template <class Editor> void BackspaceAtLineStart(benchmark::State& state) {
    Editor e(Document());
    for (auto _ : state) {
        state.PauseTiming();
        e.Place(0, kMiddle);
        state.ResumeTiming();
        SendKey(e.ed.get(), Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b"));
        FinishPaint();
    }
}

template <class Editor> void WordMoveOverEmptyLines(benchmark::State& state) {
    Editor e(EmptyLinesDocument());
    for (auto _ : state) {
        state.PauseTiming();
        e.Place(14, 0);
        state.ResumeTiming();
        SendKey(e.ed.get(), Qt::Key_Right, Qt::ControlModifier, QString());
        FinishPaint();
    }
}

BENCHMARK_TEMPLATE(TypeKey, Ours)->Name("TypeKey/ours")->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(Enter, Ours)->Name("Enter/ours")->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BackspaceAtLineStart, Ours)
    ->Name("BackspaceAtLineStart/ours")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(WordMoveOverEmptyLines, Ours)
    ->Name("WordMove100kEmptyLines/ours")
    ->Unit(benchmark::kMicrosecond);
#ifdef KV_HAVE_QSCINTILLA
BENCHMARK_TEMPLATE(TypeKey, Peer)->Name("TypeKey/peer")->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(Enter, Peer)->Name("Enter/peer")->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BackspaceAtLineStart, Peer)
    ->Name("BackspaceAtLineStart/peer")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(WordMoveOverEmptyLines, Peer)
    ->Name("WordMove100kEmptyLines/peer")
    ->Unit(benchmark::kMicrosecond);
#endif

// Keeps each run's time per iteration for the ratio table.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> times;
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs)
            times[r.benchmark_name()] = r.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
};

// 1,000 snapshots of a 50 MB document with one line changed between them.
void MeasureUndoSnapshots() {
    TTextEditorEx ed;
    ed.SetText(bench::HtmlText(kLines));
    ed.UndoStore.MemoryBudget = qint64(1) << 40; // measure, do not prune
    const qint64 before = bench::HeapInUse();
    QElapsedTimer timer;
    timer.start();
    qint64 snapshotNs = 0;
    for (int i = 0; i < 1000; ++i) {
        const int line = (i * 7919) % kLines;
        ed.Lines.Put(line, ed.Lines.Get(line) + "x");
        QElapsedTimer t;
        t.start();
        ed.AddUndoData();
        snapshotNs += t.nsecsElapsed();
    }
    const qint64 totalMs = timer.elapsed();
    const qint64 after = bench::HeapInUse();
    QElapsedTimer undoTimer;
    undoTimer.start();
    for (int i = 0; i < 100; ++i)
        ed.Undo();
    const double undoUs = undoTimer.nsecsElapsed() / 100.0 / 1000.0;
    std::printf("\nUndo snapshots of a %.1f MB document (%d lines), one line changed between:\n",
                ed.TextLength() / 1e6, ed.Lines.Count());
    std::printf("  1000 snapshots: %.1f us per snapshot (%lld ms in all with the edits)\n",
                snapshotNs / 1000.0 / 1e3, static_cast<long long>(totalMs));
    std::printf("  heap in use: +%.1f MB (%.1f KB per snapshot); the store's estimate %.1f MB\n",
                (after - before) / 1048576.0, (after - before) / 1000.0 / 1024.0,
                ed.UndoStore.MemoryUsed() / 1048576.0);
    std::printf("  Undo (restore a snapshot): %.1f us each\n", undoUs);
}

} // namespace

int main(int argc, char** argv) {
    UseOffscreenPlatform();
    // --no_undo leaves out the snapshot measurement.
    bool undo = true;
    for (int i = 1; i < argc; ++i)
        if (std::string(argv[i]) == "--no_undo") {
            undo = false;
            for (int j = i; j + 1 < argc; ++j)
                argv[j] = argv[j + 1];
            --argc;
            break;
        }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    bool header = false;
    for (const auto& [name, ours] : reporter.times) {
        const auto slash = name.rfind("/ours");
        if (slash == std::string::npos)
            continue;
        const auto peer = reporter.times.find(name.substr(0, slash) + "/peer");
        if (peer == reporter.times.end())
            continue;
        if (!header) {
            std::printf("\nours / peer (time per operation; below 1 is faster than the peer):\n");
            header = true;
        }
        std::printf("  %-28s %10.1f us %10.1f us   ratio %.2f\n", name.substr(0, slash).c_str(),
                    ours, peer->second, ours / peer->second);
    }
    if (undo)
        MeasureUndoSnapshots();
    benchmark::Shutdown();
    return 0;
}
