// Painting, geometry and scrolling of the editor control.
//
// Every paint routine updates exactly the region it names; paintEvent then draws the cells of
// that region a line at a time: one colouring pass over the visible cells of a line, and one
// glyph run per stretch of cells with the same colour, style and selection state.
#include "editor/colouring/FormattingProcessor.h"
#include "editor/view/InteractiveListMenu.h"
#include "editor/view/Ruler.h"
#include "editor/view/TextEditorEx.h"
#include "platform/Cp1252.h"
#include "platform/FlagScope.h"
#include "platform/SilentAbort.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QPaintEvent>
#include <QPainter>
#include <QRawFont>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <array>
#include <climits>

// The glyphs of one font style for the 256 bytes of the text (0: drawn through the font's
// fallback, one cell at a time).
struct TPaintFace {
    bool built = false;
    QFont font;
    QRawFont raw;
    std::array<quint32, 256> glyph{};
    int underlinePos = 0;
    int strikeOutPos = 0;
    int lineWidth = 1;
};

struct TPaintCache {
    QFont font;
    std::array<TPaintFace, 16> faces;
    std::vector<TCharFormat> formats;
    std::vector<quint32> glyphs;
    std::vector<QPointF> positions;
};

namespace {

constexpr unsigned char kMiddleDot = 183;
constexpr unsigned char kBullet = 149;

TPaintFace& FaceFor(TPaintCache& cache, TFontStyles style) {
    TPaintFace& face = cache.faces[style & 15];
    if (face.built)
        return face;
    face.built = true;
    face.font = cache.font;
    ApplyStyles(&face.font, style);
    QFont plain = face.font;
    plain.setUnderline(false);
    plain.setStrikeOut(false);
    face.raw = QRawFont::fromFont(plain);
    for (int b = 0; b < 256; ++b) {
        face.glyph[static_cast<size_t>(b)] = 0;
        if (!face.raw.isValid() || b < 32)
            continue;
        const QList<quint32> g = face.raw.glyphIndexesForString(
            QString(Cp1252::ToUnicode(static_cast<unsigned char>(b))));
        if (g.size() == 1)
            face.glyph[static_cast<size_t>(b)] = g[0];
    }
    const QFontMetrics fm(face.font);
    face.underlinePos = fm.underlinePos();
    face.strikeOutPos = fm.strikeOutPos();
    face.lineWidth = std::max(1, fm.lineWidth());
    return face;
}

} // namespace

// --- geometry ------------------------------------------------------------------------------

int TTextEditorEx::ClientColumns() const {
    return viewport()->width() / charWidth_;
}
int TTextEditorEx::ClientRows() const {
    return viewport()->height() / lineHeight_;
}

QPoint TTextEditorEx::PosToPixel(const QPoint& pos) const {
    return QPoint((pos.x() - ScrollPos.X) * charWidth_, (pos.y() - ScrollPos.Y) * lineHeight_);
}

