// Keys in a 1,000,000-line HTML document, from the key event to the finished repaint
// (including the scroll where the caret moves past the edge), in the editor and side by side
// in the peer component, both with their HTML colouring on; and the cost of undo snapshots of
// a 50 MB document. The summary at the end gives the medians side by side (CPU time).
#include "BenchSupport.h"
#include "editor/colouring/HTMLFormattingProcessor.h"
#include "editor/view/TextEditorEx.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <memory>
#include <string>

#ifdef KV_HAVE_QSCINTILLA
#include <Qsci/qscilexerhtml.h>
#include <Qsci/qsciscintilla.h>
#endif

namespace {

constexpr int kLines = 1000000;
constexpr int kMiddle = 500000;

using bench::PaintCounter;

void SendKey(QWidget* w, Qt::Key key, Qt::KeyboardModifiers mods, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, mods, text);
    QApplication::sendEvent(w, &release);
}

// Delivers the pending repaints.
void FinishPaint() {
    QApplication::processEvents();
}

const QByteArray& Document() {
    static const QByteArray doc = bench::HtmlText(kLines);
    return doc;
}

// 1,000 lines: the peer's best case, where nothing it does per key grows with the document.
const QByteArray& SmallDocument() {
    static const QByteArray doc = bench::HtmlText(1000);
    return doc;
}

// The big document with a line of 400 characters in the middle, for typing past the edge.
const QByteArray& LongLineDocument() {
    static const QByteArray doc = [] {
        QByteArray d = bench::HtmlText(kLines);
        qsizetype at = 0;
        for (int i = 0; i < kMiddle; ++i)
            at = d.indexOf('\n', at) + 1;
        d.insert(at, "<p>" + QByteArray(390, 'x') + "</p>\r\n");
        return d;
    }();
    return doc;
}

QByteArray EmptyLinesDocument() {
    QByteArray doc = "<p>ord ett</p>\r\n";
    for (int i = 0; i < 100000; ++i)
        doc += "\r\n";
    doc += "<p>ord två</p>\r\n";
    return doc;
}

// Both editors write in the same fixed-pitch font.
QFont BenchFont() {
    QFont f(QStringLiteral("Courier New"), 10);
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
    return f;
}

// --- our editor ----------------------------------------------------------------------------

struct Ours {
    std::unique_ptr<TTextEditorEx> ed = std::make_unique<TTextEditorEx>();
    THTMLFormattingProcessor html;
    PaintCounter counter;
    explicit Ours(const QByteArray& text) {
        ed->resize(900, 700);
        ed->EditorFont = BenchFont();
        ed->UpdateFont();
        html.SetTextEditorEx(ed.get());
        ed->SetFormattingProcessor(&html);
        ed->show();
        ed->activateWindow();
        ed->setFocus();
        ed->SetText(text);
        ed->viewport()->installEventFilter(&counter);
        FinishPaint();
    }
    void Place(int x, int y) {
        ed->Caret.SetPos(QPoint(x, y));
        FinishPaint();
    }
    // From the left edge, with the line in the middle of the view.
    void Home(int y) {
        ed->ScrollPos.SetPos(QPoint(0, std::max(y - 10, 0)));
        Place(0, y);
    }
    // The last fully visible column and row.
    int LastColumn() const { return ed->ScrollPos.X + ed->ClientColumns() - 1; }
    int LastRow() const { return ed->ScrollPos.Y + ed->ClientRows() - 1; }
    int HScroll() const { return ed->ScrollPos.X; }
    int VScroll() const { return ed->ScrollPos.Y; }
};

// --- the peer ----------------------------------------------------------------------------

