#include "subroutines/statements/SubroutineStatements.h"

#include "app/commands/Requests.h"
#include "app/mainwindow/MainWin.h"
#include "app/panels/BookmarksPanel.h"
#include "app/panels/SearchPanel.h"
#include "editor/text/TextSearcher.h"
#include "editor/view/TextEditorEx.h"
#include "platform/Cp1252.h"
#include "subroutines/Commands.h"
#include "subroutines/SubroutineError.h"
#include "subroutines/SubroutineLines.h"
#include "subroutines/runs/SubroutineEnvironment.h"
#include "subroutines/runs/SubroutineRunner.h"
#include "subroutines/runs/SubroutineStop.h"
#include "subroutines/statements/StatementRequests.h"

#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QListWidget>
#include <QMimeData>
#include <QStatusBar>
#include <QStringList>

namespace {

QString Msg(const char* utf8) {
    return QString::fromUtf8(utf8);
}

QByteArray AsciiLower(QByteArray s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}

QByteArray TrimRightBlanksTabs(const QByteArray& s) {
    qsizetype n = s.size();
    while (n > 0 && (s.at(n - 1) == ' ' || s.at(n - 1) == '\t'))
        --n;
    return s.left(n);
}

QByteArray TrimLeftBlanksTabs(const QByteArray& s) {
    qsizetype i = 0;
    while (i < s.size() && (s.at(i) == ' ' || s.at(i) == '\t'))
        ++i;
    return s.mid(i);
}

// The text of `s` from the 1-based position `from` up to the character before the 0-based
// index `end` (empty when that is no positive count).
QByteArray Between(const QByteArray& s, int from, qsizetype end) {
    const qsizetype count = end - (from - 1);
    return count > 0 ? s.mid(from - 1, count) : QByteArray();
}

// Occurrence statements: the search flags and whether the message speaks of a word.
enum { OccText = 0, OccCase = 1, OccWord = 2, OccCaseWord = 3 };

} // namespace

// One statement: its keyword, where its argument starts (1-based, 0 for none), its handler,
// and for the statements that run a command, the command's name and a variant.
struct TSubroutineStatements::TStatement {
    const char* Keyword;
    int ArgPos;
    TSubroutineStatements::Handler Handler;
    const char* Name = nullptr;
    int Variant = 0;
};

