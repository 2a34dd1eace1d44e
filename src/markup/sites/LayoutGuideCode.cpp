#include "markup/sites/LayoutGuideCode.h"

#include "platform/Cp1252.h"

namespace LayoutGuideCode {

namespace {

using WizardHead::TC;

QByteArray Bytes(const QString& text) {
    return Cp1252::Encode(text);
}

} // namespace

QByteArray Div(const QString& style, int tagCase) {
    QByteArray out = TC(tagCase, "<div");
    if (!style.isEmpty())
        out += TC(tagCase, " style=\"") + Bytes(style) + "\">";
    else
        out += ">";
    return out + "\r\n";
}

QByteArrayList WriteCode(const QByteArrayList& documentLines, const TLayoutGuideFields& f,
                         int tagCase) {
    QByteArrayList blocks;
    if (f.UseHeading)
        blocks << "<" + TC(tagCase, "h1") + ">" + Bytes(f.Heading) + "</" + TC(tagCase, "h1") +
                      ">\r\n";
    if (f.UseLinks) {
        QByteArray bar = Div(f.LinkStyle, tagCase);
        const TKeyValueRows rows = f.Links.empty() ? TKeyValueRows{{}} : f.Links;
        for (const TKeyValue& link : rows)
            bar += TC(tagCase, "<a href=\"") + Bytes(link.Value) + "\">" + Bytes(link.Key) +
                   TC(tagCase, "</a>") + (f.VerticalLinks ? TC(tagCase, "<br />") : QByteArray()) +
                   "\r\n";
        blocks << bar + TC(tagCase, "</div>") + "\r\n";
    }
    if (f.UseContent)
        blocks << Div(f.ContentStyle, tagCase) +
                      Bytes(QStringLiteral("<!-- Skriv sidinnehållet här. -->")) + "\r\n" +
                      TC(tagCase, "</div>") + "\r\n";
    if (f.UseFooter)
        blocks << Div(f.FooterStyle, tagCase) + Bytes(f.Footer) + "\r\n" + TC(tagCase, "</div>") +
                      "\r\n";

    QByteArrayList out = documentLines;
    for (const QByteArray& block : blocks)
        out.insert(std::max<qsizetype>(0, out.size() - 3), block);
    return out;
}

} // namespace LayoutGuideCode
