#include "platform/KeyCodes.h"

namespace KeyCode {

namespace {

struct Row {
    Qt::Key qt;
    int code;
};

// Keys with a code of their own; where several Qt keys give one code, the first is the one
// that ToQt gives.
constexpr Row kRows[] = {
    {Qt::Key_Backspace, Backspace},
    {Qt::Key_Tab, Tab},
    {Qt::Key_Backtab, Tab},
    {Qt::Key_Return, Enter},
    {Qt::Key_Enter, Enter},
    {Qt::Key_Shift, Shift},
    {Qt::Key_Control, Control},
    {Qt::Key_Alt, Alt},
    {Qt::Key_AltGr, Alt},
    {Qt::Key_Pause, Pause},
    {Qt::Key_CapsLock, CapsLock},
    {Qt::Key_Escape, Escape},
    {Qt::Key_Space, Space},
    {Qt::Key_PageUp, PageUp},
    {Qt::Key_PageDown, PageDown},
    {Qt::Key_End, End},
    {Qt::Key_Home, Home},
    {Qt::Key_Left, Left},
    {Qt::Key_Up, Up},
    {Qt::Key_Right, Right},
    {Qt::Key_Down, Down},
    {Qt::Key_Print, PrintScreen},
    {Qt::Key_Insert, Insert},
    {Qt::Key_Delete, Delete},
    {Qt::Key_Meta, Meta},
    {Qt::Key_Menu, Apps},
    {Qt::Key_NumLock, NumLock},
    {Qt::Key_ScrollLock, ScrollLock},
    {Qt::Key_Plus, Plus},
    {Qt::Key_Comma, Comma},
    {Qt::Key_Minus, Minus},
    {Qt::Key_Period, Period},
    {Qt::Key_Less, LessGreater},
    {Qt::Key_Greater, LessGreater},
};

} // namespace

int FromQt(int qtKey) {
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return qtKey;
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return F1 + (qtKey - Qt::Key_F1);
    for (const Row& r : kRows)
        if (r.qt == qtKey)
            return r.code;
    return 0;
}

Qt::Key ToQt(int code) {
    if ((code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9'))
        return static_cast<Qt::Key>(code);
    if (code >= F1 && code <= F24)
        return static_cast<Qt::Key>(Qt::Key_F1 + (code - F1));
    for (const Row& r : kRows)
        if (r.code == code)
            return r.qt;
    return Qt::Key_unknown;
}

} // namespace KeyCode
