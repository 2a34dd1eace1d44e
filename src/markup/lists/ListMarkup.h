#pragma once

#include "markup/common/ElementEditMode.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QString>
#include <QStringList>

// The markup of the list dialogs: the type values, reading a list's items back and writing
// the list again.
namespace ListMarkup {

enum class TListKind { Bulleted, Numbered }; // UL, OL

// The entries of the type combo; the first, "(standard, odefinierad)", writes no type.
QStringList TypeEntries(TListKind kind);
// The type attribute a combo text stands for: an entry by its text (letters A-Z in any case;
// the first entry only as written), anything else as typed. Empty: no attribute.
QByteArray TypeAttribute(TListKind kind, const QString& comboText);
// The combo text of a type read from a list (compared exactly).
QString TypeText(TListKind kind, const QByteArray& value);

// The items of a list's content: one line per LI element, its text with each line break (and
// the blanks around it) joined into one blank and trimmed, and the text between "<li" and
// ">" of each. Readable is false when the content holds what the item editor cannot show
// without losing it: a nested list, text or a comment outside the items, an end tag of an item
// that was not started.
struct TItems {
    QByteArrayList Lines;
    QByteArrayList Attributes;
    bool Readable = true;
};
TItems ReadItems(const QByteArray& content);

// Why a list cannot be edited.
QString UnreadableMessage();

struct TListFields {
    QByteArray Class, Style, Type;
    QByteArrayList Lines;          // one item each, empty lines included
    QByteArrayList ItemAttributes; // by index; missing ones are empty
};
// The list: its start tag (class, style, type when not empty), a line break, one indented LI
// element per line (its attribute text kept), the end tag. The caret ends after it.
TGeneratedMarkup Generate(TListKind kind, const TListFields& fields, const QByteArray& indent,
                          int tagCase, const QByteArray& carried = {});

} // namespace ListMarkup
