#pragma once

#include <QByteArray>

// The texts of the script editor: its statement templates, indenting a selection, and the
// body of a SCRIPT element as the editor holds it.
namespace ScriptText {

// The caret goes this many characters back from a template's end: onto the middle one of the
// three empty lines of its body.
constexpr int TemplateCaretBack = 7;

QByteArray FunctionTemplate(const QByteArray& name, const QByteArray& parameters);
QByteArray ConditionalTemplate(const QByteArray& condition);
QByteArray RepetitionTemplate(const QByteArray& start, const QByteArray& condition,
                              const QByteArray& step);
QByteArray WhileTemplate(const QByteArray& condition);

// `indent` before the text and after each of its line breaks.
QByteArray Indent(const QByteArray& text, const QByteArray& indent);
// `indent` taken away after each line break, and at the very start.
QByteArray Unindent(const QByteArray& text, const QByteArray& indent);

// The content of a SCRIPT element as the editor shows it: its lines, each followed by CR LF,
// without the empty first line and the empty last line (the line breaks right after the start
// tag and right before the end tag), which are remembered.
struct TBody {
    QByteArray Lines;
    bool LeadingBreak = false;
    bool TrailingBreak = false;
};
TBody ReadBody(const QByteArray& content);
// The content again from the editor's lines: what ReadBody read comes back byte for byte.
QByteArray WriteBody(const TBody& body);
// The content of a new element: a line break, the lines, and an empty line before the end tag.
QByteArray NewBody(const QByteArray& lines);

} // namespace ScriptText
