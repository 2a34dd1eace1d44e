#pragma once

#include "app/commands/CommandContext.h"

class TCommandRegistry;
class TTextEditorEx;
struct TFileData;

// The document tools: code statistics, line sorting, document properties and the comparison
// of the document's file with another file, each in a modal window of its own.
class TToolCommands {
public:
    TToolCommands(const TCommandContext& context, TTextEditorEx& editor);

    // Registers ShowStatistics, VSortRows, ADocProperties and ACompareFiles.
    void Register(TCommandRegistry& commands);

    void ShowStatistics();
    void SortRows();
    void DocProperties();
    void CompareFiles();

private:
    const TFileData& Current();

    TCommandContext ctx_;
    TTextEditorEx& editor_;
};
