#include "app/core/StatusTexts.h"
#include "editor/model/EditorModel.h"

#include <gtest/gtest.h>

using namespace StatusTexts;

namespace {

TEST(StatusTextsTest, GroupedNumbersKeepThePatternsBlanks) {
    const std::pair<qint64, const char*> cases[] = {
        {0, "  0"},
        {2, "  2"},
        {12, "  12"},
        {123, "  123"},
        {1234, " 1 234"},
        {123456, " 123 456"},
        {1234567, "1 234 567"},
        {52428800, "52 428 800"},
        {1234567890, "1 234 567 890"},
        {1000000000000, "1 000 000 000 000"},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(FormatGrouped(value), QString::fromLatin1(text)) << value;
}

TEST(StatusTextsTest, PanelsForCaretSelectionAndSize) {
    EXPECT_EQ(CaretPanel(2, 6, 0), QStringLiteral("Rad:  3    Kol:  7"));
    EXPECT_EQ(CaretPanel(2, 6, 1), QStringLiteral("1 tecken markerat"));
    EXPECT_EQ(CaretPanel(2, 6, 5), QStringLiteral("5 tecken markerade"));
    EXPECT_EQ(PositionPanel(10, 0), QStringLiteral("Tkn: 11"));
    EXPECT_EQ(PositionPanel(10, 1), QStringLiteral("Tkn: 11"));
    EXPECT_EQ(PositionPanel(10, 5), QStringLiteral("Tkn: 11-15"));
    EXPECT_EQ(SizePanel(52428800), QStringLiteral("Filstorlek: 52 428 800 B"));
    EXPECT_EQ(CaretModePanel(false), QStringLiteral("INS"));
    EXPECT_EQ(CaretModePanel(true), QStringLiteral("ÖVER"));
    EXPECT_EQ(FileStatePanel(true, false), QStringLiteral("Sparad"));
    EXPECT_EQ(FileStatePanel(true, true), QStringLiteral("Ändrad"));
    EXPECT_EQ(FileStatePanel(false, true), QStringLiteral("Ny fil"));
    EXPECT_EQ(OpenFilesPanel(3), QStringLiteral("Filer öppna: 3"));
    EXPECT_EQ(FontSizeNote(12), QStringLiteral("Teckenstorlek: 12 pt."));
}

TEST(StatusTextsTest, PanelsFollowTheEditor) {
    TEditorModel m;
    struct Case {
        const char* what;
        QPoint caret, selEnd;
        const char *caretPanel, *position;
    };
    m.SetText("first line\r\nsecond\r\nthird line here\r\n");
    const Case cases[] = {
        {"caret only", {6, 2}, {6, 2}, "Rad:  3    Kol:  7", "Tkn: 27"},
        {"one character", {0, 1}, {1, 1}, "1 tecken markerat", "Tkn: 13"},
        {"backwards over a break", {2, 1}, {8, 0}, "6 tecken markerade", "Tkn: 9-14"},
    };
    for (const Case& c : cases) {
        m.Caret.SetPos(c.caret);
        m.SelEnd.SetPos(c.selEnd);
        const TSelectionPanels p = SelectionPanels(m);
        EXPECT_EQ(p.Caret, QString::fromLatin1(c.caretPanel)) << c.what;
        EXPECT_EQ(p.Position, QString::fromLatin1(c.position)) << c.what;
        EXPECT_EQ(p.Size, QStringLiteral("Filstorlek:   37 B")) << c.what;
    }
    m.SetText(QByteArray());
    EXPECT_EQ(SelectionPanels(m).Size, QStringLiteral("Filstorlek:   2 B"));
}

TEST(StatusTextsTest, TabHintAndLongHints) {
    EXPECT_EQ(TabHint("/home/a/site/index.html", 1234, true, false),
              QStringLiteral("Filnamn: index.html\nKatalog: /home/a/site/\nStorlek: 1 234 B\n"
                             "Sparad till fil: Sant\nFil modifierad: Falskt"));
    EXPECT_EQ(TabHint("Nytt dokument", 2, false, true),
              QStringLiteral("Filnamn: Nytt dokument\nKatalog: \nStorlek: 2 B\n"
                             "Sparad till fil: Falskt\nFil modifierad: Sant"));
    EXPECT_EQ(LongHint("Spara|Sparar dokumentet"), QStringLiteral("Sparar dokumentet"));
    EXPECT_EQ(LongHint("Spara"), QStringLiteral("Spara"));
    EXPECT_EQ(LongHint("a|b|c"), QStringLiteral("b|c"));
}

TEST(StatusTextsTest, EqualsAfterStyleOrClassOpensItsDialog) {
    struct Case {
        const char* text;
        QPoint caret;
        TDefTag expected;
    };
    const Case cases[] = {
        {"<p style\r\n", {8, 0}, TDefTag::Style},
        {"<p CLASS\r\n", {8, 0}, TDefTag::Class},
        {"<td Class\r\n", {9, 0}, TDefTag::Class},
        {" style\r\n", {6, 0}, TDefTag::Style},     // exactly six characters before the caret
        {"style\r\n", {5, 0}, TDefTag::None},       // fewer than six
        {"<p\r\nstyle\r\n", {5, 1}, TDefTag::None}, // the blank would be the line break
        {"<p xstyle\r\n", {9, 0}, TDefTag::None},
        {"<p style x\r\n", {7, 0}, TDefTag::None},
        {"", {0, 0}, TDefTag::None},
    };
    for (const Case& c : cases) {
        TEditorModel m;
        m.SetText(c.text);
        m.Caret.SetPos(c.caret);
        m.SelEnd.SetPos(c.caret);
        EXPECT_EQ(DefTagBeforeCaret(m), c.expected) << c.text;
    }
    EXPECT_EQ(DefTagFor(" sTyLe"), TDefTag::Style);
    EXPECT_EQ(DefTagFor("CLASS"), TDefTag::None);
}

} // namespace