QPoint TTextEditorEx::PixelToPos(const QPoint& pixel) const {
    if (Lines.IsEmpty())
        return QPoint(0, 0);
    // Division truncates towards zero: a pixel less than a row above the client area still
    // names the top line.
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

// --- repaint requests ------------------------------------------------------------------------

void TTextEditorEx::RepaintAll() {
    viewport()->update();
}

void TTextEditorEx::PaintVisibleLines() {
    int first, last;
    VisibleLines(&first, &last);
    if (first <= last)
        viewport()->update(LineRect(first).united(LineRect(last)));
}

void TTextEditorEx::PaintLine(int line) {
    int first, last;
    VisibleLines(&first, &last);
    if (line < first || line > last)
        return;
    // The visible characters and the two cells after the line's end.
    const int cells = Lines.Length(line) + 2 - ScrollPos.X;
    if (cells <= 0)
        return;
    QRect r = LineRect(line);
    r.setWidth(std::min(r.width(), cells * charWidth_));
    viewport()->update(r);
}

void TTextEditorEx::RepaintLineArea(int line) {
    int first, last;
    VisibleLines(&first, &last);
    if (line >= first && line <= last)
        viewport()->update(LineRect(line));
}

void TTextEditorEx::RepaintLines(int from, int to) {
    int first, last;
    VisibleLines(&first, &last);
    from = std::max(from, first);
    to = std::min(to, last);
    if (from <= to)
        viewport()->update(LineRect(from).united(LineRect(to)));
}

void TTextEditorEx::ShowControlPoints() {
    showControlPoints_ = true;
    viewport()->update();
}

// --- what the model tells the view --------------------------------------------------------

void TTextEditorEx::Repaint(const TRepaint& what) {
    switch (what.What) {
    case TRepaint::None:
        break;
    case TRepaint::Cells:
        UpdateCells(what.Line, what.Column, what.Count);
        break;
    case TRepaint::LineText:
        PaintLine(what.Line);
        break;
    case TRepaint::Lines:
        RepaintLines(what.Line, what.LastLine);
        break;
    case TRepaint::All:
        RepaintAll();
        break;
    }
}

void TTextEditorEx::TextChanged(const TTextChange& change) {
    if (change.Typed) {
        JustTyped = true;
        typedCell_ = QPoint(change.Repaint.Column, change.Repaint.Line);
    }
    Repaint(change.Repaint);
    // With a processor that reads earlier lines the visible lines from the change on are
    // repainted (a brace recolours every line after it).
    if (processor_ && Settings()->InteractiveFormatting && processor_->DependsOnEarlierLines())
        RepaintLines(change.FirstLine, INT_MAX);
    if (!change.Deferred)
        UpdateScrollBars();
}

void TTextEditorEx::RepaintRequested(const TRepaint& what) {
    Repaint(what);
}

void TTextEditorEx::SelectionChanged(const TSelectionChange& change) {
    HideListMenu();
    const QPoint p = change.SelEnd;
    if (p.y() == change.OldSelEnd.y() && change.Caret == change.OldCaret) {
        PaintLine(p.y());
    } else if (change.Caret == change.OldCaret) {
        // Only the visible part of the span: a jump of any size paints one screen at most.
        int first, last;
        VisibleLines(&first, &last);
        const int from = std::max(std::min(change.OldSelEnd.y(), p.y()), first);
        const int to = std::min({Lines.Count() - 1, std::max(change.OldSelEnd.y(), p.y()), last});
        for (int line = from; line <= to; ++line)
            PaintLine(line);
    } else {
        PaintVisibleLines();
    }
    if (change.ScrollIntoView)
        ScrollIntoView(p);
}

bool TTextEditorEx::ShownLines(int* first, int* last) const {
    VisibleLines(first, last);
    return true;
}

void TTextEditorEx::InstallScrollBarActions() {
    connect(verticalScrollBar(), &QAbstractSlider::actionTriggered, this,
            [this](int action) { ScrollBarAction(Qt::Vertical, action); });
    connect(horizontalScrollBar(), &QAbstractSlider::actionTriggered, this,
            [this](int action) { ScrollBarAction(Qt::Horizontal, action); });
}

void TTextEditorEx::DetachFormattingProcessor() {
    processor_ = nullptr;
    viewport()->update();
}

// --- painting --------------------------------------------------------------------------------

void TTextEditorEx::paintEvent(QPaintEvent* e) {
    // Nothing may leave a paint: whatever fails paints the background and the caret.
    QPainter p(viewport());
    const QColor bk = isEnabled() ? ToQColor(Settings()->BkColor()) : ToQColor(clBtnFace);
    p.fillRect(e->rect(), bk);
    try {
        PaintRows(p, e->rect());
    } catch (...) {
    }
    if (showControlPoints_) {
        showControlPoints_ = false;
        const int s = std::max(Settings()->SpeedJump, 1);
        const int w = viewport()->width(), h = viewport()->height();
        p.setPen(Qt::black);
        for (int a = 0; a <= (w - 1) / s; ++a)
            for (int b = 0; b <= (h - 1) / s; ++b)
                p.drawPoint(a * s, b * s);
        for (int a = 0; a <= (h - 1) / s; ++a)
            p.drawPoint(w - 1, a * s);
        for (int a = 0; a <= (w - 1) / s; ++a)
            p.drawPoint(a * s, h - 1);
    }
    if (CaretShown() && caretBlinkOn_)
        p.fillRect(caretRect_, ToQColor(FontColor));
}

void TTextEditorEx::PaintRows(QPainter& p, const QRect& rect) {
    if (!paintCache_)
        paintCache_ = std::make_shared<TPaintCache>();
    TPaintCache& cache = *paintCache_;
    const QFont& drawing = DrawingFont();
    if (!(cache.font == drawing) || cache.font.pointSize() != drawing.pointSize()) {
        cache.font = drawing;
        cache.faces = {};
    }

    int firstLine, lastLine;
    VisibleLines(&firstLine, &lastLine);
    firstLine = std::max(firstLine, ScrollPos.Y + std::max(rect.top(), 0) / lineHeight_);
    lastLine = std::min(lastLine, ScrollPos.Y + rect.bottom() / lineHeight_);
    const int firstCol = ScrollPos.X + std::max(rect.left(), 0) / charWidth_;
    const int lastCol = ScrollPos.X + rect.right() / charWidth_;
    if (firstLine > lastLine || firstCol > lastCol)
        return;

    const TCharFormat plain{FontColor, StylesOf(EditorFont)};
    const bool colour = Settings()->InteractiveFormatting && processor_;
    const bool hidden = Settings()->ShowHiddenChars;
    const QColor selBk = ToQColor(Settings()->HighlightColor);
    const TColor selText = Settings()->HighlightTextColor;
    QPoint selS, selE;
    SelectionBounds(&selS, &selE);
    const bool anySel = selS != selE;
    int typedLine = -1, typedColumn = -1;
    if (JustTyped) {
        JustTyped = false;
        typedLine = typedCell_.y();
        typedColumn = typedCell_.x();
    }

    for (int line = firstLine; line <= lastLine; ++line) {
        const LineView text = Lines.Get(line);
        const int end = std::min(static_cast<int>(text.size()) - 1, lastCol);
        if (end < firstCol)
            continue;
        const int count = end - firstCol + 1;
        std::vector<TCharFormat>& formats = cache.formats;
        if (colour) {
            try {
                processor_->FormatLine(line, firstCol, count, line == typedLine ? typedColumn : -1,
                                       formats);
            } catch (...) {
                formats.assign(static_cast<size_t>(count), plain);
            }
            if (formats.size() != static_cast<size_t>(count))
                formats.assign(static_cast<size_t>(count), plain);
        } else {
            formats.assign(static_cast<size_t>(count), plain);
        }

        // The selected columns of this line: [selFrom, selTo).
        int selFrom = 0, selTo = 0;
        if (anySel && line >= selS.y() && line <= selE.y()) {
            selFrom = line == selS.y() ? selS.x() : 0;
            selTo = line == selE.y() ? selE.x() : INT_MAX;
        }
        const int top = (line - ScrollPos.Y) * lineHeight_;
        const int baseline = top + charAscent_;
        const char* s = text.constData();

        int i = 0;
        while (i < count) {
            const int col = firstCol + i;
            const bool sel = col >= selFrom && col < selTo;
            const TCharFormat f = formats[static_cast<size_t>(i)];
            int j = i + 1;
            while (j < count) {
                const int c = firstCol + j;
                if ((c >= selFrom && c < selTo) != sel ||
                    !SameCharFormat(formats[static_cast<size_t>(j)], f))
                    break;
                ++j;
            }
            const int x0 = (col - ScrollPos.X) * charWidth_;
            const int width = (j - i) * charWidth_;
            if (sel)
                p.fillRect(x0, top, width, lineHeight_, selBk);
            const QColor pen = ToQColor(sel ? selText : f.Color);
            TPaintFace& face = FaceFor(cache, f.Style);
            cache.glyphs.clear();
            cache.positions.clear();
            for (int k = i; k < j; ++k) {
                unsigned char ch = static_cast<unsigned char>(s[firstCol + k]);
                if (ch == ' ' || ch == '\t') {
                    if (!hidden)
                        continue;
                    ch = ch == ' ' ? kMiddleDot : kBullet;
                }
                const int x = (firstCol + k - ScrollPos.X) * charWidth_;
                const quint32 g = face.glyph[ch];
                if (g) {
                    cache.glyphs.push_back(g);
                    cache.positions.emplace_back(x, baseline);
                } else if (ch >= 32) {
                    p.setFont(face.font);
                    p.setPen(pen);
                    p.drawText(x, baseline, QString(Cp1252::ToUnicode(ch)));
                }
            }
            if (!cache.glyphs.empty()) {
                QGlyphRun run;
                run.setRawFont(face.raw);
                run.setRawData(cache.glyphs.data(), cache.positions.data(),
                               static_cast<int>(cache.glyphs.size()));
                p.setPen(pen);
                p.drawGlyphRun(QPointF(0, 0), run);
            }
            if (f.Style & (fsUnderline | fsStrikeOut)) {
                if (f.Style & fsUnderline)
                    p.fillRect(x0, baseline + face.underlinePos, width, face.lineWidth, pen);
                if (f.Style & fsStrikeOut)
                    p.fillRect(x0, baseline - face.strikeOutPos, width, face.lineWidth, pen);
            }
            i = j;
        }
    }
}

// --- scroll bars and scrolling ------------------------------------------------------------------

void TTextEditorEx::UpdateScrollBars() {
    {
        const FlagScope setting(settingScrollBars_);
        verticalScrollBar()->setRange(0, std::max(Lines.Count() - 1, 0));
        verticalScrollBar()->setPageStep(std::max(ClientRows(), 1));
        horizontalScrollBar()->setRange(0, std::max(GetWidestLine() - 1, 0));
        horizontalScrollBar()->setPageStep(std::max(ClientColumns(), 1));
    }
    // The ruler widens for the digits of the last lines.
    if (ruler_)
        ruler_->FitWidth();
}

void TTextEditorEx::scrollContentsBy(int, int) {
    if (settingScrollBars_ || inBarAction_)
        return;
    ScrollPos.SetPos(QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value()));
}

