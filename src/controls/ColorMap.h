#pragma once

#include "platform/Graphics.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QWidget>
#include <functional>
#include <vector>

// How the marker is drawn (a full-height line or one pixel) and which moves count as a move to
// the marker's own place.
enum TMapDimension { md1D, md2D };

using TNotifyEvent = std::function<void(QObject* Sender)>;
using TPointChangeEvent = std::function<void(QObject* Sender, QPoint Point, TColor Color)>;
using TPaintEachEvent = std::function<void(QObject* Sender, TColor Color)>;

// A strip of the hue spectrum from red through yellow, green, cyan, blue and magenta back to
// red. Reports the colour under the pointer while the left button is held.
//
// The control keeps its face in an image: a full paint renders the map and draws the marker
// over it, a marker move inverts only the marker's pixels. Colours are always read from the
// map itself, so the marker never shows through in a reported colour.
class TColorMap : public QWidget {
public:
    explicit TColorMap(QWidget* parent = nullptr);

    int CurrentPointX() const { return pointX_; }
    void SetCurrentPointX(int value);
    int CurrentPointY() const { return pointY_; }
    void SetCurrentPointY(int value);
    TMapDimension MapDimension() const { return dimension_; }
    void SetMapDimension(TMapDimension value);

    TPointChangeEvent OnPointChange;
    TPaintEachEvent OnPaintEach;

    // The marker's place and the last colour reported.
    QPoint CurrentPoint() const { return current_; }
    TColor CurrentColor() const { return color_; }
    bool Dragging() const { return dragging_; }
    // Where the pointer is held, in screen coordinates: the control while the left button is
    // down, the whole screen after the release, empty before the first press.
    QRect CursorClip() const { return clip_; }

    // (x, y) lies inside when 0 <= x <= Width and 0 <= y <= Height.
    bool Inside(const QPoint& p) const;

    // The segment length, the step and the colour of every column from 0 to 6 segments of a
    // spectrum this wide.
    static int SegmentLength(int width);
    static int SegmentStep(int width);
    static std::vector<TColor> Spectrum(int width);

protected:
    // Renders the map into an image of the control's size.
    virtual QImage RenderMap();
    // The marker column (row) for a CurrentPointX (Y) value.
    virtual int MarkerOffset() const { return 1; }
    // The distance of the pointer's right-hand limit from the right edge while dragging.
    virtual int ClipRightInset() const { return 1; }
    virtual bool FocusOnPress() const { return true; }

    // Renders the map afresh at the next paint or colour read.
    void Invalidate();
    // previous := current, current := p, then the colour there is reported.
    void ReadColor(const QPoint& p);
    void EnsureFace();

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void DrawMarker();
    void PaintMarker(const QPoint& at, bool inverted);
    TColor MapColorAt(const QPoint& p) const;
    QPoint Clamped(const QPoint& p) const;

    QImage map_;
    QImage face_;
    bool stale_ = true;
    bool mapFresh_ = false;
    QPoint current_{1, 1};
    QPoint previous_{1, 1};
    TColor color_ = 0;
    bool dragging_ = false;
    QRect clip_;
    QRect dragRect_;
    TMapDimension dimension_ = md2D;
    int pointX_ = 0;
    int pointY_ = 0;
};
