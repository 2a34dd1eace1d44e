#pragma once

#include "platform/Graphics.h"

#include <QRect>
#include <QSize>
#include <QWidget>
#include <functional>

enum TFrameStyle { fsOutset, fsInset };

using TPicColorEvent = std::function<void(QObject* Sender, TColor Color)>;
using TMouseOverColorEvent = std::function<void(QObject* Sender, TColor Color)>;

// The grid of the 216 web-safe colours. Reports the colour under the pointer while the left
// button is held, and the colour under the pointer on every move.
class TWebSafePal : public QWidget {
public:
    explicit TWebSafePal(QWidget* parent = nullptr);

    TFrameStyle FrameStyle() const { return frameStyle_; }
    void SetFrameStyle(TFrameStyle value);
    int Cols() const { return cols_; }
    // Accepted only when the value divides 216; Rows follows.
    void SetCols(int value);
    int Rows() const { return rows_; }
    void SetRows(int value);

    TPicColorEvent OnPicColor;
    TMouseOverColorEvent OnMouseOverColor;

    bool Dragging() const { return dragging_; }
    // See TColorMap::CursorClip.
    QRect CursorClip() const { return clip_; }

    // (x, y) lies inside when 1 <= x <= Width - 2 and 1 <= y <= Height - 2.
    bool Inside(const QPoint& p) const;

    // Colour i of the table: (51 r, 51 g, 51 b) for i = 36 r + 6 g + b.
    static TColor PaletteColor(int index);
    // The size of one cell, the rectangle of cell i, and the cell under a point (-1 for none)
    // in a palette of the given size and column count.
    static QSize CellSize(QSize size, int cols);
    static QRect CellRect(int index, QSize size, int cols);
    static int CellAt(const QPoint& p, QSize size, int cols);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    TFrameStyle frameStyle_ = fsInset;
    int cols_ = 18;
    int rows_ = 12;
    bool dragging_ = false;
    QRect clip_;
};
