#include "markup/css/CSSCode.h"

#include "app/core/StringHelpers.h"
#include "editor/model/TagUnderConstruction.h"
#include "platform/ColorText.h"
#include "platform/Cp1252.h"

#include <algorithm>

namespace CSSCode {

namespace {

const QByteArray kCrLf = "\r\n";

bool Upper(int tagCase) {
    return tagCase == TagCase::Upper;
}

QByteArray Cased(const char* upper, const char* lower, int tagCase) {
    return QByteArray(Upper(tagCase) ? upper : lower);
}

quint8 CaseMode(int tagCase) {
    return tagCase == TagCase::Upper || tagCase == TagCase::Lower ? static_cast<quint8>(tagCase)
                                                                  : 0;
}

bool ListTypeChosen(const QString& type) {
    return !type.isEmpty() && type != QLatin1String("(standard)");
}

// A selector such as "a:link", whose preview needs a class of its own.
bool IsPseudoSelector(const QByteArray& selector) {
    return selector.size() >= 2 && selector[1] == ':';
}

} // namespace

const QStringList& LengthUnits() {
    static const QStringList list{"px", "pt", "em", "%"};
    return list;
}
const QStringList& FontSizeUnits() {
    static const QStringList list{"px", "pt", "em"};
    return list;
}
const QStringList& SpacingUnits() {
    static const QStringList list{"px", "pt", "cm"};
    return list;
}
const QStringList& Boldnesses() {
    static const QStringList list{"normal", "bold", "bolder"};
    return list;
}
const QStringList& Styles() {
    static const QStringList list{"normal", "italic"};
    return list;
}
const QStringList& Decorations() {
    static const QStringList list{"none", "underline", "overline", "underline overline"};
    return list;
}
const QStringList& Aligns() {
    static const QStringList list{"left", "right", "center", "justify"};
    return list;
}
const QStringList& VAligns() {
    static const QStringList list{"top", "middle", "bottom"};
    return list;
}
const QStringList& BorderStyles() {
    static const QStringList list{"(ingen)", "dotted", "dashed", "solid", "double",
                                  "groove",  "ridge",  "inset",  "outset"};
    return list;
}
const QStringList& BorderWidths() {
    static const QStringList list{"thin", "medium", "thick", "1", "2", "3", "4",
                                  "5",    "6",      "7",     "8", "9", "10"};
    return list;
}
const QStringList& ULTypes() {
    static const QStringList list{"(standard)", "disc", "circle", "square"};
    return list;
}
const QStringList& OLTypes() {
    static const QStringList list{"(standard)",  "decimal",     "decimal-leading-zero",
                                  "upper-alpha", "lower-alpha", "upper-roman",
                                  "lower-roman"};
    return list;
}

QStringList Declarations(const TCSSValues& v) {
    QStringList out;
    const auto add = [&](const char* name, const TCSSProperty& p, bool withUnit) {
        if (p.Enabled)
            out << QLatin1String(name) + p.Value + (withUnit ? p.Unit : QString());
    };
    add("width:", v.Width, true);
    add("height:", v.Height, true);
    add("font-family:", v.FontFamily, false);
    add("font-size:", v.FontSize, true);
    if (v.FontColorEnabled)
        out << QStringLiteral("color:") + ColorToHTML(v.FontColor);
    if (v.BgColorEnabled)
        out << QStringLiteral("background-color:") + ColorToHTML(v.BgColor);
    add("font-weight:", v.Boldness, false);
    add("font-style:", v.Style, false);
    add("text-decoration:", v.Decoration, false);
    add("letter-spacing:", v.LetterSpacing, true);
    add("word-spacing:", v.WordSpacing, true);
    add("text-align:", v.Align, false);
    add("vertical-align:", v.VAlign, false);
    add("text-indent:", v.Indent, true);
    add("margin-left:", v.LeftMargin, true);
    add("margin-right:", v.RightMargin, true);
    add("margin-top:", v.TopMargin, true);
    add("line-height:", v.LineHeight, true);
    add("padding:", v.Padding, false);
    if (v.BorderStyle.compare(QLatin1String("(ingen)"), Qt::CaseInsensitive) != 0) {
        out << QStringLiteral("border-style:") + v.BorderStyle;
        out << QStringLiteral("border-color:") + ColorToHTML(v.BorderColor);
        out << QStringLiteral("border-width:") + v.BorderWidth;
    }
    if (ListTypeChosen(v.ULType))
        out << QStringLiteral("list-style-type:") + v.ULType;
    else if (ListTypeChosen(v.OLType))
        out << QStringLiteral("list-style-type:") + v.OLType;
    out << v.Extra;
    return out;
}

QByteArray WriteCode(const TCSSValues& values, TCSSMode mode, bool preview, int tagCase,
                     const QByteArray& indent) {
    const QByteArray sel = Cp1252::Encode(values.Selector);
    const QByteArray styleStart =
        Cased("<STYLE TYPE=\"text/css\">", "<style type=\"text/css\">", tagCase);
    const QByteArray styleEnd = Cased("</STYLE>", "</style>", tagCase);
    const bool rule = mode == TCSSMode::RuleBlock || mode == TCSSMode::FixedRule;
    QByteArray code;
    switch (mode) {
    case TCSSMode::RuleBlock:
        if (preview)
            code += styleStart;
        code += sel + " {" + kCrLf;
        break;
    case TCSSMode::SpanElement:
        break;
    case TCSSMode::StyleAttribute:
        if (preview)
            code += Cased("<DIV ", "<div ", tagCase);
        code += Cased(" STYLE=\"", " style=\"", tagCase);
        break;
    case TCSSMode::Declarations:
        if (preview)
            code += Cased("<DIV STYLE=\"", "<div style=\"", tagCase);
        break;
    case TCSSMode::FixedRule:
        if (preview)
            code += styleStart;
        code += (preview && IsPseudoSelector(sel) ? QByteArray(".autoclass") : sel) + " {" + kCrLf;
        break;
    }
    for (const QString& declaration : Declarations(values)) {
        const QByteArray d = Cp1252::Encode(declaration);
        code += rule ? indent + d + ";" + kCrLf : d + "; ";
    }
    code = TrimRightBlanks(code);
    const QByteArray sample = "Exempeltext med aktuell formatering inom ";
    switch (mode) {
    case TCSSMode::RuleBlock:
        code += kCrLf + "}";
        if (preview) {
            code += styleEnd;
            if (sel.startsWith('.'))
                code += Cased("<DIV CLASS=\"", "<div class=\"", tagCase) + sel.mid(1) + "\">" +
                        sample + "DIV." + Cased("</DIV>", "</div>", tagCase);
            else
                code += "<" + sel + ">" + sample + sel + ".</" + sel + ">";
        }
        break;
    case TCSSMode::SpanElement: {
        TTagUnderConstruction span;
        span.Begin("span", true, preview ? sample + "SPAN." : QByteArray());
        span.AddAttribute("style", code);
        code = span.Render(CaseMode(tagCase));
        break;
    }
    case TCSSMode::StyleAttribute:
        code += "\"";
        if (preview)
            code += ">" + sample + "DIV." + Cased("</DIV>", "</div>", tagCase);
        break;
    case TCSSMode::Declarations:
        if (preview)
            code += "\">" + sample + "DIV." + Cased("</DIV>", "</div>", tagCase);
        break;
    case TCSSMode::FixedRule:
        code += kCrLf + "}";
        if (preview) {
            code += styleEnd;
            if (IsPseudoSelector(sel))
                code +=
                    Cased("<SPAN CLASS=\"autoclass\">Exempeltext med aktuell formatering.</SPAN>",
                          "<span class=\"autoclass\">Exempeltext med aktuell formatering.</span>",
                          tagCase);
            else
                code += "<" + sel + ">" + sample + sel + ".</" + sel + ">";
        }
        break;
    }
    return code;
}

namespace {

// The value and unit of a length whose unit is one of `units`; false for any other text.
bool SplitLength(const QString& text, const QStringList& units, QString* value, QString* unit) {
    for (const QString& u : units) {
        if (text.size() > u.size() && text.endsWith(u, Qt::CaseInsensitive)) {
            *value = text.left(text.size() - u.size());
            *unit = u;
            return !value->trimmed().isEmpty();
        }
    }
    return false;
}

// The list's own spelling of a choice, or empty.
QString Choice(const QStringList& list, const QString& text) {
    for (const QString& item : list)
        if (item.compare(text, Qt::CaseInsensitive) == 0)
            return item;
    return QString();
}

struct Parsed {
    QString Name, Value, Whole;
};

QList<Parsed> SplitDeclarations(const QString& text) {
    QList<Parsed> out;
    QString piece;
    QChar quote;
    const auto flush = [&] {
        const QString whole = piece.trimmed();
        piece.clear();
        if (whole.isEmpty())
            return;
        const qsizetype colon = whole.indexOf(QLatin1Char(':'));
        Parsed p;
        p.Whole = whole;
        if (colon > 0) {
            p.Name = whole.left(colon).trimmed().toLower();
            p.Value = whole.mid(colon + 1).trimmed();
        }
        out << p;
    };
    for (const QChar c : text) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
        } else if (c == QLatin1Char(';')) {
            flush();
            continue;
        }
        piece += c;
    }
    flush();
    return out;
}

} // namespace

