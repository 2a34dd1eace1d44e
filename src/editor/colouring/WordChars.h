#pragma once

#include <array>

// The built-in word set: '0'-'9', 'A'-'Z', 'a'-'z' and the Latin-1 letters (192-214, 216-246,
// 248-255 of Windows-1252).
namespace WordChars {

inline constexpr std::array<bool, 256> kTable = [] {
    std::array<bool, 256> t{};
    for (int c = '0'; c <= '9'; ++c)
        t[c] = true;
    for (int c = 'A'; c <= 'Z'; ++c)
        t[c] = t[c + 32] = true;
    for (int c = 192; c <= 255; ++c)
        t[c] = c != 215 && c != 247;
    return t;
}();

inline bool IsWordChar(unsigned char c) {
    return kTable[c];
}
inline bool IsWordChar(char c) {
    return kTable[static_cast<unsigned char>(c)];
}

} // namespace WordChars
