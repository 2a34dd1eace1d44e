#pragma once

#include <QByteArray>

// "PasteInFormat": paste the clipboard text in the paste format of that exact name
// (case-sensitive). With Known set, an unknown name sets *Known to false and pastes nothing;
// without it, an unknown name is an error ("Ogiltigt inklistringsformat.").
struct TPasteFormatRequest {
    QByteArray FormatName; // Windows-1252
    bool* Known = nullptr;
};
