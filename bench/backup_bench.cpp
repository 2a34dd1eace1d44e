// The status bar's per-caret-move work and the minute's backup tick on 50 MB documents.
#include "BenchSupport.h"
#include "app/core/ActionStates.h"
#include "app/core/Backups.h"
#include "app/core/StatusTexts.h"
#include "editor/model/EditorModel.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>
#include <vector>

namespace {

constexpr int kLines = 1'000'000; // 50 bytes a line with its CR LF: 50 MB

QByteArray Line(int i) {
    QByteArray l = "<p class=\"row\">line " + QByteArray::number(i) + "</p>";
    return l.leftJustified(48, ' ');
}

void Fill(LineStore& store) {
    std::vector<QByteArray> lines;
    lines.reserve(kLines);
    for (int i = 0; i < kLines; ++i)
        lines.push_back(Line(i));
    store.Replace(0, 0, std::move(lines));
}

TEditorModel& BigModel() {
    static TEditorModel* model = [] {
        auto* m = new TEditorModel;
        Fill(m->Lines);
        m->Caret.SetPos(QPoint(20, kLines / 2));
        m->SelEnd.SetPos(QPoint(30, kLines / 2 + 1000));
        return m;
    }();
    return *model;
}

// Panels 0, 1 and 2 after a caret move: caret, selection offsets and the file size.
void BM_SelectionPanels(benchmark::State& state) {
    TEditorModel& m = BigModel();
    int y = 0;
    for (auto _ : state) {
        y = (y + 7919) % kLines;
        m.Caret.SetPos(QPoint(5, y)); // a caret move invalidates nothing but the caret
        benchmark::DoNotOptimize(StatusTexts::SelectionPanels(m));
    }
    state.SetLabel("50 MB, 1M lines");
}
BENCHMARK(BM_SelectionPanels);

// One update of every action state, its "has text" test taken from the line store.
void BM_ActionUpdate(benchmark::State& state) {
    TEditorModel& m = BigModel();
    for (auto _ : state) {
        TDocState s;
        s.HasSelection = m.HasSelection();
        s.HasText = m.Lines.TextLength() > 2;
        benchmark::DoNotOptimize(ActionStates(s));
    }
}
BENCHMARK(BM_ActionUpdate);

// An edit near the end of the text followed by the panels: the offset index catches up.
void BM_EditThenPanels(benchmark::State& state) {
    TEditorModel& m = BigModel();
    for (auto _ : state) {
        m.Lines.Put(kLines - 10, Line(state.iterations() & 1023));
        benchmark::DoNotOptimize(StatusTexts::SelectionPanels(m));
    }
}
BENCHMARK(BM_EditThenPanels);

// Ten 50 MB documents open; the tick backs up the ones changed since the last tick.
struct TenDocuments {
    TenDocuments() {
        LineStore base;
        Fill(base);
        const LineStore::Snapshot shared = base.TakeSnapshot();
        for (int i = 0; i < 10; ++i) {
            docs.push_back(std::make_unique<LineStore>());
            docs.back()->RestoreSnapshot(shared); // each edit copies only its own chunk
        }
        service = std::make_unique<TBackupService>(dir.path() + "/backup");
        service->CollectDocuments = [this]() -> std::optional<std::vector<TBackupDocument>> {
            std::vector<TBackupDocument> out;
            for (size_t i = 0; i < docs.size(); ++i)
                out.push_back({QString("/site/page%1.html").arg(i), docs[i]->TakeSnapshot()});
            return out;
        };
        service->BackupDoc(); // the first tick writes all ten
    }
    QTemporaryDir dir;
    std::vector<std::unique_ptr<LineStore>> docs;
    std::unique_ptr<TBackupService> service;
};

TenDocuments& Ten() {
    static TenDocuments* ten = new TenDocuments;
    return *ten;
}

void BM_BackupTickOneChanged(benchmark::State& state) {
    TenDocuments& t = Ten();
    int n = 0;
    for (auto _ : state) {
        t.docs[3]->Put(kLines / 2, Line(++n));
        if (t.service->BackupDoc() != TBackupService::TResult::Written ||
            t.service->LastWritten() != 1)
            state.SkipWithError("expected one document written");
    }
    state.SetLabel("10 x 50 MB open, 1 changed");
}
BENCHMARK(BM_BackupTickOneChanged)->Unit(benchmark::kMillisecond);

void BM_BackupTickNoneChanged(benchmark::State& state) {
    TenDocuments& t = Ten();
    t.service->BackupDoc();
    for (auto _ : state) {
        if (t.service->BackupDoc() != TBackupService::TResult::Unchanged)
            state.SkipWithError("expected nothing written");
    }
    state.SetLabel("10 x 50 MB open, none changed");
}
BENCHMARK(BM_BackupTickNoneChanged)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    UseOffscreenPlatform();
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
