// The entity coding of text, both tables in both directions, and ROT13 of a string.
#include "editor/model/EditorModel.h"
#include "editor/model/Entities.h"
#include "platform/Cp1252.h"

#include <gtest/gtest.h>

namespace {

QByteArray AsciiLower(QByteArray s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + 32);
    return s;
}

TEST(EntityCoding, EveryAlphaRowCodesInBothCasesAndBack) {
    const auto& letters = Entities::AlphaLetters();
    const auto& entities = Entities::AlphaEntities();
    for (size_t i = 0; i < letters.size(); ++i) {
        const QByteArray capital = letters[i];
        const QByteArray small(
            1, static_cast<char>(Cp1252::ToLower(static_cast<unsigned char>(capital[0]))));
        const QByteArray plain = "x" + capital + " " + small + "y";
        const QByteArray coded = "x" + entities[i] + " " + AsciiLower(entities[i]) + "y";
        EXPECT_EQ(Entities::EncodeAlpha(plain), coded) << i;
        EXPECT_EQ(Entities::DecodeAlpha(coded), plain) << i;
        // The other table leaves them.
        EXPECT_EQ(Entities::EncodeOmega(plain), plain) << i;
        EXPECT_EQ(Entities::DecodeOmega(coded), coded) << i;
    }
}

TEST(EntityCoding, EveryOmegaRowCodesExactlyAndBack) {
    const auto& symbols = Entities::OmegaSymbols();
    const auto& entities = Entities::OmegaEntities();
    for (size_t i = 0; i < symbols.size(); ++i) {
        const QByteArray plain = "a" + symbols[i] + "b";
        const QByteArray coded = "a" + entities[i] + "b";
        EXPECT_EQ(Entities::EncodeOmega(plain), coded) << i;
        EXPECT_EQ(Entities::DecodeOmega(coded), plain) << i;
        EXPECT_EQ(Entities::EncodeAlpha(plain), plain) << i;
        EXPECT_EQ(Entities::DecodeAlpha(coded), coded) << i;
    }
}

TEST(EntityCoding, Examples) {
    struct Case {
        QByteArray (*fn)(const QByteArray&);
        const char* in;
        const char* out;
    };
    const Case cases[] = {
        {Entities::EncodeAlpha, "\xC5sa \xE5r", "&Aring;sa &aring;r"},
        {Entities::DecodeAlpha, "&Aring;sa &aring;r", "\xC5sa \xE5r"},
        {Entities::EncodeAlpha, "\x9C \x8C \xE6 \xDF \xFF",
         "&oelig; &OElig; &aelig; &szlig; &yuml;"},
        {Entities::DecodeAlpha, "&oelig;&szlig;&yuml;", "\x9C\xDF\xFF"},
        // Case is exact: other mixed forms stay.
        {Entities::DecodeAlpha, "&ARING; &aRing; &AELIG; &Szlig;",
         "&ARING; &aRing; &AELIG; &Szlig;"},
        {Entities::EncodeOmega, "\xF0\xD0", "&eth;&ETH;"},
        {Entities::EncodeOmega,
         "a\xA9"
         "b",
         "a&copy;b"},
        {Entities::EncodeOmega, "<p>&amp; a & b</p>", "<p>&amp; a & b</p>"},
        {Entities::DecodeOmega, "&COPY; &Eth; &euro;", "&COPY; &Eth; \x80"},
        // Letters outside the table stay (Š, Ÿ, ý), and so does plain ASCII.
        {Entities::EncodeAlpha, "\x8A\x9F\xFD abc <&>", "\x8A\x9F\xFD abc <&>"},
        // Ampersands of no table entity: alone, unknown names, numeric forms, no ';'.
        {Entities::DecodeAlpha, "&", "&"},
        {Entities::DecodeAlpha, "a & b;", "a & b;"},
        {Entities::DecodeAlpha, "&bogus; &;", "&bogus; &;"},
        {Entities::DecodeAlpha, "&#197; &#xC5;", "&#197; &#xC5;"},
        {Entities::DecodeAlpha, "&Aring &Aring", "&Aring &Aring"},
        {Entities::DecodeAlpha, "&amp;Aring;", "&amp;Aring;"},
        {Entities::DecodeAlpha, "&&Aring;;", "&\xC5;"},
        {Entities::DecodeAlpha, "&Aring;&Auml;", "\xC5\xC4"},
        {Entities::DecodeOmega, "&&&copy&copy;", "&&&copy\xA9"},
        // Decoding yields no new entity to decode.
        {Entities::DecodeAlpha, "&amp;Aring;&Aring;", "&amp;Aring;\xC5"},
        {Entities::EncodeAlpha, "", ""},
        {Entities::DecodeOmega, "", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.fn(c.in), QByteArray(c.out)) << c.in;
}

TEST(Rot13, LettersOnlyAndItsOwnInverse) {
    EXPECT_EQ(TEditorModel::ROT13Str(QByteArray("Hello, World!")), "Uryyb, Jbeyq!");
    EXPECT_EQ(
        TEditorModel::ROT13Str(QByteArray("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")),
        "NOPQRSTUVWXYZABCDEFGHIJKLMnopqrstuvwxyzabcdefghijklm");
    EXPECT_EQ(TEditorModel::ROT13Str(QByteArray("\xE5\xE4\xF6 @[`{09")), "\xE5\xE4\xF6 @[`{09");
    EXPECT_EQ(TEditorModel::ROT13Str(QByteArray()), QByteArray());
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    EXPECT_EQ(TEditorModel::ROT13Str(TEditorModel::ROT13Str(all)), all);

    EXPECT_EQ(TEditorModel::ROT13Str(QStringLiteral("L\u00F6senord\u20AC1z")),
              QStringLiteral("Y\u00F6frabeq\u20AC1m"));
    EXPECT_EQ(TEditorModel::ROT13Str(QString()), QString());
}

} // namespace
