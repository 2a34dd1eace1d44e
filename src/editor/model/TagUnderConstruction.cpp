#include "editor/model/TagUnderConstruction.h"

#include "platform/Cp1252.h"

QByteArray TagCase::Cased(const QByteArray& name, quint8 letterCase) {
    if (letterCase == Upper)
        return Cp1252::UpperCase(name);
    if (letterCase == Lower)
        return Cp1252::LowerCase(name);
    return name;
}

void TTagUnderConstruction::Begin(const QByteArray& tagName, bool hasEndTag,
                                  const QByteArray& content) {
    tagName_ = tagName;
    hasEndTag_ = hasEndTag;
    content_ = content;
    names_.clear();
    values_.clear();
    bare_.clear();
}

void TTagUnderConstruction::AddAttribute(const QByteArray& name, const QByteArray& value) {
    names_.append(name);
    values_.append(value);
}

void TTagUnderConstruction::AddBareAttribute(const QByteArray& name) {
    bare_.append(name);
}

QByteArray TTagUnderConstruction::Render(quint8 letterCase) const {
    const QByteArray name = TagCase::Cased(tagName_, letterCase);
    QByteArray out;
    out.reserve(2 * name.size() + content_.size() + 16);
    out.append('<').append(name);
    for (qsizetype i = 0; i < names_.size(); ++i) {
        QByteArray value = values_[i];
        value.replace('"', "&quot;");
        out.append(' ')
            .append(TagCase::Cased(names_[i], letterCase))
            .append("=\"")
            .append(value)
            .append('"');
    }
    for (const QByteArray& bare : bare_) {
        const QByteArray cased = TagCase::Cased(bare, letterCase);
        out.append(' ').append(cased).append("=\"").append(cased).append('"');
    }
    if (!hasEndTag_)
        out.append(" /");
    out.append('>').append(content_);
    if (hasEndTag_)
        out.append("</").append(name).append('>');
    return out;
}