void TTextEditorEx::ScrollBarAction(Qt::Orientation orientation, int action) {
    if (inBarAction_)
        return;
    const FlagScope acting(inBarAction_);
    RunCommand([&] {
        QScrollBar* bar = orientation == Qt::Vertical ? verticalScrollBar() : horizontalScrollBar();
        const bool v = orientation == Qt::Vertical;
        const int page = v ? ClientRows() : ClientColumns();
        const auto by = [&](int n) { v ? ScrollBy(0, n) : ScrollBy(n, 0); };
        switch (action) {
        case QAbstractSlider::SliderSingleStepSub:
            by(-1);
            break;
        case QAbstractSlider::SliderSingleStepAdd:
            by(1);
            break;
        case QAbstractSlider::SliderPageStepSub:
            by(-page);
            break;
        case QAbstractSlider::SliderPageStepAdd:
            by(page);
            break;
        case QAbstractSlider::SliderMove:
            by(bar->sliderPosition() - (v ? ScrollPos.Y : ScrollPos.X));
            break;
        case QAbstractSlider::SliderToMinimum:
            v ? ScrollPos.SetY(0) : ScrollPos.SetX(0);
            break;
        case QAbstractSlider::SliderToMaximum:
            // An empty text has no column -1.
            v ? ScrollPos.SetY(std::max(Lines.Count() - 1, 0))
              : ScrollPos.SetX(std::max(GetWidestLine() - 1, 0));
            break;
        default:
            break;
        }
        bar->setSliderPosition(v ? ScrollPos.Y : ScrollPos.X);
    });
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
        x = std::min(std::max(ScrollPos.X + columns, 0),
                     std::max(GetWidestLine() - ClientColumns(), 0));
    if (lines != 0)
        y = std::min(std::max(ScrollPos.Y + lines, 0), std::max(Lines.Count() - ClientRows(), 0));
    ScrollPos.SetPos(QPoint(x, y));
}

