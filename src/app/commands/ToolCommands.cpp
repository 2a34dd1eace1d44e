#include "app/commands/ToolCommands.h"

#include "app/commands/CommandRegistry.h"
#include "app/commands/CommandWindow.h"
#include "app/commands/DocumentTable.h"
#include "app/commands/EditCommands.h"
#include "app/dialogs/Boxes.h"
#include "app/dialogs/CompareWin.h"
#include "app/dialogs/InternalFunctionInputWin.h"
#include "app/dialogs/PropertiesWin.h"
#include "app/dialogs/SortRowsWin.h"
#include "app/dialogs/StatWin.h"
#include "editor/view/TextEditorEx.h"
#include "platform/Dialogs.h"
#include "platform/SilentAbort.h"

#include <QAction>
#include <QRadioButton>
#include <memory>

TToolCommands::TToolCommands(const TCommandContext& context, TTextEditorEx& editor)
    : ctx_(context), editor_(editor) {}

void TToolCommands::Register(TCommandRegistry& commands) {
    commands.Add(QStringLiteral("ShowStatistics"), {QStringLiteral("Kodstatistik")},
                 [this] { ShowStatistics(); });
    commands.Add(QStringLiteral("VSortRows"),
                 {QStringLiteral("Sortera rader..."), {QKeySequence(QStringLiteral("F11"))}},
                 [this] { SortRows(); });
    commands.Add(QStringLiteral("ADocProperties"), {QStringLiteral("Egenskaper...")},
                 [this] { DocProperties(); });
    commands.Add(QStringLiteral("ACompareFiles"), {QStringLiteral("Jämför dokument")},
                 [this] { CompareFiles(); });
}

const TFileData& TToolCommands::Current() {
    const int t = ctx_.Documents.CurrentIndex();
    if (t < 0)
        throw EKelvoraError(QStringLiteral("ERangeError"),
                            QStringLiteral("Ingen dokumentflik är vald."));
    return ctx_.Documents.Record(t);
}

void TToolCommands::ShowStatistics() {
    auto win = std::make_unique<Tstat>(editor_.Lines, DocFileName(Current().FileName),
                                       ctx_.Window.Owner());
    win->OnStatus = [this](const QString& text) { ctx_.Window.SetStatusText(text); };
    Dialogs::RunModal(win.get());
}

void TToolCommands::SortRows() {
    if (ctx_.Window.EditorHidden())
        return;
    auto win = std::make_unique<TSortRows>(ctx_.Window.Owner());
    win->Prepare(editor_.HasSelection());
    if (Dialogs::RunModal(win.get()) != 1 || editor_.Settings()->ReadOnly)
        return;
    const bool all = win->AllRows->isChecked();
    const int selStart = editor_.GetSelStart();
    const int selLength = editor_.GetSelLength();
    if (all)
        editor_.SelectAll();
    QPoint from, to;
    editor_.SelectionBounds(&from, &to);
    // Views of the selected lines, sorted and put back in one splice: no line is copied twice.
    // Only their order changes: the breaks stay as many as they were, so the sorted text is as
    // long as the selection and stays selected.
    const int start = editor_.GetSelStart(), length = editor_.GetSelLength();
    bool endsWithBreak = false;
    const std::vector<QByteArrayView> sorted =
        SortedLines(editor_.GetRangeViews(from, to), &endsWithBreak);
    if (sorted.empty() && !editor_.HasSelection()) {
        if (all) {
            editor_.SetSelStart(selStart);
            editor_.SetSelLength(selLength);
        }
        return;
    }
    TEditCommands::BeforeEditorChange(editor_);
    editor_.BeginUpdate();
    editor_.SetSelLines(sorted, endsWithBreak);
    editor_.SetSelStart(all ? selStart : start);
    editor_.SetSelLength(all ? selLength : length);
    editor_.EndUpdate();
}

void TToolCommands::DocProperties() {
    auto win = std::make_unique<Tproperties>(ctx_.Window.Owner());
    const TFileData& doc = Current();
    win->Fill(doc.FileName, doc.HasFile, editor_.TextLength());
    Dialogs::RunModal(win.get());
}

void TToolCommands::CompareFiles() {
    const TFileData& doc = Current();
    if (!doc.HasFile || doc.Modified) {
        ctx_.Boxes.kvMessageBox(
            QStringLiteral("Det aktuella dokumenetet måste vara sparat till en fil och "
                           "oändrat för att det ska kunna jämföras."));
        return;
    }
    auto win = std::make_unique<Tcompare>(doc.FileName, ctx_.Window.Owner());
    win->OnMessage = [this](const QString& text) { ctx_.Boxes.kvMessageBox(text); };
    win->OnGetInput = [w = win.get()](const QString& prompt, QString* answer) {
        TInternalFunctionInput input(w);
        input.SetQuestion(prompt);
        input.SetShowBrowse(false);
        return input.Run(answer);
    };
    Dialogs::RunModal(win.get());
}
