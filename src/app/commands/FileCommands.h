#pragma once

#include "app/commands/CommandContext.h"

#include <QString>

class TCommandRegistry;
struct TFileData;

// How a question about unsaved work ended. Saved: nothing is left that the user wants kept
// (the text was saved, was unchanged, or the user answered Nej). Cancelled: the user stopped
// the command. Failed: a save went wrong and was reported. Only Saved lets a close go on.
enum class TSaveResult { Saved, Cancelled, Failed };

// The "&Arkiv" and "&Dokumentflikar" commands on the open documents: new, open (also from the
// recent files), save, save as, save all, close, previous and next document, and the end of
// the program. A failure is reported before the command ends; the loops and closes end in a
// silent abort when a document was not saved or the user cancelled.
class TFileCommands {
public:
    explicit TFileCommands(const TCommandContext& context);

    // Registers ANewDoc, AOpenDoc, ASaveDoc, ASaveDocAs, ASaveAllDoc, ASaveAllDocAs,
    // ADocClose, AAllDocClose, WPrevDoc, WNextDoc, RoAlfa1 .. RoDelta1 and ACloseMain.
    void Register(TCommandRegistry& commands);

    // The open dialog, starting at OpenDialogFile with the filter of that index (by default
    // the current document's); a chosen file is opened.
    void OpenDoc(int filterIndex = 0);
    TSaveResult SaveDoc();
    TSaveResult SaveDocAs();
    // Asks whether to save the current document when it is modified.
    TSaveResult AskToSave();
    void DocClose();
    void AllDocClose();
    // A recent file: opened when it exists, else the user may look for it.
    void OpenFromReopen(const QString& fileName);
    // The open dialog for a file of that name only.
    void SearchDocument(const QString& fileName);

    // The file the open dialog starts at: the one last chosen there.
    QString OpenDialogFile;

private:
    // Writes the editor text to a file; reports a failure and returns false.
    bool WriteCurrent(const QString& fileName, bool quoted);
    QString RunOpenDialog(const QString& fileName, const QStringList& filters, int index);
    // Runs a save on every document in turn and comes back to the current one.
    void ForEachDocument(TSaveResult (TFileCommands::*command)());
    TFileData& Current();

    TCommandContext ctx_;
};
