#include "platform/Cp1252.h"

#include <gtest/gtest.h>
#include <set>

namespace {

TEST(Cp1252, EveryByteRoundTripsThroughUnicode) {
    std::set<char16_t> seen;
    for (int b = 0; b < 256; ++b) {
        const QChar ch = Cp1252::ToUnicode(static_cast<unsigned char>(b));
        seen.insert(ch.unicode());
        char back = 0;
        ASSERT_TRUE(Cp1252::FromUnicode(ch.unicode(), &back)) << "byte " << b;
        EXPECT_EQ(static_cast<unsigned char>(back), b);
    }
    EXPECT_EQ(seen.size(), 256u);

    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    bool lossless = false;
    EXPECT_EQ(Cp1252::Encode(Cp1252::Decode(all), &lossless), all);
    EXPECT_TRUE(lossless);
}

TEST(Cp1252, HighHalfIsNotLatin1) {
    struct Case {
        unsigned char byte;
        char16_t code;
    };
    const Case cases[] = {
        {0x80, 0x20AC}, {0x81, 0x0081}, {0x85, 0x2026}, {0x89, 0x2030}, {0x8A, 0x0160},
        {0x8C, 0x0152}, {0x8E, 0x017D}, {0x93, 0x201C}, {0x96, 0x2013}, {0x99, 0x2122},
        {0x9A, 0x0161}, {0x9C, 0x0153}, {0x9E, 0x017E}, {0x9F, 0x0178}, {0xA0, 0x00A0},
        {0xA4, 0x00A4}, {0xE5, 0x00E5}, {0xFF, 0x00FF}, {0x7F, 0x007F},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Cp1252::ToUnicode(c.byte).unicode(), c.code) << "byte " << int(c.byte);
}

TEST(Cp1252, UnrepresentableCharactersBecomeQuestionMarks) {
    bool lossless = true;
    const QByteArray out = Cp1252::Encode(QString::fromUtf8("\xE2\x82\xAC"
                                                            "a\xE2\x86\x92"
                                                            "b"),
                                          &lossless);
    EXPECT_EQ(out, QByteArray("\x80"
                              "a?b"));
    EXPECT_FALSE(lossless);
    // Latin-1 code points that the code page moved are not bytes of their own.
    char b;
    EXPECT_FALSE(Cp1252::FromUnicode(0x008A, &b));
    EXPECT_FALSE(Cp1252::FromUnicode(0x0080, &b));
}

// Every byte's expected upper and lower case, built from the pairs the code page has.
TEST(Cp1252, CaseTables) {
    int upper[256], lower[256];
    for (int i = 0; i < 256; ++i)
        upper[i] = lower[i] = i;
    auto pair = [&](int up, int low) {
        upper[low] = up;
        lower[up] = low;
    };
    for (int c = 'A'; c <= 'Z'; ++c)
        pair(c, c + 32);
    for (int c = 0xC0; c <= 0xDE; ++c)
        if (c != 0xD7) // the multiplication sign and the division sign are no letters
            pair(c, c + 32);
    pair(0x8A, 0x9A); // S and s with caron
    pair(0x8C, 0x9C); // OE ligature
    pair(0x8E, 0x9E); // Z and z with caron
    pair(0x9F, 0xFF); // Y and y with diaeresis

    for (int b = 0; b < 256; ++b) {
        EXPECT_EQ(Cp1252::ToUpper(static_cast<unsigned char>(b)), upper[b]) << "byte " << b;
        EXPECT_EQ(Cp1252::ToLower(static_cast<unsigned char>(b)), lower[b]) << "byte " << b;
    }
    // Sharp s, micro sign, the two signs and the symbols keep their case.
    for (unsigned char b : {0xDF, 0xB5, 0xD7, 0xF7, 0x80, 0xAA, 0xBA})
        EXPECT_EQ(Cp1252::ToUpper(b), b) << int(b);

    const QByteArray mixed("\x8A\x9A\x8C\x9C\xC0\xE0\xDE\xFE\xD7\xF7\x9F\xFFzZ");
    EXPECT_EQ(Cp1252::UpperCase(mixed),
              QByteArray("\x8A\x8A\x8C\x8C\xC0\xC0\xDE\xDE\xD7\xF7\x9F\x9FZZ"));
    EXPECT_EQ(Cp1252::LowerCase(mixed),
              QByteArray("\x9A\x9A\x9C\x9C\xE0\xE0\xFE\xFE\xD7\xF7\xFF\xFFzz"));
}

} // namespace
