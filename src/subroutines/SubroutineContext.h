#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QLocale>
#include <QString>

class TEditorModel;

// The current document's record as the placeholders show it.
struct TSubroutineDocument {
    QString FileName;
    bool HasFile = false;
    bool Modified = false;
};

// What the expansion of a subroutine line reads from the main window. The main window
// implements it; tests give fixed answers.
class TSubroutineContext {
public:
    virtual ~TSubroutineContext() = default;

    // The main editor.
    virtual TEditorModel& Editor() = 0;
    // The record of the current document.
    virtual TSubroutineDocument CurrentDocument() const = 0;
    // The tag-name case setting: 1 upper case, 2 lower case, any other value unchanged.
    virtual int TagCase() const = 0;
    // The one-line prompt with `question`, no browse button, filter index 0: the typed
    // answer, "" after Avbryt.
    virtual QString Input(const QString& question) = 0;
    // The current date and time.
    virtual QDateTime Now() const { return QDateTime::currentDateTime(); }
    // The system's decimal and time separators.
    virtual char DecimalSeparator() const;
    virtual char TimeSeparator() const;
};
