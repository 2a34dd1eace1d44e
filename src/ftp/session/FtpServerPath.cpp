#include "ftp/session/FtpServerPath.h"

#include <QStringList>
#include <QUrl>

namespace FtpServerPath {

QString Join(const QString& folder, const QString& name) {
    if (folder.endsWith(QLatin1Char('/')))
        return folder + name;
    return folder + QLatin1Char('/') + name;
}

QString Parent(const QString& folder) {
    return Resolve(folder, QStringLiteral(".."));
}

QString Resolve(const QString& base, const QString& typed) {
    const QString whole =
        typed.startsWith(QLatin1Char('/')) ? typed : base + QLatin1Char('/') + typed;
    QStringList kept;
    for (const QString& segment : whole.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (segment == QLatin1String("."))
            continue;
        if (segment == QLatin1String("..")) {
            if (!kept.isEmpty())
                kept.removeLast();
            continue;
        }
        kept << segment;
    }
    return QLatin1Char('/') + kept.join(QLatin1Char('/'));
}

QByteArray UrlPath(const QString& path, bool folder) {
    QByteArray out = "%2F";
    const QStringList segments = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < segments.size(); ++i) {
        if (i > 0)
            out += '/';
        out += QUrl::toPercentEncoding(segments[i]);
    }
    if (folder)
        out += '/';
    return out;
}

bool IsSendable(const QString& path) {
    for (const QChar c : path)
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n') || c.unicode() == 0)
            return false;
    return true;
}

} // namespace FtpServerPath
