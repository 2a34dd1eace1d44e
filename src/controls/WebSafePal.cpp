#include "controls/WebSafePal.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

namespace {
constexpr int kColors = 216;
}

TWebSafePal::TWebSafePal(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    resize(326, 183);
}

void TWebSafePal::SetFrameStyle(TFrameStyle value) {
    frameStyle_ = value;
    update();
}

void TWebSafePal::SetCols(int value) {
    if (value <= 0 || kColors % value != 0)
        return;
    cols_ = value;
    rows_ = kColors / value;
    update();
}

void TWebSafePal::SetRows(int value) {
    if (value <= 0 || kColors % value != 0)
        return;
    rows_ = value;
    cols_ = kColors / value;
    update();
}

bool TWebSafePal::Inside(const QPoint& p) const {
    return p.x() >= 1 && p.x() <= width() - 2 && p.y() >= 1 && p.y() <= height() - 2;
}

TColor TWebSafePal::PaletteColor(int index) {
    return RGBColor(51 * (index / 36), 51 * (index / 6 % 6), 51 * (index % 6));
}

QSize TWebSafePal::CellSize(QSize size, int cols) {
    return QSize((size.width() - 2) / cols, (size.height() - 2) / (kColors / cols));
}

QRect TWebSafePal::CellRect(int index, QSize size, int cols) {
    const QSize cell = CellSize(size, cols);
    return QRect((index % cols) * cell.width() + 1, (index / cols) * cell.height() + 1,
                 cell.width(), cell.height());
}

int TWebSafePal::CellAt(const QPoint& p, QSize size, int cols) {
    const QSize cell = CellSize(size, cols);
    if (cell.width() <= 0 || cell.height() <= 0 || p.x() < 1 || p.y() < 1)
        return -1;
    const int col = (p.x() - 1) / cell.width(), row = (p.y() - 1) / cell.height();
    if (col >= cols || row >= kColors / cols)
        return -1;
    return row * cols + col;
}

void TWebSafePal::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), ToQColor(clBtnFace));
    for (int i = 0; i < kColors; ++i)
        p.fillRect(CellRect(i, size(), cols_), ToQColor(PaletteColor(i)));
    const int r = width() - 1, b = height() - 1;
    const QColor shadow = ToQColor(clBtnShadow), light = ToQColor(clBtnHighlight);
    const QColor topLeft = frameStyle_ == fsInset ? shadow : light;
    const QColor bottomRight = frameStyle_ == fsInset ? light : shadow;
    p.setPen(topLeft);
    p.drawLine(0, 0, r, 0);
    p.drawLine(0, 0, 0, b);
    p.setPen(bottomRight);
    p.drawLine(0, b, r, b);
    p.drawLine(r, 0, r, b);
}

void TWebSafePal::mousePressEvent(QMouseEvent* event) {
    QWidget::mousePressEvent(event);
    const QPoint at = event->position().toPoint();
    if (event->button() != Qt::LeftButton || !Inside(at))
        return;
    clip_ = QRect(mapToGlobal(QPoint(1, 1)), mapToGlobal(QPoint(width() - 2, height() - 2)));
    const int cell = CellAt(at, size(), cols_);
    if (cell >= 0 && OnPicColor)
        OnPicColor(this, PaletteColor(cell));
    dragging_ = true;
}

void TWebSafePal::mouseMoveEvent(QMouseEvent* event) {
    QWidget::mouseMoveEvent(event);
    QPoint at = event->position().toPoint();
    if (dragging_)
        at = QPoint(qBound(1, at.x(), width() - 2), qBound(1, at.y(), height() - 2));
    if (!Inside(at))
        return;
    const int cell = CellAt(at, size(), cols_);
    if (cell < 0)
        return;
    if (dragging_ && OnPicColor)
        OnPicColor(this, PaletteColor(cell));
    if (OnMouseOverColor)
        OnMouseOverColor(this, PaletteColor(cell));
}

void TWebSafePal::mouseReleaseEvent(QMouseEvent* event) {
    QWidget::mouseReleaseEvent(event);
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    clip_ = screen ? QRect(QPoint(0, 0), screen->size()) : QRect();
    dragging_ = false;
}
