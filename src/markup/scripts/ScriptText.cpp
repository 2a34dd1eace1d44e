#include "markup/scripts/ScriptText.h"

#include "editor/text/LineStore.h"

#include <QByteArrayList>

namespace ScriptText {

namespace {

const QByteArray kCrLf = "\r\n";
const QByteArray kBody = "{" + kCrLf + kCrLf + kCrLf + kCrLf + "}" + kCrLf;

} // namespace

QByteArray FunctionTemplate(const QByteArray& name, const QByteArray& parameters) {
    return kCrLf + "function " + name + "(" + parameters + ")" + kCrLf + kBody;
}

QByteArray ConditionalTemplate(const QByteArray& condition) {
    return kCrLf + "if (" + condition + ")" + kCrLf + kBody;
}

QByteArray RepetitionTemplate(const QByteArray& start, const QByteArray& condition,
                              const QByteArray& step) {
    return kCrLf + "for (" + start + "; " + condition + "; " + step + ")" + kCrLf + kBody;
}

QByteArray WhileTemplate(const QByteArray& condition) {
    return kCrLf + "while (" + condition + ")" + kCrLf + kBody;
}

QByteArray Indent(const QByteArray& text, const QByteArray& indent) {
    QByteArray out = indent + text;
    return out.replace(kCrLf, kCrLf + indent);
}

QByteArray Unindent(const QByteArray& text, const QByteArray& indent) {
    QByteArray out = text;
    if (indent.isEmpty())
        return out;
    out.replace(kCrLf + indent, kCrLf);
    if (out.startsWith(indent))
        out.remove(0, indent.size());
    return out;
}

TBody ReadBody(const QByteArray& content) {
    QByteArrayList lines = LineStore::NormalizeBreaks(content).split('\n');
    for (qsizetype i = 0; i + 1 < lines.size(); ++i)
        lines[i].chop(1); // the CR of each CR LF
    TBody body;
    if (lines.size() > 1 && lines.first().isEmpty()) {
        lines.removeFirst();
        body.LeadingBreak = true;
    }
    if (lines.size() > 1 && lines.last().isEmpty()) {
        lines.removeLast();
        body.TrailingBreak = true;
    }
    for (const QByteArray& line : lines)
        body.Lines += line + kCrLf;
    return body;
}

QByteArray WriteBody(const TBody& body) {
    QByteArray joined = body.Lines;
    if (joined.endsWith(kCrLf))
        joined.chop(2);
    return (body.LeadingBreak ? kCrLf : QByteArray()) + joined +
           (body.TrailingBreak ? kCrLf : QByteArray());
}

QByteArray NewBody(const QByteArray& lines) {
    return kCrLf + lines + kCrLf;
}

} // namespace ScriptText
