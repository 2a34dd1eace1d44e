// The entity, letter-case and ROT13 commands on the selection: the text they write, where
// the caret and the selection end, read-only and empty selections, and one change each.
#include "KeysFixture.h"
#include "editor/model/EditorModel.h"

#include <gtest/gtest.h>

namespace {

using Op = void (TEditorModel::*)();

class SelectionOps : public ::testing::Test {
protected:
    TEditorModel m;
    int changes = 0;
    int selChanges = 0;

    void SetUp() override {
        m.OnChange = [this](QObject*) { ++changes; };
        m.OnSelChange = [this](QObject*) { ++selChanges; };
    }

    // Lines separated by '\n'; `caret` is the fixed end, `selEnd` the moving one.
    void Set(QByteArray text, QPoint caret, QPoint selEnd) {
        text.replace('\n', "\r\n");
        m.SetText(text);
        m.Caret.SetPosSilently(caret);
        m.SelEnd.SetPosSilently(selEnd);
        changes = selChanges = 0;
    }

    QByteArray Text() const {
        QByteArray t = m.Text();
        t.chop(2);
        t.replace("\r\n", "\n");
        return t;
    }
};

TEST_F(SelectionOps, EntityCodingAcrossLinesTouchesOnlyTheSelectionAndCollapsesAfterIt) {
    struct Case {
        Op op;
        const char* in;
        QPoint from, to;
        const char* out;
        QPoint caret;
    };
    const Case cases[] = {
        {&TEditorModel::EncodeAlpha,
         "\xC5x\xC5\n\xE4y\n\xD6z\xC5",
         {2, 0},
         {1, 2},
         "\xC5x&Aring;\n&auml;y\n&Ouml;z\xC5",
         {6, 2}},
        {&TEditorModel::DecodeAlpha,
         "&Aring;x&Aring;\n&auml;\n&Ouml;&Ouml;",
         {8, 0},
         {6, 2},
         "&Aring;x\xC5\n\xE4\n\xD6&Ouml;",
         {1, 2}},
        // A selection that cuts an entity leaves it.
        {&TEditorModel::DecodeAlpha, "&Aring;&Auml;", {1, 0}, {13, 0}, "&Aring;\xC4", {8, 0}},
        {&TEditorModel::EncodeOmega,
         "\xA9\n\xAE\n\x80",
         {0, 0},
         {1, 2},
         "&copy;\n&reg;\n&euro;",
         {6, 2}},
        {&TEditorModel::DecodeOmega,
         "a&copy;\n&reg;b",
         {1, 0},
         {5, 1},
         "a\xA9\n\xAE"
         "b",
         {1, 1}},
        // The whole text, from its start to its end.
        {&TEditorModel::EncodeAlpha, "\xC5", {0, 0}, {1, 0}, "&Aring;", {7, 0}},
        // An end past the line's end or past the last line means the end of that line.
        {&TEditorModel::EncodeOmega, "\xA9\n\xA9", {0, 0}, {3, 0}, "&copy;\n\xA9", {6, 0}},
        {&TEditorModel::EncodeOmega, "\xA9\n\xA9", {0, 0}, {9, 5}, "&copy;\n&copy;", {6, 1}},
    };
    for (const Case& c : cases) {
        for (bool backwards : {false, true}) {
            SCOPED_TRACE(testing::Message() << c.in << (backwards ? " backwards" : ""));
            if (backwards)
                Set(c.in, c.to, c.from);
            else
                Set(c.in, c.from, c.to);
            (m.*c.op)();
            EXPECT_EQ(Text(), QByteArray(c.out));
            EXPECT_EQ(m.Caret.GetPos(), c.caret);
            EXPECT_EQ(m.SelEnd.GetPos(), c.caret);
            EXPECT_EQ(changes, 1);
            EXPECT_EQ(selChanges, 1);
            EXPECT_FALSE(m.Updating);
        }
    }
}

TEST_F(SelectionOps, CaseChangesKeepTheSameRangeSelected) {
    struct Case {
        Op op;
        const char* in;
        QPoint from, to;
        const char* out;
    };
    const Case cases[] = {
        {&TEditorModel::InvertCaseSelection, "xaB1\xE9y", {1, 0}, {5, 0}, "xAb1\xC9y"},
        // Windows-1252's own pairs: Šš Œœ Žž Ÿÿ and À..Þ with à..þ; ß, µ, × and ÷ have none.
        {&TEditorModel::UpperCaseSelection,
         "\x9A\x9C\x9E\xFF\xE0\xE9\xFE\xDF\xB5\xF7 z",
         {0, 0},
         {12, 0},
         "\x8A\x8C\x8E\x9F\xC0\xC9\xDE\xDF\xB5\xF7 Z"},
        {&TEditorModel::LowerCaseSelection,
         "\x8A\x8C\x8E\x9F\xC0\xC9\xDE\xDF\xB5\xD7 Z",
         {0, 0},
         {12, 0},
         "\x9A\x9C\x9E\xFF\xE0\xE9\xFE\xDF\xB5\xD7 z"},
        {&TEditorModel::InvertCaseSelection,
         "\x8A\x9A\x9F\xFF\xDF\xD7",
         {0, 0},
         {6, 0},
         "\x9A\x8A\xFF\x9F\xDF\xD7"},
        {&TEditorModel::UpperCaseSelection, "ab\ncd\nef", {1, 0}, {1, 2}, "aB\nCD\nEf"},
        {&TEditorModel::LowerCaseSelection, "AB\nCD", {0, 0}, {2, 1}, "ab\ncd"},
    };
    for (const Case& c : cases) {
        for (bool backwards : {false, true}) {
            SCOPED_TRACE(testing::Message() << c.in << (backwards ? " backwards" : ""));
            if (backwards)
                Set(c.in, c.to, c.from);
            else
                Set(c.in, c.from, c.to);
            const int start = m.GetSelStart(), length = m.GetSelLength();
            (m.*c.op)();
            EXPECT_EQ(Text(), QByteArray(c.out));
            // The caret at the start, whichever way the selection was made.
            EXPECT_EQ(m.Caret.GetPos(), c.from);
            EXPECT_EQ(m.SelEnd.GetPos(), c.to);
            EXPECT_EQ(m.GetSelStart(), start);
            EXPECT_EQ(m.GetSelLength(), length);
            EXPECT_EQ(changes, 1);
        }
    }
    // Every upper-case letter of the code page and its small form, both ways.
    QByteArray capitals, smalls;
    for (int b = 0xC0; b <= 0xDE; ++b) {
        if (b == 0xD7)
            continue;
        capitals.append(static_cast<char>(b));
        smalls.append(static_cast<char>(b + 32));
    }
    Set(smalls, {0, 0}, {static_cast<int>(smalls.size()), 0});
    m.UpperCaseSelection();
    EXPECT_EQ(Text(), capitals);
    m.InvertCaseSelection();
    EXPECT_EQ(Text(), smalls);
}

TEST_F(SelectionOps, Rot13SelectsItsResultWithTheCaretAtTheEnd) {
    for (bool backwards : {false, true}) {
        SCOPED_TRACE(backwards);
        const QPoint from(2, 0), to(3, 1);
        Set("a Hello, \xE5!\nWorld!", backwards ? to : from, backwards ? from : to);
        m.ROT13();
        EXPECT_EQ(Text(), "a Uryyb, \xE5!\nJbeld!");
        EXPECT_EQ(m.Caret.GetPos(), to);
        EXPECT_EQ(m.SelEnd.GetPos(), from);
        EXPECT_EQ(m.GetSelText(), "Uryyb, \xE5!\r\nJbe");
        EXPECT_EQ(changes, 1);
        m.ROT13();
        EXPECT_EQ(Text(), "a Hello, \xE5!\nWorld!");
        EXPECT_EQ(m.Caret.GetPos(), to);
        EXPECT_EQ(m.SelEnd.GetPos(), from);
    }
}

TEST_F(SelectionOps, ReadOnlyOrNothingSelectedDoesNothing) {
    const Op ops[] = {&TEditorModel::EncodeAlpha,         &TEditorModel::DecodeAlpha,
                      &TEditorModel::EncodeOmega,         &TEditorModel::DecodeOmega,
                      &TEditorModel::UpperCaseSelection,  &TEditorModel::LowerCaseSelection,
                      &TEditorModel::InvertCaseSelection, &TEditorModel::ROT13};
    const QByteArray text = "\xC5 &Aring; \xA9 &copy; abc\nDEF";
    QByteArray unchanged = text;
    for (Op op : ops) {
        for (bool readOnly : {false, true}) {
            m.Settings()->ReadOnly = false;
            if (readOnly)
                Set(text, {0, 0}, {3, 1});
            else
                Set(text, {4, 0}, {4, 0});
            m.Settings()->ReadOnly = readOnly;
            const QPoint caret = m.Caret.GetPos(), selEnd = m.SelEnd.GetPos();
            (m.*op)();
            EXPECT_EQ(Text(), unchanged);
            EXPECT_EQ(m.Caret.GetPos(), caret);
            EXPECT_EQ(m.SelEnd.GetPos(), selEnd);
            EXPECT_EQ(changes, 0);
            EXPECT_EQ(selChanges, 0);
        }
    }
    m.Settings()->ReadOnly = false;
}

TEST_F(SelectionOps, NothingToConvertChangesNoTextButEndsTheSelectionAsUsual) {
    Set("plain text\nhere", {0, 0}, {4, 1});
    m.EncodeAlpha();
    EXPECT_EQ(Text(), "plain text\nhere");
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(m.Caret.GetPos(), QPoint(4, 1));
    EXPECT_FALSE(m.HasSelection());

    Set("123 ...", {5, 0}, {1, 0});
    m.UpperCaseSelection();
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(m.Caret.GetPos(), QPoint(1, 0));
    EXPECT_EQ(m.SelEnd.GetPos(), QPoint(5, 0));
}

// On the control: the changed lines are repainted and the colouring hears of the change.
TEST_F(EditorFixture, SelectionConversionOnTheControl) {
    Set("a \xC5\xE4\xF6 b\nrad tv\xE5");
    int changes = 0;
    ed->OnChange = [&](QObject* sender) {
        ++changes;
        EXPECT_EQ(sender, ed.get());
    };
    ed->SelectAll();
    ed->EncodeAlpha();
    EXPECT_EQ(Text(), "a &Aring;&auml;&ouml; b\nrad tv&aring;");
    EXPECT_EQ(CaretPos(), QPoint(13, 1));
    EXPECT_EQ(changes, 1);
    ed->SelectAll();
    ed->DecodeAlpha();
    EXPECT_EQ(Text(), "a \xC5\xE4\xF6 b\nrad tv\xE5");
    EXPECT_EQ(changes, 2);
    EXPECT_FALSE(ed->Updating);
}

} // namespace
