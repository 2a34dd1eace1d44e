// Painting speed of the editor on documents of a million lines, side by side with the peer
// editor component (when it is installed), both with their colouring on: the first paint of a
// new editor that has never painted (shown for the first time), a jump to the last line, and
// 100 page-downs, each painted into an image offscreen. Times are CPU time of the thread (the
// setup of each run is left out); the summary at the end gives the medians side by side.
#include "BenchSupport.h"

#include "editor/colouring/CSSFormattingProcessor.h"
#include "editor/colouring/HTMLFormattingProcessor.h"
#include "editor/view/TextEditorEx.h"

#include <QApplication>
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

// The size that gives an editor of this kind a viewport of exactly columns x rows cells,
// found once with an editor that is shown (the frame and the scroll bars take the rest).
template <typename Editor> QSize FittedSize();

void Paint(QAbstractScrollArea* w) {
    benchmark::DoNotOptimize(w->viewport()->grab().toImage().width());
}

// --- ours ----------------------------------------------------------------------------------

struct Ours {
    TTextEditorEx editor;
    THTMLFormattingProcessor html;
    TCSSFormattingProcessor css;

    explicit Ours(Doc doc, bool show = true) {
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
        if (show)
            FitViewport(&editor, editor.CharWidth(), editor.LineHeight());
        else
            editor.resize(FittedSize<Ours>());
    }
    int CharWidth() const { return editor.CharWidth(); }
    int LineHeight() const { return editor.LineHeight(); }
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

    explicit Peer(Doc doc, bool show = true) {
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
        if (show)
            FitViewport(&editor, CharWidth(), LineHeight());
        else
            editor.resize(FittedSize<Peer>());
    }
    int CharWidth() const { return QFontMetrics(BenchFont()).horizontalAdvance(QLatin1Char('M')); }
    int LineHeight() const {
        return static_cast<int>(const_cast<QsciScintilla&>(editor).SendScintilla(
            QsciScintillaBase::SCI_TEXTHEIGHT, 0L));
    }
    void JumpToEnd() { editor.SendScintilla(QsciScintillaBase::SCI_DOCUMENTEND); }
    void Top() { editor.verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMinimum); }
    void PageDown() {
        editor.verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    }
    QAbstractScrollArea* Widget() { return &editor; }
};
#endif

template <typename Editor> QSize FittedSize() {
    static const QSize size = [] {
        Editor e(Doc::Css, true);
        return e.Widget()->size();
    }();
    return size;
}

using bench::PaintCounter;

// (a) A new editor with the document, which has never painted, is shown: its first paint.
template <typename Editor> void FirstPaint(benchmark::State& state, Doc doc) {
    for (auto _ : state) {
        state.PauseTiming();
        auto e = std::make_unique<Editor>(doc, false);
        PaintCounter counter;
        e->Widget()->viewport()->installEventFilter(&counter);
        state.ResumeTiming();
        e->Widget()->show();
        QApplication::processEvents();
        state.PauseTiming();
        if (counter.paints == 0)
            state.SkipWithError("the first paint did not happen");
        e.reset();
        state.ResumeTiming();
    }
}

// (b) An editor painted at the top jumps to the last line and paints.
template <typename Editor> void JumpToEnd(benchmark::State& state, Doc doc) {
    for (auto _ : state) {
        state.PauseTiming();
        auto e = std::make_unique<Editor>(doc);
        Paint(e->Widget());
        state.ResumeTiming();
        e->JumpToEnd();
        Paint(e->Widget());
        state.PauseTiming();
        e.reset();
        state.ResumeTiming();
    }
}

// (c) From the top, 100 page-downs, each painted.
template <typename Editor> void PageDowns(benchmark::State& state, Doc doc) {
    Editor e(doc);
    for (auto _ : state) {
        state.PauseTiming();
        e.Top();
        Paint(e.Widget());
        state.ResumeTiming();
        for (int i = 0; i < 100; ++i) {
            e.PageDown();
            Paint(e.Widget());
        }
    }
}

struct Case {
    const char* name;
    Doc doc;
};
const Case kCases[] = {{"html", Doc::Html}, {"css", Doc::Css}};

template <typename Editor> void Register(const char* who) {
    for (const Case& c : kCases) {
        const std::string base = std::string(c.name) + "/";
        const Doc doc = c.doc;
        const std::string w = std::string("/") + who;
        benchmark::RegisterBenchmark((base + "first_paint" + w).c_str(),
                                     [=](benchmark::State& s) { FirstPaint<Editor>(s, doc); })
            ->Iterations(5)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((base + "jump_to_end" + w).c_str(),
                                     [=](benchmark::State& s) { JumpToEnd<Editor>(s, doc); })
            ->Iterations(5)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((base + "page_downs_100" + w).c_str(),
                                     [=](benchmark::State& s) { PageDowns<Editor>(s, doc); })
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
    return bench::RunWithSummary();
}
