#include "editor/view/ElementTable.h"

#include <algorithm>

namespace {

// The attributes that nearly every element takes.
constexpr const char* kCommon = "lang&xml:lang&dir&id&class&style&title&onclick&ondblclick&"
                                "onmousedown&onmouseup&onmouseover&onmousemove&onmouseout&"
                                "onkeypress&onkeydown&onkeyup";

struct TElementRow {
    const char* name;
    bool common;
    const char* own;
};

constexpr TElementRow kRows[] = {
    {"html", false, "dir&id&lang&xml:lang&xmlns"},
    {"head", false, "dir&id&lang&profile&xml:lang"},
    {"title", false, "dir&id&lang&xml:lang"},
    {"base", false, "href&id"},
    {"meta", false, "content&dir&http-equiv&id&lang&name&scheme&xml:lang"},
    {"link", true, "charset&href&hreflang&media&rel&rev&type"},
    {"style", false, "dir&id&lang&media&title&type&xml:lang"},
    {"script", false, "charset&defer&id&src&type"},
    {"noscript", true, ""},
    {"body", true, "onload&onunload"},
    {"div", true, ""},
    {"p", true, ""},
    {"h1", true, ""},
    {"h2", true, ""},
    {"h3", true, ""},
    {"h4", true, ""},
    {"h5", true, ""},
    {"h6", true, ""},
    {"ul", true, ""},
    {"ol", true, ""},
    {"li", true, ""},
    {"dl", true, ""},
    {"dt", true, ""},
    {"dd", true, ""},
    {"address", true, ""},
    {"hr", true, ""},
    {"pre", true, ""},
    {"blockquote", true, "cite"},
    {"ins", true, "cite&datetime"},
    {"del", true, "cite&datetime"},
    {"a", true,
     "accesskey&charset&coords&href&hreflang&name&onblur&onfocus&rel&rev&shape&tabindex&type"},
    {"span", true, ""},
    {"bdo", true, ""},
    {"br", false, "class&id&style&title"},
    {"em", true, ""},
    {"strong", true, ""},
    {"dfn", true, ""},
    {"code", true, ""},
    {"samp", true, ""},
    {"kbd", true, ""},
    {"var", true, ""},
    {"cite", true, ""},
    {"abbr", true, ""},
    {"acronym", true, ""},
    {"q", true, "cite"},
    {"sub", true, ""},
    {"sup", true, ""},
    {"tt", true, ""},
    {"i", true, ""},
    {"b", true, ""},
    {"big", true, ""},
    {"small", true, ""},
    {"object", true,
     "archive&classid&codebase&codetype&data&declare&height&name&standby&tabindex&type&usemap&"
     "width"},
    {"param", false, "id&name&type&value&valuetype"},
    {"img", true, "alt&height&ismap&longdesc&src&usemap&width"},
    {"map", true, "name"},
    {"area", true, "accesskey&alt&coords&href&nohref&onblur&onfocus&shape&tabindex"},
    {"form", true, "accept&accept-charset&action&enctype&method&onreset&onsubmit"},
    {"label", true, "accesskey&for&onblur&onfocus"},
    {"input", true,
     "accept&accesskey&alt&checked&disabled&maxlength&name&onblur&onchange&onfocus&onselect&"
     "readonly&size&src&tabindex&type&usemap&value"},
    {"select", true, "disabled&multiple&name&onblur&onchange&onfocus&size&tabindex"},
    {"optgroup", true, "disabled&label"},
    {"option", true, "disabled&label&selected&value"},
    {"textarea", true,
     "accesskey&cols&disabled&name&onblur&onchange&onfocus&onselect&readonly&rows&tabindex"},
    {"fieldset", true, ""},
    {"legend", true, "accesskey"},
    {"button", true, "accesskey&disabled&name&onblur&onfocus&tabindex&type&value"},
    {"table", true, "border&cellpadding&cellspacing&frame&rules&summary&width"},
    {"caption", true, ""},
    {"thead", true, "%cellhalign&%cellvalign"},
    {"tfoot", true, "%cellhalign&%cellvalign"},
    {"tbody", true, "%cellhalign&%cellvalign"},
    {"colgroup", true, "%cellhalign&%cellvalign&span&width"},
    {"col", true, "%cellhalign&%cellvalign&span&width"},
    {"tr", true, "%cellhalign&%cellvalign"},
    {"th", true, "%cellhalign&%cellvalign&abbr&axis&colspan&headers&rowspan&scope"},
    {"td", true, "%cellhalign&%cellvalign&abbr&axis&colspan&headers&rowspan&scope"},
    {"!--", false, ""},
};

} // namespace

namespace ElementTable {

QStringList Rows() {
    QStringList rows;
    rows.reserve(std::size(kRows));
    for (const TElementRow& r : kRows) {
        QString attributes = r.common ? QString::fromLatin1(kCommon) : QString();
        if (*r.own) {
            if (!attributes.isEmpty())
                attributes.append(QLatin1Char('&'));
            attributes.append(QLatin1String(r.own));
        }
        rows.append(QLatin1String(r.name) + QLatin1Char('=') + attributes);
    }
    return rows;
}

QStringList ElementNames(const QStringList& table) {
    QStringList names;
    names.reserve(table.size());
    for (const QString& row : table)
        names.append(row.section(QLatin1Char('='), 0, 0));
    return names;
}

bool LessIgnoringCase(const QString& a, const QString& b) {
    return QString::localeAwareCompare(a.toLower(), b.toLower()) < 0;
}

QStringList Attributes(const QStringList& table, const QString& name) {
    for (const QString& row : table) {
        const qsizetype eq = row.indexOf(QLatin1Char('='));
        if (eq < 0 || row.left(eq).compare(name, Qt::CaseInsensitive) != 0)
            continue;
        QString list = row.mid(eq + 1);
        list.replace(QLatin1Char('&'), QLatin1Char(','));
        QStringList attributes = list.split(QLatin1Char(','), Qt::SkipEmptyParts);
        std::stable_sort(attributes.begin(), attributes.end(), LessIgnoringCase);
        return attributes;
    }
    return QStringList();
}

} // namespace ElementTable
