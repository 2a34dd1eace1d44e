#pragma once

#include <QByteArray>
#include <optional>

class TEditorModel;

// The document type declaration and the page title, read from and written into the whole text
// of an editor. Declarations and titles are found without regard to case. Each change keeps
// the caret's line and column numbers (within the text) and writes nothing when the editor is
// read-only.
namespace DocumentHead {

// The text of the first complete declaration ("<!doctype" ... ">") after its name and the
// blanks that follow it; none when the document has no complete declaration.
std::optional<QByteArray> DoctypeText(const TEditorModel& editor);

// Puts "<!DOCTYPE " + text + ">" on a line of its own at the top, or right after an XML
// declaration that opens the document. The first complete declaration goes, with the line
// break right after it; a "<!doctype" without its ">" (before the next "<") is left alone.
void SetDoctype(TEditorModel& editor, const QByteArray& text);

// The text between the first "<title>" and the first "</title>" after it; none without them.
std::optional<QByteArray> TitleText(const TEditorModel& editor);

enum class TTitleResult {
    Replaced, // the first title element was rewritten in its place
    Inserted, // a title line went in after the first line holding "<head>"
    NoHead,   // no title and no "<head>": nothing changed
    NoEndTag, // "<title>" without "</title>" after it: nothing changed
};

// Writes startTag + title + endTag (the caller cases the tags) in place of the first title
// element, from its "<title>" through the first "</title>" after it; without one, as a new
// line after the first line that holds "<head>".
TTitleResult SetTitle(TEditorModel& editor, const QByteArray& title, const QByteArray& startTag,
                      const QByteArray& endTag);

} // namespace DocumentHead