// The statements in dispatch order.
const std::vector<TSubroutineStatements::TStatement>& TSubroutineStatements::Table() {
    using S = TSubroutineStatements;
    static const std::vector<TStatement> table = [] {
        std::vector<TStatement> t{
            {"var", 0, &S::Var},
            {"if", 0, &S::If},
            {"unless", 0, &S::Unless},
            {"show window", 13, &S::ShowWindow},
            {"occurrences ", 13, &S::Occurrences, nullptr, OccText},
            {"occurrences(case_sensitive)", 29, &S::Occurrences, nullptr, OccCase},
            {"occurrences(word_sensitive)", 29, &S::Occurrences, nullptr, OccWord},
            {"occurrences(case_sensitive and word_sensitive)", 48, &S::Occurrences, nullptr,
             OccCaseWord},
            {"write", 7, &S::Write},
            {"clear doc(no_warning)", 0, &S::Command, "ClearDoc"},
            {"clear doc", 0, &S::Command, "RClearAll"},
            {"add line", 10, &S::AddLine},
            {"insert color", 0, &S::Command, "IInsertColor"},
            {"insert date", 0, &S::Command, "IInsertDate"},
            {"insert char", 0, &S::Command, "IInsertAlpha"},
            {"insert h1", 0, &S::Command, "IInsertHeading1"},
            {"insert h2", 0, &S::Command, "IInsertHeading2"},
            {"insert h3", 0, &S::Command, "IInsertHeading3"},
            {"insert h4", 0, &S::Command, "IInsertHeading4"},
            {"insert h5", 0, &S::Command, "IInsertHeading5"},
            {"insert h6", 0, &S::Command, "IInsertHeading6"},
            {"insert para", 0, &S::Command, "IInsertParaP"},
            {"insert div", 0, &S::Command, "IInsertParaD"},
            {"insert acronym", 0, &S::Command, "IInsertAcronym"},
            {"insert abbreviation", 0, &S::Command, "IInsertAbbreviation"},
            {"insert cite", 0, &S::Command, "IInsertCite"},
            {"insert first_definition", 0, &S::Command, "IInsertDefinition"},
            {"insert image", 0, &S::Command, "IInsertImage"},
            {"insert link", 0, &S::Command, "IInsertLink"},
            {"insert table", 0, &S::Command, "IInsertTable"},
            {"insert ordered_list", 0, &S::Command, "IInsertOL"},
            {"insert unordered_list", 0, &S::Command, "IInsertUL"},
            {"superscript", 0, &S::Command, "IInsertRaised"},
            {"subscript", 0, &S::Command, "IInsertLowered"},
            {"insert head_style", 0, &S::Command, "IInsertBuiltinStyle"},
            {"insert style_block", 0, &S::Command, "IInsertCSSBlock"},
            {"insert style_class", 0, &S::Command, "IInsertCSSClass"},
            {"insert span_style", 0, &S::Command, "IInsertCSSSpanStyle"},
            {"insert x_style", 0, &S::Command, "IInsertCSSXStyle"},
            {"set title", 0, &S::Command, "IInsertHTMLTitle"},
            {"set DTD", 0, &S::Command, "IInsertDoctype"},
            {"find next ", 11, &S::FindNext, "SearchNext", 0},
            {"find next(case_sensitive)", 27, &S::FindNext, "SearchNext", SearchFlags::MatchCase},
            {"find next(word_sensitive)", 27, &S::FindNext, "SearchNext", SearchFlags::WholeWord},
            {"find next(case_sensitive and word_sensitive)", 46, &S::FindNext, "SearchNext",
             SearchFlags::MatchCase | SearchFlags::WholeWord},
            {"delete line", 0, &S::DeleteLine},
            {"clear selection", 0, &S::ClearSelection},
            {"message", 9, &S::Message},
            {"set caretpos", 14, &S::SetCaretPos},
            {"increase caretpos", 19, &S::IncreaseCaretPos},
            {"decrease caretpos", 19, &S::DecreaseCaretPos},
            {"set selection length", 22, &S::SetSelectionLength},
            {"set line", 9, &S::SetLine},
            {"increase line", 14, &S::IncreaseLine},
            {"decrease line", 14, &S::DecreaseLine},
            {"select all", 0, &S::SelectAll},
            {"select tag", 0, &S::SelectTag},
            {"cut", 0, &S::Cut},
            {"copy", 0, &S::Copy},
            {"paste as", 10, &S::PasteAs, "PasteInFormat"},
            {"paste", 0, &S::Paste},
            {"case", 6, &S::Case},
            {"indent", 0, &S::CommandWithSelection, "FAddIndent"},
            {"unindent", 0, &S::CommandWithSelection, "FDelIndent"},
            {"remove indent", 0, &S::Command, "FDelAllIndent"},
            {"ROT-13", 0, &S::Command, "VApplyROT13"},
            {"save as", 0, &S::Command, "ASaveDocAs"},
            {"save", 0, &S::Command, "ASaveDoc"},
            {"open", 0, &S::Command, "AOpenDoc"},
            {"print", 0, &S::Command, "APrintDoc"},
            {"set print format", 0, &S::Command, "APrinterSettings"},
            {"restore file", 0, &S::RestoreFile, "ARecreateDoc"},
            {"delete file", 0, &S::DeleteFile, "ADocDel"},
            {"import", 8, &S::Import},
            {"export", 8, &S::Export},
            {"close", 0, &S::Command, "ADocClose"},
            {"beep", 0, &S::Beep},
            {"wait", 6, &S::Wait},
            {"exit", 0, &S::Exit, "ACloseMain"},
            {"terminate application", 0, &S::TerminateApplication},
            {"restart application", 0, &S::RestartApplication},
            {"new window", 0, &S::NewWindow},
            {"current window", 16, &S::CurrentWindow},
            {"execute", 9, &S::Execute},
            {"preview", 0, &S::Command, "VShowInBrowser"},
            {"set status", 12, &S::SetStatus},
            {"normalize status after", 24, &S::NormalizeStatusAfter},
            {"normalize status", 0, &S::NormalizeStatus},
            {"add bookmark at", 17, &S::AddBookmarkAt},
            {"goto bookmark", 15, &S::GotoBookmark},
            {"TrimVars", 10, &S::TrimVars},
            {"break", 0, &S::Break},
            {"debug.RaiseException", 0, &S::RaiseException},
            {"debug.ShowCSSGroups", 0, &S::ShowCSSGroups, "ShowCSSGroups"},
        };
        return t;
    }();
    return table;
}

