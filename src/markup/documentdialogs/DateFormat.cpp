#include "markup/documentdialogs/DateFormat.h"

namespace DateFormat {

namespace {

QString Number(int value, bool twoDigits) {
    return twoDigits ? QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'))
                     : QString::number(value);
}

// The length of the run of `ch` (any case) at `i`.
qsizetype RunLength(const QString& pattern, qsizetype i, QChar ch) {
    qsizetype n = 0;
    while (i + n < pattern.size() && pattern[i + n].toLower() == ch)
        ++n;
    return n;
}

bool IsAmPmAt(const QString& pattern, qsizetype i) {
    return pattern.mid(i, 5).compare(QLatin1String("am/pm"), Qt::CaseInsensitive) == 0;
}

} // namespace

QString Format(const QString& pattern, const QDateTime& time) {
    const QDate date = time.date();
    const QTime clock = time.time();
    const bool twelveHour = pattern.contains(QLatin1String("am/pm"), Qt::CaseInsensitive);
    QString out;
    bool afterHour = false; // an m run right after an hour stands for minutes
    qsizetype i = 0;
    while (i < pattern.size()) {
        const QChar c = pattern[i];
        const QChar lower = c.toLower();
        if (c == QLatin1Char('"')) {
            const qsizetype end = pattern.indexOf(QLatin1Char('"'), i + 1);
            if (end < 0) {
                out += pattern.mid(i + 1);
                break;
            }
            out += pattern.mid(i + 1, end - i - 1);
            i = end + 1;
            continue;
        }
        if (IsAmPmAt(pattern, i)) {
            out += clock.hour() < 12 ? QStringLiteral("AM") : QStringLiteral("PM");
            i += 5;
            continue;
        }
        const qsizetype run = RunLength(pattern, i, lower);
        if (lower == QLatin1Char('d')) {
            out += Number(date.day(), run >= 2);
            afterHour = false;
        } else if (lower == QLatin1Char('m')) {
            out += afterHour ? Number(clock.minute(), run >= 2) : Number(date.month(), run >= 2);
            afterHour = false;
        } else if (lower == QLatin1Char('y')) {
            out += run <= 2 ? Number(date.year() % 100, true)
                            : QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0'));
            afterHour = false;
        } else if (lower == QLatin1Char('h')) {
            int hour = clock.hour();
            if (twelveHour) {
                hour %= 12;
                if (hour == 0)
                    hour = 12;
            }
            out += Number(hour, run >= 2);
            afterHour = true;
        } else if (lower == QLatin1Char('s')) {
            out += Number(clock.second(), run >= 2);
            afterHour = false;
        } else {
            out += pattern.mid(i, run > 0 ? run : 1);
        }
        i += run > 0 ? run : 1;
    }
    return out;
}

const QStringList& Patterns() {
    static const QStringList patterns{
        QStringLiteral("yyyy-mm-dd"),
        QStringLiteral("yy-mm-dd"),
        QStringLiteral("d\"/\"m yyyy"),
        QStringLiteral("d\"/\"m -yy"),
        QStringLiteral("hh:mm:ss"),
        QStringLiteral("hh:mm"),
        QStringLiteral("h:mm AM/PM"),
        QStringLiteral("yyyy-mm-dd hh:mm:ss"),
        QStringLiteral("yyyy-mm-dd h:mm AM/PM"),
    };
    return patterns;
}

QStringList Rows(const QDateTime& time) {
    QStringList rows;
    for (const QString& pattern : Patterns())
        rows << Format(pattern, time);
    return rows;
}

} // namespace DateFormat
