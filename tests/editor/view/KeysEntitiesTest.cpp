// The entity tables that typing and the entity-wise Backspace use.
#include "editor/model/Entities.h"
#include "platform/Cp1252.h"

#include <gtest/gtest.h>

namespace {

TEST(EntityTables, RowsAlignAndNameKnownEntities) {
    ASSERT_EQ(Entities::AlphaLetters().size(), 30u);
    ASSERT_EQ(Entities::AlphaEntities().size(), 30u);
    ASSERT_EQ(Entities::OmegaSymbols().size(), 30u);
    ASSERT_EQ(Entities::OmegaEntities().size(), 30u);
    for (const auto* table : {&Entities::AlphaEntities(), &Entities::OmegaEntities()}) {
        for (const QByteArray& e : *table) {
            ASSERT_TRUE(e.startsWith('&') && e.endsWith(';')) << e.constData();
            EXPECT_TRUE(Entities::IsEntityBody(QByteArrayView(e).sliced(1, e.size() - 2)))
                << e.constData();
        }
    }
    for (const QByteArray& l : Entities::AlphaLetters())
        EXPECT_EQ(l.size(), 1);
}

TEST(EntityTables, EveryLetterTypesItsEntityInBothCases) {
    for (size_t i = 0; i < Entities::AlphaLetters().size(); ++i) {
        const char letter = Entities::AlphaLetters()[i][0];
        QByteArray e;
        ASSERT_TRUE(Entities::TypedEntity(letter, &e));
        const char small = static_cast<char>(Cp1252::ToLower(static_cast<unsigned char>(letter)));
        ASSERT_TRUE(Entities::TypedEntity(small, &e));
        EXPECT_TRUE(Entities::IsEntityBody(QByteArrayView(e).sliced(1, e.size() - 2)))
            << e.constData();
    }
    QByteArray e;
    EXPECT_FALSE(Entities::TypedEntity('a', &e));
    EXPECT_FALSE(Entities::TypedEntity('&', &e));
    EXPECT_FALSE(Entities::TypedEntity('<', &e));
}

TEST(EntityTables, EntityBodies) {
    struct Case {
        const char* body;
        bool entity;
    };
    const Case cases[] = {
        {"amp", true},    {"nbsp", true}, {"#169", true},       {"#x1f", true},  {"#XA9", true},
        {"", false},      {"#", false},   {"#x", false},        {"#12a", false}, {"AMP", false},
        {"bogus", false}, {"a b", false}, {" b) x = 1", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Entities::IsEntityBody(c.body), c.entity) << c.body;
}

TEST(EntityTables, LongestBodyCoversNamesAndEveryCodePoint) {
    const int longest = Entities::MaxEntityBodyLength();
    EXPECT_EQ(longest, 8); // "thetasym", "#1114111", "#x10FFFF"
    for (const auto* table : {&Entities::AlphaEntities(), &Entities::OmegaEntities()})
        for (const QByteArray& e : *table)
            EXPECT_LE(e.size() - 2, longest) << e.constData();
}

} // namespace
