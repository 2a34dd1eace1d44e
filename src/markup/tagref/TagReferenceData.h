#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QString>

// The tag reference "tagreference.dat": Windows-1252 text, lines separated by CR LF or LF.
// The first line is "version|description"; every other line "NAME|description|example|
// attributes", where the attributes are the rest of the line (they may hold "|"). In a field,
// backslash-n stands for a line break and backslash-t for a tab stop (five blanks).
// The file is read anew for each lookup, so an edited file shows at once.
class TTagReferenceData {
public:
    // The file the program reads: "tagreference.dat" of the per-user data folder.
    static QString DefaultPath();

    // Reads the file; false when it is missing or cannot be read (then nothing is held).
    bool Load(const QString& path);

    // Field k of an element (0 the name in upper case, 1 description, 2 example,
    // 3 attributes), line breaks as CR LF. The last line whose name matches (in any case)
    // wins; a line with fewer than four fields is skipped. Empty when the element is not there.
    QString Field(int k, const QString& name) const;

    // The version and description on the first line; false when the file could not be read.
    bool About(QString* version, QString* description) const;

    // The text of an element's field as shown: backslash-n as CR LF, backslash-t as five
    // blanks.
    static QByteArray Expand(const QByteArray& field);

private:
    bool loaded_ = false;
    QByteArrayList lines_;
};
