#pragma once

#include <QString>
#include <QStringList>

// The elements of XHTML 1.0 Strict that the markup list helper offers, one row per element
// written name=attributes with the attributes separated by '&'; the last row is the comment
// "!--" without attributes.
namespace ElementTable {

// The 78 rows, in the order the element list shows them.
QStringList Rows();
// The element names of the rows, in table order.
QStringList ElementNames(const QStringList& table);
// The attributes of the element named `name` (ignoring case), sorted case-insensitively by the
// locale; empty for an unknown element.
QStringList Attributes(const QStringList& table, const QString& name);
// The locale-aware case-insensitive order of the attribute lists.
bool LessIgnoringCase(const QString& a, const QString& b);

} // namespace ElementTable
