#include "controls/ColorBrightness.h"

#include "controls/ColorMath.h"

#include <array>
#include <vector>

using namespace ColorMath;

TColorBrightness::TColorBrightness(QWidget* parent) : TColorMap(parent) {
    SetMapDimension(md1D);
}

void TColorBrightness::SetOriginalColor(TColor value) {
    original_ = value;
    Invalidate();
    EnsureFace();
    ReadColor(CurrentPoint());
}

QImage TColorBrightness::Render(TColor original, int width, int height) {
    QImage image(qMax(width, 0), qMax(height, 0), QImage::Format_RGB32);
    if (image.isNull())
        return image;
    const TColor rgb = ColorToRGB(original);
    const std::array<double, 3> c = {double(RedOf(rgb)), double(GreenOf(rgb)), double(BlueOf(rgb))};
    const int half = width / 2;
    // The top row, column by column from the middle outward: toward black on the left, toward
    // white on the right.
    std::vector<std::array<int, 3>> top(static_cast<size_t>(width + 1));
    std::array<double, 3> v = c;
    for (int x = half; x >= 0; --x) {
        for (int i = 0; i < 3; ++i)
            top[static_cast<size_t>(x)][i] = RoundHalfEven(v[i]);
        if (half > 0) {
            for (int i = 0; i < 3; ++i)
                v[i] = qMax(0.0, v[i] - c[i] / half);
        }
    }
    v = c;
    for (int x = half; x <= width; ++x) {
        for (int i = 0; i < 3; ++i)
            top[static_cast<size_t>(x)][i] = RoundHalfEven(v[i]);
        if (half > 0) {
            for (int i = 0; i < 3; ++i)
                v[i] = qMin(255.0, v[i] + (255.0 - c[i]) / half);
        }
    }
    for (int x = 0; x < width; ++x) {
        const auto& t = top[static_cast<size_t>(x)];
        for (int y = 0; y < height; ++y) {
            int ch[3];
            for (int i = 0; i < 3; ++i)
                ch[i] = RoundHalfEven(t[i] + (127.0 - t[i]) / height * y);
            image.setPixel(x, y, qRgb(ch[0], ch[1], ch[2]));
        }
    }
    if (half < width && height > 0)
        image.setPixel(half, 0, qRgb(RedOf(rgb), GreenOf(rgb), BlueOf(rgb)));
    return image;
}

QImage TColorBrightness::RenderMap() {
    if (OnBeginRender)
        OnBeginRender(this);
    QImage image = Render(original_, width(), height());
    if (OnDoneRender)
        OnDoneRender(this);
    return image;
}