struct TSubroutineStatements::TArgs {
    const QByteArray& Statement;
    int LineIndex;
    const TStatement& Entry;
    // The argument: the statement from its 1-based position to the end, trailing blanks
    // included.
    QByteArray Arg() const { return Statement.mid(Entry.ArgPos - 1); }
};

TSubroutineStatements::TSubroutineStatements(TSubroutineRunner& run) : run_(run) {}

std::vector<QByteArray> TSubroutineStatements::Keywords() {
    std::vector<QByteArray> out;
    for (const TStatement& s : Table())
        out.emplace_back(s.Keyword);
    return out;
}

QStringList TSubroutineStatements::CommandNames() {
    QStringList out;
    for (const TStatement& s : Table())
        if (s.Name && !out.contains(QLatin1String(s.Name)))
            out << QLatin1String(s.Name);
    for (const char* name : {"HAboutDlg", "ShowStatistics", "ADocProperties", "FConvUpperCase",
                             "FConvLowerCase", "FConvOppositCase"})
        out << QLatin1String(name);
    return out;
}

void TSubroutineStatements::Dispatch(const QByteArray& statement, int lineIndex) {
    for (const TStatement& s : Table()) {
        if (!statement.startsWith(s.Keyword))
            continue;
        (this->*s.Handler)(TArgs{statement, lineIndex, s});
        return;
    }
    Fail("Okänt kommando.", lineIndex);
}

void TSubroutineStatements::Fail(const char* message, int lineIndex) {
    throw ESubroutineError(Msg(message), lineIndex);
}

void TSubroutineStatements::RunCommand(const QString& name, int lineIndex,
                                       const std::any& request) {
    TCommandRegistry& commands = run_.Main().Commands();
    if (!commands.Has(name))
        Fail("Okänt kommando.", lineIndex);
    commands.Run(name, request);
}

int TSubroutineStatements::Integer(const QByteArray& text, int lineIndex) {
    int value = 0;
    if (!TSubroutineLineProcessor::ReadInteger(text, &value))
        Fail("Ogiltigt heltalsvärde.", lineIndex);
    return value;
}

// --- variables and conditions ------------------------------------------------------------------

void TSubroutineStatements::Var(const TArgs& a) {
    const qsizetype eq = a.Statement.indexOf('=');
    if (eq < 0)
        Fail("Tilldelningsoperator (=) förväntas.", a.LineIndex);
    QByteArray name = Between(a.Statement, 5, eq);
    QByteArray value = a.Statement.mid(eq + 1);
    TSubroutineRunState& state = run_.State();
    if (state.TrimVarsEnabled) {
        name = TrimRightBlanksTabs(name);
        value = TrimLeftBlanksTabs(value);
    }
    state.Variables.Assign(name, value);
}

namespace {

// The condition of "if" or "unless": "true" or "false", or an error.
bool Condition(const QByteArray& statement, int from, int lineIndex, qsizetype* colon) {
    *colon = statement.indexOf(':');
    const QByteArray c = *colon < 0 ? QByteArray() : AsciiLower(Between(statement, from, *colon));
    if (*colon >= 0 && c == "true")
        return true;
    if (*colon >= 0 && c == "false")
        return false;
    throw ESubroutineError(Msg("Ogiltigt logiskt värde (true..false)."), lineIndex);
}

} // namespace

void TSubroutineStatements::If(const TArgs& a) {
    qsizetype colon = 0;
    if (Condition(a.Statement, 4, a.LineIndex, &colon))
        run_.ExecuteStatement(a.Statement.mid(colon + 1), a.LineIndex);
}

void TSubroutineStatements::Unless(const TArgs& a) {
    qsizetype colon = 0;
    if (!Condition(a.Statement, 8, a.LineIndex, &colon))
        run_.ExecuteStatement(a.Statement.mid(colon + 1), a.LineIndex);
}

// --- windows and messages ----------------------------------------------------------------------

void TSubroutineStatements::ShowWindow(const TArgs& a) {
    const QByteArray which = a.Arg();
    if (which == "about")
        RunCommand(QStringLiteral("HAboutDlg"), a.LineIndex);
    else if (which == "statistics")
        RunCommand(QStringLiteral("ShowStatistics"), a.LineIndex);
    else if (which == "properties")
        RunCommand(QStringLiteral("ADocProperties"), a.LineIndex);
    else
        Fail("Ogiltigt fönster.", a.LineIndex);
}

