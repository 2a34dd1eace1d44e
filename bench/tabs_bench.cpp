// The main window's document switch (with the repaint of the document shown), opening (into a
// new window, cold from the disk and warm from the page cache, until the first screen is
// painted) and saving with two 50 MB documents. CPU time of the thread unless said otherwise.
#include "BenchSupport.h"

#include "app/mainwindow/MainWin.h"
#include "editor/view/TextEditorEx.h"
#include "platform/Dialogs.h"
#include "platform/SilentAbort.h"

#include <QElapsedTimer>
#include <memory>

namespace {

constexpr int kLines = 1000000; // about 52 MB each

struct Documents {
    Documents() {
        const QByteArray text = bench::HtmlText(kLines);
        first = bench::WriteFile(QStringLiteral("first.html"), text);
        second = bench::WriteFile(QStringLiteral("second.html"), text);
    }
    QString first, second;
};

const Documents& Files() {
    static const Documents docs;
    return docs;
}

std::unique_ptr<Tmain> Window() {
    auto win = std::make_unique<Tmain>();
    win->show();
    return win;
}

void Open(Tmain& win, const QString& file) {
    if (!RunCommand([&] { win.NewDocTab(1, file); }))
        std::abort();
}

using bench::PaintCounter;

// A switch to the other document and back, each painted.
void BM_SwitchBetweenTwo50MBDocuments(benchmark::State& state) {
    auto win = Window();
    Open(*win, Files().first);
    Open(*win, Files().second);
    win->CodeEditor->SetSelStart(25000000);
    win->CodeEditor->SetSelText("edited ");
    PaintCounter counter;
    win->CodeEditor->viewport()->installEventFilter(&counter);
    QApplication::processEvents();
    for (auto _ : state) {
        win->PrevDoc();
        QApplication::processEvents();
        win->NextDoc();
        QApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations() * 2);
    state.counters["paints/switch"] =
        static_cast<double>(counter.paints) / static_cast<double>(state.iterations() * 2);
}
BENCHMARK(BM_SwitchBetweenTwo50MBDocuments)->Unit(benchmark::kMillisecond);

// A new window opens the file and paints its first screen; `cold` reads it from the disk
// (wall time then: the wait for the disk is no CPU time).
void OpenAndPaint(benchmark::State& state, bool cold) {
    for (auto _ : state) {
        state.PauseTiming();
        auto win = Window();
        QApplication::processEvents();
        PaintCounter counter;
        win->CodeEditor->viewport()->installEventFilter(&counter);
        if (cold)
            bench::DropFromPageCache(Files().first);
        state.ResumeTiming();
        QElapsedTimer t;
        t.start();
        Open(*win, Files().first);
        while (counter.paints == 0)
            QApplication::processEvents();
        if (cold)
            state.SetIterationTime(t.nsecsElapsed() / 1e9);
        state.PauseTiming();
        win.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(kLines) * 52);
}
BENCHMARK_CAPTURE(OpenAndPaint, warm, false)->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(OpenAndPaint, cold, true)
    ->Iterations(5)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

void BM_Close50MBDocument(benchmark::State& state) {
    auto win = Window();
    for (auto _ : state) {
        state.PauseTiming();
        Open(*win, Files().first);
        state.ResumeTiming();
        if (!RunCommand([&] { win->DocClose(); }))
            std::abort();
    }
}
BENCHMARK(BM_Close50MBDocument)->Unit(benchmark::kMillisecond);

void BM_Save50MBDocument(benchmark::State& state) {
    auto win = Window();
    const QString copy = bench::WriteFile(QStringLiteral("saved.html"), bench::HtmlText(kLines));
    Open(*win, copy);
    for (auto _ : state) {
        win->CodeEditor->SetSelText("x");
        if (win->SaveDoc() != TSaveResult::Saved)
            std::abort();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(kLines) * 52);
}
BENCHMARK(BM_Save50MBDocument)->Unit(benchmark::kMillisecond);

// One typed character in a 50 MB document that is already marked: the change handler's cost.
void BM_KeyIn50MBDocument(benchmark::State& state) {
    auto win = Window();
    Open(*win, Files().first);
    win->CodeEditor->SetSelStart(25000000);
    for (auto _ : state)
        win->CodeEditor->SetSelText("x");
}
BENCHMARK(BM_KeyIn50MBDocument)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    // No benchmark may wait on a box.
    Dialogs::SetModalHandler([](QDialog*) { return int(Dialogs::mrNo); });
    return bench::RunInApplication(argc, argv);
}