#ifdef KV_HAVE_QSCINTILLA
struct Peer {
    std::unique_ptr<QsciScintilla> ed = std::make_unique<QsciScintilla>();
    QsciLexerHTML html;
    PaintCounter counter;
    explicit Peer(const QByteArray& text) {
        ed->resize(900, 700);
        ed->setUtf8(false);
        ed->setEolMode(QsciScintilla::EolWindows);
        html.setDefaultFont(BenchFont());
        html.setFont(BenchFont(), -1);
        ed->setLexer(&html);
        // No margins, as in our editor without its ruler.
        for (int m = 0; m < 5; ++m)
            ed->setMarginWidth(m, 0);
        ed->show();
        ed->activateWindow();
        ed->setFocus();
        ed->SendScintilla(QsciScintillaBase::SCI_SETTEXT, 0UL, text.constData());
        ed->viewport()->installEventFilter(&counter);
        FinishPaint();
    }
    void Place(int x, int y) {
        ed->setCursorPosition(y, x);
        FinishPaint();
    }
    void Home(int y) {
        ed->SendScintilla(QsciScintillaBase::SCI_SETXOFFSET, 0L);
        ed->setFirstVisibleLine(std::max(y - 10, 0));
        Place(0, y);
    }
    int CharWidth() const {
        return static_cast<int>(ed->SendScintilla(QsciScintillaBase::SCI_TEXTWIDTH, 0UL, "M"));
    }
    int LastColumn() const {
        const int x = static_cast<int>(ed->SendScintilla(QsciScintillaBase::SCI_GETXOFFSET));
        return (x + ed->viewport()->width()) / CharWidth() - 1;
    }
    int LastRow() const {
        return ed->firstVisibleLine() +
               static_cast<int>(ed->SendScintilla(QsciScintillaBase::SCI_LINESONSCREEN)) - 1;
    }
    int HScroll() const {
        return static_cast<int>(ed->SendScintilla(QsciScintillaBase::SCI_GETXOFFSET));
    }
    int VScroll() const { return ed->firstVisibleLine(); }
};
#endif

