#include "controls/SpecialChartersCaps.h"
#include "controls/SpecialChartersGreek.h"
#include "controls/SpecialChartersMath.h"
#include "controls/SpecialChartersSmall.h"
#include "controls/SpecialChartersText.h"

#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

struct Sample {
    int index;
    const char* text; // UTF-8
    const char* entity;
};

struct ListCase {
    const char* name;
    std::function<TSpecialChartersCombo*()> make;
    const char* family;
    int count;
    const char* items; // every item, UTF-8, space-separated
    std::vector<Sample> samples;
};

const ListCase kLists[] = {
    {"Greek",
     [] { return new TSpecialChartersGreek; },
     "Symbol",
     49,
     "Α Β Γ Δ Ε Ζ Η Θ Ι Κ Λ Μ Ν Ξ Ο Π Ρ Σ Τ Υ Φ Χ Ψ Ω "
     "α β γ δ ε ζ η θ ι κ λ μ ν ξ ο π ρ ς σ τ υ ϕ χ ψ ω",
     {{0, "Α", "&Alpha;"},
      {14, "Ο", "&Omicron;"},
      {23, "Ω", "&Omega;"},
      {41, "ς", "&sigmaf;"},
      {42, "σ", "&sigma;"},
      {48, "ω", "&omega;"}}},
    {"Math",
     [] { return new TSpecialChartersMath; },
     "Symbol",
     20,
     "° μ ± × ÷ √ ∑ ∏ ∞ ∫ ≡ ≈ ≠ < > ≤ ≥ 1/4 1/2 3/4",
     {{0, "°", "&deg;"},
      {10, "≡", "&equiv;"},
      {13, "<", "&lt;"},
      {16, "≥", "&ge;"},
      {18, "1/2", "&frac12;"},
      {19, "3/4", "&frac34;"}}},
    {"Text",
     [] { return new TSpecialChartersText; },
     "Verdana",
     14,
     "© ® ™ ‚ „ ‘ ’ “ ” € ¢ £ ¡ ¿",
     {{0, "©", "&copy;"}, {2, "™", "&trade;"}, {9, "€", "&euro;"}, {13, "¿", "&iquest;"}}},
    {"Small",
     [] { return new TSpecialChartersSmall; },
     "Verdana",
     32,
     "å ä á à â ã æ ë é è ê ñ ö ó ò ô õ ï í î ü ú ù û ç ì ø œ ß ÿ ð þ",
     {{0, "å", "&aring;"}, {27, "œ", "&oelig;"}, {28, "ß", "&szlig;"}, {31, "þ", "&thorn;"}}},
    {"Caps",
     [] { return new TSpecialChartersCaps; },
     "Verdana",
     32,
     "Å Ä Á À Â Ã Æ Ë É È Ê Ñ Ö Ó Ò Ô Õ Ï Í Î Ü Ú Ù Û Ç Ì Ø Œ ß ÿ Ð Þ",
     {{6, "Æ", "&AElig;"},
      {27, "Œ", "&OElig;"},
      {28, "ß", "&szlig;"},
      {29, "ÿ", "&yuml;"},
      {31, "Þ", "&THORN;"}}},
};

QString ItemsOf(const QComboBox& combo) {
    QStringList texts;
    for (int i = 0; i < combo.count(); ++i)
        texts << combo.itemText(i);
    return texts.join(' ');
}

struct Lists : ::testing::TestWithParam<ListCase> {};

// Records OnChange and OnCharterSelect in the order they fire.
struct Picks : ::testing::Test {
    void Watch(TSpecialChartersCombo& combo, bool charterSelect = true) {
        combo.OnChange = [this, &combo](QObject* sender) {
            EXPECT_EQ(sender, &combo);
            log << QStringLiteral("change");
        };
        if (charterSelect)
            combo.OnCharterSelect = [this, &combo](QObject* sender, const char* coded) {
                EXPECT_EQ(sender, &combo);
                log << QString::fromLatin1(coded);
            };
    }
    QStringList log;
};

} // namespace

