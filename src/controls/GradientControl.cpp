#include "controls/GradientControl.h"

#include "controls/ColorMath.h"

#include <QPainter>

using namespace ColorMath;

TGradientControl::TGradientControl(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

template <typename T> void TGradientControl::Assign(T& field, const T& value) {
    if (field == value)
        return;
    field = value;
    update();
}

void TGradientControl::SetColor1(TColor value) {
    Assign(color1_, ColorToRGB(value));
}
void TGradientControl::SetColor2(TColor value) {
    Assign(color2_, ColorToRGB(value));
}
void TGradientControl::SetGradientDirection(TGradientDirection value) {
    Assign(direction_, value);
}
void TGradientControl::SetCaption(const QString& value) {
    Assign(caption_, value);
}
void TGradientControl::SetFontName(const QString& value) {
    Assign(fontName_, value);
}
void TGradientControl::SetFontSize(int value) {
    Assign(fontSize_, value);
}
void TGradientControl::SetFontColor(TColor value) {
    Assign(fontColor_, value);
}
void TGradientControl::SetBorderWidth(int value) {
    Assign(borderWidth_, value);
}
void TGradientControl::SetBorderColor(TColor value) {
    Assign(borderColor_, value);
}

TColor TGradientControl::GradientColor(TColor c1, TColor c2, int i, int n) {
    if (n <= 0)
        return c1;
    const auto channel = [&](int a, int b) { return RoundHalfEven(a + double(i) * (b - a) / n); };
    return RGBColor(channel(RedOf(c1), RedOf(c2)), channel(GreenOf(c1), GreenOf(c2)),
                    channel(BlueOf(c1), BlueOf(c2)));
}

void TGradientControl::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const int w = width(), h = height();
    if (direction_ == gdHorizontal) {
        for (int x = 0; x <= w; ++x) {
            p.setPen(ToQColor(GradientColor(color1_, color2_, x, w)));
            p.drawLine(x, 0, x, h);
        }
    } else {
        for (int y = 0; y <= h; ++y) {
            p.setPen(ToQColor(GradientColor(color1_, color2_, y, h)));
            p.drawLine(0, y, w, y);
        }
    }
    if (borderWidth_ > 0) {
        QPen pen(ToQColor(borderColor_), borderWidth_);
        pen.setJoinStyle(Qt::MiterJoin);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawRect(0, 0, w - 1, h - 1);
    }
    if (caption_.isEmpty())
        return;
    QFont f = font();
    if (!fontName_.isEmpty())
        f.setFamily(fontName_);
    if (fontSize_ > 0)
        f.setPointSize(fontSize_);
    p.setFont(f);
    p.setPen(ToQColor(fontColor_));
    const QFontMetrics fm(f);
    p.drawText(12, h / 2 - fm.height() / 2 + fm.ascent(), caption_);
}
