#pragma once

#include "platform/SilentAbort.h"

#include <QString>

// An error in a subroutine line: the message and the 0-based index of its line. The run
// reports Text() once and ends through the silent abort; should it reach a command boundary
// uncaught, the exception box still shows the whole text.
class ESubroutineError : public EKelvoraError {
public:
    ESubroutineError(const QString& message, int lineIndex);
    const QString& Message() const { return message_; }
    int LineIndex() const { return lineIndex_; }
    // "Fel i subrutin på rad " + line number + ": " + message.
    QString Text() const { return TextFor(message_, lineIndex_); }
    static QString TextFor(const QString& message, int lineIndex);

private:
    QString message_;
    int lineIndex_;
};
