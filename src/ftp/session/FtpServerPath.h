#pragma once

#include <QByteArray>
#include <QString>

// Folder and file paths on an FTP server: absolute, "/"-separated, without a trailing "/"
// except for the root itself.
namespace FtpServerPath {

// A name in a folder: "/" + "a" is "/a", "/pub" + "a" is "/pub/a".
QString Join(const QString& folder, const QString& name);
// The folder above: "/pub/docs" gives "/pub", "/pub" and "/" give "/".
QString Parent(const QString& folder);
// A typed folder or name made absolute: relative to `base`, with "." and ".." resolved and
// doubled or trailing slashes removed; never above "/".
QString Resolve(const QString& base, const QString& typed);
// The path part of an FTP address for an absolute path: every segment percent-encoded, a
// leading "%2F" so that the path counts from the root, and a trailing "/" for a folder.
QByteArray UrlPath(const QString& path, bool folder);
// True when a path can be put into an FTP command: no CR, LF or NUL.
bool IsSendable(const QString& path);

} // namespace FtpServerPath
