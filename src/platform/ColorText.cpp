#include "platform/ColorText.h"

namespace {

int HexDigit(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

} // namespace

QString ColorToHTML(TColor color) {
    return QStringLiteral("#%1%2%3")
        .arg(color & 0xFF, 2, 16, QLatin1Char('0'))
        .arg((color >> 8) & 0xFF, 2, 16, QLatin1Char('0'))
        .arg((color >> 16) & 0xFF, 2, 16, QLatin1Char('0'))
        .toUpper();
}

std::optional<TColor> HTMLToColor(const QString& text) {
    if (text.size() != 7 || text[0] != QLatin1Char('#'))
        return clBlack;
    int bytes[3];
    for (int i = 0; i < 3; ++i) {
        const int hi = HexDigit(text[1 + 2 * i]), lo = HexDigit(text[2 + 2 * i]);
        if (hi < 0 || lo < 0)
            return std::nullopt;
        bytes[i] = hi * 16 + lo;
    }
    return RGBColor(bytes[0], bytes[1], bytes[2]);
}

bool IsColorText(const QString& text) {
    return text.size() == 7 && text[0] == QLatin1Char('#') && HTMLToColor(text).has_value();
}
