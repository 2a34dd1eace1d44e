#include "subroutines/runs/SubroutineRunner.h"

#include "app/mainwindow/MainWin.h"
#include "editor/view/TextEditorEx.h"
#include "platform/SilentAbort.h"
#include "subroutines/Commands.h"
#include "subroutines/SubroutineError.h"
#include "subroutines/SubroutineLines.h"
#include "subroutines/runs/MainSubroutineContext.h"
#include "subroutines/runs/SubroutineEnvironment.h"
#include "subroutines/runs/SubroutineStop.h"
#include "subroutines/statements/SubroutineStatements.h"

#include <QApplication>
#include <QFileInfo>
#include <QPushButton>
#include <QScopeGuard>
#include <QStatusBar>
#include <QTimer>
#include <algorithm>

namespace {

constexpr int kPauseSlice = 50;  // ms of a wait between two looks for Esc
constexpr int kCloseRetry = 100; // ms until a close asked for during start-up is tried again

QString Msg(const char* utf8) {
    return QString::fromUtf8(utf8);
}

} // namespace

TSubroutineRunner::TSubroutineRunner(Tmain& main, Tcommands& window)
    : main_(main), window_(window),
      context_(std::make_unique<TMainSubroutineContext>(main, window)),
      processor_(std::make_unique<TSubroutineLineProcessor>(*context_, state_)),
      statements_(std::make_unique<TSubroutineStatements>(*this)) {}

TSubroutineRunner::~TSubroutineRunner() {
    if (cursorSet_)
        QApplication::restoreOverrideCursor();
}

TSubroutineEnvironment& TSubroutineRunner::Environment() {
    return SubroutineEnvironment();
}

// --- the three ways to start a run ---------------------------------------------------------------

TRunEnd TSubroutineRunner::RunFromWindow() {
    if (running_)
        return TRunEnd::NotStarted;
    fromWindow_ = true;
    return ExecuteSubroutine();
}

TRunEnd TSubroutineRunner::ExecuteEvent(const QString& fileName) {
    return Borrowed([this, fileName] {
        const QFileInfo info(fileName);
        if (fileName.isEmpty() || !info.exists()) {
            main_.kvMessageBox(Msg("Det gick inte att hitta filen med subrutinen för händelsen."));
            return false;
        }
        try {
            if (info.isDir())
                throw EKelvoraError(QStringLiteral("EFOpenError"), fileName);
            window_.CurrentSubroutine->LoadFromFile(fileName);
        } catch (const EKelvoraError&) {
            main_.kvMessageBox(Msg("Det gick inte att öppna filen med subrutinen för händelsen."));
            return false;
        }
        return true;
    });
}

TRunEnd TSubroutineRunner::ExecuteStrings(const std::vector<QByteArray>& lines) {
    return Borrowed([this, &lines] {
        TTextEditorEx& editor = *window_.CurrentSubroutine;
        editor.Lines.Replace(0, editor.Lines.Count(),
                             lines.empty() ? std::vector<QByteArray>{QByteArray()} : lines);
        editor.UpdateView();
        editor.RepaintAll();
        return true;
    });
}

namespace {

// The caret and selection end at the start, as after loading, before anything reads them.
void CaretToStart(TTextEditorEx& editor) {
    editor.HideSystemCaret();
    editor.SelEnd.SetPosSilently(QPoint(0, 0));
    editor.Caret.SetPosSilently(QPoint(0, 0));
    editor.ScrollPos.SetPos(QPoint(0, 0));
    editor.ShowSystemCaret();
}

} // namespace

// The window's editor lent to an event or line-list run: its text, selection and buttons
// come back however the run ends.
TRunEnd TSubroutineRunner::Borrowed(const std::function<bool()>& load) {
    if (running_)
        return TRunEnd::NotStarted;
    fromWindow_ = false;
    TTextEditorEx& editor = *window_.CurrentSubroutine;
    const int selStart = editor.GetSelStart();
    const int selLength = editor.GetSelLength();
    window_.SetButtonsEnabled(false);
    LineStore saved;
    CaretToStart(editor);
    saved.Swap(editor.Lines);
    editor.Lines.Add(QByteArray());
    const auto restore = qScopeGuard([&] {
        CaretToStart(editor);
        editor.Lines.Swap(saved);
        if (editor.Lines.IsEmpty())
            editor.Lines.Add(QByteArray());
        editor.UpdateView();
        editor.RepaintAll();
        editor.SetSelStart(selStart);
        editor.SetSelLength(selLength);
        window_.SetButtonsEnabled(true);
    });
    TRunEnd end = TRunEnd::NotStarted;
    // An exception of a command goes to the exception box here, so that the caller's own
    // steps go on.
    ::RunCommand([&] {
        if (!load())
            return;
        end = TRunEnd::Thrown;
        end = ExecuteSubroutine();
    });
    return end;
}

// --- the run -----------------------------------------------------------------------------------

void TSubroutineRunner::Begin() {
    running_ = true;
    keepStatus_ = false;
    state_.TrimVarsEnabled = true;
    state_.Variables.Clear();
    state_.PassCounter = 1;
    escape_.Restart();
    if (!cursorSet_) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        cursorSet_ = true;
    }
    main_.statusBar()->showMessage(QStringLiteral("Exekverar subrutin..."));
    if (fromWindow_)
        window_.hide();
}

