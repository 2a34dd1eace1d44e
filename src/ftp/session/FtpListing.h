#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// One entry of a server folder.
struct TFtpEntry {
    QString Name;
    bool IsFolder = false;
    bool IsLink = false;
    qint64 Size = -1; // -1 when the listing does not give it
};

// Reading the folder listings that FTP servers send: MLSD lines ("fact=value;... name") and
// LIST lines in the Unix ("drwxr-xr-x 2 u g 4096 Jan 1 12:00 name") and DOS
// ("01-01-20 12:00PM <DIR> name") forms.
namespace FtpListing {

// One line; false for a line that names no entry ("total 12", blank or unreadable lines, the
// MLSD entries of the folder itself and its parent).
bool ParseMlsdLine(const QString& line, TFtpEntry* entry);
bool ParseListLine(const QString& line, TFtpEntry* entry);

// True for a name that may be listed, sent back in a command and written on this computer: not
// empty, not "." or "..", and without "/", "\", CR, LF or NUL.
bool IsSafeName(const QString& name);

// A whole reply, line by line (LF or CR LF; each line UTF-8 when it is valid UTF-8, else
// Windows-1252), keeping the safe entries in the server's order.
QList<TFtpEntry> Parse(const QByteArray& reply, bool mlsd);

} // namespace FtpListing
