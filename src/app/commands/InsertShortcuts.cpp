#include "app/commands/InsertShortcuts.h"

#include <algorithm>

namespace InsertShortcuts {

namespace {

constexpr quint32 kFirstDigitScanCode = 10; // the "1" key
constexpr quint32 kReturnScanCode = 36;
constexpr quint32 kKeypadEnterScanCode = 104;
constexpr quint32 kUScanCode = 30;
constexpr quint32 kSpaceScanCode = 65;

template <typename T> bool Contains(const std::vector<T>& list, T value) {
    return std::find(list.begin(), list.end(), value) != list.end();
}

std::vector<TPhysicalShortcut> BuildTable() {
    const Qt::KeyboardModifiers ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
    const std::vector<quint32> enter{kReturnScanCode, kKeypadEnterScanCode};
    const std::vector<int> enterKeys{Qt::Key_Return, Qt::Key_Enter};
    std::vector<TPhysicalShortcut> table{
        {"IInsertSpace", Qt::ControlModifier, {kSpaceScanCode}, {Qt::Key_Space}, {}},
        {"IInsertRaised", ctrlShift, {kUScanCode}, {Qt::Key_U}, {}},
        {"IInsertParaP", Qt::AltModifier, enter, enterKeys, {}},
        {"IInsertParaD", Qt::ControlModifier | Qt::AltModifier, enter, enterKeys, {}},
        {"IInsertBreakB", Qt::ControlModifier, enter, enterKeys, {}},
    };
    // Shift+1 .. Shift+6 on English and Nordic layouts.
    static const char* const headings[] = {"IInsertHeading1", "IInsertHeading2", "IInsertHeading3",
                                           "IInsertHeading4", "IInsertHeading5", "IInsertHeading6"};
    const std::vector<int> shifted[] = {
        {Qt::Key_Exclam},     {Qt::Key_At, Qt::Key_QuoteDbl},
        {Qt::Key_NumberSign}, {Qt::Key_Dollar, Qt::Key_currency},
        {Qt::Key_Percent},    {Qt::Key_AsciiCircum, Qt::Key_Ampersand},
    };
    for (int i = 0; i < 6; ++i)
        table.push_back({headings[i],
                         ctrlShift,
                         {kFirstDigitScanCode + static_cast<quint32>(i)},
                         {Qt::Key_1 + i},
                         shifted[i]});
    // The quick toggles of automatic character coding and indentation, Ctrl+Alt+Shift+1 and 2.
    const Qt::KeyboardModifiers ctrlAltShift = ctrlShift | Qt::AltModifier;
    static const char* const toggles[] = {"ChSettA", "ChSettB"};
    for (int i = 0; i < 2; ++i)
        table.push_back({toggles[i],
                         ctrlAltShift,
                         {kFirstDigitScanCode + static_cast<quint32>(i)},
                         {Qt::Key_1 + i},
                         shifted[i]});
    return table;
}

} // namespace

const std::vector<TPhysicalShortcut>& PhysicalShortcuts() {
    static const std::vector<TPhysicalShortcut> table = BuildTable();
    return table;
}

QString MatchPhysicalShortcut(int key, Qt::KeyboardModifiers modifiers, quint32 scanCode) {
    const Qt::KeyboardModifiers mods =
        modifiers & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier | Qt::MetaModifier);
    for (const TPhysicalShortcut& s : PhysicalShortcuts()) {
        if (s.Modifiers != mods)
            continue;
        const bool hit = scanCode != 0 ? Contains(s.ScanCodes, scanCode) || Contains(s.Keys, key)
                                       : Contains(s.Keys, key) || Contains(s.ShiftedKeys, key);
        if (hit)
            return QLatin1String(s.Action);
    }
    return QString();
}

} // namespace InsertShortcuts
