// The typing rules of the model, without a control: what a key does to the text and the
// caret under each setting, and what the observers hear of it.
#include "editor/model/EditorModel.h"

#include <QObject>
#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <vector>

namespace {

struct Settings {
    bool overwrite = false;
    bool autoEncode = true;
    bool autoClose = true;
    bool autoIndent = true;
    int tabLength = 4;
    bool readOnly = false;
};

struct TypingCase {
    const char* name;
    QByteArray text; // lines separated by '\n'
    QPoint caret;
    QPoint selEnd; // (-1, -1): no selection
    QByteArray keys;
    QByteArray expected;
    QPoint expectedCaret;
    Settings settings = {};
};

void PrintTo(const TypingCase& c, std::ostream* os) {
    *os << c.name;
}

void Load(TEditorModel& m, QByteArray text) {
    text.replace('\n', "\r\n");
    m.SetText(text);
}

std::string TextOf(const TEditorModel& m) {
    QByteArray out;
    for (int i = 0; i < m.Lines.Count(); ++i)
        out += (i ? "\n" : "") + m.Lines.Get(i);
    return out.toStdString();
}

// Keys: bytes are typed with TypeChar; <BS>, <C-BS>, <Del>, <C-Del>, <Enter> and <Tab> are
// the keys of those names.
void Press(TEditorModel& m, const QByteArray& keys) {
    for (int i = 0; i < keys.size(); ++i) {
        if (keys[i] == '<' && i + 1 < keys.size() && keys[i + 1] != '<') {
            const int end = static_cast<int>(keys.indexOf('>', i));
            const QByteArray name = keys.mid(i + 1, end - i - 1);
            i = end;
            if (name == "BS")
                m.TypeBackspace(false);
            else if (name == "C-BS")
                m.TypeBackspace(true);
            else if (name == "Del")
                m.TypeDelete(false);
            else if (name == "C-Del")
                m.TypeDelete(true);
            else if (name == "Enter")
                m.InsertLineBreak();
            else if (name == "Tab")
                m.InsertTab();
            else
                ADD_FAILURE() << "unknown key " << name.constData();
            continue;
        }
        if (keys[i] == '<')
            ++i;
        m.TypeChar(keys[i]);
    }
}

class Typing : public ::testing::TestWithParam<TypingCase> {};

TEST_P(Typing, TextAndCaret) {
    const TypingCase& c = GetParam();
    TEditorModel m;
    Load(m, c.text);
    TTextEditorExSettings& s = *m.Settings();
    s.SetOverwriteMode(c.settings.overwrite);
    s.AutoEncode = c.settings.autoEncode;
    s.AutoCloseQts = c.settings.autoClose;
    s.AutoIndent = c.settings.autoIndent;
    s.SetTabLength(c.settings.tabLength);
    m.Caret.SetPosSilently(c.caret);
    m.SelEnd.SetPosSilently(c.selEnd.x() < 0 ? c.caret : c.selEnd);
    s.ReadOnly = c.settings.readOnly;
    Press(m, c.keys);
    EXPECT_EQ(TextOf(m), c.expected.toStdString());
    EXPECT_EQ(m.Caret.GetPos(), c.expectedCaret);
    EXPECT_FALSE(m.HasSelection());
}

constexpr QPoint kNone(-1, -1);
const Settings kOverwrite{true};
const Settings kPlain{false, false, false, false};
const Settings kReadOnly{false, true, true, true, 4, true};

const TypingCase kCases[] = {
    // Characters.
    {"TypedOverASelection", "abcd\nef", {1, 0}, {1, 1}, "X", "aXf", {2, 0}},
    {"SelectionBackwards", "abcd", {3, 0}, {1, 0}, "X", "aXd", {2, 0}},
    {"CaretPastTheLineEnd", "ab", {5, 0}, kNone, "x", "abx", {3, 0}},
    {"OverwriteReplaces", "abcd", {1, 0}, kNone, "XY", "aXYd", {3, 0}, kOverwrite},
    {"OverwriteAppendsAtTheEnd", "ab", {1, 0}, kNone, "XYZ", "aXYZ", {4, 0}, kOverwrite},
    {"OverwriteStillClosesBrackets", "abc", {0, 0}, kNone, "(", "()bc", {1, 0}, kOverwrite},
    {"AutoCloseEach", "", {0, 0}, kNone, "'", "''", {1, 0}},
    {"AutoCloseBracket", "x", {1, 0}, kNone, "[", "x[]", {2, 0}},
    {"AutoCloseOff", "", {0, 0}, kNone, "({\"", "({\"", {3, 0}, kPlain},
    {"ClosersAreNotTypedOver", "", {0, 0}, kNone, "{}", "{}}", {2, 0}},
    {"EntityForALetter", "a", {1, 0}, kNone, "\xE5\xC5", "a&aring;&Aring;", {15, 0}},
    {"EntityForASymbol", "", {0, 0}, kNone, "\xA9\xBD", "&copy;&frac12;", {14, 0}},
    {"EntityReplacesTheSelection", "abc", {0, 0}, {2, 0}, "\xE9", "&eacute;c", {8, 0}},
    {"EntityInOverwriteIsInserted",
     "abc",
     {0, 0},
     kNone,
     "\xE9",
     "&eacute;abc",
     {8, 0},
     kOverwrite},
    {"NoEntityWithoutAutoEncode", "", {0, 0}, kNone, "\xE9\xA9", "\xE9\xA9", {2, 0}, kPlain},
    {"ControlCharactersTypeNothing",
     "ab",
     {1, 0},
     kNone,
     QByteArray("\t\x1B\x7F\b\0", 5),
     "ab",
     {1, 0}},
    // Tab.
    {"TabTypesSpaces", "ab", {1, 0}, kNone, "<Tab>", "a    b", {5, 0}},
    {"TabOverwrites", "abcdef", {1, 0}, kNone, "<Tab>", "a    f", {5, 0}, kOverwrite},
    {"TabOfLengthThree", "", {0, 0}, kNone, "<Tab>", "   ", {3, 0}, {false, true, true, true, 3}},
    {"TabOfLengthZero", "ab", {1, 0}, kNone, "<Tab>", "ab", {1, 0}, {false, true, true, true, 0}},
    {"TabReplacesTheSelection", "abc", {0, 0}, {3, 0}, "<Tab>", "    ", {4, 0}},
    // Backspace.
    {"BackspaceAtATabStopUnindents", "        x", {8, 0}, kNone, "<BS>", "    x", {4, 0}},
    {"BackspaceOffATabStop", "      x", {6, 0}, kNone, "<BS>", "     x", {5, 0}},
    {"BackspaceAfterTextIsOneCharacter", "  ab    ", {8, 0}, kNone, "<BS>", "  ab   ", {7, 0}},
    {"BackspaceStopsOfThree",
     "      x",
     {6, 0},
     kNone,
     "<BS><BS>",
     "x",
     {0, 0},
     {false, true, true, true, 3}},
    {"BackspaceJoins", "ab\ncd", {0, 1}, kNone, "<BS>", "abcd", {2, 0}},
    {"BackspaceAtTheStart", "ab", {0, 0}, kNone, "<BS>", "ab", {0, 0}},
    {"BackspaceTakesAnEntityWhole", "x&eacute;", {9, 0}, kNone, "<BS>", "x", {1, 0}},
    {"BackspaceTakesTheSelectionFirst", "a&lt;", {3, 0}, {5, 0}, "<BS>", "a&l", {3, 0}},
    {"CtrlBackspaceEntityThenWord", "ab cd&gt;", {9, 0}, kNone, "<C-BS><C-BS>", "ab ", {3, 0}},
    {"CtrlBackspaceDeletesOnlyTheWord", "ab cd", {5, 0}, {0, 0}, "<C-BS>", "ab ", {3, 0}},
    // Delete.
    {"DeleteCharacter", "abc", {1, 0}, kNone, "<Del>", "ac", {1, 0}},
    {"DeleteJoins", "ab\ncd", {2, 0}, kNone, "<Del>", "abcd", {2, 0}},
    {"DeleteAtTheEnd", "ab", {2, 0}, kNone, "<Del>", "ab", {2, 0}},
    {"DeleteTheSelection", "abc\nd", {2, 0}, {0, 1}, "<Del>", "abd", {2, 0}},
    {"CtrlDeleteWord", "ab cd", {0, 0}, kNone, "<C-Del>", " cd", {0, 0}},
    // Enter.
    {"EnterIndents", "  ab", {3, 0}, kNone, "<Enter>", "  a\n  b", {2, 1}},
    {"EnterWithoutAutoIndent", "  ab", {3, 0}, kNone, "<Enter>", "  a\nb", {0, 1}, kPlain},
    {"EnterInsideTheIndent", "    a", {1, 0}, kNone, "<Enter>", " \n    a", {1, 1}},
    {"EnterTabsDoNotIndent", "\t a", {3, 0}, kNone, "<Enter>", "\t a\n", {0, 1}},
    {"EnterReplacesTheSelection", "  ab\ncd", {3, 0}, {1, 1}, "<Enter>", "  a\n  d", {2, 1}},
    // Read-only.
    {"ReadOnlyRefusesEveryKey",
     "ab\ncd",
     {1, 0},
     kNone,
     "x\xE9<Tab><BS><C-BS><Del><C-Del><Enter>",
     "ab\ncd",
     {1, 0},
     kReadOnly},
};

INSTANTIATE_TEST_SUITE_P(Model, Typing, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TypingResult, TrueOnlyWhenTheCharacterItselfWentIn) {
    TEditorModel m;
    EXPECT_TRUE(m.TypeChar('a'));
    EXPECT_FALSE(m.TypeChar('\xE9')); // an entity
    EXPECT_FALSE(m.TypeChar('\t'));
    m.Settings()->ReadOnly = true;
    EXPECT_FALSE(m.TypeChar('b'));
    EXPECT_EQ(TextOf(m), "a&eacute;");
}

TEST(TypingResult, ControlCharactersNeverEnterALine) {
    for (int c = 1; c < 32; ++c) {
        TEditorModel m;
        Load(m, "ab");
        m.Caret.SetPos(QPoint(1, 0));
        EXPECT_FALSE(m.TypeChar(static_cast<char>(c))) << c;
        const bool lineBreak = c == '\r' || c == '\n';
        EXPECT_EQ(TextOf(m), lineBreak ? "a\nb" : "ab") << c;
        EXPECT_EQ(m.Caret.GetPos(), lineBreak ? QPoint(0, 1) : QPoint(1, 0)) << c;
    }
    TEditorModel m;
    EXPECT_FALSE(m.TypeChar('\x7f'));
    EXPECT_EQ(TextOf(m), "");
}

TEST(TypingResult, ShiftHeldStillCollapsesOntoTheTypedText) {
    TEditorModel m;
    Load(m, "abc");
    m.ShiftHeld = true; // a capital letter typed over a Shift selection
    m.SelEnd.SetPos(QPoint(2, 0));
    m.TypeChar('X');
    EXPECT_EQ(TextOf(m), "Xc");
    EXPECT_EQ(m.Caret.GetPos(), QPoint(1, 0));
    EXPECT_EQ(m.SelEnd.GetPos(), QPoint(1, 0));
}

// --- what the observers hear ---------------------------------------------------------------

struct Recorder : TEditorObserver {
    std::vector<TTextChange> changes;
    std::vector<TRepaint> requests;
    TEditorModel* gone = nullptr;
    void TextChanged(const TTextChange& change) override { changes.push_back(change); }
    void RepaintRequested(const TRepaint& what) override { requests.push_back(what); }
    void ModelDestroyed(TEditorModel* model) override { gone = model; }
};

std::string Describe(const TRepaint& r) {
    switch (r.What) {
    case TRepaint::None:
        return "none";
    case TRepaint::Cells:
        return "cells " + std::to_string(r.Line) + ":" + std::to_string(r.Column) + "+" +
               std::to_string(r.Count);
    case TRepaint::LineText:
        return "text " + std::to_string(r.Line);
    case TRepaint::Lines:
        return "rows " + std::to_string(r.Line) + "-" +
               (r.LastLine == INT_MAX ? std::string("end") : std::to_string(r.LastLine));
    case TRepaint::All:
        return "all";
    }
    return "?";
}

TEST(TypingObservers, EachKeyIsOneChangeThatSaysWhatToRepaint) {
    struct Case {
        const char* keys;
        QPoint caret;
        std::string repaint;
        bool typed;
        int firstLine;
    };
    // "abc" / "    de" / "f"
    const Case cases[] = {
        {"x", {3, 0}, "cells 0:3+1", true, 0},       {"x", {1, 0}, "text 0", false, 0},
        {"(", {3, 0}, "text 0", false, 0}, // the closing bracket follows: not at the end
        {"<BS>", {3, 0}, "cells 0:2+2", false, 0},   {"<BS>", {1, 0}, "text 0", false, 0},
        {"<BS>", {4, 1}, "rows 1-1", false, 1}, // an indent step
        {"<BS>", {0, 2}, "all", false, 1},           {"<Del>", {0, 0}, "text 0", false, 0},
        {"<Del>", {6, 1}, "all", false, 1},          {"<C-BS>", {3, 0}, "rows 0-0", false, 0},
        {"<Enter>", {1, 1}, "rows 1-end", false, 1},
    };
    for (const Case& c : cases) {
        TEditorModel m;
        Load(m, "abc\n    de\nf");
        m.Caret.SetPosSilently(c.caret);
        m.SelEnd.SetPosSilently(c.caret);
        Recorder r;
        int events = 0;
        m.OnChange = [&](QObject*) {
            EXPECT_EQ(r.changes.size(), 1u) << "the observers hear first";
            ++events;
        };
        m.AddObserver(&r);
        Press(m, c.keys);
        ASSERT_EQ(r.changes.size(), 1u) << c.keys;
        EXPECT_EQ(Describe(r.changes[0].Repaint), c.repaint) << c.keys << " at " << c.caret.x();
        EXPECT_EQ(r.changes[0].Typed, c.typed) << c.keys;
        EXPECT_EQ(r.changes[0].FirstLine, c.firstLine) << c.keys;
        EXPECT_FALSE(r.changes[0].Deferred);
        EXPECT_EQ(events, 1);
        m.RemoveObserver(&r);
    }
}

TEST(TypingObservers, AnUpdateIsHeardAsItGoesAndOnceMoreAtItsEnd) {
    TEditorModel m;
    Load(m, "a\nb\nc\nd");
    m.Caret.SetPosSilently(QPoint(0, 1));
    m.SelEnd.SetPosSilently(QPoint(0, 2));
    Recorder r;
    int events = 0;
    m.OnChange = [&](QObject*) { ++events; };
    m.AddObserver(&r);
    m.IndentSelection();
    EXPECT_EQ(TextOf(m), "a\n    b\n    c\nd");
    ASSERT_EQ(r.changes.size(), 2u);
    EXPECT_TRUE(r.changes[0].Deferred);
    EXPECT_EQ(r.changes[0].Repaint.What, TRepaint::None);
    EXPECT_FALSE(r.changes[1].Deferred);
    EXPECT_EQ(r.changes[1].FirstLine, 1);
    EXPECT_EQ(events, 1);
    // The changed lines are repainted after the update.
    ASSERT_FALSE(r.requests.empty());
    EXPECT_EQ(Describe(r.requests.back()), "rows 1-2");
    m.RemoveObserver(&r);
}

TEST(TypingObservers, ObserversComeAndGo) {
    Recorder kept, removed;
    {
        TEditorModel m;
        m.AddObserver(&kept);
        m.AddObserver(&removed);
        m.AddObserver(&kept); // once only
        m.TypeChar('a');
        m.RemoveObserver(&removed);
        m.TypeChar('b');
        EXPECT_EQ(kept.changes.size(), 2u);
        EXPECT_EQ(removed.changes.size(), 1u);
    }
    EXPECT_NE(kept.gone, nullptr);
    EXPECT_EQ(removed.gone, nullptr);
}

TEST(TypingObservers, OneRemovedWhileTheOthersAreToldHearsNoMore) {
    struct Remover : TEditorObserver {
        TEditorModel* model = nullptr;
        TEditorObserver* victim = nullptr;
        void TextChanged(const TTextChange&) override { model->RemoveObserver(victim); }
    };
    Recorder later;
    TEditorModel m;
    Remover remover;
    remover.model = &m;
    remover.victim = &later;
    m.AddObserver(&remover);
    m.AddObserver(&later);
    m.TypeChar('a');
    m.TypeChar('b');
    EXPECT_TRUE(later.changes.empty());
    m.RemoveObserver(&remover);
}

} // namespace
