#pragma once

#include <QString>
#include <QStringList>

// The snippets: one file "<name>.txt" each in the "snabbtexter" folder of the per-user data
// folder, plain Windows-1252 text. No index file exists: the folder is the list.
class TSnippetFolder {
public:
    // The folder of the files; empty means "snabbtexter" in the per-user data folder.
    explicit TSnippetFolder(QString folder = QString());

    QString Folder() const;
    // The snippet names (file names less ".txt") in name order; files whose names could not
    // be snippet names are left out.
    QStringList Names() const;
    // The file of a name; empty for a name that is no snippet name.
    QString PathOf(const QString& name) const;
    bool Exists(const QString& name) const;

    // A name may not be empty nor hold "/", "\\", ".." or a control character.
    static bool IsValidName(const QString& name);

    // Writes an empty snippet; false when the file cannot be written.
    bool Create(const QString& name) const;
    // Deletes one snippet's file; false when it could not be deleted.
    bool Remove(const QString& name) const;

private:
    QString folder_;
};
