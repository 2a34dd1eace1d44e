// What typing costs the typed-tag actions: a Space (the typed openings and the FONT warning
// look at the text before the caret), a ">" (the automatic end tag looks too), both taken back
// with Backspace, and one refresh of the tag strip, in the main window at line 500,000 of a
// 1,000,000-line document; the same keys with the three off; and the same at line 500 of a
// 1,000-line document, to show that the cost does not grow with the document.
#include "BenchSupport.h"

#include "app/mainwindow/MainWin.h"
#include "editor/view/TextEditorEx.h"
#include "markup/MarkupInstall.h"
#include "markup/typedtags/TypedTagActions.h"
#include "platform/Dialogs.h"

#include <QApplication>
#include <QKeyEvent>
#include <map>
#include <memory>

namespace {

void SendKey(QWidget* w, Qt::Key key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(w, &release);
}

// One window per document size, made on first use.
Tmain& Window(int lines) {
    static std::map<int, std::unique_ptr<Tmain>> windows;
    std::unique_ptr<Tmain>& w = windows[lines];
    if (!w) {
        InstallMarkup();
        w = std::make_unique<Tmain>();
        w->resize(1000, 800);
        w->show();
        w->CodeEditor->SetText(bench::HtmlText(lines));
        w->CodeEditor->setFocus();
        QApplication::processEvents();
    }
    return *w;
}

// args: document lines, 1 with the typed-tag actions and the strip on, 0 with them off.
void BM_TypedKeys(benchmark::State& state) {
    const int lines = static_cast<int>(state.range(0));
    const bool on = state.range(1) != 0;
    Tmain& w = Window(lines);
    w.AutoWizEnabled = w.AutoCloseEnabled = w.ChangeElementsEnabled = on;
    TTextEditorEx& ed = *w.CodeEditor;
    // The end of a paragraph line in the middle ("...</p>").
    const int line = lines / 2 - (lines / 2) % 8 + 1;
    ed.Caret.SetPos(QPoint(ed.Lines.Length(line), line));
    QApplication::processEvents();
    for (auto _ : state) {
        SendKey(&ed, Qt::Key_Space, QStringLiteral(" "));
        SendKey(&ed, Qt::Key_Greater, QStringLiteral(">"));
        SendKey(&ed, Qt::Key_Backspace, QString());
        SendKey(&ed, Qt::Key_Backspace, QString());
        if (on)
            w.Debounce.ASU.OnTimer(); // the strip, as its timer refreshes it
        QApplication::processEvents();
    }
    state.counters["keys"] = benchmark::Counter(4.0 * static_cast<double>(state.iterations()),
                                                benchmark::Counter::kIsRate);
}
BENCHMARK(BM_TypedKeys)
    ->ArgNames({"lines", "on"})
    ->Args({1000000, 1})
    ->Args({1000000, 0})
    ->Args({1000, 1})
    ->Args({1000, 0})
    ->Unit(benchmark::kMicrosecond);

// The checks alone, as the key-up hook runs them after a Space and a ">" and as the strip's
// timer runs its refresh: the typed openings, the FONT warning, the end tag, the strip.
void BM_KeyUpChecks(benchmark::State& state) {
    Tmain& w = Window(static_cast<int>(state.range(0)));
    w.AutoWizEnabled = w.AutoCloseEnabled = w.ChangeElementsEnabled = true;
    auto* actions =
        dynamic_cast<TTypedTagActions*>(w.findChild<QObject*>(QStringLiteral("TypedTagActions")));
    TTextEditorEx& ed = *w.CodeEditor;
    const int line = ed.Lines.Count() / 2 - (ed.Lines.Count() / 2) % 8 + 2; // an <a> line
    ed.Caret.SetPos(QPoint(8, line));                                       // in its tag
    for (auto _ : state) {
        actions->VerifyTagActions(32);
        actions->AutoCloseTag();
        actions->TagSelectionUpdate();
    }
}
BENCHMARK(BM_KeyUpChecks)->ArgName("lines")->Arg(1000000)->Arg(1000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    // No benchmark may wait on a box.
    Dialogs::SetModalHandler([](QDialog*) { return int(Dialogs::mrCancel); });
    return bench::RunInApplication(argc, argv);
}
