#pragma once

#include "app/commands/Requests.h"

class QWidget;

// What a search request is for: it decides which histories the used texts go into and whether
// the request takes the one-shot "start at the top" with it.
enum class TSearchUse { FindNext, ReplaceCurrent, ReplaceAll, Occurrences };

// The boxes of the search panel that the find, replace and go-to menu items focus.
enum class TSearchBox { Find, Replace, GotoNumber };

// The search panel as its commands see it: it fills their requests from its controls when a
// menu item runs them without one.
class TSearchForm {
public:
    virtual ~TSearchForm() = default;

    // The side panel itself.
    virtual QWidget* Panel() = 0;
    // The request the controls describe. The texts it uses go into their histories; a
    // find-next request takes "start at the top" with it, so the box is unticked.
    virtual TSearchRequest TakeSearchRequest(TSearchUse use) = 0;
    virtual TGotoRequest GotoRequest() const = 0;
    virtual bool HasSearchText() const = 0;
    // Gives a box the focus when it can take it, its text selected.
    virtual void FocusBox(TSearchBox box) = 0;
};
