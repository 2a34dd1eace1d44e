#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class TEditorModel;

// What typing in the main editor sets off, decided from the few characters before the caret.
namespace TypedTags {

// The longest text any check looks at: "<ACRONYM " (9) and the auto-close window (a '>' and
// the 9 characters before it).
constexpr int kLongestCheck = 10;

// A typed start of an element whose dialog opens on Space: the command and the number of
// characters typed ("<A " opens "IInsertLink" over 3 characters).
struct TOpening {
    QString Command;
    int Length = 0;
    bool IsValid() const { return Length > 0; }
};

// The characters that end at the caret: at most `count`, fewer at the start of the text. Reads
// only those characters.
QByteArray Before(const TEditorModel& editor, int count);

// The opening that `before` ends with (compared in upper case), or none.
TOpening OpeningAt(const QByteArray& before);

// True when `before` ends with "<FONT " in any case.
bool IsFontOpening(const QByteArray& before);

// The name a typed ">" closes: `before` ends with that ">", and a "<" stands among the 9
// characters before it, followed by a complete name (letters and digits, at least one) that
// `autoClose` holds (compared in any case). Empty when nothing is to be closed.
QByteArray NameToClose(const QByteArray& before, const QStringList& autoClose);

// The command that modifies an element (name in upper case), or empty when none does.
QString ModifyCommand(const QByteArray& upperName);

} // namespace TypedTags
