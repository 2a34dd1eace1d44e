// Painting, geometry and scrolling of the editor control.
#include "editor/InteractiveListMenu.h"
#include "editor/Ruler.h"
#include "editor/TextEditorEx.h"
#include "platform/Cp1252.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

int TTextEditorEx::ClientColumns() const { return viewport()->width() / charWidth_; }
int TTextEditorEx::ClientRows() const { return viewport()->height() / lineHeight_; }

QPoint TTextEditorEx::PosToPixel(const QPoint& pos) const {
    return QPoint((pos.x() - ScrollPos.X) * charWidth_, (pos.y() - ScrollPos.Y) * lineHeight_);
}

QPoint TTextEditorEx::PixelToPos(const QPoint& pixel) const {
    if (Lines.IsEmpty())
        return QPoint(0, 0);
    int line = pixel.y() / lineHeight_ + ScrollPos.Y;
    int column = (charWidth_ / 2 + pixel.x()) / charWidth_ + ScrollPos.X;
    if (column < ScrollPos.X || line < ScrollPos.Y)
        return QPoint(0, 0);
    line = std::min(line, Lines.Count() - 1);
    column = std::min(column, Lines.Length(line));
    return QPoint(column, line);
}

void TTextEditorEx::VisibleLines(int* first, int* last) const {
    const int rows = (viewport()->height() + lineHeight_ - 1) / lineHeight_;
    *first = ScrollPos.Y;
    *last = std::min(Lines.Count() - 1, ScrollPos.Y + std::max(rows, 1) - 1);
}

QRect TTextEditorEx::LineRect(int line) const {
    return QRect(0, (line - ScrollPos.Y) * lineHeight_, viewport()->width(), lineHeight_);
}

void TTextEditorEx::RepaintAll() { viewport()->update(); }
void TTextEditorEx::PaintVisibleLines() { viewport()->update(); }

void TTextEditorEx::PaintLine(int line) {
    int first, last;
    VisibleLines(&first, &last);
    if (line >= first && line <= last)
        viewport()->update(LineRect(line));
}

void TTextEditorEx::RepaintLineArea(int line) { PaintLine(line); }

void TTextEditorEx::RepaintLines(int from, int to) {
    int first, last;
    VisibleLines(&first, &last);
    from = std::max(from, first);
    to = std::min(to, last);
    if (from <= to)
        viewport()->update(LineRect(from).united(LineRect(to)));
}

void TTextEditorEx::paintEvent(QPaintEvent* e) {
    QPainter p(viewport());
    p.setFont(EditorFont);
    const QColor bk = isEnabled() ? ToQColor(Settings()->BkColor()) : ToQColor(clBtnFace);
    p.fillRect(e->rect(), bk);
    int first, last;
    VisibleLines(&first, &last);
    const int columns = viewport()->width() / charWidth_ + 1;
    const QColor text = ToQColor(FontColor);
    const QColor selBk = ToQColor(Settings()->HighlightColor);
    const QColor selText = ToQColor(Settings()->HighlightTextColor);
    for (int line = first; line <= last; ++line) {
        const QRect row = LineRect(line);
        if (!row.intersects(e->rect()))
            continue;
        const QByteArray& bytes = Lines.Get(line);
        const int end = std::min(static_cast<int>(bytes.size()), ScrollPos.X + columns);
        for (int col = ScrollPos.X; col < end; ++col) {
            const QPoint cell = PosToPixel(QPoint(col, line));
            const bool sel = InSelection(QPoint(col, line));
            if (sel)
                p.fillRect(QRect(cell, QSize(charWidth_, lineHeight_)), selBk);
            p.setPen(sel ? selText : text);
            char ch = bytes[col];
            if (ch == '\t')
                ch = ' ';
            p.drawText(cell.x(), cell.y() + charAscent_, QString(Cp1252::ToUnicode(static_cast<unsigned char>(ch))));
        }
    }
    if (CaretShown() && caretBlinkOn_)
        p.fillRect(caretRect_, ToQColor(FontColor));
}

void TTextEditorEx::UpdateScrollBars() {
    settingScrollBars_ = true;
    verticalScrollBar()->setRange(0, std::max(Lines.Count() - 1, 0));
    verticalScrollBar()->setPageStep(std::max(ClientRows(), 1));
    horizontalScrollBar()->setRange(0, std::max(GetWidestLine() - 1, 0));
    horizontalScrollBar()->setPageStep(std::max(ClientColumns(), 1));
    settingScrollBars_ = false;
}

void TTextEditorEx::scrollContentsBy(int, int) {
    if (settingScrollBars_)
        return;
    ScrollPos.SetPos(QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value()));
}

void TTextEditorEx::ScrollIntoView(const QPoint& p) {
    if (p.x() >= 0 && p.x() < ScrollPos.X)
        ScrollPos.SetX(p.x());
    if (p.y() >= 0 && p.y() < ScrollPos.Y)
        ScrollPos.SetY(p.y());
    const int columns = ClientColumns();
    if (p.x() > ScrollPos.X + columns - 1)
        ScrollPos.SetX(p.x() - columns + 1);
    const int rows = ClientRows();
    if (p.y() > ScrollPos.Y + rows - 1)
        ScrollPos.SetY(p.y() - rows + 1);
}

void TTextEditorEx::ScrollBy(int columns, int lines) {
    HideListMenu();
    int x = ScrollPos.X, y = ScrollPos.Y;
    if (columns != 0)
        x = std::min(std::max(ScrollPos.X + columns, 0), std::max(GetWidestLine() - ClientColumns(), 0));
    if (lines != 0)
        y = std::min(std::max(ScrollPos.Y + lines, 0), std::max(Lines.Count() - ClientRows(), 0));
    ScrollPos.SetPos(QPoint(x, y));
}

void TTextEditorEx::ScrollChanged(const QPoint& p) {
    if (p == lastScroll_)
        return;
    if (Updating) {
        PendingScroll = true;
        return;
    }
    HideSystemCaret();
    viewport()->update();
    settingScrollBars_ = true;
    verticalScrollBar()->setValue(p.y());
    horizontalScrollBar()->setValue(p.x());
    settingScrollBars_ = false;
    UpdateCaretPos();
    RulerFastMode = true;
    ScrollTimer()->stop();
    ScrollTimer()->start();
    if (ruler_ && p.y() != lastScroll_.y())
        ruler_->RepaintNumbers();
    lastScroll_ = p;
}
