#include "app/commands/EditCommands.h"

#include "app/commands/CommandRegistry.h"
#include "app/commands/CommandWindow.h"
#include "app/commands/DocumentTable.h"
#include "app/commands/Requests.h"
#include "app/core/DataFiles.h"
#include "app/core/FileFilters.h"
#include "app/dialogs/Boxes.h"
#include "editor/text/LineStore.h"
#include "editor/view/TextEditorEx.h"
#include "platform/Cp1252.h"
#include "platform/Dialogs.h"
#include "platform/SilentAbort.h"

#include <QAction>
#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <algorithm>

namespace {

// The filter of the current document's kind in a list of `count` filters.
QString FilterOf(TDocumentTable& docs, const QStringList& filters, int count) {
    const int current = docs.CurrentIndex();
    const int index =
        FileFilters::FilterIndexFor(current >= 0 ? docs.Record(current).FileName : QString());
    return filters.value(std::clamp(index, 1, count) - 1);
}

} // namespace

TEditCommands::TEditCommands(const TCommandContext& context, TTextEditorEx& editor,
                             TClipboardHistory& history, const QString& openDialogFile)
    : ctx_(context), editor_(editor), history_(history), openDialogFile_(openDialogFile) {}

void TEditCommands::Register(TCommandRegistry& commands) {
    const auto add = [&](const char* name, const char* caption, const char* key,
                         std::function<void()> command, const char* hint = "") {
        commands.Add(QLatin1String(name),
                     {QString::fromUtf8(caption),
                      {QKeySequence(QLatin1String(key))},
                      QString::fromUtf8(hint)},
                     std::move(command));
    };
    // The editor operations that need nothing but an undo snapshot before them: the model's,
    // called on the model. (Called through the editor, a member pointer into its second base
    // misleads GCC's vptr check, and so does a captured `this` beside a member pointer.)
    const auto forward = [this](void (TEditorModel::*operation)()) {
        return [commands = this, operation] {
            if (commands->ctx_.Window.EditorHidden())
                return;
            commands->BeforeEditorChange();
            TEditorModel& model = commands->editor_;
            (model.*operation)();
        };
    };
    const auto unlessHidden = [this](std::function<void()> command) {
        return [this, command] {
            if (!ctx_.Window.EditorHidden())
                command();
        };
    };

    add("RDocUndo", "Ångra", "Ctrl+Z", [this] { DocUndo(false); });
    add("RDocRedo", "Gör om", "Ctrl+Y", [this] { DocUndo(true); });
    add(
        "RDocCut", "Klipp ut", "Ctrl+X", [this] { DocCut(); },
        "Klipp ut|Flyttar aktuell markering till urklipp.");
    add("RDocCopy", "Kopiera", "Ctrl+C", [this] { DocCopy(); });
    commands.AddWithRequest(QStringLiteral("RDocPaste"),
                            {QStringLiteral("Klistra in"), {QKeySequence("Ctrl+V")}},
                            [this](const TCommandRequest& request) {
                                const auto* clip = RequestOf<TPasteRequest>(request);
                                DocPaste(clip ? clip->Index : -1);
                            });
    add("RDocDelSel", "Ta bort", "", unlessHidden([this] {
            BeforeEditorChange();
            editor_.DeleteSelection();
        }));
    add("RExportText", "Exportera markering...", "", [this] { ExportText(); });
    add("RImportText", "Importera text från fil...", "", [this] { ImportText(); });
    add("RSelectCurrentTag", "Markera tagg", "Ctrl+Shift+A",
        unlessHidden([this] { editor_.SelectCurrentTag(); }));
    add("RSelectAll", "Markera allt", "Ctrl+A", unlessHidden([this] { editor_.SelectAll(); }));
    add("RCopyAll", "Kopiera allt", "", unlessHidden([this] {
            QGuiApplication::clipboard()->setText(Cp1252::Decode(editor_.Text()));
        }));
    add("RClearAll", "Rensa allt", "", [this] { ClearAll(); });
    add("FConvUpperCase", "Ändra till &versaler", "Ctrl+Alt+U",
        forward(&TTextEditorEx::UpperCaseSelection));
    add("FConvLowerCase", "Ändra till &gemener", "Ctrl+Alt+L",
        forward(&TTextEditorEx::LowerCaseSelection));
    add("FConvOppositCase", "Invertera skiftläge", "Ctrl+Alt+I",
        forward(&TTextEditorEx::InvertCaseSelection));
    add("FAddIndent", "Indentera markering", "Ctrl+Alt+Space",
        forward(&TTextEditorEx::IndentSelection));
    add("FDelIndent", "Avindentera markering", "Ctrl+Alt+Backspace",
        forward(&TTextEditorEx::UnindentSelection));
    add("FDelAllIndent", "Ta bort indentering", "", forward(&TTextEditorEx::RemoveIndentation));
    add("VApplyROT13", "Utför ROT-13", "Ctrl+Q", forward(&TTextEditorEx::ROT13));
}

