// A whole subroutine run against a document of a million lines: "repeat 2999" over ten
// write, find-next and caret statements. The cost follows the statements, not the document.
#include "BenchSupport.h"
#include "app/mainwindow/MainWin.h"
#include "editor/view/TextEditorEx.h"
#include "platform/Dialogs.h"
#include "subroutines/Commands.h"
#include "subroutines/SubroutinesInstall.h"
#include "subroutines/events/SubroutineEvents.h"
#include "subroutines/runs/SubroutineRunner.h"

#include <benchmark/benchmark.h>
#include <memory>

namespace {

// Every box is answered at once; nothing waits for a person.
void AnswerEveryBox() {
    static const bool installed = [] {
        Dialogs::SetModalHandler([](QDialog*) { return int(Dialogs::mrOk); });
        return true;
    }();
    (void)installed;
}

Tmain& Window() {
    static Tmain* window = [] {
        AnswerEveryBox();
        InstallSubroutines();
        auto* w = new Tmain;
        w->CodeEditor->Lines.SetText(bench::HtmlText(1000000));
        w->CodeEditor->UpdateView();
        return w;
    }();
    return *window;
}

const QByteArray kStatements = "find next sida\r\n"
                               "write S\r\n"
                               "increase caretpos 5\r\n"
                               "find next(case_sensitive) Rad\r\n"
                               "write R\r\n"
                               "decrease caretpos 2\r\n"
                               "set selection length 3\r\n"
                               "find next(word_sensitive) bild\r\n"
                               "write B\r\n"
                               "increase line 1";

void RunSubroutine(benchmark::State& state, const QByteArray& subroutine) {
    Tmain& w = Window();
    Tcommands& commands = *SubroutineEvents::WindowOf(w);
    commands.CurrentSubroutine->SetText(subroutine);
    for (auto _ : state) {
        state.PauseTiming();
        w.CodeEditor->SetSelStart(0);
        state.ResumeTiming();
        const TRunEnd end = commands.Runner()->RunFromWindow();
        if (end != TRunEnd::Completed)
            state.SkipWithError("the run did not complete");
    }
}

// The run of the speed figure: 2999 passes, 29,990 statements.
void BM_Repeat2999TenStatements(benchmark::State& state) {
    RunSubroutine(state, "repeat 2999\r\n" + kStatements);
    state.SetItemsProcessed(state.iterations() * 2999 * 10);
}
BENCHMARK(BM_Repeat2999TenStatements)->Unit(benchmark::kMillisecond)->Iterations(3);

// One pass, for the cost of a statement on its own.
void BM_OnePassTenStatements(benchmark::State& state) {
    RunSubroutine(state, kStatements);
    state.SetItemsProcessed(state.iterations() * 10);
}
BENCHMARK(BM_OnePassTenStatements)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    return bench::RunInApplication(argc, argv);
}
