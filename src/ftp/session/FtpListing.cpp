#include "ftp/session/FtpListing.h"

#include "platform/Cp1252.h"

#include <QRegularExpression>
#include <QStringDecoder>

namespace FtpListing {

namespace {

QString DecodeLine(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        return Cp1252::Decode(bytes);
    return text;
}

} // namespace

bool IsSafeName(const QString& name) {
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (const QChar c : name)
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char('\r') ||
            c == QLatin1Char('\n') || c.unicode() == 0)
            return false;
    return true;
}

bool ParseMlsdLine(const QString& line, TFtpEntry* entry) {
    const qsizetype space = line.indexOf(QLatin1Char(' '));
    if (space < 0)
        return false;
    TFtpEntry e;
    e.Name = line.mid(space + 1);
    for (const QString& fact : line.left(space).split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const qsizetype eq = fact.indexOf(QLatin1Char('='));
        if (eq <= 0)
            continue;
        const QString key = fact.left(eq).toLower();
        const QString value = fact.mid(eq + 1);
        if (key == QLatin1String("type")) {
            const QString type = value.toLower();
            if (type == QLatin1String("cdir") || type == QLatin1String("pdir"))
                return false;
            e.IsFolder = type == QLatin1String("dir");
            e.IsLink = type.contains(QLatin1String("link"));
        } else if (key == QLatin1String("size") || key == QLatin1String("sizd")) {
            bool ok = false;
            const qint64 size = value.toLongLong(&ok);
            if (ok && size >= 0)
                e.Size = size;
        }
    }
    *entry = e;
    return true;
}

bool ParseListLine(const QString& line, TFtpEntry* entry) {
    // Unix: mode, links, owner (and group), size, month, day, time or year, one blank, name.
    static const QRegularExpression unix(QStringLiteral(
        R"(^([-dlbcps])[-rwxsStTlL]{9}\S*\s+\d+\s+(?:\S+\s+)*?(\d+)\s+([A-Za-z]{3})\s+(\d{1,2})\s+(\d{1,2}:\d{2}|\d{4})\s(.+)$)"));
    // DOS: date, time, <DIR> or size, name.
    static const QRegularExpression dos(QStringLiteral(
        R"(^(\d{1,2}-\d{1,2}-\d{2,4})\s+(\d{1,2}:\d{2}\s*(?:[AaPp][Mm])?)\s+(<DIR>|\d+)\s+(.+)$)"));
    TFtpEntry e;
    if (const QRegularExpressionMatch m = unix.match(line); m.hasMatch()) {
        const QChar type = m.captured(1).at(0);
        e.IsFolder = type == QLatin1Char('d');
        e.IsLink = type == QLatin1Char('l');
        e.Size = m.captured(2).toLongLong();
        e.Name = m.captured(6);
        if (e.IsLink) {
            const qsizetype arrow = e.Name.indexOf(QLatin1String(" -> "));
            if (arrow >= 0)
                e.Name.truncate(arrow);
        }
    } else if (const QRegularExpressionMatch d = dos.match(line); d.hasMatch()) {
        e.IsFolder = d.captured(3) == QLatin1String("<DIR>");
        if (!e.IsFolder)
            e.Size = d.captured(3).toLongLong();
        e.Name = d.captured(4);
    } else {
        return false;
    }
    *entry = e;
    return true;
}

QList<TFtpEntry> Parse(const QByteArray& reply, bool mlsd) {
    QList<TFtpEntry> entries;
    for (QByteArray bytes : reply.split('\n')) {
        if (bytes.endsWith('\r'))
            bytes.chop(1);
        if (bytes.isEmpty())
            continue;
        const QString line = DecodeLine(bytes);
        TFtpEntry e;
        const bool parsed = mlsd ? ParseMlsdLine(line, &e) : ParseListLine(line, &e);
        if (parsed && IsSafeName(e.Name))
            entries << e;
    }
    return entries;
}

} // namespace FtpListing
