#include "editor/model/EditorModel.h"
#include "editor/text/TextSearcher.h"
#include "editor/view/TextEditorEx.h"

#include <gtest/gtest.h>
#include <tuple>

namespace {

struct Progress {
    int total, done, perMille;
    bool operator==(const Progress& o) const {
        return std::tie(total, done, perMille) == std::tie(o.total, o.done, o.perMille);
    }
};

// A model that records its hooks and notifications.
class RecordingModel : public TEditorModel {
public:
    RecordingModel() {
        OnChange = [this](QObject*) { ++changes; };
        OnSelChange = [this](QObject*) { ++selChanges; };
    }
    void BeforeReplaceAll() override { textAtHook.push_back(Text()); }
    void ReplaceProgress(int total, int done, int perMille) override {
        events.push_back({total, done, perMille});
    }
    std::vector<QByteArray> textAtHook;
    std::vector<Progress> events;
    int changes = 0;
    int selChanges = 0;
};

struct ReplaceCase {
    const char* what;
    QByteArray text;
    int caret;
    QByteArray find, replace;
    quint8 flags;
    int count;
    QByteArray result; // the text form afterwards
    int newCaret;
};

class ReplaceAll : public ::testing::TestWithParam<ReplaceCase> {};

TEST_P(ReplaceAll, ReplacesEveryHitInOneChange) {
    const ReplaceCase& c = GetParam();
    RecordingModel m;
    m.SetText(c.text);
    m.SetSelStart(c.caret);
    m.changes = m.selChanges = 0;
    EXPECT_EQ(m.ReplaceAll(c.find, c.replace, c.flags), c.count) << c.what;
    EXPECT_EQ(m.Text(), c.result) << c.what;
    EXPECT_EQ(m.GetSelStart(), c.newCaret) << c.what;
    EXPECT_EQ(m.GetSelLength(), 0) << c.what;
    EXPECT_EQ(m.changes, c.count > 0 ? 1 : 0) << c.what;
    EXPECT_GE(m.selChanges, 1) << c.what;
    if (c.count > 0)
        EXPECT_EQ(m.textAtHook,
                  std::vector<QByteArray>{LineStore::NormalizeBreaks(c.text + "\r\n")})
            << c.what << ": the hook runs once, before the change";
    else
        EXPECT_TRUE(m.textAtHook.empty()) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReplaceAll,
    ::testing::Values(
        ReplaceCase{"longer replacement", "a a a", 0, "a", "bb", 0, 3, "bb bb bb\r\n", 0},
        ReplaceCase{"the replacement holds the found text", "a a", 0, "a", "aa", 0, 2, "aa aa\r\n",
                    0},
        ReplaceCase{"only hits before the caret move it", "xa xa xa", 4, "x", "yyy", 0, 3,
                    "yyya yyya yyya\r\n", 8},
        ReplaceCase{"a caret inside a hit goes to its start", "abc abc", 5, "abc", "Z", 0, 2,
                    "Z Z\r\n", 2},
        ReplaceCase{"shorter replacement", "one two one", 8, "one", "1", 0, 2, "1 two 1\r\n", 6},
        ReplaceCase{"case folded", "A a \xc5 \xe5", 0, "\xe5", "o", 0, 2, "A a o o\r\n", 0},
        ReplaceCase{"match case and whole word", "Cat cat concat", 0, "cat", "dog",
                    SearchFlags::MatchCase | SearchFlags::WholeWord, 1, "Cat dog concat\r\n", 0},
        ReplaceCase{"from the start does not matter", "ab ab", 3, "ab", "x", SearchFlags::FromStart,
                    2, "x x\r\n", 2},
        ReplaceCase{"a line break in the replacement", "a;b;c", 4, ";", "\r\n", 0, 2,
                    "a\r\nb\r\nc\r\n", 6},
        ReplaceCase{"lone LF becomes a line break", "a;b", 2, ";", "\n", 0, 1, "a\r\nb\r\n", 3},
        ReplaceCase{"joining lines", "a\r\nb\r\nc", 6, "\r\n", " ", 0, 3, "a b c \r\n", 4},
        ReplaceCase{"everything removed", "ab", 1, "ab\r\n", "", 0, 1, "\r\n", 0},
        ReplaceCase{"a NUL ends the replacement", "a-b", 0, "-", QByteArray("+\0tail", 6), 0, 1,
                    "a+b\r\n", 0},
        ReplaceCase{"no hit", "abc", 2, "x", "y", 0, 0, "abc\r\n", 2}));

TEST(ReplaceAllProgress, PerMilleAfterEachReplacement) {
    RecordingModel m;
    m.SetText("a a a");
    m.ReplaceAll("a", "bb", 0);
    EXPECT_EQ(m.events, (std::vector<Progress>{{3, 1, 0}, {3, 2, 500}, {3, 3, 1000}}));

    m.events.clear();
    m.SetText("a b");
    m.ReplaceAll("a", "c", 0);
    EXPECT_TRUE(m.events.empty()) << "one hit reports no progress";

    // Halves round to even: 1/8 of 1000 is 125, 3/8 is 375, 5/8 is 625; 1/16 is 62.5 -> 62.
    m.events.clear();
    m.SetText(QByteArray(17, 'a'));
    m.ReplaceAll("a", "b", 0);
    ASSERT_EQ(m.events.size(), 17u);
    EXPECT_EQ(m.events[1], (Progress{17, 2, 62}));
    EXPECT_EQ(m.events[3], (Progress{17, 4, 188})); // 187.5 -> 188
    EXPECT_EQ(m.events[8], (Progress{17, 9, 500}));
}

TEST(ReplaceAllProgress, ManyHitsReportEachPerMilleOnce) {
    RecordingModel m;
    QByteArray text;
    for (int i = 0; i < 5000; ++i)
        text.append("x y\r\n");
    m.SetText(text);
    ASSERT_EQ(m.ReplaceAll("x", "zz", 0), 5000);
    ASSERT_EQ(m.events.size(), 1001u);
    EXPECT_EQ(m.events.front(), (Progress{5000, 1, 0}));
    EXPECT_EQ(m.events.back(), (Progress{5000, 5000, 1000}));
    for (size_t i = 1; i < m.events.size(); ++i) {
        EXPECT_EQ(m.events[i].perMille, m.events[i - 1].perMille + 1);
        EXPECT_GT(m.events[i].done, m.events[i - 1].done);
    }
}

TEST(ReplaceAllRefusal, ReadOnlyAndEmptyFindChangeNothing) {
    RecordingModel m;
    m.SetText("a a");
    m.SetSelStart(1);
    m.SetSelLength(1);
    EXPECT_EQ(m.ReplaceAll("", "x", 0), -1);
    m.Settings()->ReadOnly = true;
    EXPECT_EQ(m.ReplaceAll("a", "x", 0), 0);
    EXPECT_EQ(m.Text(), "a a\r\n");
    EXPECT_EQ(m.GetSelStart(), 1);
    EXPECT_EQ(m.GetSelLength(), 1);
    EXPECT_TRUE(m.textAtHook.empty());
    EXPECT_TRUE(m.events.empty());
}

TEST(ReplaceAllControl, ProgressReachesOnReplaceProgress) {
    TTextEditorEx editor;
    std::vector<Progress> events;
    editor.OnReplaceProgress = [&events](int total, int done, int perMille) {
        events.push_back({total, done, perMille});
    };
    editor.SetText("a a a");
    EXPECT_EQ(editor.ReplaceAll("a", "b", 0), 3);
    EXPECT_EQ(editor.Text(), "b b b\r\n");
    EXPECT_EQ(events, (std::vector<Progress>{{3, 1, 0}, {3, 2, 500}, {3, 3, 1000}}));
}

} // namespace
