// The editor's text model on a 1,000,000-line (about 50 MB) HTML document.
#include "BenchSupport.h"
#include "editor/model/EditorModel.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <benchmark/benchmark.h>
#include <random>
#include <vector>

namespace {

constexpr int kLines = 1000000;

struct Document {
    QString path;
    qint64 fileSize = 0;
    TEditorModel model;
    LineStore::Snapshot full; // the loaded text, to start every benchmark from
    int changes = 0;

    Document() {
        path = bench::MakeHtmlFile(kLines);
        fileSize = QFileInfo(path).size();
        model.LoadFromFile(path);
        full = model.Lines.TakeSnapshot();
        model.OnChange = [this](QObject*) { ++changes; };
    }
    void Reset() {
        model.Lines.RestoreSnapshot(full);
        model.Caret.SetPosSilently(QPoint(0, 0));
        model.SelEnd.SetPosSilently(QPoint(0, 0));
        changes = 0;
    }
};

Document& Doc() {
    static Document doc;
    return doc;
}

std::vector<int> RandomOffsets(const TEditorModel& m, size_t count) {
    std::mt19937 rng(42);
    std::uniform_int_distribution<int> any(0, m.TextLength() - 2);
    std::vector<int> out(count);
    for (int& o : out)
        o = any(rng);
    return out;
}

void BM_Load(benchmark::State& state) {
    Document& d = Doc();
    TEditorModel m;
    for (auto _ : state)
        m.LoadFromFile(d.path);
    state.SetBytesProcessed(state.iterations() * d.fileSize);
    state.counters["lines"] = m.Lines.Count();
}
BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond);

void BM_SetSelStart(benchmark::State& state) {
    Document& d = Doc();
    d.Reset();
    const std::vector<int> offsets = RandomOffsets(d.model, 1 << 16);
    size_t i = 0;
    for (auto _ : state) {
        d.model.SetSelStart(offsets[i++ & 0xFFFF]);
        benchmark::DoNotOptimize(d.model.Caret.X);
    }
}
BENCHMARK(BM_SetSelStart);

void BM_GetSelStart(benchmark::State& state) {
    Document& d = Doc();
    d.Reset();
    std::vector<QPoint> positions;
    for (int o : RandomOffsets(d.model, 1 << 16)) {
        QPoint p;
        d.model.OffsetToPos(o, &p);
        positions.push_back(p);
    }
    size_t i = 0;
    for (auto _ : state) {
        const QPoint& p = positions[i++ & 0xFFFF];
        d.model.Caret.SetPosSilently(p);
        d.model.SelEnd.SetPosSilently(p);
        benchmark::DoNotOptimize(d.model.GetSelStart());
    }
}
BENCHMARK(BM_GetSelStart);

// Select three lines in the middle and replace them by three others.
void BM_SetSelTextThreeLinesInTheMiddle(benchmark::State& state) {
    Document& d = Doc();
    d.Reset();
    const QByteArray three = "<p>eins</p>\r\n<p>zwei</p>\r\n<p>drei</p>\r\n";
    const int middle = kLines / 2;
    for (auto _ : state) {
        const qint64 from = d.model.Lines.LineStart(middle);
        d.model.SetSelStart(static_cast<int>(from));
        d.model.SetSelLength(static_cast<int>(d.model.Lines.LineStart(middle + 3) - from));
        d.model.SetSelText(three);
    }
    state.counters["lines"] = d.model.Lines.Count();
}
BENCHMARK(BM_SetSelTextThreeLinesInTheMiddle);

// One typed character at a random place (the cost of a key).
void BM_SetSelTextOneCharacter(benchmark::State& state) {
    Document& d = Doc();
    d.Reset();
    const std::vector<int> offsets = RandomOffsets(d.model, 1 << 12);
    size_t i = 0;
    for (auto _ : state) {
        d.model.SetSelStart(offsets[i++ & 0xFFF]);
        d.model.SetSelText("x");
    }
}
BENCHMARK(BM_SetSelTextOneCharacter);

// A character typed and deleted again at the top of the document, where every edit moves
// the offsets of all later lines.
void BM_TypeAndDeleteAtTheTop(benchmark::State& state) {
    Document& d = Doc();
    d.Reset();
    d.model.SetSelStart(10);
    for (auto _ : state) {
        d.model.SetSelText("x");
        d.model.SetSelLength(-1);
        d.model.SetSelText("");
    }
    state.counters["line 0"] = d.model.Lines.Length(0);
}
BENCHMARK(BM_TypeAndDeleteAtTheTop);

void BM_SelectAllAndDelete(benchmark::State& state) {
    Document& d = Doc();
    int changes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        d.Reset();
        state.ResumeTiming();
        d.model.SelectAll();
        d.model.DeleteSelection();
        changes += d.changes;
    }
    state.counters["changes/op"] = static_cast<double>(changes) / state.iterations();
}
BENCHMARK(BM_SelectAllAndDelete)->Unit(benchmark::kMicrosecond);

// The whole text pasted back into an empty document.
void BM_PasteBack(benchmark::State& state) {
    Document& d = Doc();
    d.Reset();
    const QByteArray text = d.model.Text();
    int changes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        d.model.Clear();
        d.changes = 0;
        state.ResumeTiming();
        d.model.SetSelText(text);
        changes += d.changes;
    }
    state.SetBytesProcessed(state.iterations() * text.size());
    state.counters["changes/op"] = static_cast<double>(changes) / state.iterations();
    state.counters["lines"] = d.model.Lines.Count();
}
BENCHMARK(BM_PasteBack)->Unit(benchmark::kMillisecond);

void BM_Save(benchmark::State& state) {
    Document& d = Doc();
    d.Reset();
    const QString out = bench::TempDir() + QStringLiteral("/saved.html");
    for (auto _ : state)
        d.model.SaveToFile(out);
    state.SetBytesProcessed(state.iterations() * d.model.TextLength());
}
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
