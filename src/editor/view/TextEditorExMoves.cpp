// Caret moves and word boundaries of the editor control.
#include "editor/model/EditScopes.h"
#include "editor/view/TextEditorEx.h"

#include <algorithm>

using EditScopes::CaretHidden;
using EditScopes::FlagScope;

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

void TTextEditorEx::SelectWordAtCaret() {
    const QPoint old = Caret.GetPos();
    CaretHidden hidden(this);
    Caret.SetPos(WordLeft(old));
    SelEnd.SetPos(WordRight(old));
}
