#include "controls/ColorMap.h"

#include "controls/ColorMath.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <cmath>

using namespace ColorMath;

TColorMap::TColorMap(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(257, height());
}

void TColorMap::SetCurrentPointX(int value) {
    if (!Inside(QPoint(value + 1, current_.y())))
        return;
    pointX_ = value;
    ReadColor(QPoint(value + MarkerOffset(), current_.y()));
}

void TColorMap::SetCurrentPointY(int value) {
    if (!Inside(QPoint(current_.x(), value + 1)))
        return;
    pointY_ = value;
    ReadColor(QPoint(current_.x(), value + MarkerOffset()));
}

void TColorMap::SetMapDimension(TMapDimension value) {
    dimension_ = value;
    Invalidate();
}

bool TColorMap::Inside(const QPoint& p) const {
    return p.x() >= 0 && p.x() <= width() && p.y() >= 0 && p.y() <= height();
}

int TColorMap::SegmentLength(int width) {
    return qBound(1, RoundHalfEven(width / 6.0), 255);
}

int TColorMap::SegmentStep(int width) {
    return static_cast<int>(std::ceil(255.0 / SegmentLength(width)));
}

std::vector<TColor> TColorMap::Spectrum(int width) {
    const int a = SegmentLength(width), s = SegmentStep(width);
    std::vector<TColor> columns(static_cast<size_t>(6 * a + 1));
    int rgb[3] = {255, 0, 0};
    // Per pass: the channel that moves and its direction.
    static constexpr int channel[6] = {1, 0, 2, 1, 0, 2};
    static constexpr int sign[6] = {1, -1, 1, -1, 1, -1};
    for (int k = 0; k < 6; ++k) {
        for (int j = 0; j <= a; ++j) {
            int& c = rgb[channel[k]];
            c = qBound(0, c + sign[k] * s, 255);
            columns[static_cast<size_t>(k * a + j)] = RGBColor(rgb[0], rgb[1], rgb[2]);
        }
    }
    return columns;
}

QImage TColorMap::RenderMap() {
    QImage image(size(), QImage::Format_RGB32);
    image.fill(ToQColor(clBtnFace));
    const std::vector<TColor> columns = Spectrum(width());
    QPainter p(&image);
    const int a = SegmentLength(width());
    for (int k = 0; k < 6; ++k) {
        for (int j = 0; j <= a; ++j) {
            const int x = k * a + j;
            const TColor c = columns[static_cast<size_t>(x)];
            p.setPen(ToQColor(c));
            p.drawLine(x, 0, x, height());
            if (OnPaintEach)
                OnPaintEach(this, c);
        }
    }
    return image;
}

void TColorMap::Invalidate() {
    stale_ = true;
    update();
}

void TColorMap::EnsureFace() {
    if (!stale_)
        return;
    stale_ = false;
    map_ = RenderMap();
    face_ = map_;
    mapFresh_ = true;
    DrawMarker();
}

// Inverts (or restores from the map) the marker's pixels at a point: its column in md1D, the
// pixel alone in md2D.
void TColorMap::PaintMarker(const QPoint& at, bool inverted) {
    if (at.x() < 0 || at.x() >= face_.width())
        return;
    int top = 0, bottom = face_.height() - 1;
    if (dimension_ == md2D) {
        if (at.y() < 0 || at.y() >= face_.height())
            return;
        top = bottom = at.y();
    }
    for (int y = top; y <= bottom; ++y) {
        const QRgb m = map_.pixel(at.x(), y);
        face_.setPixel(at.x(), y,
                       inverted ? qRgb(255 - qRed(m), 255 - qGreen(m), 255 - qBlue(m)) : m);
    }
}

void TColorMap::DrawMarker() {
    if (!mapFresh_)
        PaintMarker(previous_, false);
    PaintMarker(current_, true);
    if (mapFresh_)
        previous_ = current_;
    mapFresh_ = false;
    update();
}

// The map's colour at a point; a point on the far edge (x = Width or y = Height, which count
// as inside) reads the last column or row.
TColor TColorMap::MapColorAt(const QPoint& p) const {
    if (map_.isNull())
        return 0;
    const int x = qBound(0, p.x(), map_.width() - 1), y = qBound(0, p.y(), map_.height() - 1);
    return FromQColor(QColor(map_.pixel(x, y)));
}

void TColorMap::ReadColor(const QPoint& p) {
    EnsureFace();
    previous_ = current_;
    current_ = p;
    color_ = MapColorAt(p);
    DrawMarker();
    if (OnPointChange)
        OnPointChange(this, current_, color_);
}

void TColorMap::paintEvent(QPaintEvent*) {
    EnsureFace();
    QPainter p(this);
    p.drawImage(0, 0, face_);
}

void TColorMap::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (map_.size() != size())
        Invalidate();
}

QPoint TColorMap::Clamped(const QPoint& p) const {
    return QPoint(qBound(dragRect_.left(), p.x(), dragRect_.right()),
                  qBound(dragRect_.top(), p.y(), dragRect_.bottom()));
}

void TColorMap::mousePressEvent(QMouseEvent* event) {
    QWidget::mousePressEvent(event);
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton && Inside(at)) {
        // The pointer stays within (0, 0) .. (Width - inset, Height), right and bottom excluded.
        dragRect_ = QRect(QPoint(0, 0), QPoint(width() - ClipRightInset() - 1, height() - 1));
        clip_ = QRect(mapToGlobal(dragRect_.topLeft()), dragRect_.size());
        dragging_ = true;
        ReadColor(at);
    }
    if (FocusOnPress())
        setFocus(Qt::MouseFocusReason);
}

void TColorMap::mouseMoveEvent(QMouseEvent* event) {
    QWidget::mouseMoveEvent(event);
    if (!dragging_)
        return;
    const QPoint at = Clamped(event->position().toPoint());
    if (Inside(at))
        ReadColor(at);
}

void TColorMap::mouseReleaseEvent(QMouseEvent* event) {
    QWidget::mouseReleaseEvent(event);
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    clip_ = screen ? QRect(QPoint(0, 0), screen->size()) : QRect();
    dragging_ = false;
}
