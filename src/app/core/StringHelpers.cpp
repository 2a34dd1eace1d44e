#include "app/core/StringHelpers.h"

#include "editor/view/TextEditorExSettings.h"

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