void TEditCommands::BeforeEditorChange(TTextEditorEx& editor) {
    // One undo step takes back the command alone, not what was typed just before it.
    if (editor.Settings()->ReadOnly)
        return;
    if (editor.UndoStore.Count() == 0 || editor.UndoStore.ChangedSinceShown(editor))
        editor.AddUndoData();
}

void TEditCommands::DocUndo(bool redo) {
    if (ctx_.Window.EditorHidden())
        return;
    RunCommand([this, redo] { redo ? editor_.Redo() : editor_.Undo(); });
    ctx_.Window.UndoneOrRedone();
    ctx_.Window.RequestActionUpdate();
}

void TEditCommands::DocCut() {
    if (ctx_.Window.EditorHidden() || !editor_.hasFocus())
        return;
    history_.Add(editor_.GetSelText());
    BeforeEditorChange();
    editor_.CutToClipboard();
}

void TEditCommands::DocCopy() {
    if (ctx_.Window.EditorHidden())
        return;
    editor_.CopyToClipboard();
    history_.Add(editor_.GetSelText());
}

void TEditCommands::DocPaste(int index) {
    if (index >= 0) {
        const QList<QByteArray>& entries = history_.Entries();
        if (index >= entries.size())
            return;
        QGuiApplication::clipboard()->setText(Cp1252::Decode(entries[index]));
    }
    if (ctx_.Window.EditorHidden())
        return;
    BeforeEditorChange();
    editor_.PasteFromClipboard();
}

void TEditCommands::ClearAll() {
    // A read-only text is not cleared (the editor's Clear would do it regardless).
    if (ctx_.Window.EditorHidden() || editor_.Settings()->ReadOnly)
        return;
    if (ctx_.Ask(QStringLiteral("All text i dokumentet kommer att raderas."),
                 QStringLiteral("Vill du fortsätta?")) != Dialogs::mrYes)
        return;
    BeforeEditorChange();
    editor_.Clear();
}

void TEditCommands::ImportText() {
    if (ctx_.Window.EditorHidden() || editor_.Settings()->ReadOnly)
        return;
    const QStringList filters = FileFilters::QtFilters(FileFilters::FilterCount);
    QString selected = FilterOf(ctx_.Documents, filters, FileFilters::FilterCount);
    const QString name =
        Dialogs::GetOpenFileName(ctx_.Window.Owner(), QStringLiteral("Importera från fil"),
                                 openDialogFile_, filters.join(QStringLiteral(";;")), &selected);
    if (name.isEmpty())
        return;
    try {
        BeforeEditorChange();
        editor_.InsertFromFile(name);
    } catch (const EKelvoraError&) {
        ctx_.Boxes.kvMessageBox(
            QStringLiteral("Det gick inte att importera text från filen \"%1\".")
                .arg(QFileInfo(name).absoluteFilePath()));
    }
}

void TEditCommands::ExportText() {
    if (ctx_.Window.EditorHidden())
        return;
    const QStringList filters = FileFilters::QtFilters(FileFilters::SaveFilterCount);
    QString selected = FilterOf(ctx_.Documents, filters, FileFilters::SaveFilterCount);
    const QString name = Dialogs::GetSaveFileName(
        ctx_.Window.Owner(), QStringLiteral("Exportera markering"), QString(),
        filters.join(QStringLiteral(";;")), &selected, QFileDialog::DontConfirmOverwrite);
    if (name.isEmpty())
        return;
    if (QFileInfo::exists(name) &&
        ctx_.Ask(QStringLiteral("Filen %1 finns redan.").arg(QFileInfo(name).fileName()),
                 QStringLiteral("Vill du ersätta den?")) != Dialogs::mrYes)
        return;
    // The selected lines, each followed by CR LF; a selection that ends at a line start
    // has no empty last line.
    QPoint from, to;
    editor_.SelectionBounds(&from, &to);
    std::vector<QByteArray> lines = editor_.GetTextRange(from, to);
    if (!lines.empty() && lines.back().isEmpty())
        lines.pop_back();
    LineStore out;
    out.SetStyle(LineStore::BreakStyle::CrLf);
    out.Replace(0, 0, std::move(lines));
    QString error;
    if (!out.SaveToFile(name, &error))
        ctx_.Boxes.kvMessageBox(QStringLiteral("Det gick inte att spara till filen \"%1\".")
                                    .arg(QFileInfo(name).absoluteFilePath()));
}