TEST_P(Lists, HoldTheirCharactersAndEntitiesIndexAligned) {
    const ListCase& c = GetParam();
    std::unique_ptr<TSpecialChartersCombo> combo(c.make());
    EXPECT_EQ(combo->font().family(), QString::fromLatin1(c.family));
    EXPECT_EQ(combo->font().pointSize(), 10);
    EXPECT_FALSE(combo->isEditable());
    EXPECT_EQ(combo->count(), c.count);
    EXPECT_EQ(combo->Entities().size(), c.count);
    EXPECT_EQ(combo->currentIndex(), -1);
    EXPECT_EQ(ItemsOf(*combo), QString::fromUtf8(c.items));
    for (const QByteArray& entity : combo->Entities()) {
        EXPECT_TRUE(entity.startsWith('&') && entity.endsWith(';')) << entity.constData();
    }
    for (const Sample& s : c.samples) {
        EXPECT_EQ(combo->itemText(s.index), QString::fromUtf8(s.text)) << s.index;
        EXPECT_EQ(combo->Entity(s.index), QByteArray(s.entity)) << s.index;
    }
    EXPECT_TRUE(combo->Entity(-1).isEmpty());
    EXPECT_TRUE(combo->Entity(c.count).isEmpty());
}

TEST_P(Lists, RecreatingTheWindowNeverDoublesTheItems) {
    const ListCase& c = GetParam();
    std::unique_ptr<TSpecialChartersCombo> combo(c.make());
    int changes = 0;
    combo->OnChange = [&](QObject*) { ++changes; };
    combo->setCurrentIndex(c.count - 1);
    combo->RecreateWnd();
    combo->RecreateWnd();
    EXPECT_EQ(combo->count(), c.count);
    EXPECT_EQ(combo->Entities().size(), c.count);
    EXPECT_EQ(ItemsOf(*combo), QString::fromUtf8(c.items));
    EXPECT_EQ(combo->currentIndex(), c.count - 1);
    EXPECT_EQ(changes, 0);
}

INSTANTIATE_TEST_SUITE_P(SpecialChars, Lists, ::testing::ValuesIn(kLists),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Picks, GreekFirstFinalSigmaAndLast) {
    TSpecialChartersGreek greek;
    Watch(greek);
    QTest::keyClick(&greek, Qt::Key_Home);
    greek.setCurrentIndex(40); // the program's own change fires nothing
    QTest::keyClick(&greek, Qt::Key_Down);
    QTest::keyClick(&greek, Qt::Key_End);
    EXPECT_EQ(log, (QStringList{"change", "&Alpha;", "change", "&sigmaf;", "change", "&omega;"}));
}

TEST_F(Picks, MathHalfAndIdentity) {
    TSpecialChartersMath math;
    Watch(math);
    math.setCurrentIndex(17);
    QTest::keyClick(&math, Qt::Key_Down);
    math.setCurrentIndex(11);
    QTest::keyClick(&math, Qt::Key_Up);
    EXPECT_EQ(log, (QStringList{"change", "&frac12;", "change", "&equiv;"}));
}

TEST_F(Picks, WithoutOnCharterSelectOnlyOnChangeFires) {
    TSpecialChartersText text;
    Watch(text, false);
    QTest::keyClick(&text, Qt::Key_Home);
    QTest::keyClick(&text, Qt::Key_Down);
    EXPECT_EQ(text.currentIndex(), 1);
    EXPECT_EQ(log, (QStringList{"change", "change"}));
}

TEST_F(Picks, ProgramChangesFireNothing) {
    TSpecialChartersCaps caps;
    Watch(caps);
    caps.setCurrentIndex(3);
    caps.RecreateWnd();
    EXPECT_TRUE(log.isEmpty());
}
