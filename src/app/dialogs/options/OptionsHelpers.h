#pragma once

#include "platform/Graphics.h"

#include <QString>

class QSettings;

// The four colours of the editor that the colour schemes set.
struct TEditorColours {
    TColor Background = clWhite;
    TColor Text = clBlack;
    TColor SelBackground = clBlue;
    TColor SelText = clWhite;

    bool operator==(const TEditorColours&) const = default;
};

// The system's window, window-text, highlight and highlight-text colours as plain RGB.
TEditorColours SystemEditorColours();
// Black with white text; the selection keeps the system highlight (plain RGB) unless that is
// pure white or pure black, which would hide it: then blue.
TEditorColours ZaziRizivaColours(TColor highlightRgb);

// Forgets the recent files: the values Reopen1 .. Reopen4 of the store's Reopen group.
void ClearRecentFiles(QSettings& store);

// Deletes the regular files directly inside the backup folder, by their absolute paths;
// folders, links and everything outside it are left alone and failures are skipped. Returns
// how many files were deleted.
int DeleteBackupFiles(const QString& folder);

// The preview file in a chosen folder.
QString PreviewFileIn(const QString& folder);
