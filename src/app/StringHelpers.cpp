#include "app/StringHelpers.h"

#include "editor/TextEditorExSettings.h"

#include <QDir>

namespace {

template <typename Char> bool IsBlank(Char c) {
    return c == Char(' ') || c == Char('\t');
}

template <typename Str> Str TrimLeft(const Str& text) {
    qsizetype i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    return text.mid(i);
}

template <typename Str> Str TrimRight(const Str& text) {
    qsizetype n = text.size();
    while (n > 0 && IsBlank(text[n - 1]))
        --n;
    return text.left(n);
}

template <typename Str> qsizetype PosFromImpl(const Str& sought, const Str& text, qsizetype start) {
    if (sought.isEmpty())
        return 0;
    const qsizetype from = start < 1 ? 0 : start - 1;
    if (from >= text.size())
        return 0;
    const qsizetype hit = text.indexOf(sought, from);
    return hit < 0 ? 0 : hit + 1;
}

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

QByteArray TrimLeftBlanks(const QByteArray& text) {
    return TrimLeft(text);
}
QString TrimLeftBlanks(const QString& text) {
    return TrimLeft(text);
}
QByteArray TrimRightBlanks(const QByteArray& text) {
    return TrimRight(text);
}
QString TrimRightBlanks(const QString& text) {
    return TrimRight(text);
}

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

qsizetype PosFrom(const QByteArray& sought, const QByteArray& text, qsizetype start) {
    return PosFromImpl(sought, text, start);
}

qsizetype PosFrom(const QString& sought, const QString& text, qsizetype start) {
    return PosFromImpl(sought, text, start);
}

QString ExtractParentDir(const QString& path) {
    const QChar bs = QLatin1Char('\\');
    QString s = path;
    s.replace(QLatin1Char('/'), bs);
    while (s.endsWith(bs))
        s.chop(1);
    const qsizetype last = s.lastIndexOf(bs);
    if (last >= 0)
        s.truncate(last + 1);
    while (s.endsWith(bs))
        s.chop(1);
    return s;
}

QString ExtractLocalParentDir(const QString& path) {
    QString clean = QDir::cleanPath(path);
    if (clean.isEmpty())
        return clean;
    const qsizetype last = clean.lastIndexOf(QLatin1Char('/'));
    if (last < 0)
        return clean;
    if (last == 0)
        return QStringLiteral("/");
    return clean.left(last);
}

QByteArray GetIndentString(const TTextEditorExSettings& mainEditorSettings) {
    const int n = mainEditorSettings.TabLength();
    return n > 0 ? QByteArray(n, ' ') : QByteArray();
}

QString BoolToStrSv(quint8 flag) {
    switch (flag) {
    case 1:
        return QStringLiteral("Sant");
    case 0:
        return QStringLiteral("Falskt");
    default:
        return QStringLiteral("Internt fel");
    }
}
