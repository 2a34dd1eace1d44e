// The module functions on the main editor, called through the table a module gets: the whole
// text out and in, and the selection start, on documents of 10,000 and 1,000,000 lines (about
// 0.5 and 50 MB).
#include "BenchSupport.h"

#include "app/mainwindow/MainWin.h"
#include "editor/view/TextEditorEx.h"
#include "kelvora/module.h"
#include "modules/ExportProcs.h"
#include "modules/ModulesInstall.h"
#include "platform/Dialogs.h"

#include <random>
#include <vector>

namespace {

const kv_function_table& Table() {
    return *ModuleFunctionTable();
}

// One window with the modules installed; its editor holds a generated page of `lines` lines.
Tmain& WindowWith(int lines) {
    static Tmain* win = nullptr; // kept to the end of the program
    static int shown = -1;
    if (!win) {
        InstallModules();
        win = new Tmain;
    }
    if (shown != lines) {
        win->CodeEditor->SetText(bench::HtmlText(lines));
        shown = lines;
    }
    return *win;
}

// The bytes the allocator has handed out, large blocks (mapped of their own) included.
long long AllocatedBytes() {
    const struct mallinfo2 m = mallinfo2();
    return static_cast<long long>(m.uordblks + m.hblkhd);
}

void BM_GetText(benchmark::State& state) {
    Tmain& win = WindowWith(static_cast<int>(state.range(0)));
    const qint64 length = win.CodeEditor->TextLength();
    long long held = 0;
    for (auto _ : state) {
        const long long before = AllocatedBytes();
        char* text = nullptr;
        if (Table().GetText(&text) != KV_OK)
            state.SkipWithError("GetText failed");
        held = AllocatedBytes() - before;
        benchmark::DoNotOptimize(text);
        Table().ReleaseString(text);
    }
    state.SetBytesProcessed(state.iterations() * length);
    // The memory the handed-out text holds, per byte of text: 1 is one copy.
    state.counters["copies"] = static_cast<double>(held) / static_cast<double>(length);
}
BENCHMARK(BM_GetText)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_SetText(benchmark::State& state) {
    Tmain& win = WindowWith(static_cast<int>(state.range(0)));
    const QByteArray page = bench::HtmlText(static_cast<int>(state.range(0)));
    for (auto _ : state)
        if (Table().SetText(page.constData()) != KV_OK)
            state.SkipWithError("SetText failed");
    state.SetBytesProcessed(state.iterations() * page.size());
    state.counters["lines"] = win.CodeEditor->Lines.Count();
}
BENCHMARK(BM_SetText)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMillisecond);

std::vector<int32_t> RandomOffsets(const Tmain& win) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int32_t> any(0, win.CodeEditor->TextLength() - 2);
    std::vector<int32_t> out(4096);
    for (int32_t& o : out)
        o = any(rng);
    return out;
}

// SetSelStart at a random offset, then GetSelStart: both go through the line index.
void BM_SetAndGetSelStart(benchmark::State& state) {
    Tmain& win = WindowWith(static_cast<int>(state.range(0)));
    const std::vector<int32_t> offsets = RandomOffsets(win);
    size_t i = 0;
    for (auto _ : state) {
        int32_t at = -1;
        Table().SetSelStart(offsets[i++ & 4095]);
        Table().GetSelStart(&at);
        benchmark::DoNotOptimize(at);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SetAndGetSelStart)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    // No benchmark may wait on a box.
    Dialogs::SetModalHandler([](QDialog*) { return int(Dialogs::mrNo); });
    return bench::RunInApplication(argc, argv);
}
