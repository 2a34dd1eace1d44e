#include "app/commands/FileCommands.h"

#include "app/commands/CommandRegistry.h"
#include "app/commands/CommandWindow.h"
#include "app/commands/DocumentTable.h"
#include "app/commands/Requests.h"
#include "app/core/FileFilters.h"
#include "app/core/RecentFiles.h"
#include "app/dialogs/Boxes.h"
#include "editor/model/EditorModel.h"
#include "platform/Dialogs.h"
#include "platform/SilentAbort.h"

#include <QAction>
#include <QFileInfo>
#include <algorithm>

namespace {

const QString kNewDocument = QStringLiteral("Nytt dokument");

} // namespace

TFileCommands::TFileCommands(const TCommandContext& context) : ctx_(context) {}

void TFileCommands::Register(TCommandRegistry& commands) {
    const auto add = [&](const char* name, const char* caption, const char* key,
                         std::function<void()> command) {
        commands.Add(QLatin1String(name),
                     {QString::fromUtf8(caption), {QKeySequence(QLatin1String(key))}},
                     std::move(command));
    };
    TDocumentTable& docs = ctx_.Documents;
    add("ANewDoc", "Tomt dokument", "Ctrl+N", [&docs] { docs.Open(0, kNewDocument); });
    commands.AddWithRequest(QStringLiteral("AOpenDoc"),
                            {QStringLiteral("Annat dokument..."), {QKeySequence("Ctrl+O")}},
                            [this](const TCommandRequest& request) {
                                if (const auto* file = RequestOf<TOpenRequest>(request))
                                    ctx_.Documents.Open(1, file->FileName);
                                else
                                    OpenDoc();
                            });
    add("ASaveDoc", "Spara", "Ctrl+S", [this] { SaveDoc(); });
    add("ASaveDocAs", "Spara som...", "Ctrl+Alt+S", [this] { SaveDocAs(); });
    add("ASaveAllDoc", "Spara alla", "Shift+Ctrl+S",
        [this] { ForEachDocument(&TFileCommands::SaveDoc); });
    add("ASaveAllDocAs", "Spara alla som...", "Shift+Ctrl+Alt+S",
        [this] { ForEachDocument(&TFileCommands::SaveDocAs); });
    add("ADocClose", "Stäng", "Ctrl+F4", [this] { DocClose(); });
    add("AAllDocClose", "Stäng alla", "Shift+Ctrl+F4", [this] { AllDocClose(); });
    add("WPrevDoc", "Föregående dokument", "Alt+Left", [&docs] {
        if (docs.CurrentIndex() > 0)
            docs.Select(docs.CurrentIndex() - 1);
    });
    add("WNextDoc", "Nästa dokument", "Alt+Right", [&docs] {
        if (docs.CurrentIndex() < docs.Count() - 1)
            docs.Select(docs.CurrentIndex() + 1);
    });
    // The recent files by their place in the list; the window shows their names.
    static const char* const reopen[] = {"RoAlfa1", "RoBeta1", "RoGamma1", "RoDelta1"};
    for (int i = 1; i <= RecentFiles::Count; ++i)
        add(reopen[i - 1], "", "", [this, i] {
            const QString file = RecentFiles::File(i);
            if (!file.isEmpty())
                OpenFromReopen(file);
        });
    add("ACloseMain", "Avsluta", "", [this] { ctx_.Window.CloseWindow(); });
}

TFileData& TFileCommands::Current() {
    const int t = ctx_.Documents.CurrentIndex();
    if (t < 0 || t >= ctx_.Documents.Count())
        throw EKelvoraError(QStringLiteral("ERangeError"),
                            QStringLiteral("Ingen dokumentflik är vald."));
    return ctx_.Documents.Record(t);
}

// --- opening -----------------------------------------------------------------------------------

QString TFileCommands::RunOpenDialog(const QString& fileName, const QStringList& filters,
                                     int index) {
    QString selected = filters.value(std::clamp(index, 1, static_cast<int>(filters.size())) - 1);
    return Dialogs::GetOpenFileName(ctx_.Window.Owner(), QStringLiteral("Öppna"), fileName,
                                    filters.join(QStringLiteral(";;")), &selected);
}

void TFileCommands::OpenDoc(int filterIndex) {
    const int index =
        filterIndex > 0 ? filterIndex : FileFilters::FilterIndexFor(Current().FileName);
    const QString chosen =
        RunOpenDialog(OpenDialogFile, FileFilters::QtFilters(FileFilters::FilterCount), index);
    if (chosen.isEmpty())
        return;
    OpenDialogFile = chosen;
    ctx_.Documents.Open(1, chosen);
}

void TFileCommands::SearchDocument(const QString& fileName) {
    const QString chosen =
        RunOpenDialog(fileName, {FileFilters::QtNameFilter(DocFileName(fileName))}, 1);
    if (chosen.isEmpty())
        return;
    OpenDialogFile = chosen;
    ctx_.Documents.Open(1, chosen);
}

