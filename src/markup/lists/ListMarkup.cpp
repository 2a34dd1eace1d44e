#include "markup/lists/ListMarkup.h"

#include "editor/model/TagUnderConstruction.h"
#include "markup/elements/ElementMarkup.h"
#include "markup/lists/MarkupTokens.h"
#include "platform/Cp1252.h"

#include <QRegularExpression>

namespace ListMarkup {

namespace {

struct TTypeEntry {
    const char* text;
    const char* value; // written; empty for none
    const char* read;  // the value read back as this entry
};

constexpr TTypeEntry kBulleted[] = {
    {"(standard, odefinierad)", "", ""},
    {"Diskar", "disc", "disc"},
    {"Cirklar", "circle", "circle"},
    {"Kvadrater", "square", "square"},
};

constexpr TTypeEntry kNumbered[] = {
    {"(standard, odefinierad)", "", ""},       {"Standardsiffror", "", "1"},
    {"Bokstäver (versaler)", "A", "A"},        {"Bokstäver (gemener)", "a", "a"},
    {"Romerska siffror (versaler)", "I", "I"}, {"Romerska siffror (gemener)", "i", "i"},
};

template <typename F> void ForEntries(TListKind kind, F&& f) {
    if (kind == TListKind::Bulleted)
        for (const TTypeEntry& e : kBulleted)
            f(e);
    else
        for (const TTypeEntry& e : kNumbered)
            f(e);
}

// Lower case for the letters A to Z only.
QString AsciiLower(const QString& s) {
    QString out = s;
    for (QChar& c : out)
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + 32);
    return out;
}

QByteArray JoinLines(const QByteArray& text) {
    static const QRegularExpression breaks(QStringLiteral("[ \\t]*(\\r\\n|\\n|\\r)[ \\t]*"));
    // Windows-1252 bytes pass through Latin-1 unchanged for this.
    QString s = QString::fromLatin1(text);
    s.replace(breaks, QStringLiteral(" "));
    QByteArray out = s.toLatin1();
    qsizetype b = 0, e = out.size();
    while (b < e && (out[b] == ' ' || out[b] == '\t'))
        ++b;
    while (e > b && (out[e - 1] == ' ' || out[e - 1] == '\t'))
        --e;
    return out.mid(b, e - b);
}

} // namespace

QStringList TypeEntries(TListKind kind) {
    QStringList out;
    ForEntries(kind, [&](const TTypeEntry& e) { out << QString::fromUtf8(e.text); });
    return out;
}

QByteArray TypeAttribute(TListKind kind, const QString& comboText) {
    bool first = true, matched = false;
    QByteArray value;
    ForEntries(kind, [&](const TTypeEntry& e) {
        const QString text = QString::fromUtf8(e.text);
        const bool hit = first ? comboText == text : AsciiLower(comboText) == AsciiLower(text);
        first = false;
        if (hit && !matched) {
            matched = true;
            value = e.value;
        }
    });
    return matched ? value : Cp1252::Encode(comboText);
}

QString TypeText(TListKind kind, const QByteArray& value) {
    if (value.isEmpty())
        return TypeEntries(kind).first();
    QString text = Cp1252::Decode(value);
    bool first = true;
    ForEntries(kind, [&](const TTypeEntry& e) {
        if (!first && value == e.read)
            text = QString::fromUtf8(e.text);
        first = false;
    });
    return text;
}

TItems ReadItems(const QByteArray& content) {
    TItems items;
    const std::vector<TMarkupToken> tokens = TMarkupToken::Split(content);
    qsizetype itemStart = -1;
    const auto close = [&](qsizetype at) {
        items.Lines << JoinLines(content.mid(itemStart, at - itemStart));
        itemStart = -1;
    };
    for (const TMarkupToken& t : tokens) {
        const bool tag =
            t.Kind == TMarkupToken::TKind::StartTag || t.Kind == TMarkupToken::TKind::EndTag;
        if (tag && (t.Name == "ul" || t.Name == "ol" || t.Name == "dir" || t.Name == "menu")) {
            items.Readable = false; // a nested list
            break;
        }
        if (t.Kind == TMarkupToken::TKind::StartTag && t.Name == "li") {
            if (content[t.End - 1] != '>') {
                items.Readable = false; // an item without its ">"
                break;
            }
            if (itemStart >= 0)
                close(t.Begin);
            items.Attributes << content.mid(t.Begin + 3, t.End - 1 - (t.Begin + 3));
            itemStart = t.End;
            continue;
        }
        if (t.Kind == TMarkupToken::TKind::EndTag && t.Name == "li") {
            if (itemStart < 0) {
                items.Readable = false;
                break;
            }
            close(t.Begin);
            continue;
        }
        if (itemStart < 0 && !(t.Kind == TMarkupToken::TKind::Text && t.IsBlank(content))) {
            items.Readable = false; // something outside the items
            break;
        }
    }
    if (items.Readable && itemStart >= 0)
        close(content.size());
    if (!items.Readable) {
        items.Lines.clear();
        items.Attributes.clear();
    }
    return items;
}

QString UnreadableMessage() {
    return QStringLiteral("Listan innehåller delar som dialogrutan inte kan visa (till exempel "
                          "en lista i listan eller text utanför punkterna) och kan därför inte "
                          "redigeras här.");
}

TGeneratedMarkup Generate(TListKind kind, const TListFields& f, const QByteArray& indent,
                          int tagCase, const QByteArray& carried) {
    const quint8 mode = ElementMarkup::CaseMode(tagCase);
    const QByteArray li = TagCase::Cased("li", mode);
    QByteArray content = "\r\n";
    for (qsizetype i = 0; i < f.Lines.size(); ++i)
        content +=
            indent + '<' + li + f.ItemAttributes.value(i) + '>' + f.Lines[i] + "</" + li + ">\r\n";
    TTagUnderConstruction tag;
    tag.Begin(kind == TListKind::Bulleted ? "ul" : "ol", true, content);
    for (const auto& [name, value] : {std::pair<const char*, const QByteArray*>{"class", &f.Class},
                                      {"style", &f.Style},
                                      {"type", &f.Type}})
        if (!value->isEmpty())
            tag.AddAttribute(name, *value);
    QByteArray text = TElementEditMode::WithAttributes(tag.Render(mode), carried);
    const int caret = static_cast<int>(text.size());
    return {std::move(text), caret};
}

} // namespace ListMarkup