void TSubroutineStatements::Occurrences(const TArgs& a) {
    const QByteArray text = a.Arg();
    quint8 flags = 0;
    if (a.Entry.Variant & OccCase)
        flags |= SearchFlags::MatchCase;
    if (a.Entry.Variant & OccWord)
        flags |= SearchFlags::WholeWord;
    const int n = run_.Main().CodeEditor->GetOccurrences(text, flags);
    const QString what =
        (a.Entry.Variant & OccWord) ? QStringLiteral("Ordet \"") : QStringLiteral("Texten \"");
    run_.Main().kvMessageBox(what + Cp1252::Decode(text) + Msg("\" återfinns ") +
                             QString::number(n) + Msg(" gånger i dokumentet."));
}

// --- text --------------------------------------------------------------------------------------

void TSubroutineStatements::Write(const TArgs& a) {
    run_.Main().CodeEditor->SetSelText(a.Arg());
}

void TSubroutineStatements::AddLine(const TArgs& a) {
    run_.Main().CodeEditor->AppendLine(a.Arg());
}

void TSubroutineStatements::Command(const TArgs& a) {
    RunCommand(QLatin1String(a.Entry.Name), a.LineIndex);
}

void TSubroutineStatements::FindNext(const TArgs& a) {
    // As if typed into the search panel: its find then runs with the panel's request.
    run_.Main().searchpn->SetSearch(Cp1252::Decode(a.Arg()),
                                    (a.Entry.Variant & SearchFlags::MatchCase) != 0,
                                    (a.Entry.Variant & SearchFlags::WholeWord) != 0);
    RunCommand(QLatin1String(a.Entry.Name), a.LineIndex);
}

// --- caret, selection and lines ----------------------------------------------------------------

void TSubroutineStatements::DeleteLine(const TArgs&) {
    TTextEditorEx& e = *run_.Main().CodeEditor;
    const int line = e.GetCaretPos().y();
    if (line < 0 || line >= e.Lines.Count())
        return;
    e.SetSelStart(static_cast<int>(e.Lines.LineStart(line)));
    e.SetSelLength(e.Lines.Length(line) + 2);
    e.DeleteSelection();
}

void TSubroutineStatements::ClearSelection(const TArgs&) {
    run_.Main().CodeEditor->DeleteSelection();
}

void TSubroutineStatements::Message(const TArgs& a) {
    run_.Main().kvMessageBox(Cp1252::Decode(a.Arg()));
}

namespace {

// An offset as the editor takes it; one out of its range leaves the caret where it is.
int Clamped(qint64 offset) {
    return offset < 0 || offset > std::numeric_limits<int>::max() ? -1 : static_cast<int>(offset);
}

} // namespace

void TSubroutineStatements::SetCaretPos(const TArgs& a) {
    run_.Main().CodeEditor->SetSelStart(Integer(a.Arg(), a.LineIndex));
}

void TSubroutineStatements::IncreaseCaretPos(const TArgs& a) {
    TTextEditorEx& e = *run_.Main().CodeEditor;
    e.SetSelStart(Clamped(qint64(e.GetSelStart()) + Integer(a.Arg(), a.LineIndex)));
}

void TSubroutineStatements::DecreaseCaretPos(const TArgs& a) {
    TTextEditorEx& e = *run_.Main().CodeEditor;
    e.SetSelStart(Clamped(qint64(e.GetSelStart()) - Integer(a.Arg(), a.LineIndex)));
}

void TSubroutineStatements::SetSelectionLength(const TArgs& a) {
    run_.Main().CodeEditor->SetSelLength(Integer(a.Arg(), a.LineIndex));
}

void TSubroutineStatements::GoToLine(qint64 line) {
    TTextEditorEx& e = *run_.Main().CodeEditor;
    if (line < 1 || line > e.Lines.Count())
        return;
    e.SetSelStart(static_cast<int>(e.Lines.LineStart(static_cast<int>(line - 1))));
}

void TSubroutineStatements::SetLine(const TArgs& a) {
    GoToLine(Integer(a.Arg(), a.LineIndex));
}

void TSubroutineStatements::IncreaseLine(const TArgs& a) {
    const int n = Integer(a.Arg(), a.LineIndex);
    GoToLine(qint64(run_.Main().CodeEditor->GetCaretPos().y()) + 1 + n);
}

void TSubroutineStatements::DecreaseLine(const TArgs& a) {
    const int n = Integer(a.Arg(), a.LineIndex);
    GoToLine(qint64(run_.Main().CodeEditor->GetCaretPos().y()) + 1 - n);
}

