// Find and replace on a 50 MB document of a million lines with a million hits: the editor's
// search next to the peer editor component's own search and the raw memmem floor.
#include "BenchSupport.h"
#include "editor/model/EditorModel.h"
#include "editor/text/TextSearcher.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <map>
#include <string.h>
#include <string>

#ifdef KV_HAVE_QSCINTILLA
#include <Qsci/qsciscintilla.h>
#endif

namespace {

constexpr int kLines = 1000000;
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

void Ours_FindNextPress(benchmark::State& state) {
    TEditorModel& m = Model();
    const quint8 flags = FlagsOf(static_cast<int>(state.range(0)));
    m.SetSelStart(m.TextLength() / 2);
    for (auto _ : state) {
        if (!m.FindAndSelect(kFind, flags))
            m.SetSelStart(0);
    }
    state.SetLabel(ModeName(static_cast<int>(state.range(0))));
}

// A press that meets no hit: the rest of the text from the middle is searched.
void Ours_FindNextMiss(benchmark::State& state) {
    TEditorModel& m = Model();
    for (auto _ : state)
        benchmark::DoNotOptimize(
            m.FindFrom("absent", m.TextLength() / 2, FlagsOf(static_cast<int>(state.range(0)))));
    state.SetLabel(ModeName(static_cast<int>(state.range(0))));
}

void Ours_FindAll(benchmark::State& state) {
    TEditorModel& m = Model();
    const int mode = static_cast<int>(state.range(0));
    size_t hits = 0;
    for (auto _ : state)
        hits = m.FindHits(kFind, FlagsOf(mode)).size();
    Label(state, mode, static_cast<qint64>(hits));
}

void Ours_Occurrences(benchmark::State& state) {
    TEditorModel& m = Model();
    const int mode = static_cast<int>(state.range(0));
    int hits = 0;
    for (auto _ : state)
        hits = m.GetOccurrences(kFind, FlagsOf(mode));
    Label(state, mode, hits);
}

void Ours_ReplaceAll(benchmark::State& state) {
    const int mode = static_cast<int>(state.range(0));
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

bool PeerFindFirst(QsciScintilla& p, int mode, int line = 0) {
    const quint8 flags = FlagsOf(mode);
    return p.findFirst(QString::fromLatin1(kFind), false, flags & SearchFlags::MatchCase,
                       flags & SearchFlags::WholeWord, false, true, line, 0, false);
}

void Peer_FindNextPress(benchmark::State& state) {
    QsciScintilla& p = Peer();
    const int mode = static_cast<int>(state.range(0));
    PeerFindFirst(p, mode, kLines / 2);
    for (auto _ : state) {
        if (!p.findNext())
            PeerFindFirst(p, mode);
    }
    state.SetLabel(ModeName(mode));
}

void Peer_FindNextMiss(benchmark::State& state) {
    QsciScintilla& p = Peer();
    const quint8 flags = FlagsOf(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(p.findFirst("absent", false, flags & SearchFlags::MatchCase,
                                             flags & SearchFlags::WholeWord, false, true,
                                             kLines / 2, 0, false));
    state.SetLabel(ModeName(static_cast<int>(state.range(0))));
}

void Peer_FindAll(benchmark::State& state) {
    QsciScintilla& p = Peer();
    const int mode = static_cast<int>(state.range(0));
    qint64 hits = 0;
    for (auto _ : state) {
        hits = 0;
        for (bool found = PeerFindFirst(p, mode); found; found = p.findNext())
            ++hits;
    }
    Label(state, mode, hits);
}

// The replace loop over the first `limit` hits (range 1): the whole million takes the peer
// too long to wait for, so the table extrapolates from 10,000 (a lower bound: its cost per hit
// grows with the number replaced, see 20,000).
void Peer_ReplaceAll(benchmark::State& state) {
    QsciScintilla& p = Peer();
    const int mode = static_cast<int>(state.range(0));
    const qint64 limit = state.range(1);
    const QString replacement = QString::fromLatin1(kReplace);
    qint64 hits = 0;
    for (auto _ : state) {
        hits = 0;
        p.beginUndoAction();
        for (bool found = PeerFindFirst(p, mode); found && hits < limit; found = p.findNext()) {
            p.replace(replacement);
            ++hits;
        }
        p.endUndoAction();
        state.PauseTiming();
        p.SendScintilla(QsciScintillaBase::SCI_SETTEXT, 0UL, Document().constData());
        p.SendScintilla(QsciScintillaBase::SCI_EMPTYUNDOBUFFER);
        state.ResumeTiming();
    }
    state.SetLabel(ModeName(mode));
    state.counters["hits"] = static_cast<double>(hits);
}
#endif

// Prints the runs and then each operation's time against the floor and the peer.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs)
            if (!r.error_occurred && r.iterations > 0)
                seconds_[Plain(r.benchmark_name())] =
                    r.real_accumulated_time / static_cast<double>(r.iterations);
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf("\n%-30s %12s %12s %10s %10s\n", "operation", "ours", "peer", "peer/ours",
                    "ours/floor");
        std::printf(
            "(peer replace all: 100 times its time for the first 10,000 hits, a lower bound)\n");
        const char* ops[] = {"FindNextPress", "FindNextMiss", "FindAll", "Occurrences",
                             "ReplaceAll"};
        for (const char* op : ops) {
            for (int mode = 0; mode < 3; ++mode) {
                const std::string arg = "/" + std::to_string(mode);
                const double ours = Get(std::string("Ours_") + op + arg);
                if (ours <= 0)
                    continue;
                const bool replace = std::strcmp(op, "ReplaceAll") == 0;
                const double peer = replace ? Get("Peer_ReplaceAll" + arg + "/10000") * 100
                                            : Get(std::string("Peer_") + op + arg);
                const std::string floorName =
                    std::string("Floor_") +
                    (std::strcmp(op, "ReplaceAll") == 0 ? "ReplaceAll" : "FindAll");
                const double floor = std::strstr(op, "FindNext") ? 0 : Get(floorName);
                std::printf("%-30s %10.3f ms %10s %10s %10s\n",
                            (std::string(op) + " " + ModeName(mode)).c_str(), ours * 1e3,
                            peer > 0 ? Fmt(peer * 1e3, " ms").c_str() : "-",
                            peer > 0 ? Fmt(peer / ours, "x").c_str() : "-",
                            floor > 0 ? Fmt(ours / floor, "x").c_str() : "-");
            }
        }
    }

private:
    // The name without its "/iterations:N".
    static std::string Plain(std::string name) {
        const size_t at = name.find("/iterations:");
        return at == std::string::npos ? name : name.substr(0, at);
    }
    double Get(const std::string& name) const {
        const auto it = seconds_.find(name);
        return it == seconds_.end() ? 0 : it->second;
    }
    static std::string Fmt(double v, const char* unit) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%.3f%s", v, unit);
        return buf;
    }
    std::map<std::string, double> seconds_;
};

} // namespace

#define KV_MODES(fn) BENCHMARK(fn)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)

BENCHMARK(Ours_FindNextPress)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);
KV_MODES(Ours_FindNextMiss);
KV_MODES(Ours_FindAll);
KV_MODES(Ours_Occurrences);
KV_MODES(Ours_ReplaceAll)->Iterations(3);
BENCHMARK(Floor_FindAll)->Unit(benchmark::kMillisecond);
BENCHMARK(Floor_ReplaceAll)->Unit(benchmark::kMillisecond);
#ifdef KV_HAVE_QSCINTILLA
BENCHMARK(Peer_FindNextPress)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);
KV_MODES(Peer_FindNextMiss);
KV_MODES(Peer_FindAll)->Iterations(1);
BENCHMARK(Peer_ReplaceAll)
    ->ArgsProduct({{0, 1, 2}, {10000}})
    ->Args({0, 20000})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
#endif

int main(int argc, char** argv) {
    UseOffscreenPlatform();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
