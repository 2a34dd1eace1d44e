#include "editor/model/EditorModel.h"

#include "TestSupport.h"

#include <QClipboard>
#include <QGuiApplication>
#include <algorithm>
#include <gtest/gtest.h>
#include <optional>
#include <vector>

namespace {

using Lines = std::vector<QByteArray>;

void Fill(TEditorModel& m, const Lines& lines) {
    m.Lines.Replace(0, m.Lines.Count(), lines);
    m.UpdateView();
}

void Select(TEditorModel& m, QPoint caret, QPoint selEnd) {
    m.Caret.SetPosSilently(caret);
    m.SelEnd.SetPosSilently(selEnd);
}

std::string Describe(const Lines& lines) {
    std::string s;
    for (const QByteArray& l : lines)
        s += "[" + l.toStdString() + "]";
    return s;
}

// --- offsets and positions ------------------------------------------------------------------

struct OffsetCase {
    Lines lines;
    int offset;
    std::optional<QPoint> pos; // none: the offset is ignored
};

TEST(EditorModelOffsets, SetSelStartAndGetSelStart) {
    const OffsetCase cases[] = {
        // "ab" / "cd": 0-1 are a, b; 2 and 3 the break; 4 is c; total 8, limit 6.
        {{"ab", "cd"}, 0, QPoint(0, 0)},
        {{"ab", "cd"}, 1, QPoint(1, 0)},
        {{"ab", "cd"}, 2, QPoint(2, 0)},
        {{"ab", "cd"}, 3, QPoint(2, 0)}, // inside the break: the end of the line
        {{"ab", "cd"}, 4, QPoint(0, 1)},
        {{"ab", "cd"}, 5, QPoint(1, 1)},
        {{"ab", "cd"}, 6, QPoint(2, 1)},
        {{"ab", "cd"}, 7, std::nullopt},
        {{"ab", "cd"}, 8, std::nullopt},
        {{"ab", "cd"}, -1, std::nullopt},
        // Empty lines first and last.
        {{"", "x", ""}, 0, QPoint(0, 0)},
        {{"", "x", ""}, 1, QPoint(0, 0)},
        {{"", "x", ""}, 2, QPoint(0, 1)},
        {{"", "x", ""}, 3, QPoint(1, 1)},
        {{"", "x", ""}, 4, QPoint(1, 1)},
        {{"", "x", ""}, 5, QPoint(0, 2)},
        {{"", "x", ""}, 6, std::nullopt},
        // Empty text: only offset 0.
        {{""}, 0, QPoint(0, 0)},
        {{""}, 1, std::nullopt},
        {{""}, -5, std::nullopt},
        // One line.
        {{"hello"}, 5, QPoint(5, 0)},
        {{"hello"}, 6, std::nullopt},
    };
    for (const OffsetCase& c : cases) {
        SCOPED_TRACE(Describe(c.lines) + " offset " + std::to_string(c.offset));
        TEditorModel m;
        Fill(m, c.lines);
        const QPoint before(std::min(1, m.Lines.Length(0)), 0);
        Select(m, before, before);
        m.SetSelStart(c.offset);
        const QPoint expected = c.pos.value_or(before);
        EXPECT_EQ(m.GetCaretPos(), expected);
        EXPECT_EQ(m.SelEnd.GetPos(), expected);
        EXPECT_EQ(m.GetSelStart(),
                  static_cast<int>(m.Lines.LineStart(expected.y())) + expected.x());
        EXPECT_EQ(m.GetSelLength(), 0);
    }
}

TEST(EditorModelOffsets, GetSelStartOfPositions) {
    struct Case {
        Lines lines;
        QPoint pos;
        int offset;
    };
    const Case cases[] = {
        {{"ab", "cd"}, QPoint(0, 0), 0},
        {{"ab", "cd"}, QPoint(2, 0), 2},
        {{"ab", "cd"}, QPoint(0, 1), 4},
        {{"ab", "cd"}, QPoint(2, 1), 6},
        {{"", "", ""}, QPoint(0, 2), 4},
        {{"abc", "", "d"}, QPoint(1, 2), 8},
        // A column past the line's end counts as the end of the line.
        {{"ab", "cd"}, QPoint(9, 0), 2},
        {{"ab", "cd"}, QPoint(3, 1), 6},
    };
    for (const Case& c : cases) {
        TEditorModel m;
        Fill(m, c.lines);
        Select(m, c.pos, c.pos);
        EXPECT_EQ(m.GetSelStart(), c.offset) << Describe(c.lines);
    }
}

// Offsets and selections over every pair of offsets agree with the text form.
TEST(EditorModelOffsets, SelectionAgreesWithTheTextForm) {
    const Lines texts[] = {{"ab", "cd"}, {"", "x", ""}, {""}, {"abc"}, {"a", "", "bcd", ""}};
    for (const Lines& lines : texts) {
        SCOPED_TRACE(Describe(lines));
        TEditorModel m;
        Fill(m, lines);
        const QByteArray text = m.Text();
        const int limit = static_cast<int>(text.size()) - 2;
        // An offset inside a break names the end of its line.
        auto clamp = [&](int off) {
            const int line = m.Lines.LineAtOffset(off);
            return std::min(off, static_cast<int>(m.Lines.LineStart(line)) + m.Lines.Length(line));
        };
        for (int a = 0; a <= limit; ++a) {
            for (int len = -limit - 3; len <= limit + 3; ++len) {
                Select(m, QPoint(0, 0), QPoint(0, 0));
                m.SetSelStart(a);
                const int ca = clamp(a);
                ASSERT_EQ(m.GetSelStart(), ca);
                m.SetSelLength(len);
                const int target = ca + len;
                int end = ca; // outside the text: the selection end stays
                if (target >= 0 && target <= limit)
                    end = clamp(target);
                else if (target > limit && target <= limit + 2)
                    end = limit;
                SCOPED_TRACE("a " + std::to_string(a) + " len " + std::to_string(len));
                ASSERT_EQ(m.GetCaretPos().x() <= m.Lines.Length(m.GetCaretPos().y()), true);
                ASSERT_LE(m.SelEnd.X, m.Lines.Length(m.SelEnd.Y));
                ASSERT_EQ(m.GetSelStart(), std::min(ca, end));
                ASSERT_EQ(m.GetSelLength(), std::abs(end - ca));
                ASSERT_EQ(m.GetSelText(), text.mid(std::min(ca, end), std::abs(end - ca)));
                // The caret stays where the selection began.
                ASSERT_EQ(m.PosToOffset(m.GetCaretPos()), ca);
            }
        }
    }
}

TEST(EditorModelOffsets, SelectionCases) {
    struct Case {
        QPoint caret, selEnd;
        int length;
        QByteArray text;
    };
    // "ab" / "cd".
    const Case cases[] = {
        {QPoint(1, 0), QPoint(0, 1), 3, "b\r\n"},
        {QPoint(0, 1), QPoint(1, 0), 3, "b\r\n"},
        {QPoint(0, 0), QPoint(2, 1), 6, "ab\r\ncd"},
        {QPoint(2, 1), QPoint(0, 0), 6, "ab\r\ncd"},
        {QPoint(2, 0), QPoint(0, 1), 2, "\r\n"},
        {QPoint(0, 0), QPoint(0, 1), 4, "ab\r\n"},
        {QPoint(1, 1), QPoint(1, 1), 0, ""},
        // Columns past a line's end are its end, in length and text alike.
        {QPoint(0, 0), QPoint(4, 0), 2, "ab"},
        {QPoint(3, 0), QPoint(2, 1), 4, "\r\ncd"},
        {QPoint(0, 0), QPoint(7, 1), 6, "ab\r\ncd"},
        {QPoint(5, 0), QPoint(2, 0), 0, ""},
    };
    for (const Case& c : cases) {
        TEditorModel m;
        Fill(m, {"ab", "cd"});
        Select(m, c.caret, c.selEnd);
        EXPECT_EQ(m.GetSelLength(), c.length);
        EXPECT_EQ(m.GetSelText(), c.text);
        EXPECT_EQ(m.GetSelLength(), m.GetSelText().size());
    }
}

TEST(EditorModelOffsets, SetSelLengthMovesOnlyTheSelectionEnd) {
    struct Case {
        QPoint caret;
        int length;
        QPoint selEnd;
    };
    const Case cases[] = {
        {QPoint(0, 0), 4, QPoint(0, 1)},  // never past the line's end
        {QPoint(0, 0), 3, QPoint(2, 0)},  // inside the break
        {QPoint(2, 1), -3, QPoint(2, 0)}, // backwards into the break
        {QPoint(0, 1), -1, QPoint(2, 0)}, {QPoint(0, 1), -4, QPoint(0, 0)},
        {QPoint(0, 1), -5, QPoint(0, 1)}, // before the text: unchanged
        {QPoint(0, 0), 8, QPoint(2, 1)},  // the last line's break: its end
        {QPoint(0, 0), 9, QPoint(0, 0)},  // past the text: unchanged
        {QPoint(1, 0), 0, QPoint(1, 0)},
    };
    for (const Case& c : cases) {
        TEditorModel m;
        Fill(m, {"ab", "cd"});
        Select(m, c.caret, c.caret);
        m.SetSelLength(c.length);
        EXPECT_EQ(m.GetCaretPos(), c.caret) << c.length;
        EXPECT_EQ(m.SelEnd.GetPos(), c.selEnd) << c.length;
    }
}

TEST(EditorModelOffsets, SetSelStartToTheCaretsOwnOffsetKeepsTheSelection) {
    TEditorModel m;
    Fill(m, {"abc", "def"});
    Select(m, QPoint(1, 0), QPoint(2, 1));
    m.SetSelStart(1);
    EXPECT_EQ(m.SelEnd.GetPos(), QPoint(2, 1));
    m.SetSelStart(2);
    EXPECT_EQ(m.GetCaretPos(), QPoint(2, 0));
    EXPECT_FALSE(m.HasSelection());
}

// --- SetSelText ------------------------------------------------------------------------------

TEST(EditorModelSelText, ReplacesTheSelectionAndPutsTheCaretAfterIt) {
    struct Case {
        Lines lines;
        QPoint caret, selEnd;
        QByteArray s;
        QByteArray text; // the text form afterwards
        QPoint after;
    };
    const Case cases[] = {
        {{"ab", "cd"}, {1, 0}, {1, 0}, "X", "aXb\r\ncd\r\n", {2, 0}},
        {{"ab", "cd"}, {1, 0}, {1, 0}, "X\r\n", "aX\r\nb\r\ncd\r\n", {0, 1}},
        {{"ab", "cd"}, {1, 0}, {1, 0}, "X\n", "aX\r\nb\r\ncd\r\n", {0, 1}},
        {{"ab", "cd"}, {1, 0}, {1, 0}, "X\r", "aX\r\nb\r\ncd\r\n", {0, 1}},
        {{"ab", "cd"}, {1, 0}, {1, 0}, "X\nY", "aX\r\nYb\r\ncd\r\n", {1, 1}},
        {{"ab", "cd"}, {1, 0}, {1, 0}, "X\rY\r\nZ\n\n", "aX\r\nY\r\nZ\r\n\r\nb\r\ncd\r\n", {0, 4}},
        {{"ab", "cd"}, {1, 0}, {1, 0}, "\n", "a\r\nb\r\ncd\r\n", {0, 1}},
        {{"ab", "cd"}, {1, 0}, {1, 1}, "Q", "aQd\r\n", {2, 0}},
        {{"ab", "cd"}, {1, 1}, {1, 0}, "Q\r\n", "aQ\r\nd\r\n", {0, 1}},
        {{"ab", "cd"}, {0, 0}, {0, 1}, "", "cd\r\n", {0, 0}},
        {{"ab", "cd"}, {0, 0}, {2, 1}, "", "\r\n", {0, 0}},
        {{"ab", "cd"}, {2, 1}, {2, 1}, "\r\n", "ab\r\ncd\r\n\r\n", {0, 2}},
        {{""}, {0, 0}, {0, 0}, "a\r\nb\r\n", "a\r\nb\r\n\r\n", {0, 2}},
        {{""}, {0, 0}, {0, 0}, "\xE5\x80", "\xE5\x80\r\n", {2, 0}},
        // A caret past the line's end inserts at the end; nothing is dropped.
        {{"ab", "cd"}, {5, 0}, {5, 0}, "X", "abX\r\ncd\r\n", {3, 0}},
        {{"ab", "cd"}, {5, 0}, {5, 0}, "X\nY", "abX\r\nY\r\ncd\r\n", {1, 1}},
        // The text cannot hold a NUL byte; the rest is kept.
        {{"ab"}, {1, 0}, {1, 0}, QByteArray("x\0y", 3), "axyb\r\n", {3, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Describe(c.lines) + " <- " + c.s.toStdString());
        TEditorModel m;
        Fill(m, c.lines);
        Select(m, c.caret, c.selEnd);
        m.SetSelText(c.s);
        EXPECT_EQ(m.Text(), c.text);
        EXPECT_EQ(m.GetCaretPos(), c.after);
        EXPECT_FALSE(m.HasSelection());
    }
}

// SetSelLines gives what SetSelText gives with the lines joined, each followed by CR LF, also
// when the lines are views of the very text they replace.
TEST(EditorModelSelText, SetSelLinesIsSetSelTextOfTheJoinedLines) {
    struct Case {
        Lines lines;
        QPoint caret, selEnd;
        Lines put; // empty: the selected pieces themselves, reversed
    };
    const Case cases[] = {
        {{"ab", "cd"}, {1, 0}, {1, 0}, {"X"}},
        {{"ab", "cd"}, {1, 0}, {1, 1}, {"X", "Y"}},
        {{"ab", "cd"}, {1, 1}, {1, 0}, {"X", "", "Y"}},
        {{"ab", "cd"}, {0, 0}, {2, 1}, {"only"}},
        {{"ab", "cd"}, {5, 0}, {5, 0}, {"past the end"}},
        {{"ab", "cd", "ef"}, {0, 1}, {0, 2}, {"a\rb", "c\nd", "e\r\nf", "g\r"}},
        {{"ab"}, {1, 0}, {1, 0}, {QByteArray("x\0y", 3)}},
        {{"ab", "cd"}, {1, 0}, {1, 1}, {}},
        {{"b", "A", "c"}, {0, 0}, {1, 2}, {}},
        {{"z", "d", "B", "a", "q"}, {0, 1}, {0, 4}, {}},
        {{"one line"}, {2, 0}, {6, 0}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Describe(c.lines) + " <- " + Describe(c.put));
        TEditorModel twin, m;
        for (TEditorModel* e : {&twin, &m}) {
            Fill(*e, c.lines);
            Select(*e, c.caret, c.selEnd);
        }
        QPoint from, to;
        m.SelectionBounds(&from, &to);
        Lines put = c.put;
        std::vector<QByteArrayView> views(put.begin(), put.end());
        if (c.put.empty()) {
            views = m.GetRangeViews(from, to);
            std::reverse(views.begin(), views.end());
            put.clear();
            for (QByteArrayView v : views)
                put.push_back(v.toByteArray());
        }
        QByteArray joined;
        for (const QByteArray& l : put)
            joined += l + "\r\n";
        twin.SetSelText(joined);
        int changes = 0;
        m.OnChange = [&](QObject*) { ++changes; };
        m.SetSelLines(views);
        EXPECT_EQ(m.Text(), twin.Text());
        EXPECT_EQ(m.GetCaretPos(), twin.GetCaretPos());
        EXPECT_FALSE(m.HasSelection());
        EXPECT_GE(changes, 1);
    }
}

TEST(EditorModelSelText, DeleteSelectionCollapsesOntoTheStart) {
    TEditorModel m;
    Fill(m, {"abc", "def", "ghi"});
    Select(m, QPoint(2, 2), QPoint(1, 0));
    int changes = 0;
    m.OnChange = [&](QObject*) { ++changes; };
    EXPECT_TRUE(m.DeleteSelection());
    EXPECT_EQ(m.Text(), QByteArray("ai\r\n"));
    EXPECT_EQ(m.GetCaretPos(), QPoint(1, 0));
    EXPECT_EQ(m.SelEnd.GetPos(), QPoint(1, 0));
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(m.DeleteSelection());
    EXPECT_EQ(changes, 1);
}

// --- ranges ----------------------------------------------------------------------------------

TEST(EditorModelRanges, GetTextRangeAndDeleteRange) {
    struct Case {
        QPoint from, to;
        Lines range;
        QByteArray after;
    };
    // "abc" / "def" / "ghi".
    const Case cases[] = {
        {{1, 0}, {2, 0}, {"b"}, "ac\r\ndef\r\nghi\r\n"},
        {{1, 0}, {1, 2}, {"bc", "def", "g"}, "ahi\r\n"},
        {{3, 0}, {0, 1}, {"", ""}, "abcdef\r\nghi\r\n"},
        {{0, 0}, {3, 2}, {"abc", "def", "ghi"}, "\r\n"},
        // Columns beyond a line's end take the line's end.
        {{1, 1}, {9, 1}, {"ef"}, "abc\r\nd\r\nghi\r\n"},
        {{7, 0}, {1, 1}, {"", "d"}, "abcef\r\nghi\r\n"},
        // A position past the last line is the end of the text.
        {{1, 1}, {0, 5}, {"ef", "ghi"}, "abc\r\nd\r\n"},
    };
    for (const Case& c : cases) {
        TEditorModel m;
        Fill(m, {"abc", "def", "ghi"});
        EXPECT_EQ(m.GetTextRange(c.from, c.to), c.range) << Describe(c.range);
        m.DeleteRange(c.from, c.to);
        EXPECT_EQ(m.Text(), c.after) << Describe(c.range);
    }
}

TEST(EditorModelRanges, InsertLinesAndInsertText) {
    struct Case {
        QPoint at;
        QByteArray s;
        bool addBreak;
        QByteArray after;
    };
    const Case cases[] = {
        {{1, 0}, "X", false, "aXb\r\ncd\r\n"},
        {{1, 0}, "X", true, "aX\r\nb\r\ncd\r\n"},
        {{2, 1}, "X\r\nY", false, "ab\r\ncdX\r\nY\r\n"},
        {{0, 0}, "X\nY\n", true, "X\r\nY\r\nab\r\ncd\r\n"},
        // Positions outside the text are ignored.
        {{3, 0}, "X", false, "ab\r\ncd\r\n"},
        {{0, 2}, "X", false, "ab\r\ncd\r\n"},
        {{-1, 0}, "X", false, "ab\r\ncd\r\n"},
        {{0, 0}, "", false, "ab\r\ncd\r\n"},
    };
    for (const Case& c : cases) {
        TEditorModel m;
        Fill(m, {"ab", "cd"});
        m.SetSelStart(1);
        m.InsertText(c.at, c.s, c.addBreak);
        EXPECT_EQ(m.Text(), c.after) << c.s.toStdString();
        EXPECT_EQ(m.GetCaretPos(), QPoint(1, 0)); // the caret does not move
    }
}

// --- selecting -------------------------------------------------------------------------------

TEST(EditorModelSelect, SelectAllSelectsEveryNonEmptyText) {
    struct Case {
        Lines lines;
        bool selects;
        QPoint end;
    };
    const Case cases[] = {
        {{""}, false, {}},           {{"abc"}, true, {3, 0}}, // a minified file is one long line
        {{"a", "bc"}, true, {2, 1}}, {{"", ""}, true, {0, 1}}, {{"a", ""}, true, {0, 1}},
    };
    for (const Case& c : cases) {
        TEditorModel m;
        Fill(m, c.lines);
        Select(m, QPoint(0, 0), QPoint(0, 0));
        m.SelectAll();
        EXPECT_FALSE(m.NoScrollIntoView);
        EXPECT_EQ(m.GetCaretPos(), QPoint(0, 0)) << Describe(c.lines);
        EXPECT_EQ(m.SelEnd.GetPos(), c.selects ? c.end : QPoint(0, 0)) << Describe(c.lines);
        if (c.selects) {
            EXPECT_EQ(m.GetSelText() + "\r\n", m.Text());
        }
    }
}

TEST(EditorModelSelect, SelectLine) {
    TEditorModel m;
    Fill(m, {"abc", "de"});
    EXPECT_TRUE(m.SelectLine(1));
    EXPECT_EQ(m.GetSelText(), QByteArray("de"));
    EXPECT_FALSE(m.SelectLine(2));
    EXPECT_FALSE(m.SelectLine(-1));
    EXPECT_EQ(m.GetSelText(), QByteArray("de"));
}

TEST(EditorModelSelect, SelChangeFiresOnceForAMoveAndTwiceForACollapse) {
    TEditorModel m;
    Fill(m, {"abc", "def"});
    int sel = 0;
    m.OnSelChange = [&](QObject*) { ++sel; };
    m.SetSelStart(2);
    EXPECT_EQ(sel, 1);
    sel = 0;
    m.SetSelLength(3);
    EXPECT_EQ(sel, 1);
    sel = 0;
    m.SetSelStart(0);
    EXPECT_EQ(sel, 2);
}

// --- other operations ------------------------------------------------------------------------

TEST(EditorModelOther, ClearAppendLineAndUpdateView) {
    TEditorModel m;
    EXPECT_EQ(m.Lines.Count(), 1);
    EXPECT_EQ(m.Text(), QByteArray("\r\n"));
    Fill(m, {"abc", "de"});
    m.SetSelStart(2);
    m.AppendLine("xyz");
    EXPECT_EQ(m.Text(), QByteArray("abc\r\nde\r\nxyz\r\n"));
    EXPECT_EQ(m.GetCaretPos(), QPoint(3, 2));
    EXPECT_EQ(m.GetWidestLine(), 3);
    m.Clear();
    EXPECT_EQ(m.Text(), QByteArray("\r\n"));
    EXPECT_EQ(m.GetCaretPos(), QPoint(0, 0));
    EXPECT_EQ(m.GetWidestLine(), 0);
    m.Lines.Clear();
    m.UpdateView();
    EXPECT_EQ(m.Lines.Count(), 1);
}

TEST(EditorModelOther, BeginUpdateDefersTheChangeNotification) {
    TEditorModel m;
    Fill(m, {"abc"});
    int changes = 0;
    m.OnChange = [&](QObject*) { ++changes; };
    m.BeginUpdate();
    m.SetSelText("x\r\ny");
    m.AppendLine("z");
    EXPECT_EQ(changes, 0);
    EXPECT_TRUE(m.PendingChange);
    m.EndUpdate();
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(m.Updating);
    EXPECT_FALSE(m.PendingChange);
    m.EndUpdate();
    EXPECT_EQ(changes, 1);
}

TEST(EditorModelOther, FlagsAfterCreation) {
    TEditorModel m;
    EXPECT_FALSE(m.Updating || m.PendingChange || m.PendingScroll || m.ForceCollapse ||
                 m.NoScrollIntoView || m.Creating || m.HadSelection);
    EXPECT_EQ(m.GetCaretPos(), QPoint(0, 0));
    EXPECT_EQ(m.SelEnd.GetPos(), QPoint(0, 0));
    EXPECT_EQ(m.GetScrollPos(), QPoint(0, 0));
    EXPECT_EQ(m.LastCaret, QPoint(0, 0));
    EXPECT_EQ(m.LastSelEnd, QPoint(0, 0));
}

TEST(EditorModelOther, ComparePosAndInSelection) {
    EXPECT_EQ(TEditorModel::ComparePos({5, 0}, {0, 1}), 0);
    EXPECT_EQ(TEditorModel::ComparePos({0, 1}, {5, 0}), 2);
    EXPECT_EQ(TEditorModel::ComparePos({1, 1}, {2, 1}), 0);
    EXPECT_EQ(TEditorModel::ComparePos({2, 1}, {2, 1}), 1);
    EXPECT_EQ(TEditorModel::ComparePos({3, 1}, {2, 1}), 2);

    TEditorModel m;
    Fill(m, {"abcd", "efgh", "ijkl"});
    Select(m, QPoint(2, 2), QPoint(1, 0)); // backwards
    struct Case {
        QPoint p;
        bool in;
    };
    const Case cases[] = {{{0, 0}, false}, {{1, 0}, true},  {{9, 0}, true}, {{0, 1}, true},
                          {{1, 2}, true},  {{2, 2}, false}, {{0, 3}, false}};
    for (const Case& c : cases)
        EXPECT_EQ(m.InSelection(c.p), c.in) << c.p.x() << "," << c.p.y();
    int first, last;
    m.GetLineSpan({4, 7}, {0, 2}, &first, &last);
    EXPECT_EQ(first, 2);
    EXPECT_EQ(last, 7);
}

// --- read-only -------------------------------------------------------------------------------

TEST(EditorModelReadOnly, EveryChangingOperationDoesNothing) {
    const QString file = WriteTestFile(QStringLiteral("readonly-insert.txt"), "inserted\r\n");
    struct Case {
        const char* name;
        std::function<void(TEditorModel&)> run;
    };
    const Case cases[] = {
        {"DeleteSelection", [](TEditorModel& m) { EXPECT_FALSE(m.DeleteSelection()); }},
        {"SetSelText", [](TEditorModel& m) { m.SetSelText("x\r\ny"); }},
        {"SetSelLines",
         [](TEditorModel& m) {
             m.SetSelLines({"x", "y"});
         }},
        {"InsertText",
         [](TEditorModel& m) {
             m.InsertText({0, 0}, "x\r\ny", true);
         }},
        {"InsertLines",
         [](TEditorModel& m) {
             m.InsertLines({0, 0}, {"x", "y"}, false);
         }},
        {"DeleteRange",
         [](TEditorModel& m) {
             m.DeleteRange({0, 0}, {1, 1});
         }},
        {"CutToClipboard", [](TEditorModel& m) { m.CutToClipboard(); }},
        {"PasteFromClipboard", [](TEditorModel& m) { m.PasteFromClipboard(); }},
        {"InsertFromFile", [&](TEditorModel& m) { m.InsertFromFile(file); }},
        {"AppendLine", [](TEditorModel& m) { m.AppendLine("x"); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QGuiApplication::clipboard()->setText(QStringLiteral("clip"));
        TEditorModel m;
        Fill(m, {"abc", "def"});
        Select(m, QPoint(1, 0), QPoint(2, 1));
        m.Settings()->ReadOnly = true;
        int changes = 0, sel = 0;
        m.OnChange = [&](QObject*) { ++changes; };
        m.OnSelChange = [&](QObject*) { ++sel; };
        c.run(m);
        EXPECT_EQ(m.Text(), QByteArray("abc\r\ndef\r\n"));
        EXPECT_EQ(m.GetCaretPos(), QPoint(1, 0));
        EXPECT_EQ(m.SelEnd.GetPos(), QPoint(2, 1));
        EXPECT_EQ(changes, 0);
        EXPECT_EQ(sel, 0);
        EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("clip"));
    }
}

TEST(EditorModelReadOnly, CopyStillCopies) {
    TEditorModel m;
    Fill(m, {"abc", "def"});
    Select(m, QPoint(1, 0), QPoint(2, 1));
    m.Settings()->ReadOnly = true;
    m.CopyToClipboard();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("bc\nde"));
}

} // namespace
