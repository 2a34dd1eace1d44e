#pragma once

#include <QString>
#include <exception>
#include <functional>
#include <stdexcept>

// The silent abort: ends a command after its failure was reported (or when there was nothing
// to do). Caught at every command boundary, never shown.
class ESilentAbort : public std::exception {
public:
    const char* what() const noexcept override { return "ESilentAbort"; }
};

[[noreturn]] void Abort();

// An error of the program's own with the class name that the exception box shows.
class EKelvoraError : public std::runtime_error {
public:
    EKelvoraError(QString className, const QString& message);
    const QString& ClassName() const { return className_; }
    QString Message() const { return QString::fromUtf8(what()); }

private:
    QString className_;
};

// Receives every exception other than the silent abort that reaches a command boundary:
// the class name and the message.
using UnexpectedExceptionHandler =
    std::function<void(const QString& className, const QString& message)>;
void SetUnexpectedExceptionHandler(UnexpectedExceptionHandler handler);

// Runs one command at a boundary (an action slot, an event handler, a subroutine run, an
// exported function): absorbs the silent abort and hands anything else to the handler.
// True when the command ran to its end.
bool RunCommand(const std::function<void()>& command);

// The class name and message of the exception being handled (inside a catch block).
void DescribeCurrentException(QString* className, QString* message);
