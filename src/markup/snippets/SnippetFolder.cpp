#include "markup/snippets/SnippetFolder.h"

#include "platform/AppPaths.h"

#include <QCollator>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>

namespace {

const QString kSuffix = QStringLiteral(".txt");

} // namespace

TSnippetFolder::TSnippetFolder(QString folder) : folder_(std::move(folder)) {}

QString TSnippetFolder::Folder() const {
    return folder_.isEmpty() ? AppPaths::DataFile(QStringLiteral("snabbtexter")) : folder_;
}

QStringList TSnippetFolder::Names() const {
    const QDir dir(Folder());
    QStringList names;
    for (const QFileInfo& info :
         dir.entryInfoList({QStringLiteral("*.txt")}, QDir::Files | QDir::Hidden | QDir::System)) {
        const QString name = info.fileName().chopped(kSuffix.size());
        if (IsValidName(name))
            names << name;
    }
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(names.begin(), names.end(),
              [&collator](const QString& a, const QString& b) { return collator(a, b); });
    return names;
}

bool TSnippetFolder::IsValidName(const QString& name) {
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) ||
        name.contains(QLatin1String("..")))
        return false;
    return std::none_of(name.begin(), name.end(),
                        [](QChar c) { return c.category() == QChar::Other_Control; });
}

QString TSnippetFolder::PathOf(const QString& name) const {
    return IsValidName(name) ? Folder() + QLatin1Char('/') + name + kSuffix : QString();
}

bool TSnippetFolder::Exists(const QString& name) const {
    const QString path = PathOf(name);
    return !path.isEmpty() && QFileInfo::exists(path);
}

bool TSnippetFolder::Create(const QString& name) const {
    const QString path = PathOf(name);
    if (path.isEmpty() || !QDir().mkpath(Folder()))
        return false;
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.commit();
}

bool TSnippetFolder::Remove(const QString& name) const {
    const QString path = PathOf(name);
    return !path.isEmpty() && QFile::remove(path);
}
