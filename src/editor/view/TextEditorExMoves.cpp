// Caret moves and word boundaries of the editor control.
#include "editor/model/EditScopes.h"
#include "editor/view/TextEditorEx.h"

#include <algorithm>

using EditScopes::CaretHidden;
using EditScopes::FlagScope;

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

} // namespace

// The position a move starts from, within the text (a selection end may stand past its
// line's end, which counts as the end).
QPoint TTextEditorEx::MoveOrigin(bool shift) const {
    const TCaretPos& p = shift ? SelEnd : Caret;
    const int y = std::clamp(p.Y, 0, Lines.Count() - 1);
    return QPoint(std::clamp(p.X, 0, Lines.Length(y)), y);
}

void TTextEditorEx::MoveTo(bool shift, const QPoint& p) {
    CaretHidden hidden(this);
    if (shift) {
        SelEnd.SetPos(p);
    } else {
        FlagScope collapse(ForceCollapse);
        Caret.SetPos(p);
    }
}

void TTextEditorEx::MoveLeft(bool shift) {
    const QPoint p = MoveOrigin(shift);
    if (p.x() > 0)
        MoveTo(shift, QPoint(p.x() - 1, p.y()));
    else if (p.y() > 0)
        MoveTo(shift, QPoint(Lines.Length(p.y() - 1), p.y() - 1));
}

void TTextEditorEx::MoveRight(bool shift) {
    const QPoint p = MoveOrigin(shift);
    if (p.x() < Lines.Length(p.y()))
        MoveTo(shift, QPoint(p.x() + 1, p.y()));
    else if (p.y() < Lines.Count() - 1)
        MoveTo(shift, QPoint(0, p.y() + 1));
}

void TTextEditorEx::MoveWordLeft(bool shift) {
    MoveTo(shift, WordLeft(MoveOrigin(shift)));
}
void TTextEditorEx::MoveWordRight(bool shift) {
    MoveTo(shift, WordRight(MoveOrigin(shift)));
}

void TTextEditorEx::MoveUp(bool shift) {
    const QPoint p = MoveOrigin(shift);
    if (p.y() > 0)
        MoveTo(shift, QPoint(std::min(p.x(), Lines.Length(p.y() - 1)), p.y() - 1));
}

void TTextEditorEx::MoveDown(bool shift) {
    const QPoint p = MoveOrigin(shift);
    if (p.y() < Lines.Count() - 1)
        MoveTo(shift, QPoint(std::min(p.x(), Lines.Length(p.y() + 1)), p.y() + 1));
}

void TTextEditorEx::PageUp(bool shift) {
    const QPoint p = MoveOrigin(shift);
    const int y = std::max(p.y() - ClientRows(), 0);
    MoveTo(shift, QPoint(std::min(p.x(), Lines.Length(y)), y));
}

void TTextEditorEx::PageDown(bool shift) {
    const QPoint p = MoveOrigin(shift);
    const int last = Lines.Count() - 1;
    const int y = p.y() + ClientRows();
    if (y >= last)
        MoveTo(shift, QPoint(Lines.Length(last), last));
    else
        MoveTo(shift, QPoint(std::min(p.x(), Lines.Length(y)), y));
}

void TTextEditorEx::MoveLineStart(bool shift) {
    MoveTo(shift, QPoint(0, MoveOrigin(shift).y()));
}

void TTextEditorEx::MoveLineEnd(bool shift) {
    const int y = MoveOrigin(shift).y();
    MoveTo(shift, QPoint(Lines.Length(y), y));
}

void TTextEditorEx::MoveDocStart(bool shift) {
    MoveTo(shift, QPoint(0, 0));
}

void TTextEditorEx::MoveDocEnd(bool shift) {
    const int last = Lines.Count() - 1;
    MoveTo(shift, QPoint(Lines.Length(last), last));
}

// Just after a blank that follows a word, or just after a stop character, whichever is
// nearer; the character right before P is skipped. From column 0 the search goes on at the
// end of the previous line (a loop: a run of empty lines costs no stack).
QPoint TTextEditorEx::WordLeft(QPoint p) const {
    p.setY(std::clamp(p.y(), 0, Lines.Count() - 1));
    p.setX(std::clamp(p.x(), 0, Lines.Length(p.y())));
    while (p.x() == 0 && p.y() > 0)
        p = QPoint(Lines.Length(p.y() - 1), p.y() - 1);
    const LineView line = Lines.Get(p.y());
    const QByteArray& stops = Settings()->ObjStopChars;
    int result = 0;
    bool found = false;
    for (int i = p.x() - 2; i >= 0; --i) {
        if (IsBlank(line[i]) && (i == 0 || !IsBlank(line[i - 1]))) {
            result = i + 1;
            found = true;
            break;
        }
    }
    const int lowest = found ? result : 0;
    for (int j = p.x() - 2; j >= lowest; --j) {
        if (stops.contains(line[j])) {
            result = j + 1;
            found = true;
            break;
        }
    }
    return QPoint(found ? result : 0, p.y());
}

// On the last blank before the next word, or on the next stop character, whichever is
// nearer; the two characters after P are skipped. From a line's end the search goes on at
// the start of the next line.
QPoint TTextEditorEx::WordRight(QPoint p) const {
    const int last = Lines.Count() - 1;
    p.setY(std::clamp(p.y(), 0, last));
    p.setX(std::clamp(p.x(), 0, Lines.Length(p.y())));
    while (p.x() == Lines.Length(p.y()) && p.y() < last)
        p = QPoint(0, p.y() + 1);
    const LineView line = Lines.Get(p.y());
    const int length = static_cast<int>(line.size());
    const QByteArray& stops = Settings()->ObjStopChars;
    int result = length;
    bool found = false;
    if (p.x() <= length - 1) {
        for (int i = p.x() + 2; i < length; ++i) {
            if (IsBlank(line[i]) && (i + 1 >= length || !IsBlank(line[i + 1]))) {
                result = i;
                found = true;
                break;
            }
        }
    }
    const int highest = found ? result : length - 1;
    for (int j = p.x() + 2; j <= highest; ++j) {
        if (stops.contains(line[j])) {
            result = j;
            found = true;
            break;
        }
    }
    return QPoint(found ? result : length, p.y());
}

void TTextEditorEx::SelectWordAtCaret() {
    const QPoint old = Caret.GetPos();
    CaretHidden hidden(this);
    Caret.SetPos(WordLeft(old));
    SelEnd.SetPos(WordRight(old));
}
