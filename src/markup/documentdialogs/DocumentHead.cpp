#include "markup/documentdialogs/DocumentHead.h"

#include "editor/model/EditorModel.h"
#include "editor/text/TextSearcher.h"

#include <algorithm>

namespace DocumentHead {

namespace {

constexpr int kDoctypeLength = 9; // "<!doctype"

int Find(const TEditorModel& editor, const QByteArray& text, int from) {
    return from <= 0 ? editor.FindFrom(text, 0, SearchFlags::FromStart)
                     : editor.FindFrom(text, from, 0);
}

QPoint PosAt(const TEditorModel& editor, int offset) {
    QPoint p;
    if (!editor.OffsetToPos(offset, &p))
        p = QPoint(0, 0);
    return p;
}

// The start and end offsets of the first complete declaration; false without one.
bool FindDoctype(const TEditorModel& editor, int* start, int* end) {
    *start = Find(editor, "<!doctype", 0);
    if (*start < 0)
        return false;
    const int close = Find(editor, ">", *start + kDoctypeLength);
    if (close < 0)
        return false;
    // A declaration cut short by the next tag is none.
    const int next = Find(editor, "<", *start + kDoctypeLength);
    if (next >= 0 && next < close)
        return false;
    *end = close + 1;
    return true;
}

// The lines of a range joined with blanks, for a one-line field.
QByteArray OneLine(const std::vector<QByteArray>& pieces) {
    QByteArray text;
    for (size_t i = 0; i < pieces.size(); ++i) {
        if (i > 0)
            text += ' ';
        text += pieces[i];
    }
    return text;
}

// Puts the caret back on its line and column, as far as the changed text still has them.
void RestoreCaret(TEditorModel& editor, QPoint caret) {
    caret.setY(std::clamp(caret.y(), 0, std::max(0, editor.Lines.Count() - 1)));
    caret.setX(std::clamp(caret.x(), 0, editor.Lines.Length(caret.y())));
    editor.SetSelStart(editor.PosToOffset(caret));
}

} // namespace

std::optional<QByteArray> DoctypeText(const TEditorModel& editor) {
    int start = 0, end = 0;
    if (!FindDoctype(editor, &start, &end))
        return std::nullopt;
    const QByteArray text =
        OneLine(editor.GetTextRange(PosAt(editor, start + kDoctypeLength), PosAt(editor, end - 1)));
    qsizetype skip = 0;
    while (skip < text.size() && (text[skip] == ' ' || text[skip] == '\t'))
        ++skip;
    return text.mid(skip);
}

void SetDoctype(TEditorModel& editor, const QByteArray& text) {
    if (editor.Settings()->ReadOnly)
        return;
    const QPoint caret = editor.GetCaretPos();
    const QByteArray declaration = "<!DOCTYPE " + text + ">";
    editor.BeginUpdate();
    int start = 0, end = 0;
    if (FindDoctype(editor, &start, &end)) {
        const QPoint from = PosAt(editor, start);
        QPoint to = PosAt(editor, end);
        // The line break right after the declaration goes with it.
        if (to.x() == editor.Lines.Length(to.y()) && to.y() + 1 < editor.Lines.Count())
            to = QPoint(0, to.y() + 1);
        editor.DeleteRange(from, to);
    }
    // After an XML declaration that opens the document, else at the very top.
    const int xml = editor.FindFrom("<?xml", 0, SearchFlags::FromStart);
    const int xmlEnd = xml == 0 ? Find(editor, "?>", 5) : -1;
    if (xmlEnd >= 0) {
        const QPoint at = PosAt(editor, xmlEnd + 2);
        const bool restOnLine = at.x() < editor.Lines.Length(at.y());
        editor.InsertLines(at, {QByteArray(), declaration}, restOnLine);
    } else {
        editor.InsertLines(QPoint(0, 0), {declaration}, true);
    }
    editor.EndUpdate();
    RestoreCaret(editor, caret);
    editor.UpdateView();
}

std::optional<QByteArray> TitleText(const TEditorModel& editor) {
    const int open = Find(editor, "<title>", 0);
    if (open < 0)
        return std::nullopt;
    const int close = Find(editor, "</title>", open + 7);
    if (close < 0)
        return std::nullopt;
    return OneLine(editor.GetTextRange(PosAt(editor, open + 7), PosAt(editor, close)));
}

TTitleResult SetTitle(TEditorModel& editor, const QByteArray& title, const QByteArray& startTag,
                      const QByteArray& endTag) {
    const QByteArray element = startTag + title + endTag;
    const QPoint caret = editor.GetCaretPos();
    const int open = Find(editor, "<title>", 0);
    if (open >= 0) {
        const int close = Find(editor, "</title>", open + 7);
        if (close < 0)
            return TTitleResult::NoEndTag;
        if (editor.Settings()->ReadOnly)
            return TTitleResult::Replaced;
        const QPoint from = PosAt(editor, open);
        editor.BeginUpdate();
        editor.DeleteRange(from, PosAt(editor, close + 8));
        editor.InsertText(from, element, false);
        editor.EndUpdate();
        RestoreCaret(editor, caret);
        editor.UpdateView();
        return TTitleResult::Replaced;
    }
    const int head = Find(editor, "<head>", 0);
    if (head < 0)
        return TTitleResult::NoHead;
    if (editor.Settings()->ReadOnly)
        return TTitleResult::Inserted;
    const int line = PosAt(editor, head).y();
    editor.BeginUpdate();
    editor.InsertLines(QPoint(editor.Lines.Length(line), line), {QByteArray(), element}, false);
    editor.EndUpdate();
    RestoreCaret(editor, caret);
    editor.UpdateView();
    return TTitleResult::Inserted;
}

} // namespace DocumentHead
