// The main window's timers, its background backups and its data files.
#include "app/core/FileFilters.h"
#include "app/mainwindow/MainWin.h"
#include "app/preview/ViewModes.h"

#include "controls/TabControlEx.h"
#include "editor/view/TextEditorEx.h"
#include "platform/SilentAbort.h"

#include <QDir>

void Tmain::CreateTimersAndData() {
    const auto busy = [this] { return SwitchingTab || ClosingDocument; };
    Debounce.Busy = busy;
    Debounce.AUU.OnTimer = [this] { AddManualChangeToUndoData(); };
    BackupTimer.Guard = busy;
    BackupTimer.OnTimer = [this] { BackupDoc(); };
    NormalizeAdditionalPanelTimer.OnTimer = [this] { SetStatusPanel(6, QString()); };

    Backups.CollectDocuments = [this]() -> std::optional<std::vector<TBackupDocument>> {
        const int count = OpenFilesCount();
        if (SwitchingTab || ClosingDocument || FilesList->count() != count || LastTabIndex < -1 ||
            LastTabIndex >= count)
            return std::nullopt;
        // The document on screen lives in the editor; every other one in its own record.
        std::vector<TBackupDocument> docs;
        docs.reserve(static_cast<size_t>(count));
        for (int i = 0; i < count; ++i) {
            const TFileData& record = OpenFiles[static_cast<size_t>(i)];
            const LineStore& lines = i == LastTabIndex ? CodeEditor->Lines : *record.Lines;
            docs.push_back({record.FileName, lines.TakeSnapshot(), record.Modified});
        }
        return docs;
    };
    Hooks.OfferBackups = [this] { OfferBackups(); };
    Hooks.SaveDataFiles = [this] { CloseTimersAndData(); };
    Backups.ShowNote = [this](const QString& note) { SetStatusPanel(6, note); };
    Backups.NoteDone = [this] { NormalizeAdditionalPanel(2); };
    Backups.ReportFailure = [this](const QString& message) { kvMessageBox(message); };
    boxes_.SetBackupHook([this] { return BackupDoc(); });

    DataFiles.LoadAll([this](const QString& message) { kvMessageBox(message); });
}

void Tmain::ShowTimersAndData() {
    if (TBackupService::ShouldOfferBackups(PreviousRunUnfinished, AutoBackupEnabled) &&
        Hooks.OfferBackups)
        RunCommand(Hooks.OfferBackups);
    if (AutoBackupEnabled)
        BackupTimer.Start();
}

void Tmain::OfferBackups() {
    LastQuestionResult =
        kvQuestionBox(TBackupService::OfferInformation(), TBackupService::OfferQuestion());
    if (LastQuestionResult == 6) {
        // Every backup is listed, also those of documents without an extension.
        FileCommands->OpenDialogFile = Backups.Folder() + QLatin1Char('/');
        RunCommand([this] { FileCommands->OpenDoc(FileFilters::AllFilesIndex); });
    }
}

void Tmain::CloseTimersAndData() {
    BackupTimer.Stop();
    Debounce.ASU.Stop();
    Debounce.AUU.Stop();
    const TDataFiles::Report report = [this](const QString& message) { kvMessageBox(message); };
    DataFiles.SaveTagLists(report);
    Backups.PurgeOldBackups();
    DataFiles.SaveClipboardHistory(report);
}

void Tmain::AddManualChangeToUndoData() {
    Debounce.AUU.Stop();
    CodeEditor->AddUndoData();
    RequestActionUpdate(); // undo is now possible
}

bool Tmain::BackupDoc() {
    const TBackupService::TResult result = Backups.BackupDoc();
    return result == TBackupService::TResult::Written ||
           result == TBackupService::TResult::Unchanged;
}

void Tmain::NormalizeAdditionalPanel(int seconds) {
    NormalizeAdditionalPanelTimer.SetInterval(seconds * 1000);
    NormalizeAdditionalPanelTimer.Restart();
}
