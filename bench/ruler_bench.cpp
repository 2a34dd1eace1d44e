// The ruler's paint on a million-line document: the same cost at the top and at the end,
// in full and in fast mode.
#include "BenchSupport.h"
#include "editor/view/Ruler.h"
#include "editor/view/TextEditorEx.h"

#include <QImage>
#include <QPainter>
#include <memory>

namespace {

struct TRulerSetup {
    TTextEditorEx editor;
    TRuler ruler;
    QImage target{33, 900, QImage::Format_RGB32};

    TRulerSetup() {
        editor.resize(800, 900);
        editor.Lines.SetText(bench::HtmlText(1000000));
        ruler.SetTextEditorEx(&editor);
        editor.SetRuler(&ruler);
        ruler.resize(33, 900);
    }
};

TRulerSetup& Setup() {
    static auto setup = std::make_unique<TRulerSetup>();
    return *setup;
}

// Args: top line, fast mode, gradient.
void BM_RulerPaint(benchmark::State& state) {
    TRulerSetup& s = Setup();
    s.editor.ScrollPos.SetPosSilently(QPoint(0, static_cast<int>(state.range(0))));
    s.editor.RulerFastMode = state.range(1) != 0;
    s.ruler.SetSurfaceType(state.range(2) ? TSurfaceType::stGradient : TSurfaceType::stSolid);
    for (auto _ : state) {
        s.ruler.render(&s.target);
        benchmark::DoNotOptimize(s.target.constBits());
    }
    state.counters["labels"] = static_cast<double>(s.ruler.Labels().size());
    s.editor.RulerFastMode = false;
}

BENCHMARK(BM_RulerPaint)
    ->ArgNames({"top", "fast", "gradient"})
    ->Args({0, 0, 1})
    ->Args({999900, 0, 1})
    ->Args({999900, 0, 0})
    ->Args({999900, 1, 1})
    ->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    return bench::RunInApplication(argc, argv);
}
