#pragma once

#include <QByteArray>
#include <QString>

// What the file preview shows for a file of a web site: a small page of its own (a missing
// file, a picture) or the file itself.
namespace FilePreviewPage {

struct TPreview {
    // The page to write and show; empty when the file itself is shown.
    QByteArray Page;
    bool ShowsFile() const { return Page.isEmpty(); }
};

TPreview For(const QString& fileName);

// The page for a file that does not exist, and for one that could not be opened.
QByteArray MissingPage();
QByteArray FailurePage();
// The page that shows a picture: its name, its path and the picture itself.
QByteArray ImagePage(const QString& fileName);
// True for the picture extensions, compared exactly in lower case (".JPG" is no picture).
bool IsImage(const QString& fileName);

// Text for an HTML page in Windows-1252: "&", "<", ">" and double quotes as entities, and
// every character the code page lacks as a numeric character reference.
QByteArray Escape(const QString& text);

} // namespace FilePreviewPage
