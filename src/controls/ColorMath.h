#pragma once

#include "platform/Graphics.h"

#include <cmath>

// Colour arithmetic shared by the colour maps and the colour dialog.
namespace ColorMath {

constexpr int RedOf(TColor c) {
    return static_cast<int>(c & 0xFF);
}
constexpr int GreenOf(TColor c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int BlueOf(TColor c) {
    return static_cast<int>((c >> 16) & 0xFF);
}

// One channel rounded to the nearest web-safe step (a multiple of 51).
constexpr int WebSafeChannel(int v) {
    if (v <= 24)
        return 0;
    if (v <= 75)
        return 51;
    if (v <= 126)
        return 102;
    if (v <= 177)
        return 153;
    if (v <= 228)
        return 204;
    return 255;
}

// The nearest web-safe colour, channel by channel.
constexpr TColor WebSafeColor(TColor c) {
    return RGBColor(WebSafeChannel(RedOf(c)), WebSafeChannel(GreenOf(c)),
                    WebSafeChannel(BlueOf(c)));
}

// 255 minus each channel.
constexpr TColor InverseColor(TColor c) {
    return RGBColor(255 - RedOf(c), 255 - GreenOf(c), 255 - BlueOf(c));
}

// Rounds to the nearest whole number, halves to even.
inline int RoundHalfEven(double v) {
    return static_cast<int>(std::nearbyint(v));
}

} // namespace ColorMath
