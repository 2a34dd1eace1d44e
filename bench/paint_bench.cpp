// Painting speed of the editor on documents of a million lines, side by side with the peer
// editor component (when it is installed): the first paint at the top, a jump to the last
// line, and 100 page-downs, each painted into an image offscreen.
#include "BenchSupport.h"

#include "editor/colouring/CSSFormattingProcessor.h"
#include "editor/colouring/HTMLFormattingProcessor.h"
#include "editor/view/TextEditorEx.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFontMetrics>
#include <QImage>
#include <QScrollBar>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <memory>
#include <string>

#ifdef KV_HAVE_QSCINTILLA
#include <Qsci/qscilexercss.h>
#include <Qsci/qscilexerhtml.h>
#include <Qsci/qsciscintilla.h>
#endif

namespace {

constexpr int kLines = 1000000;
constexpr int kColumns = 120;
constexpr int kRows = 50;

enum class Doc { Html, Css };

const QByteArray& Document(Doc doc) {
    static QByteArray html, css;
    QByteArray& text = doc == Doc::Html ? html : css;
    if (!text.isEmpty())
        return text;
    text.reserve(kLines * 80);
    for (int i = 0; i < kLines; ++i) {
        const QByteArray n = QByteArray::number(i);
        if (doc == Doc::Html)
            text += "<p class=\"item\">Entry " + n + " with <a href=\"page" + n +
                    ".html\">a link</a> and text.</p>\r\n";
        else if (i == 0)
            text += "body {\r\n";
        else
            text += "  margin-left: " + n + "px; color: #336699; /* note " + n + " */\r\n";
    }
    return text;
}

QFont BenchFont() {
    QFont f(QStringLiteral("Courier New"), 12);
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
    return f;
}

// Makes the viewport exactly columns x rows cells.
void FitViewport(QAbstractScrollArea* w, int cellWidth, int lineHeight) {
    w->resize(kColumns * cellWidth + 40, kRows * lineHeight + 40);
    w->show();
    QApplication::processEvents();
    const QSize extra = w->size() - w->viewport()->size();
    w->resize(kColumns * cellWidth + extra.width(), kRows * lineHeight + extra.height());
    QApplication::processEvents();
}

void Paint(QAbstractScrollArea* w) {
    benchmark::DoNotOptimize(w->viewport()->grab().toImage().width());
}

// --- ours ----------------------------------------------------------------------------------

struct Ours {
    TTextEditorEx editor;
    THTMLFormattingProcessor html;
    TCSSFormattingProcessor css;

    explicit Ours(Doc doc) {
        editor.EditorFont = BenchFont();
        editor.UpdateFont();
        html.TagColor = clBlue;
        html.TagNameColor = 153;
        html.TagNameBold = true;
        html.TagValColor = clGreen;
        css.GroupColor = 153;
        css.GroupBold = true;
        css.GroupSepColor = clBlue;
        TFormattingProcessor* p =
            doc == Doc::Html ? static_cast<TFormattingProcessor*>(&html) : &css;
        p->SetTextEditorEx(&editor);
        editor.SetFormattingProcessor(p);
        editor.SetText(Document(doc));
        FitViewport(&editor, editor.CharWidth(), editor.LineHeight());
    }
    void JumpToEnd() { editor.MoveToTextEnd(); }
    void Top() { editor.verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMinimum); }
    void PageDown() {
        editor.verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    }
    QAbstractScrollArea* Widget() { return &editor; }
};

// --- the peer ------------------------------------------------------------------------------

#ifdef KV_HAVE_QSCINTILLA
struct Peer {
    QsciScintilla editor;
    std::unique_ptr<QsciLexer> lexer;

    explicit Peer(Doc doc) {
        const QFont font = BenchFont();
        if (doc == Doc::Html)
            lexer = std::make_unique<QsciLexerHTML>();
        else
            lexer = std::make_unique<QsciLexerCSS>();
        lexer->setDefaultFont(font);
        lexer->setFont(font, -1);
        editor.setLexer(lexer.get());
        editor.setMarginWidth(0, 0);
        editor.setMarginWidth(1, 0);
        editor.setText(QString::fromLatin1(Document(doc)));
        const int cw = QFontMetrics(font).horizontalAdvance(QLatin1Char('M'));
        const int lh =
            static_cast<int>(editor.SendScintilla(QsciScintillaBase::SCI_TEXTHEIGHT, 0L));
        FitViewport(&editor, cw, lh);
    }
    void JumpToEnd() { editor.SendScintilla(QsciScintillaBase::SCI_DOCUMENTEND); }
    void Top() { editor.verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMinimum); }
    void PageDown() {
        editor.verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    }
    QAbstractScrollArea* Widget() { return &editor; }
};
#endif

