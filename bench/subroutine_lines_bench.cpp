// Expanding subroutine lines against a document of a million lines: the cost follows the line
// and the placeholders it holds, not the document.
#include "BenchSupport.h"
#include "editor/model/EditorModel.h"
#include "subroutines/SubroutineLines.h"

#include <benchmark/benchmark.h>

namespace {

class BenchContext : public TSubroutineContext {
public:
    BenchContext() {
        editor.Lines.SetText(bench::HtmlText(1000000));
        editor.SetSelStart(25000000);
        editor.SetSelLength(40);
    }
    TEditorModel editor;
    TEditorModel& Editor() override { return editor; }
    TSubroutineDocument CurrentDocument() const override {
        return {QStringLiteral("/tmp/sida.html"), true, true};
    }
    int TagCase() const override { return 1; }
    QString Input(const QString&) override { return QString(); }
};

BenchContext& Context() {
    static BenchContext* context = new BenchContext;
    return *context;
}

void Expand(benchmark::State& state, const QByteArray& line, TSubroutineRunState& run) {
    TSubroutineLineProcessor processor(Context(), run);
    QByteArray statement;
    for (auto _ : state) {
        processor.Process(line, 0, &statement);
        benchmark::DoNotOptimize(statement);
    }
    state.SetBytesProcessed(state.iterations() * line.size());
}

void BM_PlainLine(benchmark::State& state) {
    TSubroutineRunState run;
    Expand(state, "write Hej hopp", run);
}
BENCHMARK(BM_PlainLine);

void BM_PositionPlaceholders(benchmark::State& state) {
    TSubroutineRunState run;
    Expand(state,
           "write [CharacterIndex] [LineIndex] [CharacterCount] [LineCount] [SelectionLength] "
           "[SelectedText] [FileName] [C]",
           run);
}
BENCHMARK(BM_PositionPlaceholders);

void BM_HTMLTitle(benchmark::State& state) {
    TSubroutineRunState run;
    Expand(state, "write [HTMLTitle]", run);
}
BENCHMARK(BM_HTMLTitle);

void BM_Functions(benchmark::State& state) {
    TSubroutineRunState run;
    run.Variables.Assign("n", "21");
    Expand(state, "write {Calc([n]*2)} {ToUpperCase(div)} {Date(8)} {IsZero([n])} {Chr(65)}", run);
}
BENCHMARK(BM_Functions);

// A line of about 1 MB holding 100,000 references to one variable.
void BM_LongLine(benchmark::State& state) {
    TSubroutineRunState run;
    run.Variables.Assign("a", "xyz");
    QByteArray line = "write ";
    for (int i = 0; i < 100000; ++i)
        line += "[a] text ";
    Expand(state, line, run);
}
BENCHMARK(BM_LongLine);

} // namespace

int main(int argc, char** argv) {
    return bench::RunInApplication(argc, argv);
}
