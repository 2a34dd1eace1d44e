// Entity coding, letter case and ROT13 of the selection on a 1,000,000-line HTML document
// (about 70 MB) whose every line has a letter and a symbol to code and an entity of each
// table to decode: the whole text selected, and one line of it.
#include "BenchSupport.h"
#include "editor/model/EditorModel.h"
#include "editor/view/TextEditorEx.h"

#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr int kLines = 1000000;

using Op = void (TEditorModel::*)();

struct Document {
    std::unique_ptr<TTextEditorEx> editor;
    LineStore::Snapshot full;
    qint64 size = 0;
    int changes = 0;

    Document() {
        editor = std::make_unique<TTextEditorEx>();
        editor->resize(800, 600);
        QByteArray text = bench::HtmlText(kLines);
        text.replace("\r\n", " \xA9 &copy; \xE5 &aring;\r\n");
        editor->SetText(text);
        full = editor->Lines.TakeSnapshot();
        size = editor->Lines.TextLength();
        editor->OnChange = [this](QObject*) { ++changes; };
    }
    void Reset() {
        editor->Lines.RestoreSnapshot(full);
        editor->Caret.SetPosSilently(QPoint(0, 0));
        editor->SelEnd.SetPosSilently(QPoint(0, 0));
        changes = 0;
    }
};

// Left for the process to end with: the editor must not outlive the application object.
Document& Doc() {
    static Document* doc = new Document;
    return *doc;
}

void RunOp(benchmark::State& state, Op op, bool wholeText) {
    Document& d = Doc();
    TTextEditorEx& ed = *d.editor;
    for (auto _ : state) {
        state.PauseTiming();
        d.Reset();
        if (wholeText)
            ed.SelectAll();
        else
            ed.SelectLine(kLines / 2 + 2);
        state.ResumeTiming();
        (ed.*op)();
    }
    if (wholeText)
        state.SetBytesProcessed(state.iterations() * d.size);
    state.counters["changes"] = d.changes;
    state.counters["MB"] = static_cast<double>(d.size) / 1e6;
    d.Reset();
}

#define ENTITY_BENCH(name, op)                                                                     \
    void BM_##name##_All(benchmark::State& s) {                                                    \
        RunOp(s, &TEditorModel::op, true);                                                         \
    }                                                                                              \
    BENCHMARK(BM_##name##_All)->Unit(benchmark::kMillisecond)->Iterations(5);                      \
    void BM_##name##_Line(benchmark::State& s) {                                                   \
        RunOp(s, &TEditorModel::op, false);                                                        \
    }                                                                                              \
    BENCHMARK(BM_##name##_Line)->Unit(benchmark::kMicrosecond);

ENTITY_BENCH(EncodeAlpha, EncodeAlpha)
ENTITY_BENCH(DecodeAlpha, DecodeAlpha)
ENTITY_BENCH(EncodeOmega, EncodeOmega)
ENTITY_BENCH(DecodeOmega, DecodeOmega)
ENTITY_BENCH(UpperCase, UpperCaseSelection)
ENTITY_BENCH(LowerCase, LowerCaseSelection)
ENTITY_BENCH(InvertCase, InvertCaseSelection)
ENTITY_BENCH(ROT13, ROT13)

} // namespace

int main(int argc, char** argv) {
    return bench::RunInApplication(argc, argv);
}
