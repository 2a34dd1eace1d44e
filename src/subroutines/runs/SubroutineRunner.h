#pragma once

#include "subroutines/SubroutineVariables.h"
#include "subroutines/runs/EscapeWatch.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class LineStore;
class Tcommands;
class Tmain;
class TSubroutineLineProcessor;
class TSubroutineStatements;
class TMainSubroutineContext;
struct TSubroutineEnvironment;

// How a run ended.
enum class TRunEnd {
    NotStarted, // another run was active, or the event's file could not be used
    Completed,  // every pass ran
    HeaderFailed,
    Failed,  // an error in a line, reported with its line number
    Stopped, // "break", or a statement that ends the program
    Escaped, // Esc between two statements
    Aborted, // a command ended in a silent abort
    Thrown,  // a command threw; the exception box showed it
};

// Runs the lines of the subroutine window's editor on the main window: the repeat header,
// the passes, the end steps and the error path. One run at a time; the end steps (cursor,
// status text, the window and its buttons, the window's own text) are carried out whatever
// ends the run.
class TSubroutineRunner {
public:
    TSubroutineRunner(Tmain& main, Tcommands& window);
    ~TSubroutineRunner();
    TSubroutineRunner(const TSubroutineRunner&) = delete;
    TSubroutineRunner& operator=(const TSubroutineRunner&) = delete;

    // The largest count a repeat header may give.
    static constexpr int MaxPasses = 2999;

    bool Running() const { return running_; }
    // A run from the window's "&Exekvera": the window is hidden meanwhile; an error selects
    // its line. An exception of a command reaches the caller after the end steps.
    TRunEnd RunFromWindow();
    // An event or hot key: the file is loaded into the window's editor for the run, and the
    // window's own text and buttons come back afterwards. A missing or unreadable file is
    // reported once and nothing runs. Never throws: an exception of a command is shown in the
    // exception box and the caller's own steps go on.
    TRunEnd ExecuteEvent(const QString& fileName);
    // The same for lines handed over by the program.
    TRunEnd ExecuteStrings(const std::vector<QByteArray>& lines);

    // Set once the main window has begun to close: "exit" then asks nothing more.
    void SetClosing(bool closing) { closing_ = closing; }
    bool Closing() const { return closing_; }

    // --- for the statements -------------------------------------------------------------------
    Tmain& Main() { return main_; }
    Tcommands& Window() { return window_; }
    TSubroutineRunState& State() { return state_; }
    TSubroutineEnvironment& Environment();
    bool FromWindow() const { return fromWindow_; }
    // One line through expansion and dispatch (recursive for "if" and "unless").
    void ExecuteStatement(const QByteArray& line, int lineIndex);
    // "normalize status after": the status text outlives the run.
    void KeepStatusAfterRun() { keepStatus_ = true; }
    // Blocks for a number of milliseconds in slices, stopping the run on Esc.
    void Pause(int milliseconds);
    // Stops the run when an Esc is pending.
    void CheckEscape(bool now = false);

private:
    // The passes over the window's editor: returns how the run ended, rethrowing an
    // exception of a command after the end steps.
    TRunEnd ExecuteSubroutine();
    TRunEnd Borrowed(const std::function<bool()>& load);
    bool ReadHeader(int* passes, bool* endless) const;
    void RunPasses(int passes, bool endless);
    void Begin();
    // Reset: the end steps of a run.
    void EndSteps();
    // CodeErrorMessage: the message, the status text, and the line selected in a window run.
    void ErrorSteps(const QString& text, int lineIndex);
    // The window back on top after a run from it.
    void ShowWindow();
    // "exit": the main window is asked to close once the run is over.
    void RequestClose();
    void TryClose();
    void TerminateProgram();

    Tmain& main_;
    Tcommands& window_;
    TSubroutineRunState state_;
    std::unique_ptr<TMainSubroutineContext> context_;
    std::unique_ptr<TSubroutineLineProcessor> processor_;
    std::unique_ptr<TSubroutineStatements> statements_;
    TEscapeWatch escape_;
    bool running_ = false;
    bool fromWindow_ = false;
    bool keepStatus_ = false;
    bool cursorSet_ = false;
    bool closing_ = false;
};
