#include "markup/wizards/WizardHead.h"

#include "platform/Cp1252.h"

namespace WizardHead {

namespace {

const QByteArray Namespace = QByteArrayLiteral("=\"http://www.w3.org/1999/xhtml\"");

void AddMeta(QByteArrayList& out, const TKeyValueRows& rows, const QByteArray& opening,
             int tagCase) {
    for (const TKeyValue& row : rows) {
        const QString value = ValueOf(rows, row.Key);
        if (value.isEmpty())
            continue;
        out << "<" + TC(tagCase, opening) + Cp1252::Encode(row.Key) + "\" " +
                   TC(tagCase, "CONTENT=\"") + Cp1252::Encode(value) + "\" />";
    }
}

} // namespace

QString StrictDoctype() {
    return QStringLiteral("html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\" "
                          "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\"");
}

QString FramesetDoctype() {
    return QStringLiteral("html PUBLIC \"-//W3C//DTD XHTML 1.0 Frameset//EN\" "
                          "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-frameset.dtd\"");
}

TPageHead Defaults(const QString& doctype) {
    TPageHead head;
    head.Doctype = doctype;
    for (const char* key : {"description", "keywords", "author", "e-mail"})
        head.MetaName.push_back({QLatin1String(key), QString()});
    head.MetaHttp.push_back({QStringLiteral("Content-Type"), QString()});
    return head;
}

QString ValueOf(const TKeyValueRows& rows, const QString& key) {
    for (const TKeyValue& row : rows)
        if (row.Key == key)
            return row.Value;
    return QString();
}

QByteArray TC(int tagCase, const QByteArray& piece) {
    if (tagCase == 1)
        return piece.toUpper();
    if (tagCase == 2)
        return piece.toLower();
    return piece;
}

QByteArray HtmlStartTag(const QString& language, int tagCase) {
    if (language.isEmpty())
        return TC(tagCase, "<HTML" + TC(tagCase, " xmlns")) + Namespace + ">";
    const QByteArray l = Cp1252::Encode(language);
    return "<" + TC(tagCase, "HTML") + TC(tagCase, " xmlns") + Namespace +
           TC(tagCase, " XML:LANG") + "=\"" + l + "\"" + TC(tagCase, " LANG") + "=\"" + l + "\">";
}

void AddHead(QByteArrayList& out, const TPageHead& head, int tagCase) {
    if (head.AddXmlHeader)
        out << QByteArrayLiteral("<?xml version=\"1.0\"?>");
    if (!head.Doctype.isEmpty())
        out << "<!DOCTYPE " + Cp1252::Encode(head.Doctype) + ">" << QByteArray();
    out << HtmlStartTag(head.Language, tagCase);
    out << TC(tagCase, "<HEAD>") << QByteArray();
    if (!head.Title.isEmpty())
        out << TC(tagCase, "<TITLE>") + Cp1252::Encode(head.Title) + TC(tagCase, "</TITLE>")
            << QByteArray();
    AddMeta(out, head.MetaHttp, "META HTTP-EQUIV=\"", tagCase);
    AddMeta(out, head.MetaName, "META NAME=\"", tagCase);
}

} // namespace WizardHead