void TSubroutineStatements::SelectAll(const TArgs&) {
    run_.Main().CodeEditor->SelectAll();
}

void TSubroutineStatements::SelectTag(const TArgs&) {
    run_.Main().CodeEditor->SelectCurrentTag();
}

// --- clipboard and editing ---------------------------------------------------------------------

void TSubroutineStatements::Cut(const TArgs&) {
    run_.Main().CodeEditor->CutToClipboard();
}

void TSubroutineStatements::Copy(const TArgs&) {
    run_.Main().CodeEditor->CopyToClipboard();
}

void TSubroutineStatements::PasteAs(const TArgs& a) {
    bool known = true;
    RunCommand(QLatin1String(a.Entry.Name), a.LineIndex, TPasteFormatRequest{a.Arg(), &known});
    if (!known)
        Fail("Ogiltigt inklistringsformat.", a.LineIndex);
}

void TSubroutineStatements::Paste(const TArgs&) {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (data && data->hasText())
        run_.Main().CodeEditor->PasteFromClipboard();
}

void TSubroutineStatements::Case(const TArgs& a) {
    const QByteArray which = a.Arg();
    if (which == "upper")
        RunCommand(QStringLiteral("FConvUpperCase"), a.LineIndex);
    else if (which == "lower")
        RunCommand(QStringLiteral("FConvLowerCase"), a.LineIndex);
    else if (which == "invert")
        RunCommand(QStringLiteral("FConvOppositCase"), a.LineIndex);
    else
        Fail("Ogiltigt skiftläge.", a.LineIndex);
}

void TSubroutineStatements::CommandWithSelection(const TArgs& a) {
    if (run_.Main().CodeEditor->HasSelection())
        RunCommand(QLatin1String(a.Entry.Name), a.LineIndex);
}

// --- documents and files -----------------------------------------------------------------------

namespace {

// The current document's record, when there is one.
const TFileData* CurrentRecord(Tmain& main) {
    const int t = main.CurrentTab();
    return t >= 0 && t < main.OpenFilesCount() ? &main.Current() : nullptr;
}

} // namespace

void TSubroutineStatements::RestoreFile(const TArgs& a) {
    const TFileData* record = CurrentRecord(run_.Main());
    if (record && record->HasFile && record->Modified)
        RunCommand(QLatin1String(a.Entry.Name), a.LineIndex);
}

void TSubroutineStatements::DeleteFile(const TArgs& a) {
    const TFileData* record = CurrentRecord(run_.Main());
    if (record && record->HasFile)
        RunCommand(QLatin1String(a.Entry.Name), a.LineIndex);
}

void TSubroutineStatements::Import(const TArgs& a) {
    const QString path = Cp1252::Decode(a.Arg());
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists())
        Fail("Filen för importering finns inte.", a.LineIndex);
    try {
        if (info.isDir())
            throw EKelvoraError(QStringLiteral("EFOpenError"), path);
        run_.Main().CodeEditor->InsertFromFile(path);
    } catch (const EKelvoraError&) {
        Fail("Det gick inte att importera filen.", a.LineIndex);
    }
}

void TSubroutineStatements::Export(const TArgs& a) {
    const QString path = Cp1252::Decode(a.Arg());
    QString error;
    if (path.isEmpty() || QFileInfo(path).isDir() ||
        !run_.Main().CodeEditor->SaveSelectionToFile(path, &error))
        Fail("Det gick inte att exportera till fil.", a.LineIndex);
}

// --- program and environment -------------------------------------------------------------------

void TSubroutineStatements::Beep(const TArgs&) {
    if (run_.Environment().Beep)
        run_.Environment().Beep();
}

void TSubroutineStatements::Wait(const TArgs& a) {
    run_.Pause(Integer(a.Arg(), a.LineIndex));
}

void TSubroutineStatements::Exit(const TArgs& a) {
    if (!run_.Main().Commands().Has(QLatin1String(a.Entry.Name)))
        Fail("Okänt kommando.", a.LineIndex);
    throw ESubroutineStop(ESubroutineStop::TReason::Exit);
}

void TSubroutineStatements::TerminateApplication(const TArgs&) {
    run_.Main().BackupDoc();
    throw ESubroutineStop(ESubroutineStop::TReason::Terminate);
}

void TSubroutineStatements::RestartApplication(const TArgs&) {
    run_.Main().BackupDoc();
    TSubroutineEnvironment& env = run_.Environment();
    if (env.StartProgram && env.ProgramFile)
        env.StartProgram(env.ProgramFile(), {});
    throw ESubroutineStop(ESubroutineStop::TReason::Terminate);
}