void TFileCommands::OpenFromReopen(const QString& fileName) {
    if (QFileInfo::exists(fileName)) {
        ctx_.Documents.Open(1, fileName);
        return;
    }
    if (ctx_.Ask(QStringLiteral("Det gick inte att hitta filen \"%1\".").arg(DocFileName(fileName)),
                 QStringLiteral("Vill du leta efter filen?")) == Dialogs::mrYes)
        SearchDocument(fileName);
}

// --- saving ------------------------------------------------------------------------------------

bool TFileCommands::WriteCurrent(const QString& fileName, bool quoted) {
    try {
        ctx_.Editor.SaveToFile(fileName);
        return true;
    } catch (const EKelvoraError&) {
        const QString name = DocFileName(fileName);
        ctx_.Boxes.kvMessageBox(
            QStringLiteral("Det gick inte att spara till filen %1.")
                .arg(quoted ? QLatin1Char('"') + name + QLatin1Char('"') : name));
        return false;
    }
}

TSaveResult TFileCommands::SaveDoc() {
    if (!Current().HasFile)
        return SaveDocAs();
    if (!WriteCurrent(Current().FileName, false))
        return TSaveResult::Failed;
    Current().Modified = false;
    ctx_.Documents.RecordChanged(ctx_.Documents.CurrentIndex());
    RecentFiles::Add(Current().FileName);
    // The page now comes from the file; during a preview's own automatic save that preview
    // goes on to show it.
    ctx_.Window.DocumentSaved();
    return TSaveResult::Saved;
}

TSaveResult TFileCommands::SaveDocAs() {
    const QStringList filters = FileFilters::QtFilters(FileFilters::SaveFilterCount);
    for (;;) {
        const int index = FileFilters::FilterIndexFor(Current().FileName);
        QString selected = filters.value(std::min(index, FileFilters::SaveFilterCount) - 1);
        QString name = Dialogs::GetSaveFileName(
            ctx_.Window.Owner(), QStringLiteral("Spara"), Current().FileName,
            filters.join(QStringLiteral(";;")), &selected, QFileDialog::DontConfirmOverwrite);
        if (name.isEmpty())
            return TSaveResult::Cancelled;
        const int chosen = static_cast<int>(filters.indexOf(selected)) + 1;
        if (DocFileExt(name).isEmpty())
            name += FileFilters::DefaultExtension(chosen);
        if (QFileInfo::exists(name)) {
            const int answer =
                ctx_.Ask(QStringLiteral("Filen \"%1\" finns redan.").arg(DocFileName(name)),
                         QStringLiteral("Vill du ersätta den?"));
            if (answer == Dialogs::mrNo)
                continue;
            if (answer != Dialogs::mrYes)
                return TSaveResult::Cancelled;
        }
        if (!WriteCurrent(name, true))
            return TSaveResult::Failed;
        TFileData& record = Current();
        record.FileName = QFileInfo(name).absoluteFilePath();
        record.HasFile = true;
        record.Modified = false;
        const int t = ctx_.Documents.CurrentIndex();
        ctx_.Documents.RecordChanged(t);
        // Loaded again under its new name: title, colouring and mode follow it.
        ctx_.Documents.Select(t);
        RecentFiles::Add(Current().FileName);
        return TSaveResult::Saved;
    }
}

TSaveResult TFileCommands::AskToSave() {
    ctx_.Window.LeaveDocument();
    if (!Current().Modified)
        return TSaveResult::Saved;
    const int answer = ctx_.Ask(
        QStringLiteral("Texten i filen \"%1\" har ändrats.").arg(DocFileName(Current().FileName)),
        QStringLiteral("Vill du spara ändringarna?"));
    switch (answer) {
    case Dialogs::mrYes:
        return SaveDoc();
    case Dialogs::mrNo:
        return TSaveResult::Saved;
    default:
        return TSaveResult::Cancelled;
    }
}

void TFileCommands::ForEachDocument(TSaveResult (TFileCommands::*command)()) {
    TDocumentTable& docs = ctx_.Documents;
    const int remembered = docs.CurrentIndex();
    for (int i = 0; i < docs.Count(); ++i) {
        docs.Select(i);
        // A cancel or a failure ends the loop at that document.
        if ((this->*command)() != TSaveResult::Saved)
            Abort();
    }
    docs.Select(remembered);
}

// --- closing -----------------------------------------------------------------------------------

void TFileCommands::DocClose() {
    if (AskToSave() != TSaveResult::Saved)
        Abort();
    ctx_.Documents.CloseCurrent();
}

void TFileCommands::AllDocClose() {
    TDocumentTable& docs = ctx_.Documents;
    const int count = docs.Count();
    for (int i = 0; i < count; ++i) {
        docs.Select(i);
        if (AskToSave() != TSaveResult::Saved)
            Abort();
    }
    docs.CloseAll();
}