void ReadDeclarations(const QString& text, TCSSValues* v) {
    const QList<Parsed> all = SplitDeclarations(text);
    // The border is taken only as the whole trio the editor writes.
    const auto find = [&](const char* name) -> const Parsed* {
        const Parsed* found = nullptr;
        int count = 0;
        for (const Parsed& p : all)
            if (p.Name == QLatin1String(name)) {
                found = &p;
                ++count;
            }
        return count == 1 ? found : nullptr;
    };
    const Parsed* bStyle = find("border-style");
    const Parsed* bColor = find("border-color");
    const Parsed* bWidth = find("border-width");
    const bool border =
        bStyle && bColor && bWidth && !Choice(BorderStyles(), bStyle->Value).isEmpty() &&
        Choice(BorderStyles(), bStyle->Value) != QLatin1String("(ingen)") &&
        IsColorText(bColor->Value) && bWidth->Value.size() <= 10 && !bWidth->Value.isEmpty();
    if (border) {
        v->BorderStyle = Choice(BorderStyles(), bStyle->Value);
        v->BorderColor = HTMLToColor(bColor->Value).value_or(clBlack);
        v->BorderWidth = bWidth->Value;
    }
    QStringList taken;
    const auto take = [&](const Parsed& p) {
        if (taken.contains(p.Name))
            return false;
        taken << p.Name;
        return true;
    };
    struct LengthRow {
        const char* Name;
        TCSSProperty TCSSValues::*Field;
        const QStringList& Units;
    };
    const LengthRow lengths[] = {
        {"width", &TCSSValues::Width, LengthUnits()},
        {"height", &TCSSValues::Height, LengthUnits()},
        {"font-size", &TCSSValues::FontSize, FontSizeUnits()},
        {"letter-spacing", &TCSSValues::LetterSpacing, SpacingUnits()},
        {"word-spacing", &TCSSValues::WordSpacing, SpacingUnits()},
        {"text-indent", &TCSSValues::Indent, LengthUnits()},
        {"margin-left", &TCSSValues::LeftMargin, LengthUnits()},
        {"margin-right", &TCSSValues::RightMargin, LengthUnits()},
        {"margin-top", &TCSSValues::TopMargin, LengthUnits()},
        {"line-height", &TCSSValues::LineHeight, LengthUnits()},
    };
    struct ChoiceRow {
        const char* Name;
        TCSSProperty TCSSValues::*Field;
        const QStringList& Choices;
    };
    const ChoiceRow choices[] = {
        {"font-weight", &TCSSValues::Boldness, Boldnesses()},
        {"font-style", &TCSSValues::Style, Styles()},
        {"text-decoration", &TCSSValues::Decoration, Decorations()},
        {"text-align", &TCSSValues::Align, Aligns()},
        {"vertical-align", &TCSSValues::VAlign, VAligns()},
    };
    for (const Parsed& p : all) {
        bool shown = false;
        if (p.Name.startsWith(QLatin1String("border-")) &&
            (p.Name == QLatin1String("border-style") || p.Name == QLatin1String("border-color") ||
             p.Name == QLatin1String("border-width"))) {
            shown = border && take(p);
        } else if (p.Name == QLatin1String("font-family") || p.Name == QLatin1String("padding")) {
            if (!p.Value.isEmpty() && take(p)) {
                TCSSProperty& f = p.Name == QLatin1String("padding") ? v->Padding : v->FontFamily;
                f = {true, p.Value, QString()};
                shown = true;
            }
        } else if (p.Name == QLatin1String("color") ||
                   p.Name == QLatin1String("background-color")) {
            if (IsColorText(p.Value) && take(p)) {
                const TColor color = HTMLToColor(p.Value).value_or(clBlack);
                if (p.Name == QLatin1String("color")) {
                    v->FontColorEnabled = true;
                    v->FontColor = color;
                } else {
                    v->BgColorEnabled = true;
                    v->BgColor = color;
                }
                shown = true;
            }
        } else if (p.Name == QLatin1String("list-style-type")) {
            const QString ul = Choice(ULTypes(), p.Value), ol = Choice(OLTypes(), p.Value);
            if ((ListTypeChosen(ul) || ListTypeChosen(ol)) && take(p)) {
                (ListTypeChosen(ul) ? v->ULType : v->OLType) = ListTypeChosen(ul) ? ul : ol;
                shown = true;
            }
        }
        for (const LengthRow& row : lengths) {
            QString value, unit;
            if (!shown && p.Name == QLatin1String(row.Name) &&
                SplitLength(p.Value, row.Units, &value, &unit) && take(p)) {
                v->*row.Field = {true, value, unit};
                shown = true;
            }
        }
        for (const ChoiceRow& row : choices) {
            const QString choice = Choice(row.Choices, p.Value);
            if (!shown && p.Name == QLatin1String(row.Name) && !choice.isEmpty() && take(p)) {
                v->*row.Field = {true, choice, QString()};
                shown = true;
            }
        }
        if (!shown)
            v->Extra << p.Whole;
    }
}

} // namespace CSSCode
