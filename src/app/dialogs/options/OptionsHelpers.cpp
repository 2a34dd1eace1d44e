#include "app/dialogs/options/OptionsHelpers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

TEditorColours SystemEditorColours() {
    return {ColorToRGB(clWindow), ColorToRGB(clWindowText), ColorToRGB(clHighlight),
            ColorToRGB(clHighlightText)};
}

TEditorColours ZaziRizivaColours(TColor highlightRgb) {
    const TColor selection =
        highlightRgb == clWhite || highlightRgb == clBlack ? clBlue : highlightRgb;
    return {clBlack, clWhite, selection, clWhite};
}

void ClearRecentFiles(QSettings& store) {
    if (!store.childGroups().contains(QStringLiteral("Reopen")))
        return;
    for (int i = 1; i <= 4; ++i)
        store.remove(QStringLiteral("Reopen/Reopen%1").arg(i));
    store.sync();
}

int DeleteBackupFiles(const QString& folder) {
    const QDir dir(folder);
    if (folder.isEmpty() || !dir.exists())
        return 0;
    const QString root = QFileInfo(dir.absolutePath()).canonicalFilePath();
    int deleted = 0;
    const QFileInfoList entries =
        dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& entry : entries) {
        // Only a regular file of the folder itself: never a link, a device or what a link
        // points to.
        if (entry.isSymLink() || !entry.isFile() ||
            QFileInfo(entry.absolutePath()).canonicalFilePath() != root)
            continue;
        if (QFile::remove(entry.absoluteFilePath()))
            ++deleted;
    }
    return deleted;
}

QString PreviewFileIn(const QString& folder) {
    return QDir(folder).filePath(QStringLiteral("_preview.html"));
}
