#pragma once

#include "app/commands/CommandContext.h"

class TCommandRegistry;
class TExportProgressFrm;
class TPrintProgress;
class TTextEditorEx;

// Printing the document, the page setup, and the export of the text as XHTML (to a file or
// to the clipboard), each with its progress window.
class TPrintCommands {
public:
    TPrintCommands(const TCommandContext& context, TTextEditorEx& editor);

    // Registers APrintDoc, APrinterSettings and AXHTMLExport.
    void Register(TCommandRegistry& commands);

    void PrintDoc();
    void PrinterSettings();
    void ExportToXHTML();
    // The editor's progress, shown while the progress windows are up.
    void PrintProgressChanged(int numTotal, int numDone, int progress);
    void ExportProgressChanged(int numTotal, int numDone, int progress);

    TPrintProgress* PrintProgress = nullptr;         // exists while a print shows progress
    TExportProgressFrm* ExportProgressFrm = nullptr; // exists while an export shows progress

private:
    QString CurrentFileName();

    TCommandContext ctx_;
    TTextEditorEx& editor_;
};
