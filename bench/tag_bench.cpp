// Reading the tag at the caret costs the same on a 50 MB document as on a small one: the
// reader looks at a bounded window around the caret only.
#include "BenchSupport.h"
#include "editor/model/EditorModel.h"

#include <benchmark/benchmark.h>
#include <map>

namespace {

// `lines` lines of markup, about 50 bytes each.
QByteArray MakeDocument(int lines) {
    QByteArray d;
    d.reserve(static_cast<qsizetype>(lines) * 50);
    for (int i = 0; i < lines; ++i)
        d.append("<a href=\"page" + QByteArray::number(i) + ".html\" title='x'>link</a> text\r\n");
    return d;
}

TEditorModel& Model(int lines) {
    static std::map<int, TEditorModel*> models;
    TEditorModel*& m = models[lines];
    if (!m) {
        m = new TEditorModel;
        m->Lines.SetText(MakeDocument(lines));
    }
    return *m;
}

// The caret inside the start tag of the middle line.
void PlaceCaret(TEditorModel& m) {
    const int line = m.Lines.Count() / 2;
    m.SetSelStart(static_cast<int>(m.Lines.LineStart(line)) + 5);
}

void CurrentTag(benchmark::State& state) {
    TEditorModel& m = Model(static_cast<int>(state.range(0)));
    PlaceCaret(m);
    for (auto _ : state)
        benchmark::DoNotOptimize(m.GetCurrentTag());
    state.SetLabel(QByteArray::number(m.TextLength() / 1000000.0, 'f', 1).toStdString() + " MB");
}

void CurrentTagAttributes(benchmark::State& state) {
    TEditorModel& m = Model(static_cast<int>(state.range(0)));
    PlaceCaret(m);
    for (auto _ : state) {
        TTagAttributes attrs;
        TEditorModel::GetTagAttributes(m.GetCurrentTag(), attrs);
        benchmark::DoNotOptimize(TEditorModel::GetAttributeValue(attrs, "HREF"));
    }
}

void CurrentTagSpan(benchmark::State& state) {
    TEditorModel& m = Model(static_cast<int>(state.range(0)));
    PlaceCaret(m);
    for (auto _ : state)
        benchmark::DoNotOptimize(m.GetCurrentTagSpan());
}

void TypedTagName(benchmark::State& state) {
    TEditorModel& m = Model(static_cast<int>(state.range(0)));
    PlaceCaret(m);
    m.SetSelStart(m.GetSelStart() + 3); // after "<a h"
    for (auto _ : state)
        benchmark::DoNotOptimize(m.GetTypedTagName());
}

// Outside any tag with a long run of text: both scans go their full length.
void NoTag(benchmark::State& state) {
    const int lines = static_cast<int>(state.range(0));
    TEditorModel m;
    QByteArray d = MakeDocument(lines / 2);
    d.append(QByteArray(2000, 'x')).append("\r\n").append(MakeDocument(lines / 2));
    m.Lines.SetText(d);
    m.SetSelStart(static_cast<int>(m.Lines.LineStart(lines / 2)) + 1000);
    for (auto _ : state)
        benchmark::DoNotOptimize(m.GetCurrentTag());
}

} // namespace

BENCHMARK(CurrentTag)->Arg(20)->Arg(10000)->Arg(1000000);
BENCHMARK(CurrentTagAttributes)->Arg(20)->Arg(10000)->Arg(1000000);
BENCHMARK(CurrentTagSpan)->Arg(20)->Arg(10000)->Arg(1000000);
BENCHMARK(TypedTagName)->Arg(20)->Arg(10000)->Arg(1000000);
BENCHMARK(NoTag)->Arg(20)->Arg(10000)->Arg(1000000);

int main(int argc, char** argv) {
    UseOffscreenPlatform();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
