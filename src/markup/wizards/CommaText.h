#pragma once

#include <QString>
#include <QStringList>

// The list form of the settings files: entries separated by commas; an entry that is empty or
// holds a blank, a control character, a comma or a double quote is enclosed in double quotes
// with its inner double quotes doubled.
namespace CommaText {

QString Join(const QStringList& entries);
// The entries of a comma text: an empty text has none; a quoted entry runs to its closing
// quote (a doubled quote inside is one quote), anything after it up to the next comma is
// dropped; an unquoted entry runs to the next comma.
QStringList Split(const QString& text);

} // namespace CommaText