void TTextEditorEx::ScrollChanged(const QPoint& p) {
    if (p == lastScroll_)
        return;
    HideSystemCaret();
    // Qt moves the pixels on screen and repaints the strips that come into view; a jump of
    // a screen or more repaints the screen once.
    const qint64 dx = static_cast<qint64>(lastScroll_.x() - p.x()) * charWidth_;
    const qint64 dy = static_cast<qint64>(lastScroll_.y() - p.y()) * lineHeight_;
    const QRect oldCaret = caretRect_;
    if (std::abs(dx) >= viewport()->width() || std::abs(dy) >= viewport()->height()) {
        viewport()->update();
    } else {
        viewport()->scroll(static_cast<int>(dx), static_cast<int>(dy));
        viewport()->update(oldCaret.translated(static_cast<int>(dx), static_cast<int>(dy)));
    }
    {
        const FlagScope setting(settingScrollBars_);
        verticalScrollBar()->setValue(p.y());
        horizontalScrollBar()->setValue(p.x());
    }
    PlaceSystemCaret();
    RulerFastMode = true;
    ScrollTimer()->stop();
    ScrollTimer()->start();
    if (ruler_ && p.y() != lastScroll_.y())
        ruler_->RepaintNumbers();
    lastScroll_ = p;
}

void TTextEditorEx::ScrollTimerTimer() {
    scrollTimer_->stop();
    RulerFastMode = false;
    if (ruler_)
        ruler_->RepaintNumbers();
}

