#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// What the statements reach outside the program: the beep, the desktop that opens files and
// addresses, new processes, the end of the application and the clock of a wait. One instance
// serves every run; tests replace its members so that nothing real is started.
struct TSubroutineEnvironment {
    std::function<void()> Beep;
    // Opens a file or an address with the desktop's default handler; the outcome is ignored.
    std::function<void(const QString& target)> OpenTarget;
    // Starts a program with an argument list (never through a shell) and does not wait.
    std::function<void(const QString& program, const QStringList& arguments)> StartProgram;
    // Ends the application's message loop.
    std::function<void()> Terminate;
    // The program file started by "new window" and "restart application".
    std::function<QString()> ProgramFile;
    // Blocks for a number of milliseconds (a slice of a wait).
    std::function<void(int milliseconds)> Sleep;

    // The desktop's own behaviour.
    static TSubroutineEnvironment Defaults();
};

// The environment every run uses.
TSubroutineEnvironment& SubroutineEnvironment();
