#include "markup/wizards/PageWizardCode.h"

#include "platform/ColorText.h"
#include "platform/Cp1252.h"

namespace PageWizardCode {

namespace {

using WizardHead::TC;

QByteArray Margin(const QString& value) {
    return value.isEmpty() ? QByteArrayLiteral("0") : Cp1252::Encode(value);
}

} // namespace

QByteArrayList SampleBody(int linkNumber) {
    QByteArrayList out;
    out << "<DIV STYLE=\"position:absolute; left:left-margin; top:top-margin; width:25%;\">";
    for (int level = 1; level <= 5; ++level)
        out << QByteArray("<H%1>Rubrik %1</H%1>").replace("%1", QByteArray::number(level));
    out << "<H6>Rubrik 6 </H6>"
        << "</DIV><DIV STYLE=\"position:absolute; left:25%; top:top-margin; width:25%; "
           "z-index:1;\">"
        << Cp1252::Encode(QStringLiteral("<P>Brödtext</P>"))
        << "<P><A HREF=\"" + QByteArray::number(linkNumber) +
               Cp1252::Encode(QStringLiteral("\">Obesökt länk</A></P>"))
        << Cp1252::Encode(QStringLiteral("<P><A HREF=\"#\">Besökt länk</A></P>"))
        << "<P><EM>Emfas</EM></P>"
        << "<P><STRONG>Stark emfas</STRONG></P>"
        << "<P><DFN>Definition</DFN></P>"
        << "</DIV><DIV STYLE=\"position:absolute; left:50%; top:top-margin; width:25%;\">"
        << "<P>Punktlista:</P><UL><LI>Alfa<LI>Beta<LI>Gamma<LI>Delta</UL>"
        << "<P>Numrerad lista:</P><OL><LI>Alfa<LI>Beta<LI>Gamma<LI>Delta</OL>"
        << "</DIV><DIV STYLE=\"position:absolute; left:75%; top:top-margin; width:25%;\">"
        << "<P>Tabell:</P><TABLE><TR><TH>&Alpha;</TH><TH>&Beta;</TH><TH>&Gamma;</TH>"
        << "<TH>&Delta;</TH><TH>&Epsilon;</TH><TH>&Zeta;</TH></TR><TR><TD>&Eta;</TD>"
           "<TD>&Theta;</TD><TD>&Iota;</TD>"
        << "<TD>&Kappa;</TD><TD>&Lambda;</TD><TD>&Mu;</TD></TR><TR><TD>&Nu;</TD><TD>&Xi;</TD>"
           "<TD>&Omicron;</TD>"
        << "<TD>&Pi;</TD><TD>&Rho;</TD><TD>&Sigma;</TD></TR><TR><TD>&Tau;</TD><TD>&Upsilon;</TD>"
           "<TD>&Phi;</TD><TD>&Chi;</TD><TD>&Psi;</TD><TD>&Omega;</TD></TR></TABLE>"
        << "</DIV>";
    return out;
}

QByteArrayList WriteCode(const TPageWizardFields& f, bool preview, int tagCase,
                         const QByteArray& indent, int sampleLinkNumber) {
    QByteArrayList out;
    WizardHead::AddHead(out, f.Head, tagCase);
    out << QByteArray();

    for (const QString& file : f.LinkedCSS)
        out << "<" + TC(tagCase, "LINK REL") + "=\"stylesheet\" " + TC(tagCase, "TYPE") +
                   "=\"text/css\" " + TC(tagCase, "HREF") + "=\"" + Cp1252::Encode(file) + "\" />";
    if (!f.LinkedCSS.isEmpty())
        out << QByteArray();
    for (const QString& file : f.LinkedJS)
        out << "<" + TC(tagCase, "SCRIPT LANGUAGE") + "=\"JavaScript\" " + TC(tagCase, "TYPE") +
                   "=\"text/javascript\" " + TC(tagCase, "SRC") + "=\"" + Cp1252::Encode(file) +
                   "\"></" + TC(tagCase, "SCRIPT") + ">";
    if (!f.LinkedJS.isEmpty())
        out << QByteArray();

    const bool bodyRule = f.UseMargins || f.UseBgColor || !f.BgImage.isEmpty();
    const bool styleBlock = bodyRule || !f.StyleGroups.isEmpty();
    if (styleBlock)
        out << "<" + TC(tagCase, "STYLE TYPE") + "=\"text/css\">";
    if (bodyRule) {
        out << "body {";
        if (f.UseMargins) {
            out << indent + "margin-right:" + Margin(f.MarginRight) + "px;";
            out << indent + "margin-left:" + Margin(f.MarginLeft) + "px;";
            out << indent + "margin-top:" + Margin(f.MarginTop) + "px;";
            out << indent + "margin-bottom:" + Margin(f.MarginBottom) + "px;";
        }
        if (f.UseBgColor)
            out << indent + "background-color:" + ColorToHTML(f.BgColor).toLatin1() + ";";
        if (!f.BgImage.isEmpty()) {
            out << indent + "background-image:" + "url('" + Cp1252::Encode(f.BgImage) + "')" + ";";
            if (!f.BgRepeat.isEmpty())
                out << indent + "background-repeat:" + Cp1252::Encode(f.BgRepeat) + ";";
            if (!f.BgPosition.isEmpty())
                out << indent + "background-position:" + Cp1252::Encode(f.BgPosition) + ";";
        }
        out << "}";
    }
    for (const QString& entry : f.StyleGroups)
        out << DecodeRule(Cp1252::Encode(GroupRule(entry)), indent);
    if (styleBlock)
        out << TC(tagCase, "</STYLE>") << QByteArray();

    out << TC(tagCase, "</HEAD>") << QByteArray() << QByteArray();
    out << TC(tagCase, "<BODY>") << QByteArray();
    const bool hasContent = f.Content.size() > 2;
    if (preview && !hasContent)
        out << SampleBody(sampleLinkNumber);
    else
        out << QByteArray();
    if (hasContent)
        out << f.Content;
    out << QByteArray() << TC(tagCase, "</BODY>") << TC(tagCase, "</HTML>");
    return out;
}

QString EncodeRule(const QString& rule) {
    QString out;
    out.reserve(rule.size() + 8);
    for (qsizetype i = 0; i < rule.size(); ++i) {
        const QChar c = rule.at(i);
        if (c == QLatin1Char('\\')) {
            out += QLatin1String("\\\\");
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < rule.size() &&
                rule.at(i + 1) == QLatin1Char('\n'))
                ++i;
            out += QLatin1String("\\n");
        } else {
            out += c;
        }
    }
    return out;
}

QByteArray DecodeRule(const QByteArray& stored, const QByteArray& indent) {
    static const QByteArray placeholder = QByteArrayLiteral("\\KVDEFIND");
    QByteArray out;
    out.reserve(stored.size() + 16);
    for (qsizetype i = 0; i < stored.size(); ++i) {
        const char c = stored.at(i);
        const char next = i + 1 < stored.size() ? stored.at(i + 1) : '\0';
        if (c != '\\') {
            out += c;
        } else if (next == 'n') {
            out += "\r\n";
            ++i;
        } else if (next == '\\') {
            out += '\\';
            ++i;
        } else if (stored.mid(i, placeholder.size()) == placeholder) {
            out += indent;
            i += placeholder.size() - 1;
        } else {
            out += c;
        }
    }
    return out;
}

QString GroupSelector(const QString& entry) {
    const qsizetype eq = entry.indexOf(QLatin1Char('='));
    return eq < 0 ? entry : entry.left(eq);
}

QString GroupRule(const QString& entry) {
    const qsizetype eq = entry.indexOf(QLatin1Char('='));
    return eq < 0 ? QString() : entry.mid(eq + 1);
}

} // namespace PageWizardCode