std::map<std::string, double>& Results() {
    static std::map<std::string, double> r;
    return r;
}

void Record(benchmark::State& state, const std::string& key, double totalSeconds, int runs) {
    Results()[key] = totalSeconds / runs * 1000.0;
    state.counters["ms"] = totalSeconds / runs * 1000.0;
}

// (a) A fresh editor with the document paints its top screen.
template <typename Editor>
void FirstPaint(benchmark::State& state, Doc doc, const std::string& key) {
    double total = 0;
    int runs = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto e = std::make_unique<Editor>(doc);
        state.ResumeTiming();
        QElapsedTimer t;
        t.start();
        Paint(e->Widget());
        const double s = t.nsecsElapsed() / 1e9;
        state.SetIterationTime(s);
        total += s;
        ++runs;
        state.PauseTiming();
        e.reset();
        state.ResumeTiming();
    }
    Record(state, key, total, runs);
}

// (b) A fresh editor, painted at the top, jumps to the last line and paints.
template <typename Editor>
void JumpToEnd(benchmark::State& state, Doc doc, const std::string& key) {
    double total = 0;
    int runs = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto e = std::make_unique<Editor>(doc);
        Paint(e->Widget());
        state.ResumeTiming();
        QElapsedTimer t;
        t.start();
        e->JumpToEnd();
        Paint(e->Widget());
        const double s = t.nsecsElapsed() / 1e9;
        state.SetIterationTime(s);
        total += s;
        ++runs;
        state.PauseTiming();
        e.reset();
        state.ResumeTiming();
    }
    Record(state, key, total, runs);
}

// (c) From the top, 100 page-downs, each painted.
template <typename Editor>
void PageDowns(benchmark::State& state, Doc doc, const std::string& key) {
    Editor e(doc);
    double total = 0;
    int runs = 0;
    for (auto _ : state) {
        e.Top();
        Paint(e.Widget());
        QElapsedTimer t;
        t.start();
        for (int i = 0; i < 100; ++i) {
            e.PageDown();
            Paint(e.Widget());
        }
        const double s = t.nsecsElapsed() / 1e9;
        state.SetIterationTime(s);
        total += s;
        ++runs;
    }
    Record(state, key, total, runs);
}

struct Case {
    const char* name;
    Doc doc;
};
const Case kCases[] = {{"html", Doc::Html}, {"css", Doc::Css}};
const char* kFigures[] = {"first_paint", "jump_to_end", "page_downs_100"};

template <typename Editor> void Register(const char* who) {
    for (const Case& c : kCases) {
        const std::string base = std::string(c.name) + "/";
        const Doc doc = c.doc;
        const std::string w = who;
        benchmark::RegisterBenchmark(
            (w + "/" + base + kFigures[0]).c_str(),
            [=](benchmark::State& s) { FirstPaint<Editor>(s, doc, base + kFigures[0] + "/" + w); })
            ->UseManualTime()
            ->Iterations(3)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(
            (w + "/" + base + kFigures[1]).c_str(),
            [=](benchmark::State& s) { JumpToEnd<Editor>(s, doc, base + kFigures[1] + "/" + w); })
            ->UseManualTime()
            ->Iterations(3)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(
            (w + "/" + base + kFigures[2]).c_str(),
            [=](benchmark::State& s) { PageDowns<Editor>(s, doc, base + kFigures[2] + "/" + w); })
            ->UseManualTime()
            ->Iterations(5)
            ->Unit(benchmark::kMillisecond);
    }
}

} // namespace

int main(int argc, char** argv) {
    UseOffscreenPlatform();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    Register<Ours>("ours");
#ifdef KV_HAVE_QSCINTILLA
    Register<Peer>("peer");
#endif
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    std::printf("\n%-28s %12s %12s %10s\n", "figure (ms)", "ours", "peer", "ours/peer");
    for (const Case& c : kCases) {
        for (const char* f : kFigures) {
            const std::string key = std::string(c.name) + "/" + f;
            const auto ours = Results().find(key + "/ours");
            const auto peer = Results().find(key + "/peer");
            if (ours == Results().end())
                continue;
            if (peer == Results().end())
                std::printf("%-28s %12.2f %12s %10s\n", key.c_str(), ours->second, "-", "-");
            else
                std::printf("%-28s %12.2f %12.2f %10.2f\n", key.c_str(), ours->second, peer->second,
                            ours->second / peer->second);
        }
    }
    return 0;
}
