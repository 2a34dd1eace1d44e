#include "app/core/StringHelpers.h"
#include "editor/view/TextEditorExSettings.h"

#include <gtest/gtest.h>

namespace {

struct TrimCase {
    const char* text;
    const char* left;
    const char* right;
};

TEST(StringHelpers, TrimBlanksTable) {
    const TrimCase cases[] = {
        {"", "", ""},
        {" \t \t", "", ""},
        {"  \t a b \t ", "a b \t ", "  \t a b"},
        {"abc", "abc", "abc"},
        {"\r\n x \r\n", "\r\n x \r\n", "\r\n x \r\n"},
        {" \r\n", "\r\n", " \r\n"},
        {"\t\xA0x\xA0\t", "\xA0x\xA0\t", "\t\xA0x\xA0"},
    };
    for (const TrimCase& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(TrimLeftBlanks(QByteArray(c.text)), QByteArray(c.left));
        EXPECT_EQ(TrimRightBlanks(QByteArray(c.text)), QByteArray(c.right));
        EXPECT_EQ(TrimLeftBlanks(QString::fromLatin1(c.text)), QString::fromLatin1(c.left));
        EXPECT_EQ(TrimRightBlanks(QString::fromLatin1(c.text)), QString::fromLatin1(c.right));
    }
}

TEST(StringHelpers, ColorToHTMLTable) {
    const struct {
        TColor color;
        const char* html;
    } cases[] = {
        {clBlack, "#000000"},      {clRed, "#FF0000"},      {clBlue, "#0000FF"},
        {clLime, "#00FF00"},       {0x123456, "#563412"},   {0x00ABCDEF, "#EFCDAB"},
        {clWindowText, "#080000"}, {0x7F0A0B0C, "#0C0B0A"}, {clWhite, "#FFFFFF"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ColorToHTML(c.color), QLatin1String(c.html)) << std::hex << c.color;
}

TEST(StringHelpers, HTMLToColorTable) {
    const struct {
        const char* text;
        bool good;
        TColor color;
    } cases[] = {
        {"#FF8000", true, 0x0080FF},
        {"#ff8000", true, 0x0080FF},
        {"#aBcDeF", true, 0xEFCDAB},
        {"#000000", true, clBlack},
        // Not a colour text at all: black.
        {"FF8000", true, clBlack},
        {"", true, clBlack},
        {"#", true, clBlack},
        {"#FF80001", true, clBlack},
        {"XFF8000", true, clBlack},
        // A colour text with a bad digit: never half read.
        {"#GG0000", false, 0},
        {"#FF800G", false, 0},
        {"#+12345", false, 0},
        {"#-12345", false, 0},
        {"# 12345", false, 0},
        {"#12345 ", false, 0},
        {"#0x1234", false, 0},
        {"#$12345", false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const std::optional<TColor> got = HTMLToColor(QLatin1String(c.text));
        ASSERT_EQ(got.has_value(), c.good);
        if (c.good) {
            EXPECT_EQ(*got, c.color);
        }
    }
}

TEST(StringHelpers, ColorRoundTrip) {
    for (TColor c : {clBlack, clRed, clBlue, clTeal, TColor(0x0080FF), TColor(0xA85E33)})
        EXPECT_EQ(HTMLToColor(ColorToHTML(c)), c);
}

TEST(StringHelpers, PosFromTable) {
    const struct {
        const char* sought;
        const char* text;
        qsizetype start;
        qsizetype pos;
    } cases[] = {
        {"a", "banana", 3, 4},  {"a", "banana", 7, 0},       {"a", "banana", 1, 2},
        {"a", "banana", 0, 2},  {"a", "banana", -5, 2},      {"a", "banana", 6, 6},
        {"na", "banana", 4, 5}, {"na", "banana", 6, 0},      {"banana", "banana", 1, 1},
        {"A", "banana", 1, 0},  {"", "banana", 1, 0},        {"", "", 0, 0},
        {"x", "", 1, 0},        {"bananas", "banana", 1, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.sought << " in " << c.text << " from " << c.start);
        EXPECT_EQ(PosFrom(QByteArray(c.sought), QByteArray(c.text), c.start), c.pos);
        EXPECT_EQ(PosFrom(QString::fromLatin1(c.sought), QString::fromLatin1(c.text), c.start),
                  c.pos);
    }
}

TEST(StringHelpers, ExtractParentDirTable) {
    const struct {
        const char* path;
        const char* parent;
    } cases[] = {
        {"C:\\web\\img\\", "C:\\web"},
        {"/pub/docs/a.txt", "\\pub\\docs"},
        {"/pub/docs//", "\\pub"},
        {"C:\\web", "C:"},
        {"name", "name"},
        {"", ""},
        {"/pub", ""},
        {"/", ""},
        {"\\\\server\\share\\dir", "\\\\server\\share"},
        {"a/b\\c", "a\\b"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ExtractParentDir(QString::fromLatin1(c.path)), QString::fromLatin1(c.parent))
            << c.path;
}

TEST(StringHelpers, ExtractLocalParentDirTable) {
    const struct {
        const char* path;
        const char* parent;
    } cases[] = {
        {"/home/a/b", "/home/a"},
        {"/home/a/b/", "/home/a"},
        {"/home", "/"},
        {"/", "/"},
        {"rel/x", "rel"},
        {"x", "x"},
        {"/home//a/./b", "/home/a"},
        {"/home/a/b/..", "/home"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ExtractLocalParentDir(QString::fromUtf8(c.path)), QString::fromUtf8(c.parent))
            << c.path;
}

TEST(StringHelpers, GetIndentStringFollowsTabLength) {
    TTextEditorExSettings settings;
    for (int n : {4, 2, 1, 0, 8}) {
        settings.SetTabLength(n);
        EXPECT_EQ(GetIndentString(settings), QByteArray(n, ' ')) << n;
    }
}

TEST(StringHelpers, BoolToStrSvTable) {
    const struct {
        quint8 flag;
        const char* text;
    } cases[] = {{1, "Sant"}, {0, "Falskt"}, {2, "Internt fel"}, {255, "Internt fel"}};
    for (const auto& c : cases)
        EXPECT_EQ(BoolToStrSv(c.flag), QString::fromUtf8(c.text)) << int(c.flag);
}

} // namespace
