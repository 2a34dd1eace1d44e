#include "platform/AppPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString& ProgramDirOverride() {
    static QString dir;
    return dir;
}

QString& CachedDataDir() {
    static QString dir;
    return dir;
}

void CopyMissing(const QString& from, const QString& to) {
    QDir().mkpath(to);
    QDirIterator it(from, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    const QDir src(from);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info = it.fileInfo();
        const QString rel = src.relativeFilePath(path);
        if (rel == QLatin1String(".keep"))
            continue;
        const QString target = to + QLatin1Char('/') + rel;
        if (info.isDir())
            QDir().mkpath(target);
        else if (!QFileInfo::exists(target)) {
            QDir().mkpath(QFileInfo(target).path());
            if (QFile::copy(path, target))
                QFile::setPermissions(target, QFile::permissions(target) | QFile::WriteOwner);
        }
    }
}

} // namespace

QString AppPaths::ProgramDir() {
    if (!ProgramDirOverride().isEmpty())
        return ProgramDirOverride();
    return QCoreApplication::applicationDirPath();
}

void AppPaths::SetProgramDir(const QString& dir) {
    ProgramDirOverride() = dir;
    CachedDataDir().clear();
}

QString AppPaths::DataDir() {
    QString& dir = CachedDataDir();
    if (dir.isEmpty()) {
        dir = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
              QStringLiteral("/Tolvane/Kelvora");
        Seed();
    }
    return dir;
}

QString AppPaths::ProgramFile(const QString& name) {
    return QDir(ProgramDir()).filePath(name);
}

QString AppPaths::DataFile(const QString& name) {
    return QDir(DataDir()).filePath(name);
}

void AppPaths::Seed() {
    const QString dir = CachedDataDir().isEmpty() ? DataDir() : CachedDataDir();
    CopyMissing(ProgramFile(QStringLiteral("defaults")), dir);
}

void AppPaths::Reset() {
    ProgramDirOverride().clear();
    CachedDataDir().clear();
}
