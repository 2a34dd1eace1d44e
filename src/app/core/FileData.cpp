#include "app/core/FileData.h"

QString DocFileName(const QString& path) {
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? path : path.mid(slash + 1);
}

QString DocFileExt(const QString& path) {
    const QString name = DocFileName(path);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot);
}

QString TabCaption(const QString& fileName, bool hasFile, bool modified) {
    QString caption = DocFileName(fileName) + QStringLiteral(" (");
    if (hasFile)
        caption += QLatin1Char('S');
    if (modified)
        caption += QLatin1Char('M');
    return caption + QLatin1Char(')');
}
