// The key-code table: Qt keys to codes and back.
#include "platform/KeyCodes.h"

#include <gtest/gtest.h>

namespace {

TEST(KeyCodes, QtKeysGiveTheirCodes) {
    struct Case {
        int qt;
        int code;
    };
    const Case cases[] = {
        {Qt::Key_Backspace, KeyCode::Backspace},
        {Qt::Key_Tab, KeyCode::Tab},
        {Qt::Key_Backtab, KeyCode::Tab},
        {Qt::Key_Return, KeyCode::Enter},
        {Qt::Key_Enter, KeyCode::Enter},
        {Qt::Key_Escape, KeyCode::Escape},
        {Qt::Key_Space, KeyCode::Space},
        {Qt::Key_PageUp, 33},
        {Qt::Key_PageDown, 34},
        {Qt::Key_End, 35},
        {Qt::Key_Home, 36},
        {Qt::Key_Left, 37},
        {Qt::Key_Up, 38},
        {Qt::Key_Right, 39},
        {Qt::Key_Down, 40},
        {Qt::Key_Insert, 45},
        {Qt::Key_Delete, 46},
        {Qt::Key_Menu, KeyCode::Apps},
        {Qt::Key_AltGr, KeyCode::Alt},
        {Qt::Key_Less, 226},
        {Qt::Key_Greater, 226},
        {Qt::Key_A, 'A'},
        {Qt::Key_Z, 'Z'},
        {Qt::Key_0, '0'},
        {Qt::Key_9, '9'},
        {Qt::Key_F1, 112},
        {Qt::Key_F12, 123},
        {Qt::Key_F24, 135},
        {Qt::Key_unknown, 0},
        {Qt::Key_Launch0, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(KeyCode::FromQt(c.qt), c.code) << std::hex << c.qt;
}

TEST(KeyCodes, EveryCodeComesBackFromItsQtKey) {
    for (int code = 1; code < 256; ++code) {
        const Qt::Key qt = KeyCode::ToQt(code);
        if (qt != Qt::Key_unknown) {
            EXPECT_EQ(KeyCode::FromQt(qt), code) << code;
        }
    }
    EXPECT_EQ(KeyCode::ToQt(KeyCode::Enter), Qt::Key_Return);
    EXPECT_EQ(KeyCode::ToQt(KeyCode::LessGreater), Qt::Key_Less);
    EXPECT_EQ(KeyCode::ToQt(7), Qt::Key_unknown);
}

} // namespace
