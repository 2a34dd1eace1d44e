// Caret moves and word boundaries.
#include "KeysFixture.h"

namespace {

struct WordCase {
    const char* name;
    QByteArray text;
    QPoint from;
    QPoint left;  // WordLeft(from)
    QPoint right; // WordRight(from)
};

class WordBoundaries : public EditorFixture, public ::testing::WithParamInterface<WordCase> {};

TEST_P(WordBoundaries, LeftAndRight) {
    const WordCase& c = GetParam();
    Set(c.text);
    EXPECT_EQ(ed->WordLeft(c.from), c.left);
    EXPECT_EQ(ed->WordRight(c.from), c.right);
}

const WordCase kWordCases[] = {
    {"EndOfTwoWords", "abc def", {7, 0}, {4, 0}, {7, 0}},
    {"TwoBlanksBetween", "abc  def", {8, 0}, {4, 0}, {8, 0}},
    {"FromStart", "abc def", {0, 0}, {0, 0}, {3, 0}},
    {"SkipsTwoAfter", "abc def", {1, 0}, {0, 0}, {3, 0}},
    {"SecondToLastLetterGoesToNextWordEnd", "abc def", {2, 0}, {0, 0}, {7, 0}},
    {"ParagraphTag", "<p>x", {3, 0}, {1, 0}, {4, 0}},
    {"AfterLessThan", "<p>x", {1, 0}, {0, 0}, {4, 0}},
    {"StopBeforeBlank", "a.bcd efg", {0, 0}, {0, 0}, {5, 0}},
    {"StopCharNearer", "ab cd.ef gh", {9, 0}, {6, 0}, {11, 0}},
    {"LineStartGoesToPreviousLine", "abc def\nxyz", {0, 1}, {4, 0}, {3, 1}},
    {"LineEndGoesToNextLine", "abc\nde fg", {3, 0}, {0, 0}, {2, 1}},
    {"OverEmptyLines", "ab cd\n\n\n\nxy", {0, 4}, {3, 0}, {2, 4}},
    {"EndOfTextStays", "ab\n\n", {0, 1}, {0, 0}, {0, 1}},
    {"PastLineEndCountsAsEnd", "abc def", {9, 0}, {4, 0}, {7, 0}},
    {"BlankRunAtLineEnd", "ab   ", {0, 0}, {0, 0}, {4, 0}},
};

INSTANTIATE_TEST_SUITE_P(Moves, WordBoundaries, ::testing::ValuesIn(kWordCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct MoveCase {
    const char* name;
    QByteArray text;
    QPoint caret;
    QString keys;
    QPoint expectedCaret;
    QPoint expectedSelEnd;
};

class CaretMoves : public EditorFixture, public ::testing::WithParamInterface<MoveCase> {};

TEST_P(CaretMoves, Sequence) {
    const MoveCase& c = GetParam();
    Set(c.text, c.caret.x(), c.caret.y());
    Keys(c.keys);
    EXPECT_EQ(CaretPos(), c.expectedCaret);
    EXPECT_EQ(SelEndPos(), c.expectedSelEnd);
}

const MoveCase kMoveCases[] = {
    {"Left", "ab", {1, 0}, "<Left>", {0, 0}, {0, 0}},
    {"LeftWrapsToPreviousLineEnd", "ab\ncd", {0, 1}, "<Left>", {2, 0}, {2, 0}},
    {"LeftAtTextStart", "ab", {0, 0}, "<Left>", {0, 0}, {0, 0}},
    {"RightWrapsToNextLine", "ab\ncd", {2, 0}, "<Right>", {0, 1}, {0, 1}},
    {"RightAtTextEnd", "ab", {2, 0}, "<Right>", {2, 0}, {2, 0}},
    {"ShiftRightSelects", "abcd", {0, 0}, "<S-Right><S-Right><S-Right>", {0, 0}, {3, 0}},
    {"RightCollapsesFromCaret",
     "abcd",
     {0, 0},
     "<S-Right><S-Right><S-Right><Right>",
     {1, 0},
     {1, 0}},
    {"UpClipsAndKeepsNoColumn", "abcdef\nab\nabcdef", {5, 2}, "<Up><Up>", {2, 0}, {2, 0}},
    {"UpOnFirstLine", "abc", {2, 0}, "<Up>", {2, 0}, {2, 0}},
    {"DownOnLastLine", "abc", {1, 0}, "<Down>", {1, 0}, {1, 0}},
    {"ShiftDownMovesSelEnd", "abc\nd", {2, 0}, "<S-Down>", {2, 0}, {1, 1}},
    {"HomeEnd", "abc", {1, 0}, "<End>", {3, 0}, {3, 0}},
    {"Home", "abc", {2, 0}, "<Home>", {0, 0}, {0, 0}},
    {"CtrlHomeEnd", "ab\ncd\nef", {1, 1}, "<C-End>", {2, 2}, {2, 2}},
    {"CtrlHome", "ab\ncd\nef", {1, 1}, "<C-Home>", {0, 0}, {0, 0}},
    {"ShiftCtrlEndSelectsToEnd", "ab\ncd", {1, 0}, "<S-C-End>", {1, 0}, {2, 1}},
    {"CtrlRight", "abc def", {0, 0}, "<C-Right>", {3, 0}, {3, 0}},
    {"CtrlLeft", "abc def", {7, 0}, "<C-Left>", {4, 0}, {4, 0}},
    {"ShiftCtrlLeftMovesSelEnd", "abc def", {7, 0}, "<S-C-Left><S-C-Left>", {7, 0}, {0, 0}},
};

INSTANTIATE_TEST_SUITE_P(Moves, CaretMoves, ::testing::ValuesIn(kMoveCases),
                         [](const auto& info) { return std::string(info.param.name); });

using PageMoves = EditorFixture;

QByteArray NumberedLines(int n) {
    QByteArray t;
    for (int i = 0; i < n; ++i)
        t += "line" + QByteArray::number(i) + (i + 1 < n ? "\n" : "");
    return t;
}

TEST_F(PageMoves, PageDownNearEndGoesToLastLineEnd) {
    const int rows = ed->ClientRows();
    ASSERT_GT(rows, 2);
    Set(NumberedLines(rows + 3), 2, 5);
    Keys("<PgDn>");
    const int last = ed->Lines.Count() - 1;
    EXPECT_EQ(CaretPos(), QPoint(ed->Lines.Length(last), last));
}

TEST_F(PageMoves, PageDownKeepsColumn) {
    const int rows = ed->ClientRows();
    Set(NumberedLines(3 * rows), 3, 0);
    Keys("<PgDn>");
    EXPECT_EQ(CaretPos(), QPoint(3, rows));
    Keys("<S-PgUp>");
    EXPECT_EQ(CaretPos(), QPoint(3, rows));
    EXPECT_EQ(SelEndPos(), QPoint(3, 0));
}

TEST_F(PageMoves, PageUpNearStartKeepsColumnOnLineZero) {
    Set("abcdef\nx\nabcdef", 4, 2);
    Keys("<PgUp>");
    EXPECT_EQ(CaretPos(), QPoint(4, 0));
}

TEST_F(PageMoves, WordMovesOverHundredThousandEmptyLines) {
    QByteArray text = "ab cd";
    text += QByteArray(100000, '\n');
    text += "ef";
    Set(text, 5, 0);
    Keys("<C-Right>");
    EXPECT_EQ(CaretPos(), QPoint(2, 100000));
    Keys("<Home><C-Left>");
    EXPECT_EQ(CaretPos(), QPoint(3, 0));
}

} // namespace
