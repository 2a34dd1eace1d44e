#include "markup/wizards/CommaText.h"

namespace CommaText {

namespace {

bool NeedsQuotes(const QString& entry) {
    if (entry.isEmpty())
        return true;
    for (const QChar c : entry)
        if (c.unicode() <= ' ' || c == QLatin1Char(',') || c == QLatin1Char('"'))
            return true;
    return false;
}

} // namespace

QString Join(const QStringList& entries) {
    QStringList parts;
    parts.reserve(entries.size());
    for (const QString& entry : entries) {
        if (!NeedsQuotes(entry)) {
            parts << entry;
            continue;
        }
        QString quoted = entry;
        quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
        parts << QLatin1Char('"') + quoted + QLatin1Char('"');
    }
    return parts.join(QLatin1Char(','));
}

QStringList Split(const QString& text) {
    QStringList out;
    if (text.isEmpty())
        return out;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (true) {
        QString entry;
        if (i < n && text.at(i) == QLatin1Char('"')) {
            ++i;
            while (i < n) {
                if (text.at(i) == QLatin1Char('"')) {
                    if (i + 1 < n && text.at(i + 1) == QLatin1Char('"')) {
                        entry += QLatin1Char('"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                entry += text.at(i++);
            }
            while (i < n && text.at(i) != QLatin1Char(','))
                ++i;
        } else {
            const qsizetype comma = text.indexOf(QLatin1Char(','), i);
            const qsizetype end = comma < 0 ? n : comma;
            entry = text.mid(i, end - i);
            i = end;
        }
        out << entry;
        if (i >= n)
            break;
        ++i; // the comma
    }
    return out;
}

} // namespace CommaText
