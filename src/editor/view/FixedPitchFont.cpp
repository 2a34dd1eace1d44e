#include "editor/view/FixedPitchFont.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QStringList>
#include <algorithm>

bool IsFixedPitch(const QFont& font) {
    // Some monospaced faces do not declare it: their advances tell.
    if (QFontInfo(font).fixedPitch())
        return true;
    const QFontMetrics fm(font);
    const int width = fm.horizontalAdvance(QLatin1Char('M'));
    for (const char c : {'i', 'W', '.', 'l', ' '})
        if (fm.horizontalAdvance(QLatin1Char(c)) != width)
            return false;
    return width > 0;
}

QFont FixedPitchFont(const QFont& named) {
    QFont font = named;
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    QStringList families = named.families();
    if (families.isEmpty())
        families.append(named.family());
    const bool present = std::any_of(families.begin(), families.end(),
                                     [](const QString& f) { return QFontDatabase::hasFamily(f); });
    // A family the user named and has stays, even when it is proportional.
    if (present || IsFixedPitch(font))
        return font;
    const auto withFamily = [&](const QString& family) {
        QFont candidate = font;
        candidate.setFamilies({family});
        return candidate;
    };
    const QFont system = withFamily(QFontDatabase::systemFont(QFontDatabase::FixedFont).family());
    if (IsFixedPitch(system))
        return system;
    for (const QString& family : QFontDatabase::families()) {
        if (!QFontDatabase::isFixedPitch(family))
            continue;
        const QFont candidate = withFamily(family);
        if (IsFixedPitch(candidate))
            return candidate;
    }
    return font;
}
