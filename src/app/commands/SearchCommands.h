#pragma once

#include "app/commands/CommandContext.h"
#include "app/commands/Requests.h"
#include "app/commands/SearchForm.h"

class TCommandRegistry;
class TTimesOf;
class Treplaceprogress;

// Find, replace, occurrences and go to, on the editor and, for the all-documents scope, on
// every open document in turn; and the menu items that show the search panel. Run without a
// request, SearchNext, ReplaceCurrent, ReplaceAllOccurrences, ShowOccurrences and
// GotoSpecified take their request from the search panel.
class TSearchCommands {
public:
    // `showReplaceProgress` is read at every replace-all (the setting may change).
    TSearchCommands(const TCommandContext& context, const bool& showReplaceProgress);

    // Registers RDocFind, RDocReplace, RDocGoTo, RDocFindNext, SearchNext, ReplaceCurrent,
    // ReplaceAllOccurrences, ShowOccurrences and GotoSpecified.
    void Register(TCommandRegistry& commands);
    // The panel that fills the requests; none: the commands without a request do nothing.
    void SetForm(TSearchForm* form) { form_ = form; }

    void SearchNext(const TSearchRequest& request);
    void ReplaceCurrent(const TSearchRequest& request);
    void ReplaceAllOccurrences(const TSearchRequest& request);
    void ShowOccurrences(const TSearchRequest& request);
    void GotoSpecified(const TGotoRequest& request);
    // Selects the hit of a row of the occurrences window, after showing its document.
    void GotoOccurrence(int row);
    // The editor's progress of a replace-all, shown while the progress window is up.
    void ReplaceProgress(int numTotal, int numDone, int progress);

    // The occurrences window, made on first use; whether its entries come from every
    // document; the progress window while a replace-all shows it.
    TTimesOf* TimesOf = nullptr;
    bool OccurrencesSpanAllDocuments = false;
    Treplaceprogress* replaceprogress = nullptr;

private:
    void ReplaceAllInCurrent(const TSearchRequest& request);
    // Shows the panel when it is hidden and focuses one of its boxes.
    void FocusPanel(TSearchBox box);
    TTimesOf* OccurrencesWindow();

    TCommandContext ctx_;
    const bool& showReplaceProgress_;
    TSearchForm* form_ = nullptr;
};
