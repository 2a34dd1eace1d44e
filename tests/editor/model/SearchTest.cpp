#include "editor/colouring/WordChars.h"
#include "editor/model/EditorModel.h"
#include "editor/text/TextSearcher.h"
#include "platform/Cp1252.h"

#include <gtest/gtest.h>
#include <random>
#include <string_view>

namespace {

constexpr quint8 kWord = SearchFlags::WholeWord;
constexpr quint8 kCase = SearchFlags::MatchCase;
constexpr quint8 kStart = SearchFlags::FromStart;

struct FindCase {
    const char* what;
    QByteArray text; // set with SetText; lines end with CR LF in the text form
    QByteArray pattern;
    int from;
    quint8 flags;
    int expected;
};

class FindFrom : public ::testing::TestWithParam<FindCase> {};

TEST_P(FindFrom, FindsTheFirstHit) {
    const FindCase& c = GetParam();
    TEditorModel m;
    m.SetText(c.text);
    EXPECT_EQ(m.FindFrom(c.pattern, c.from, c.flags), c.expected) << c.what;
    m.Settings()->ReadOnly = true;
    EXPECT_EQ(m.FindFrom(c.pattern, c.from, c.flags), c.expected) << c.what << " (read-only)";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FindFrom,
    ::testing::Values(
        FindCase{"plain", "one two one", "one", 1, 0, 8},
        FindCase{"at the start offset", "one two one", "one", 8, 0, 8},
        FindCase{"none after", "one two one", "one", 9, 0, -1},
        FindCase{"whole word at the start", "cat concat cat.", "cat", 0, kWord, 0},
        FindCase{"whole word skips concat", "cat concat cat.", "cat", 1, kWord, 11},
        FindCase{"whole word at the text's end", "concat cat", "cat", 1, kWord, 7},
        FindCase{"whole word from the start", "concat cat", "cat", 5, kWord | kStart, 7},
        FindCase{"from the start ignores the offset", "ab ab", "ab", 4, kStart, 0},
        FindCase{"underscore is no word character", "x_cat_y", "cat", 0, kWord, 2},
        FindCase{"a Latin-1 letter is one",
                 "\xe9"
                 "cat cat",
                 "cat", 0, kWord, 5},
        FindCase{"line breaks are boundaries", "cat\r\ncat", "cat", 1, kWord, 5},
        FindCase{"overlapping candidates: a later one stands alone", "ba a a", "a a", 0, kWord, 3},
        FindCase{"case folded", "\xe5r \xc5R", "\xc5R", 0, 0, 0},
        FindCase{"match case", "\xe5r \xc5R", "\xc5R", 0, kCase, 3},
        FindCase{"match case, none", "\xe5r", "\xc5R", 0, kCase, -1},
        FindCase{"S caron pair", "x\x9a", "\x8a", 0, 0, 1},
        FindCase{"OE pair", "x\x8c", "\x9c", 0, 0, 1},
        FindCase{"Z caron pair", "x\x9e", "\x8e", 0, 0, 1},
        FindCase{"Y diaeresis pair", "x\xff", "\x9f", 0, 0, 1},
        FindCase{"sharp s has no capital here", "\xdf", "SS", 0, 0, -1},
        FindCase{"CR LF in the pattern", "ab\r\ncd", "b\r\nc", 0, 0, 1},
        FindCase{"CR LF at a line's start", "ab\r\n\r\ncd", "\r\n\r\nc", 0, 0, 2},
        FindCase{"lone LF in the pattern", "ab\r\ncd", "\nc", 0, 0, 3},
        FindCase{"the final line break", "ab", "b\r\n", 0, 0, 1},
        FindCase{"whole word over a line break", "ab\r\ncd", "b\r\nc", 0, kWord, -1},
        FindCase{"empty pattern", "abc", "", 0, 0, -1},
        FindCase{"negative start", "abc", "a", -1, 0, -1},
        FindCase{"start past the last character", "abc", "a", 5, 0, -1},
        FindCase{"start on the last character", "abc", "\n", 4, 0, 4},
        FindCase{"longer than the text", "ab", "abcdef", 0, 0, -1}));

TEST(FindNext, StepsFromHitToHit) {
    TEditorModel m;
    m.SetText("a x a x a");
    std::vector<int> seen;
    while (m.FindAndSelect("a", 0)) {
        seen.push_back(m.GetSelStart());
        EXPECT_EQ(m.GetSelText(), "a");
        ASSERT_LT(seen.size(), 10u);
    }
    EXPECT_EQ(seen, (std::vector<int>{0, 4, 8}));
    EXPECT_EQ(m.GetSelStart(), 8) << "the last hit stays selected";
    EXPECT_EQ(m.FindNext("a", 0), -1);
    EXPECT_EQ(m.FindNext("a", kStart), 0);
}

TEST(FindNext, SelectsAHitOverALineBreak) {
    TEditorModel m;
    m.SetText("one\r\ntwo");
    ASSERT_TRUE(m.FindAndSelect("E\r\nT", 0));
    EXPECT_EQ(m.GetSelText(), "e\r\nt");
    EXPECT_FALSE(m.FindAndSelect("zzz", 0));
    EXPECT_EQ(m.GetSelText(), "e\r\nt") << "a miss leaves the selection";
}

TEST(Occurrences, DoNotOverlapAndIgnoreFromStart) {
    TEditorModel m;
    m.SetText("aaaa");
    EXPECT_EQ(m.GetOccurrences("aa", 0), 2);
    EXPECT_EQ(m.GetOccurrences("aa", kStart), 2);
    EXPECT_EQ(m.GetOccurrences("", 0), 0);
    m.SetText("cat concat cat. Cat");
    EXPECT_EQ(m.GetOccurrences("cat", 0), 4);
    EXPECT_EQ(m.GetOccurrences("cat", kWord), 3);
    EXPECT_EQ(m.GetOccurrences("cat", kWord | kCase), 2);
    TSearchHits hits;
    m.FindAll("cat", kWord, hits);
    EXPECT_EQ(hits.Count, 3);
    EXPECT_EQ(hits.Positions, (QStringList{"0", "11", "16"}));
    m.FindAll("dog", 0, hits);
    EXPECT_EQ(hits.Count, 0);
    EXPECT_TRUE(hits.Positions.isEmpty());
}

// The straightforward search over the whole text form, to compare the block-wise search with.
std::vector<int> Reference(const QByteArray& text, QByteArray pattern, quint8 flags, int from,
                           bool firstOnly) {
    QByteArray hay = text;
    if (!(flags & kCase)) {
        hay = Cp1252::LowerCase(hay);
        pattern = Cp1252::LowerCase(pattern);
    }
    const std::string_view h(hay.constData(), static_cast<size_t>(hay.size()));
    const std::string_view p(pattern.constData(), static_cast<size_t>(pattern.size()));
    std::vector<int> hits;
    size_t pos = static_cast<size_t>(from);
    while (true) {
        const size_t s = h.find(p, pos);
        if (s == std::string_view::npos)
            break;
        if (flags & kWord) {
            const bool before = s > 0 && WordChars::IsWordChar(text[s - 1]);
            const size_t e = s + p.size();
            const bool after = e < h.size() && WordChars::IsWordChar(text[e]);
            if (before || after) {
                pos = s + 1;
                continue;
            }
        }
        hits.push_back(static_cast<int>(s));
        if (firstOnly)
            break;
        pos = s + p.size();
    }
    return hits;
}

// Texts of a few hundred kilobytes (several search blocks) from a small alphabet, so that hits
// fall on every block boundary sooner or later.
TEST(SearchBlocks, AgreeWithTheWholeTextSearch) {
    std::mt19937 rng(1234);
    const char alphabet[] = "aAb \xe9\xc9_.";
    const QByteArray patterns[] = {"a",
                                   "ab",
                                   "Ab a",
                                   "a\r\n",
                                   "\r\nb",
                                   "b\r\n\r\na",
                                   "\xe9"
                                   "a",
                                   QByteArray(70000, 'a')};
    for (int round = 0; round < 3; ++round) {
        QByteArray text;
        while (text.size() < 300000) {
            const int len = static_cast<int>(rng() % 40);
            for (int i = 0; i < len; ++i)
                text.append(alphabet[rng() % (sizeof alphabet - 1)]);
            text.append("\r\n");
        }
        if (round == 2)
            text.insert(150000, QByteArray(140000, 'a'));
        TEditorModel m;
        m.SetText(text);
        const QByteArray form = m.Text();
        for (const QByteArray& pattern : patterns) {
            for (quint8 flags : {quint8(0), kCase, kWord, quint8(kWord | kCase)}) {
                if ((flags & kWord) && pattern.size() > 100)
                    continue; // the reference is quadratic there
                const std::vector<int> all = Reference(form, pattern, flags, 0, false);
                ASSERT_EQ(m.FindHits(pattern, flags), all)
                    << pattern.left(10).constData() << int(flags);
                ASSERT_EQ(m.GetOccurrences(pattern, flags), static_cast<int>(all.size()));
                for (int k = 0; k < 20; ++k) {
                    const int from = static_cast<int>(rng() % form.size());
                    const std::vector<int> first = Reference(form, pattern, flags, from, true);
                    ASSERT_EQ(m.FindFrom(pattern, from, flags), first.empty() ? -1 : first[0])
                        << pattern.left(10).constData() << int(flags) << " from " << from;
                }
            }
        }
    }
}

} // namespace
