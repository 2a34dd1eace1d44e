#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QtGlobal>

// Letter-case modes of written markup: element and attribute names in upper case, in lower
// case, or as given (any other value).
namespace TagCase {
constexpr quint8 Upper = 1;
constexpr quint8 Lower = 2;
// A name in the given case mode (Windows-1252's own case table).
QByteArray Cased(const QByteArray& name, quint8 letterCase);
} // namespace TagCase

// The one tag the editor assembles at a time: the element, its attributes and its content.
class TTagUnderConstruction {
public:
    void Begin(const QByteArray& tagName, bool hasEndTag, const QByteArray& content);
    void AddAttribute(const QByteArray& name, const QByteArray& value);
    void AddBareAttribute(const QByteArray& name);
    void SetContent(const QByteArray& content) { content_ = content; }

    // The start tag with the valued attributes first and then the bare ones (written with
    // their own name as value), " />" when unpaired, the content, and the end tag when paired.
    // Names are cased; values and content are not. A '"' in a value is written as &quot;.
    QByteArray Render(quint8 letterCase) const;

private:
    QByteArray tagName_;
    bool hasEndTag_ = false;
    QByteArray content_;
    QByteArrayList names_;
    QByteArrayList values_;
    QByteArrayList bare_;
};
