#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <any>
#include <vector>

class TSubroutineRunner;

// The statements of the subroutine language: an expanded, left-trimmed line is matched
// against the keywords in a fixed order (case-sensitive prefixes, the first match wins) and
// the matching statement drives the main window: a command run by its name through the
// command registry, or an operation of the main editor. A command that is not registered
// answers "Okänt kommando.". Errors throw ESubroutineError with the line's index.
class TSubroutineStatements {
public:
    explicit TSubroutineStatements(TSubroutineRunner& run);

    void Dispatch(const QByteArray& statement, int lineIndex);

    // The keywords in dispatch order, and the command names the statements run.
    static std::vector<QByteArray> Keywords();
    static QStringList CommandNames();

    struct TArgs;
    using Handler = void (TSubroutineStatements::*)(const TArgs& args);

private:
    struct TStatement;
    static const std::vector<TStatement>& Table();
    [[noreturn]] static void Fail(const char* message, int lineIndex);
    void RunCommand(const QString& name, int lineIndex, const std::any& request = {});
    static int Integer(const QByteArray& text, int lineIndex);

    void Var(const TArgs& a);
    void If(const TArgs& a);
    void Unless(const TArgs& a);
    void ShowWindow(const TArgs& a);
    void Occurrences(const TArgs& a);
    void Write(const TArgs& a);
    void AddLine(const TArgs& a);
    void Command(const TArgs& a);
    void FindNext(const TArgs& a);
    void DeleteLine(const TArgs& a);
    void ClearSelection(const TArgs& a);
    void Message(const TArgs& a);
    void SetCaretPos(const TArgs& a);
    void IncreaseCaretPos(const TArgs& a);
    void DecreaseCaretPos(const TArgs& a);
    void SetSelectionLength(const TArgs& a);
    void SetLine(const TArgs& a);
    void IncreaseLine(const TArgs& a);
    void DecreaseLine(const TArgs& a);
    void GoToLine(qint64 line);
    void SelectAll(const TArgs& a);
    void SelectTag(const TArgs& a);
    void Cut(const TArgs& a);
    void Copy(const TArgs& a);
    void PasteAs(const TArgs& a);
    void Paste(const TArgs& a);
    void Case(const TArgs& a);
    void CommandWithSelection(const TArgs& a);
    void RestoreFile(const TArgs& a);
    void DeleteFile(const TArgs& a);
    void Import(const TArgs& a);
    void Export(const TArgs& a);
    void Beep(const TArgs& a);
    void Wait(const TArgs& a);
    void Exit(const TArgs& a);
    void TerminateApplication(const TArgs& a);
    void RestartApplication(const TArgs& a);
    void NewWindow(const TArgs& a);
    void CurrentWindow(const TArgs& a);
    void Execute(const TArgs& a);
    void SetStatus(const TArgs& a);
    void NormalizeStatusAfter(const TArgs& a);
    void NormalizeStatus(const TArgs& a);
    void AddBookmarkAt(const TArgs& a);
    void GotoBookmark(const TArgs& a);
    void TrimVars(const TArgs& a);
    void Break(const TArgs& a);
    void RaiseException(const TArgs& a);
    void ShowCSSGroups(const TArgs& a);

    TSubroutineRunner& run_;
};
