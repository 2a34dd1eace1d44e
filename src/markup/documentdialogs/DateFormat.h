#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

// The date and time patterns of the date dialog and their formatter. A pattern knows d and dd
// (day), m and mm (month; minutes right after an hour), yy and yyyy (year), h and hh (hour),
// s and ss (seconds) and AM/PM; with AM/PM anywhere in the pattern the hour runs 1 to 12 and
// AM/PM becomes "AM" or "PM". Text between two double quotes is copied as it stands, and so is
// every other character.
namespace DateFormat {

QString Format(const QString& pattern, const QDateTime& time);

// The nine patterns of the dialog's list, in its order.
const QStringList& Patterns();

// The nine rows for a time.
QStringList Rows(const QDateTime& time);

} // namespace DateFormat