// --- the wheel -------------------------------------------------------------------------------

void TTextEditorEx::wheelEvent(QWheelEvent* e) {
    e->accept();
    RunCommand([&] {
        const Qt::KeyboardModifiers mods = e->modifiers();
        const bool ctrl = mods & Qt::ControlModifier, alt = mods & Qt::AltModifier;
        // Some platforms turn Alt+wheel into a horizontal turn.
        const int delta =
            e->angleDelta().y() != 0 ? e->angleDelta().y() : (alt ? e->angleDelta().x() : 0);
        if (delta == 0)
            return;
        // Small steps (touchpads) add up to whole notches; a turn the other way starts anew.
        if ((wheelAccum_ < 0) != (delta < 0))
            wheelAccum_ = 0;
        wheelAccum_ += delta;
        const int notches = wheelAccum_ / 120;
        wheelAccum_ -= notches * 120;
        if (notches == 0)
            return;
        const int lines = std::max(QApplication::wheelScrollLines(), 1);
        const bool towardsUser = notches < 0;
        if (ctrl && !alt) {
            towardsUser ? ZoomOut() : ZoomIn();
        } else if (alt) {
            WheelCaretMove((towardsUser ? 1 : -1) * std::abs(notches) * lines,
                           mods & Qt::ShiftModifier);
        } else {
            ScrollBy(0, -notches * lines);
        }
    });
}

void TTextEditorEx::WheelCaretMove(int lines, bool extend) {
    // The Up and Down moves, on the selection end with Shift.
    for (int n = std::abs(lines); n > 0; --n) {
        if (lines < 0)
            MoveUp(extend);
        else
            MoveDown(extend);
    }
}
