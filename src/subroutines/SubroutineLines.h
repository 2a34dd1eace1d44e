#pragma once

#include "subroutines/SubroutineContext.h"
#include "subroutines/SubroutineError.h"
#include "subroutines/SubroutineVariables.h"

#include <QByteArray>
#include <QString>

// Turns one subroutine line into the statement that the keyword dispatch receives: skips
// comments, expands the built-in placeholders, the variables and the functions, trims the
// leading blanks and tabs and skips what is no statement. Lines are Windows-1252 bytes.
// Every error throws ESubroutineError with the line's index; nothing after it is done.
class TSubroutineLineProcessor {
public:
    TSubroutineLineProcessor(TSubroutineContext& context, TSubroutineRunState& run);

    // The statement to dispatch in *statement; false when the line is skipped (a comment,
    // shorter than 2 characters, a repeat header).
    bool Process(const QByteArray& line, int lineIndex, QByteArray* statement);

    // The steps one by one, in the order Process runs them.
    void ExpandPlaceholders(QByteArray& line, int lineIndex) const;
    void ExpandVariables(QByteArray& line, int lineIndex) const;
    void ExpandFunctions(QByteArray& line, int lineIndex) const;

    // Bounds that keep a variable that refers to itself from running away: the number of
    // variable expansions in one line and the length a line may grow to (or to twice what
    // it was before a step with the longest value put in, when that is more).
    void SetLimits(int maxExpansions, qsizetype maxLineLength);

    // Shared readers of the statements: a signed decimal integer after optional leading
    // blanks, and a number in the system's decimal format.
    static bool ReadInteger(const QByteArray& text, int* value);
    static bool ReadNumber(const QByteArray& text, char decimalSeparator, double* value);
    // General float format with 15 significant digits.
    static QByteArray FormatNumber(double value, char decimalSeparator);

private:
    [[noreturn]] static void Fail(const QString& message, int lineIndex);
    QByteArray HTMLTitle() const;
    QByteArray FormatDate(int format) const;
    QByteArray Calc(const QByteArray& argument, int lineIndex) const;
    QByteArray CallFunction(int function, const QByteArray& argument, int lineIndex) const;
    qsizetype LengthLimit(qsizetype start, qsizetype value) const;
    void ReplaceAll(QByteArray& line, qsizetype from, const QByteArray& pattern,
                    const QByteArray& value, int lineIndex, qsizetype limit) const;

    TSubroutineContext& context_;
    TSubroutineRunState& run_;
    int maxExpansions_ = 100000;
    qsizetype maxLineLength_ = qsizetype(4) << 20;
};
