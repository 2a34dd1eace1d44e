#pragma once

#include "app/commands/PasteFormatRequest.h"

#include <QByteArray>

class QWidget;

// The requests that subroutine statements hand to the commands they run by name.

// A command that shows one dialog owned by Owner ("ShowCSSGroups": the class picker).
struct TDialogOwnerRequest {
    QWidget* Owner = nullptr;
};
