#pragma once

#include "app/commands/PasteFormatRequest.h"

#include <QByteArray>

class QWidget;

// The requests that subroutine statements hand to the commands they run by name.

// "SearchNext": find the next hit of Text after the selection and select it, as the search
// panel's "Sök nästa" does with its case and whole-word boxes set as given.
struct TFindNextRequest {
    QByteArray Text; // Windows-1252
    bool MatchCase = false;
    bool WholeWord = false;
};

// A command that shows one dialog owned by Owner ("ShowCSSGroups": the class picker).
struct TDialogOwnerRequest {
    QWidget* Owner = nullptr;
};
