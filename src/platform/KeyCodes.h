#pragma once

#include <Qt>

// The key codes of the editor's key handling, of its owners' key hooks and of the completion
// list: the numbers of the Windows virtual keys, named for the keys. Letters and digits are
// their upper-case ASCII codes ('A' .. 'Z', '0' .. '9'); F1 .. F24 are F1 + 0 .. 23.
namespace KeyCode {

inline constexpr int Backspace = 8;
inline constexpr int Tab = 9;
inline constexpr int Enter = 13;
inline constexpr int Shift = 16;
inline constexpr int Control = 17;
inline constexpr int Alt = 18;
inline constexpr int Pause = 19;
inline constexpr int CapsLock = 20;
inline constexpr int Escape = 27;
inline constexpr int Space = 32;
inline constexpr int PageUp = 33;
inline constexpr int PageDown = 34;
inline constexpr int End = 35;
inline constexpr int Home = 36;
inline constexpr int Left = 37;
inline constexpr int Up = 38;
inline constexpr int Right = 39;
inline constexpr int Down = 40;
inline constexpr int PrintScreen = 44;
inline constexpr int Insert = 45;
inline constexpr int Delete = 46;
inline constexpr int Meta = 91;
// The context-menu key.
inline constexpr int Apps = 93;
inline constexpr int F1 = 112;
inline constexpr int F24 = 135;
inline constexpr int NumLock = 144;
inline constexpr int ScrollLock = 145;
inline constexpr int Plus = 187;
inline constexpr int Comma = 188;
inline constexpr int Minus = 189;
inline constexpr int Period = 190;
// The key beside the left Shift that types "<" and ">" on the Swedish layout.
inline constexpr int LessGreater = 226;

// The code of a Qt key; 0 for a key without one.
int FromQt(int qtKey);
// The Qt key of a code (the first one that gives it); Qt::Key_unknown for none.
Qt::Key ToQt(int code);

} // namespace KeyCode
