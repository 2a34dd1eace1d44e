// XHTML export speed: a coloured HTML page of a million lines (about 50 MB) written as a
// whole document, and one line of a million characters (the cost per line is linear).
#include "BenchSupport.h"

#include "editor/colouring/HTMLFormattingProcessor.h"
#include "editor/view/TextEditorEx.h"

#include <QFileInfo>
#include <benchmark/benchmark.h>

namespace {

struct Doc {
    TTextEditorEx editor;
    THTMLFormattingProcessor html;
    int events = 0;

    explicit Doc(const QByteArray& text) {
        html.TagColor = clBlue;
        html.TagNameColor = 153;
        html.TagNameBold = true;
        html.TagValColor = clGreen;
        html.SetTextEditorEx(&editor);
        editor.SetFormattingProcessor(&html);
        editor.SetText(text);
        editor.OnXHTMLExportProgress = [this](int, int, int) { ++events; };
    }

    void Run(benchmark::State& state, const char* name) {
        const QString path = bench::TempDir() + QLatin1Char('/') + QLatin1String(name);
        qint64 size = 0;
        for (auto _ : state) {
            events = 0;
            editor.ExportXHTML(QStringLiteral("Test"), QStringLiteral("<h1>Test</h1>"), true, path,
                               QString());
            size = QFileInfo(path).size();
        }
        state.counters["MB out"] = static_cast<double>(size) / 1e6;
        state.counters["events"] = events;
        state.SetBytesProcessed(state.iterations() * editor.Lines.TextLength());
    }
};

void BM_ExportMillionLines(benchmark::State& state) {
    static Doc doc(bench::HtmlText(1000000));
    doc.Run(state, "million.html");
}
BENCHMARK(BM_ExportMillionLines)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ExportOneLongLine(benchmark::State& state) {
    QByteArray line;
    for (int i = 0; line.size() < 1000000; ++i)
        line += bench::HtmlLine(i);
    static Doc doc(line);
    doc.Run(state, "longline.html");
}
BENCHMARK(BM_ExportOneLongLine)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char** argv) {
    return bench::RunInApplication(argc, argv);
}