void TSubroutineRunner::EndSteps() {
    state_.Variables.Clear();
    if (!keepStatus_)
        main_.statusBar()->clearMessage();
    if (cursorSet_) {
        QApplication::restoreOverrideCursor();
        cursorSet_ = false;
    }
    if (fromWindow_)
        ShowWindow();
}

void TSubroutineRunner::ShowWindow() {
    window_.show();
    window_.raise();
    window_.activateWindow();
}

void TSubroutineRunner::ErrorSteps(const QString& text, int lineIndex) {
    state_.Variables.Clear();
    if (cursorSet_) {
        QApplication::restoreOverrideCursor();
        cursorSet_ = false;
    }
    main_.kvMessageBox(text);
    main_.statusBar()->clearMessage();
    if (fromWindow_) {
        ShowWindow();
        window_.CurrentSubroutine->SelectLine(lineIndex);
    }
}

bool TSubroutineRunner::ReadHeader(int* passes, bool* endless) const {
    *passes = 1;
    *endless = false;
    const LineStore& lines = window_.CurrentSubroutine->Lines;
    if (lines.IsEmpty() || !lines.Get(0).startsWith("repeat"))
        return true;
    const QByteArray count = lines.Get(0).mid(7);
    int n = 0;
    if (TSubroutineLineProcessor::ReadInteger(count, &n) && n <= MaxPasses) {
        *passes = std::max(n, 0);
        return true;
    }
    if (count == "infinitive") {
        *endless = true;
        return true;
    }
    return false;
}

void TSubroutineRunner::RunPasses(int passes, bool endless) {
    const LineStore& lines = window_.CurrentSubroutine->Lines;
    for (int pass = 0; endless || pass < passes; ++pass) {
        // The line count is read again before every line: a statement may change it.
        for (int i = 0; i < lines.Count(); ++i) {
            CheckEscape();
            const QByteArray line = lines.Get(i);
            ExecuteStatement(line, i);
        }
        ++state_.PassCounter;
    }
}

void TSubroutineRunner::ExecuteStatement(const QByteArray& line, int lineIndex) {
    QByteArray statement;
    if (processor_->Process(line, lineIndex, &statement))
        statements_->Dispatch(statement, lineIndex);
}

void TSubroutineRunner::CheckEscape(bool now) {
    if (escape_.Pending(now))
        throw ESubroutineStop(ESubroutineStop::TReason::Escape);
}

void TSubroutineRunner::Pause(int milliseconds) {
    TSubroutineEnvironment& env = Environment();
    for (int left = milliseconds; left > 0; left -= kPauseSlice) {
        if (env.Sleep)
            env.Sleep(std::min(left, kPauseSlice));
        CheckEscape(true);
    }
}

TRunEnd TSubroutineRunner::ExecuteSubroutine() {
    Begin();
    TRunEnd end = TRunEnd::Completed;
    std::exception_ptr thrown;
    bool errorShown = false;
    ESubroutineStop::TReason stop = ESubroutineStop::TReason::Break;
    try {
        int passes = 1;
        bool endless = false;
        if (!ReadHeader(&passes, &endless)) {
            end = TRunEnd::HeaderFailed;
            main_.kvMessageBox(Msg("Fel i subrutin på rad 1: Ogiltigt begränsat heltalsvärde "
                                   "(0..2999) eller oändlighetskonstant."));
        } else {
            RunPasses(passes, endless);
        }
    } catch (const ESubroutineError& e) {
        end = TRunEnd::Failed;
        errorShown = true;
        // A box of the error path that fails in turn still leaves the run ended.
        ::RunCommand([&] { ErrorSteps(e.Text(), e.LineIndex()); });
    } catch (const ESubroutineStop& s) {
        stop = s.Reason();
        end = stop == ESubroutineStop::TReason::Escape ? TRunEnd::Escaped : TRunEnd::Stopped;
    } catch (const ESilentAbort&) {
        end = TRunEnd::Aborted;
    } catch (...) {
        end = TRunEnd::Thrown;
        thrown = std::current_exception();
    }
    if (end == TRunEnd::Escaped)
        ::RunCommand([this] { main_.kvMessageBox(Msg("Subrutinen avbröts.")); });
    if (!errorShown)
        EndSteps();
    running_ = false;

    if (end == TRunEnd::Stopped && stop == ESubroutineStop::TReason::Exit)
        RequestClose();
    if (end == TRunEnd::Stopped && stop == ESubroutineStop::TReason::Terminate)
        TerminateProgram();
    if (thrown)
        std::rethrow_exception(thrown);
    return end;
}

// --- ending the program ------------------------------------------------------------------------

void TSubroutineRunner::RequestClose() {
    if (closing_)
        return;
    QTimer::singleShot(0, &window_, [this] { TryClose(); });
}

void TSubroutineRunner::TryClose() {
    if (closing_)
        return;
    // Not inside a run, not while the start is still under way and not under a modal box:
    // the close (with its end event) comes once all of that is over.
    if (running_ || main_.StartingUp || QApplication::activeModalWidget()) {
        QTimer::singleShot(kCloseRetry, &window_, [this] { TryClose(); });
        return;
    }
    main_.Commands().Trigger(QStringLiteral("ACloseMain"));
}

void TSubroutineRunner::TerminateProgram() {
    // Nothing of the close runs: no question, no end event, no settings written; the
    // backups just made are offered at the next start.
    if (closing_)
        return;
    main_.Terminated = true;
    if (Environment().Terminate)
        Environment().Terminate();
}
