// The main window's document switch, opening and saving with two 50 MB documents.
#include "BenchSupport.h"

#include "app/mainwindow/MainWin.h"
#include "editor/view/TextEditorEx.h"
#include "platform/Dialogs.h"
#include "platform/SilentAbort.h"

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

void BM_SwitchBetweenTwo50MBDocuments(benchmark::State& state) {
    auto win = Window();
    Open(*win, Files().first);
    Open(*win, Files().second);
    win->CodeEditor->SetSelStart(25000000);
    win->CodeEditor->SetSelText("edited ");
    for (auto _ : state) {
        win->PrevDoc();
        win->NextDoc();
    }
    state.SetItemsProcessed(state.iterations() * 2);
    state.counters["switches/s"] = benchmark::Counter(static_cast<double>(state.iterations() * 2),
                                                      benchmark::Counter::kIsRate);
}
BENCHMARK(BM_SwitchBetweenTwo50MBDocuments)->Unit(benchmark::kMillisecond);

void BM_Open50MBDocument(benchmark::State& state) {
    auto win = Window();
    for (auto _ : state) {
        Open(*win, Files().first);
        state.PauseTiming();
        if (!RunCommand([&] { win->DocClose(); }))
            std::abort();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(kLines) * 52);
}
BENCHMARK(BM_Open50MBDocument)->Unit(benchmark::kMillisecond);

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
