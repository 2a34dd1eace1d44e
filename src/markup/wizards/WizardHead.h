#pragma once

#include <QByteArrayList>
#include <QString>
#include <vector>

// One row of a key/value table as the wizards read it.
struct TKeyValue {
    QString Key;
    QString Value;
    bool operator==(const TKeyValue&) const = default;
};
using TKeyValueRows = std::vector<TKeyValue>;

// The head settings that the page and frameset wizards share: document type, title,
// language, the XML declaration and the two META tables.
struct TPageHead {
    QString Doctype;
    QString Title;
    QString Language;
    bool AddXmlHeader = true;
    TKeyValueRows MetaName; // rows of "Namn" / "Värde"
    TKeyValueRows MetaHttp; // rows of "HTTP-EQUIV" / "Värde"
    bool operator==(const TPageHead&) const = default;
};

// The pieces of page code that the wizards write alike. Texts in are the user's; code out is
// Windows-1252, one entry per line.
namespace WizardHead {

// The document types the wizards start with (without "<!DOCTYPE " and ">").
QString StrictDoctype();
QString FramesetDoctype();
// A head with its defaults: the document type given, the XML declaration ticked, the META
// rows description, keywords, author and e-mail, and the one HTTP-EQUIV row Content-Type.
TPageHead Defaults(const QString& doctype);

// The value of the first row with the key; empty when none has it.
QString ValueOf(const TKeyValueRows& rows, const QString& key);

// A literal piece of code in the case of the tag-case setting: 1 upper, 2 lower, else as is.
QByteArray TC(int tagCase, const QByteArray& piece);

// The html start tag with the XHTML namespace (never case-converted) and, when a language is
// given, xml:lang and lang.
QByteArray HtmlStartTag(const QString& language, int tagCase);

// Appends the page's beginning: the XML declaration, the document type and an empty line,
// the html start tag, the head start tag and an empty line, the title and an empty line, then
// one META tag per HTTP-EQUIV row and per NAME row whose value (looked up by its key) is not
// empty.
void AddHead(QByteArrayList& out, const TPageHead& head, int tagCase);

} // namespace WizardHead