void TSubroutineStatements::NewWindow(const TArgs&) {
    TSubroutineEnvironment& env = run_.Environment();
    if (env.StartProgram && env.ProgramFile)
        env.StartProgram(env.ProgramFile(), {});
}

void TSubroutineStatements::CurrentWindow(const TArgs& a) {
    const QByteArray which = a.Arg();
    Tmain& main = run_.Main();
    const Qt::WindowStates keep =
        main.windowState() & ~(Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen);
    if (which == "maximize")
        main.setWindowState(keep | Qt::WindowMaximized);
    else if (which == "restore")
        main.setWindowState(keep);
    else if (which == "minimize")
        main.setWindowState(keep | Qt::WindowMinimized);
    else
        Fail("Okänt fönsterkommando.", a.LineIndex);
}

void TSubroutineStatements::Execute(const TArgs& a) {
    const QString target = Cp1252::Decode(a.Arg());
    if (target.isEmpty())
        return;
    TSubroutineEnvironment& env = run_.Environment();
    const QFileInfo info(target);
    // A program is started with no arguments; anything else goes to the desktop.
    if (info.isFile() && info.isExecutable() && env.StartProgram)
        env.StartProgram(info.absoluteFilePath(), {});
    else if (env.OpenTarget)
        env.OpenTarget(target);
}

void TSubroutineStatements::SetStatus(const TArgs& a) {
    const QString text = Cp1252::Decode(a.Arg());
    // An empty message would leave simple mode; a blank keeps it.
    run_.Main().statusBar()->showMessage(text.isEmpty() ? QStringLiteral(" ") : text);
}

void TSubroutineStatements::NormalizeStatusAfter(const TArgs& a) {
    run_.KeepStatusAfterRun();
    const int ms = Integer(a.Arg(), a.LineIndex);
    run_.Window().NeutralizeStatusTimer->start(std::max(ms, 0));
}

void TSubroutineStatements::NormalizeStatus(const TArgs&) {
    run_.Main().statusBar()->clearMessage();
}

// --- bookmarks ---------------------------------------------------------------------------------

void TSubroutineStatements::AddBookmarkAt(const TArgs& a) {
    const QByteArray written = a.Arg();
    const int n = Integer(written, a.LineIndex);
    TTextEditorEx& e = *run_.Main().CodeEditor;
    if (n < 1 || n > e.Lines.Count())
        Fail("Den angivna raden finns inte.", a.LineIndex);
    const QByteArray& line = e.Lines.Get(n - 1);
    constexpr int shown = TBookmarksPanel::ShownChars;
    const QByteArray entry =
        written + ": \"" + (line.size() <= shown ? line + '"' : line.left(shown) + "...\"");
    run_.Main().bmpn->AddEntry(Cp1252::Decode(entry));
}

void TSubroutineStatements::GotoBookmark(const TArgs& a) {
    const int n = Integer(a.Arg(), a.LineIndex);
    Tmain& main = run_.Main();
    QListWidget* list = main.bmpn->bookmarks;
    if (n < 1 || n > list->count())
        Fail("Bokmärket finns inte.", a.LineIndex);
    list->setCurrentRow(n - 1);
    main.Commands().Run(QStringLiteral("GotoBookmark"),
                        TLineRequest{TBookmarksPanel::EntryLine(list->item(n - 1)->text())});
}

// --- run control and diagnostics -----------------------------------------------------------------

void TSubroutineStatements::TrimVars(const TArgs& a) {
    QByteArray value = a.Arg();
    value.chop(1);
    value = AsciiLower(value);
    if (value == "true")
        run_.State().TrimVarsEnabled = true;
    else if (value == "false")
        run_.State().TrimVarsEnabled = false;
    else
        Fail("Ogiltigt logiskt värde.", a.LineIndex);
}

void TSubroutineStatements::Break(const TArgs&) {
    throw ESubroutineStop(ESubroutineStop::TReason::Break);
}

void TSubroutineStatements::RaiseException(const TArgs&) {
    throw EKelvoraError(QStringLiteral("ETestException"),
                        QStringLiteral("Test exception, raised manually by user."));
}

void TSubroutineStatements::ShowCSSGroups(const TArgs& a) {
    RunCommand(QLatin1String(a.Entry.Name), a.LineIndex, TDialogOwnerRequest{&run_.Window()});
}