// A typed character in the middle of the document, from the key event to the finished
// repaint; each key is taken back (not timed), so every key meets the same line.
template <class Editor> void TypeKey(benchmark::State& state, const QByteArray& text) {
    Editor e(text);
    const int middle = static_cast<int>(text.count('\n') / 2);
    e.Home(middle);
    e.Place(20, middle);
    int paints = 0;
    for (auto _ : state) {
        const int before = e.counter.paints;
        SendKey(e.ed.get(), Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        FinishPaint();
        paints += e.counter.paints - before;
        state.PauseTiming();
        SendKey(e.ed.get(), Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b"));
        FinishPaint();
        state.ResumeTiming();
    }
    state.counters["paints/key"] = benchmark::Counter(paints, benchmark::Counter::kAvgIterations);
}

// A character typed at the last visible column: the view scrolls sideways and repaints.
template <class Editor> void TypePastRightEdge(benchmark::State& state) {
    Editor e(LongLineDocument());
    for (auto _ : state) {
        state.PauseTiming();
        e.Home(kMiddle);
        e.Place(e.LastColumn(), kMiddle);
        const int scroll = e.HScroll();
        state.ResumeTiming();
        SendKey(e.ed.get(), Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        FinishPaint();
        state.PauseTiming();
        if (e.HScroll() == scroll) {
            state.SkipWithError("the view did not scroll");
            break;
        }
        SendKey(e.ed.get(), Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b"));
        FinishPaint();
        state.ResumeTiming();
    }
}

// Enter on the last visible row: the new line lies below the view, which scrolls down.
template <class Editor> void EnterPastBottom(benchmark::State& state) {
    Editor e(Document());
    for (auto _ : state) {
        state.PauseTiming();
        e.Home(kMiddle);
        const int row = e.LastRow();
        e.Place(20, row);
        const int scroll = e.VScroll();
        state.ResumeTiming();
        SendKey(e.ed.get(), Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        FinishPaint();
        state.PauseTiming();
        if (e.VScroll() == scroll) {
            state.SkipWithError("the view did not scroll");
            break;
        }
        SendKey(e.ed.get(), Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b"));
        FinishPaint();
        state.ResumeTiming();
    }
}

template <class Editor> void BackspaceAtLineStart(benchmark::State& state) {
    Editor e(Document());
    for (auto _ : state) {
        state.PauseTiming();
        e.Home(kMiddle);
        state.ResumeTiming();
        SendKey(e.ed.get(), Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b"));
        FinishPaint();
        state.PauseTiming();
        SendKey(e.ed.get(), Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        FinishPaint();
        state.ResumeTiming();
    }
}

template <class Editor> void WordMoveOverEmptyLines(benchmark::State& state) {
    Editor e(EmptyLinesDocument());
    for (auto _ : state) {
        state.PauseTiming();
        e.Place(14, 0);
        state.ResumeTiming();
        SendKey(e.ed.get(), Qt::Key_Right, Qt::ControlModifier, QString());
        FinishPaint();
    }
}

template <class Editor> void Register(const char* who) {
    const std::string w = std::string("/") + who;
    const auto add = [](const std::string& name, auto fn) {
        return benchmark::RegisterBenchmark(name.c_str(), fn)->Unit(benchmark::kMicrosecond);
    };
    add("TypeKey" + w, [](benchmark::State& s) {
        TypeKey<Editor>(s, Document());
    })->Iterations(100);
    add("TypeKey1000Lines" + w, [](benchmark::State& s) {
        TypeKey<Editor>(s, SmallDocument());
    })->Iterations(100);
    add("TypePastRightEdge" + w, [](benchmark::State& s) {
        TypePastRightEdge<Editor>(s);
    })->Iterations(50);
    add("EnterPastBottom" + w, [](benchmark::State& s) {
        EnterPastBottom<Editor>(s);
    })->Iterations(50);
    add("BackspaceAtLineStart" + w, [](benchmark::State& s) {
        BackspaceAtLineStart<Editor>(s);
    })->Iterations(50);
    add("WordMove100kEmptyLines" + w,
        [](benchmark::State& s) { WordMoveOverEmptyLines<Editor>(s); });
}

// 1,000 snapshots of a 50 MB document with one line changed between them.
void MeasureUndoSnapshots() {
    TTextEditorEx ed;
    ed.SetText(bench::HtmlText(kLines));
    ed.UndoStore.MemoryBudget = qint64(1) << 40; // measure, do not prune
    const qint64 before = bench::HeapInUse();
    QElapsedTimer timer;
    timer.start();
    qint64 snapshotNs = 0;
    for (int i = 0; i < 1000; ++i) {
        const int line = (i * 7919) % kLines;
        ed.Lines.Put(line, ed.Lines.Get(line) + "x");
        QElapsedTimer t;
        t.start();
        ed.AddUndoData();
        snapshotNs += t.nsecsElapsed();
    }
    const qint64 totalMs = timer.elapsed();
    const qint64 after = bench::HeapInUse();
    QElapsedTimer undoTimer;
    undoTimer.start();
    for (int i = 0; i < 100; ++i)
        ed.Undo();
    const double undoUs = undoTimer.nsecsElapsed() / 100.0 / 1000.0;
    std::printf("\nUndo snapshots of a %.1f MB document (%d lines), one line changed between:\n",
                ed.TextLength() / 1e6, ed.Lines.Count());
    std::printf("  1000 snapshots: %.1f us per snapshot (%lld ms in all with the edits)\n",
                snapshotNs / 1000.0 / 1e3, static_cast<long long>(totalMs));
    std::printf("  heap in use: +%.1f MB (%.1f KB per snapshot); the store's estimate %.1f MB\n",
                (after - before) / 1048576.0, (after - before) / 1000.0 / 1024.0,
                ed.UndoStore.MemoryUsed() / 1048576.0);
    std::printf("  Undo (restore a snapshot): %.1f us each\n", undoUs);
}

} // namespace

int main(int argc, char** argv) {
    UseOffscreenPlatform();
    // --no_undo leaves out the snapshot measurement.
    const bool undo = !bench::TakeFlag(argc, argv, "--no_undo");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    Register<Ours>("ours");
#ifdef KV_HAVE_QSCINTILLA
    Register<Peer>("peer");
#endif
    bench::Summary summary;
    benchmark::RunSpecifiedBenchmarks(&summary);
    if (undo)
        MeasureUndoSnapshots();
    benchmark::Shutdown();
    return 0;
}
