// Find and replace on a 50 MB document of a million lines with a million hits: the editor's
// search next to the peer editor component's own search loops (search in target for find all,
// the target-replace loop for replace all, every hit measured) and the raw memmem floor. The
// summary at the end compares each with the peer and the floor (CPU time, median of the runs).
// --lines=N sets the document's size.
#include "BenchSupport.h"
#include "editor/model/EditorModel.h"
#include "editor/text/TextSearcher.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <string.h>
#include <string>

#ifdef KV_HAVE_QSCINTILLA
#include <Qsci/qsciscintilla.h>
#endif

namespace {

int kLines = 1000000; // --lines=N changes it
const QByteArray kFind = "needle";
const QByteArray kReplace = "thread!";

// 1,000,000 lines of 48 characters + CR LF (50,000,000 bytes); "needle" once per line, as a
// whole word, and nowhere else in any case.
const QByteArray& Document() {
    static const QByteArray doc = [] {
        QByteArray d;
        d.reserve(static_cast<qsizetype>(kLines) * 50);
        for (int i = 0; i < kLines; ++i) {
            QByteArray line = "<li id=\"r" + QByteArray::number(i) + "\">a needle, Need Eel</li>";
            line = line.leftJustified(48, ' ', true);
            d.append(line).append("\r\n");
        }
        return d;
    }();
    return doc;
}

TEditorModel& Model() {
    static TEditorModel* model = [] {
        auto* m = new TEditorModel;
        m->Lines.SetText(Document());
        return m;
    }();
    return *model;
}

quint8 FlagsOf(int mode) {
    switch (mode) {
    case 0:
        return SearchFlags::MatchCase;
    case 1:
        return 0;
    default:
        return SearchFlags::WholeWord | SearchFlags::MatchCase;
    }
}

const char* ModeName(int mode) {
    return mode == 0 ? "case" : mode == 1 ? "nocase" : "word";
}

void Label(benchmark::State& state, int mode, qint64 hits) {
    state.SetLabel(ModeName(mode));
    state.counters["hits"] = static_cast<double>(hits);
    state.SetBytesProcessed(state.iterations() * Document().size());
}

// --- ours --------------------------------------------------------------------------------

void Ours_FindNextPress(benchmark::State& state, int mode) {
    TEditorModel& m = Model();
    const quint8 flags = FlagsOf(mode);
    m.SetSelStart(m.TextLength() / 2);
    for (auto _ : state) {
        if (!m.FindAndSelect(kFind, flags))
            m.SetSelStart(0);
    }
}

// A press that meets no hit: the rest of the text from the middle is searched.
void Ours_FindNextMiss(benchmark::State& state, int mode) {
    TEditorModel& m = Model();
    for (auto _ : state)
        benchmark::DoNotOptimize(m.FindFrom("absent", m.TextLength() / 2, FlagsOf(mode)));
}

void Ours_FindAll(benchmark::State& state, int mode) {
    TEditorModel& m = Model();
    size_t hits = 0;
    for (auto _ : state)
        hits = m.FindHits(kFind, FlagsOf(mode)).size();
    Label(state, mode, static_cast<qint64>(hits));
}

void Ours_Occurrences(benchmark::State& state, int mode) {
    TEditorModel& m = Model();
    int hits = 0;
    for (auto _ : state)
        hits = m.GetOccurrences(kFind, FlagsOf(mode));
    Label(state, mode, hits);
}

void Ours_ReplaceAll(benchmark::State& state, int mode) {
    TEditorModel m;
    m.Lines.SetText(Document());
    const LineStore::Snapshot original = m.Lines.TakeSnapshot();
    int hits = 0;
    for (auto _ : state) {
        hits = m.ReplaceAll(kFind, kReplace, FlagsOf(mode));
        state.PauseTiming();
        m.Lines.RestoreSnapshot(original);
        state.ResumeTiming();
    }
    Label(state, mode, hits);
}

// --- the floor: memmem over the raw bytes ------------------------------------------------

void Floor_FindAll(benchmark::State& state) {
    const QByteArray& d = Document();
    qint64 hits = 0;
    for (auto _ : state) {
        hits = 0;
        const char* p = d.constData();
        const char* end = p + d.size();
        while (const void* h = memmem(p, static_cast<size_t>(end - p), kFind.constData(), 6)) {
            ++hits;
            p = static_cast<const char*>(h) + 6;
        }
        benchmark::DoNotOptimize(hits);
    }
    Label(state, 0, hits);
}

void Floor_ReplaceAll(benchmark::State& state) {
    const QByteArray& d = Document();
    qint64 hits = 0;
    for (auto _ : state) {
        hits = 0;
        QByteArray out;
        out.reserve(d.size() + d.size() / 40);
        const char* p = d.constData();
        const char* end = p + d.size();
        while (const void* h = memmem(p, static_cast<size_t>(end - p), kFind.constData(), 6)) {
            const char* s = static_cast<const char*>(h);
            out.append(p, s - p).append(kReplace);
            p = s + 6;
            ++hits;
        }
        out.append(p, end - p);
        benchmark::DoNotOptimize(out.data());
    }
    Label(state, 0, hits);
}

// --- the peer editor component -------------------------------------------------------------

#ifdef KV_HAVE_QSCINTILLA
QsciScintilla& Peer() {
    static QsciScintilla* peer = [] {
        auto* p = new QsciScintilla;
        p->setUtf8(false);
        p->resize(800, 600);
        p->SendScintilla(QsciScintillaBase::SCI_SETTEXT, 0UL, Document().constData());
        p->SendScintilla(QsciScintillaBase::SCI_EMPTYUNDOBUFFER);
        return p;
    }();
    return *peer;
}

unsigned long PeerFlags(int mode) {
    const quint8 flags = FlagsOf(mode);
    return ((flags & SearchFlags::MatchCase) ? QsciScintillaBase::SCFIND_MATCHCASE : 0) |
           ((flags & SearchFlags::WholeWord) ? QsciScintillaBase::SCFIND_WHOLEWORD : 0);
}

bool PeerFindFirst(QsciScintilla& p, int mode, int line = 0) {
    const quint8 flags = FlagsOf(mode);
    return p.findFirst(QString::fromLatin1(kFind), false, flags & SearchFlags::MatchCase,
                       flags & SearchFlags::WholeWord, false, true, line, 0, false);
}

void Peer_FindNextPress(benchmark::State& state, int mode) {
    QsciScintilla& p = Peer();
    PeerFindFirst(p, mode, kLines / 2);
    for (auto _ : state) {
        if (!p.findNext())
            PeerFindFirst(p, mode);
    }
}

void Peer_FindNextMiss(benchmark::State& state, int mode) {
    QsciScintilla& p = Peer();
    const quint8 flags = FlagsOf(mode);
    for (auto _ : state)
        benchmark::DoNotOptimize(p.findFirst("absent", false, flags & SearchFlags::MatchCase,
                                             flags & SearchFlags::WholeWord, false, true,
                                             kLines / 2, 0, false));
}

// The component's own way to find every hit: search in the target, move the target past
// the hit, again; nothing is selected or scrolled.
qint64 PeerSearchAll(QsciScintilla& p, int mode, const std::function<void(long)>& onHit) {
    using B = QsciScintillaBase;
    p.SendScintilla(B::SCI_SETSEARCHFLAGS, PeerFlags(mode));
    const long length = p.SendScintilla(B::SCI_GETLENGTH);
    long from = 0;
    qint64 hits = 0;
    for (;;) {
        const long end = p.SendScintilla(B::SCI_GETLENGTH);
        p.SendScintilla(B::SCI_SETTARGETRANGE, static_cast<unsigned long>(from), end);
        const long at = p.SendScintilla(B::SCI_SEARCHINTARGET, static_cast<unsigned long>(6),
                                        kFind.constData());
        if (at < 0)
            break;
        ++hits;
        onHit(at);
        from = p.SendScintilla(B::SCI_GETTARGETEND);
    }
    (void)length;
    return hits;
}

void Peer_FindAll(benchmark::State& state, int mode) {
    QsciScintilla& p = Peer();
    qint64 hits = 0;
    for (auto _ : state)
        hits = PeerSearchAll(p, mode, [](long) {});
    Label(state, mode, hits);
}

// The component's replace-all loop: each hit found in the target is replaced there, in one
// undo step, and the search goes on after the replacement; every hit is replaced and timed.
// Its modification notices are switched off for the loop, as a bulk edit of the component
// would do (each one otherwise costs time that grows with the document).
void Peer_ReplaceAll(benchmark::State& state, int mode) {
    using B = QsciScintillaBase;
    QsciScintilla& p = Peer();
    qint64 hits = 0;
    for (auto _ : state) {
        p.SendScintilla(B::SCI_SETMODEVENTMASK, 0UL);
        p.SendScintilla(B::SCI_BEGINUNDOACTION);
        hits = PeerSearchAll(p, mode, [&p](long) {
            p.SendScintilla(B::SCI_REPLACETARGET, static_cast<unsigned long>(kReplace.size()),
                            kReplace.constData());
        });
        p.SendScintilla(B::SCI_ENDUNDOACTION);
        state.PauseTiming();
        p.SendScintilla(B::SCI_SETMODEVENTMASK, static_cast<unsigned long>(B::SC_MODEVENTMASKALL));
        p.SendScintilla(B::SCI_SETTEXT, 0UL, Document().constData());
        p.SendScintilla(B::SCI_EMPTYUNDOBUFFER);
        state.ResumeTiming();
    }
    Label(state, mode, hits);
}
#endif

void Register() {
    const auto add = [](const std::string& name, auto fn, benchmark::TimeUnit unit) {
        return benchmark::RegisterBenchmark(name.c_str(), fn)->Unit(unit);
    };
    const auto ms = benchmark::kMillisecond, us = benchmark::kMicrosecond;
    for (int mode = 0; mode < 3; ++mode) {
        const std::string m = std::string("/") + ModeName(mode);
        add(
            "FindNextPress" + m + "/ours",
            [mode](benchmark::State& s) { Ours_FindNextPress(s, mode); }, us);
        add(
            "FindNextMiss" + m + "/ours",
            [mode](benchmark::State& s) { Ours_FindNextMiss(s, mode); }, ms);
        add(
            "FindAll" + m + "/ours", [mode](benchmark::State& s) { Ours_FindAll(s, mode); }, ms);
        add(
            "Occurrences" + m + "/ours", [mode](benchmark::State& s) { Ours_Occurrences(s, mode); },
            ms);
        add(
            "ReplaceAll" + m + "/ours", [mode](benchmark::State& s) { Ours_ReplaceAll(s, mode); },
            ms)
            ->Iterations(3);
#ifdef KV_HAVE_QSCINTILLA
        add(
            "FindNextPress" + m + "/peer",
            [mode](benchmark::State& s) { Peer_FindNextPress(s, mode); }, us);
        add(
            "FindNextMiss" + m + "/peer",
            [mode](benchmark::State& s) { Peer_FindNextMiss(s, mode); }, ms);
        add(
            "FindAll" + m + "/peer", [mode](benchmark::State& s) { Peer_FindAll(s, mode); }, ms)
            ->Iterations(2);
        add(
            "ReplaceAll" + m + "/peer", [mode](benchmark::State& s) { Peer_ReplaceAll(s, mode); },
            ms)
            ->Iterations(1);
#endif
    }
    add("FindAll/case/floor", Floor_FindAll, ms);
    add("ReplaceAll/case/floor", Floor_ReplaceAll, ms);
}

} // namespace

int main(int argc, char** argv) {
    UseOffscreenPlatform();
    // --lines=N: a document of N lines (and N hits); 2,000,000 shows how the costs grow.
    bench::TakeLinesOption(argc, argv, &kLines);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    Register();
    return bench::RunWithSummary();
}
