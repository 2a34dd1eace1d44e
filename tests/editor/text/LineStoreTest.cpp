#include "editor/text/LineStore.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace {

using Ref = std::vector<QByteArray>;

// The plain walk over the lines that the store's index must agree with.
void ExpectSameAs(const LineStore& store, const Ref& ref, std::mt19937& rng, const char* where) {
    SCOPED_TRACE(where);
    ASSERT_EQ(store.Count(), static_cast<int>(ref.size()));
    std::vector<qint64> starts(ref.size() + 1, 0);
    int widest = 0;
    for (size_t i = 0; i < ref.size(); ++i) {
        starts[i + 1] = starts[i] + ref[i].size() + 2;
        widest = std::max(widest, static_cast<int>(ref[i].size()));
    }
    ASSERT_EQ(store.TextLength(), starts.back());
    ASSERT_EQ(store.WidestLine(), widest);
    for (size_t i = 0; i < ref.size(); ++i) {
        ASSERT_EQ(store.Get(static_cast<int>(i)), ref[i]) << "line " << i;
        ASSERT_EQ(store.LineStart(static_cast<int>(i)), starts[i]) << "line " << i;
    }
    EXPECT_EQ(store.LineStart(static_cast<int>(ref.size())), starts.back());
    EXPECT_EQ(store.LineAtOffset(-1), -1);
    EXPECT_EQ(store.LineAtOffset(starts.back()), -1);
    if (ref.empty())
        return;
    std::uniform_int_distribution<qint64> any(0, starts.back() - 1);
    for (int n = 0; n < 200; ++n) {
        const qint64 off = any(rng);
        const int line =
            static_cast<int>(std::upper_bound(starts.begin(), starts.end(), off) - starts.begin()) -
            1;
        ASSERT_EQ(store.LineAtOffset(off), line) << "offset " << off;
    }
    // Every line's first character and both characters of its break.
    for (size_t i = 0; i < ref.size(); i += 1 + ref.size() / 300) {
        ASSERT_EQ(store.LineAtOffset(starts[i]), static_cast<int>(i));
        ASSERT_EQ(store.LineAtOffset(starts[i + 1] - 1), static_cast<int>(i));
        ASSERT_EQ(store.LineAtOffset(starts[i + 1] - 2), static_cast<int>(i));
    }
}

// Cheap checks after every operation: counts and a few random look-ups.
void SpotCheck(const LineStore& store, const Ref& ref, std::mt19937& rng) {
    ASSERT_EQ(store.Count(), static_cast<int>(ref.size()));
    qint64 total = 0;
    int widest = 0;
    for (const QByteArray& l : ref) {
        total += l.size() + 2;
        widest = std::max(widest, static_cast<int>(l.size()));
    }
    ASSERT_EQ(store.TextLength(), total);
    ASSERT_EQ(store.WidestLine(), widest);
    if (ref.empty())
        return;
    std::uniform_int_distribution<int> line(0, static_cast<int>(ref.size()) - 1);
    for (int n = 0; n < 3; ++n) {
        const int i = line(rng);
        ASSERT_EQ(store.Get(i), ref[static_cast<size_t>(i)]);
        qint64 start = 0;
        for (int k = 0; k < i; ++k)
            start += ref[static_cast<size_t>(k)].size() + 2;
        ASSERT_EQ(store.LineStart(i), start);
        ASSERT_EQ(store.LineAtOffset(start + ref[static_cast<size_t>(i)].size() + 1), i);
    }
}

QByteArray RandomLine(std::mt19937& rng) {
    std::uniform_int_distribution<int> len(0, 12), rare(0, 99), ch('a', 'z');
    int n = len(rng);
    if (rare(rng) == 0) {
        n = 300 + rare(rng) * 5; // now and then a new widest line
        if (rare(rng) < 2)       // and seldom one longer than a chunk
            n = LineStore::ChunkBytes + rare(rng) * 997;
    }
    QByteArray l(n, Qt::Uninitialized);
    for (char& c : l)
        c = static_cast<char>(ch(rng));
    return l;
}

Ref RandomLines(std::mt19937& rng, int count) {
    Ref out;
    out.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        out.push_back(RandomLine(rng));
    return out;
}

TEST(LineStoreIndex, AgreesWithAPlainListAfterRandomEdits) {
    std::mt19937 rng(20240611);
    LineStore store;
    int notifications = 0;
    store.OnChange = [&] { ++notifications; };
    Ref ref = RandomLines(rng, 6000);
    store.InsertLines(0, ref);
    ExpectSameAs(store, ref, rng, "initial");

    struct Saved {
        LineStore::Snapshot snap;
        Ref lines;
    };
    std::vector<Saved> saved;

    std::uniform_int_distribution<int> op(0, 114);
    for (int step = 0; step < 4000; ++step) {
        const int n = static_cast<int>(ref.size());
        auto at = [&](int hi) {
            return std::uniform_int_distribution<int>(0, std::max(hi, 0))(rng);
        };
        const int before = notifications;
        bool changes = true;
        const int which = op(rng);
        if (which < 30 && n > 0) { // Put
            const int i = at(n - 1);
            const QByteArray l = RandomLine(rng);
            // Shrinking the widest line must let a shorter one become the widest.
            ref[static_cast<size_t>(i)] = l;
            store.Put(i, l);
        } else if (which < 50) { // Insert
            const int i = at(n);
            const QByteArray l = RandomLine(rng);
            ref.insert(ref.begin() + i, l);
            store.Insert(i, l);
        } else if (which < 65 && n > 0) { // Delete
            const int i = at(n - 1);
            ref.erase(ref.begin() + i);
            store.Delete(i);
        } else if (which < 85) { // Replace a small range
            const int i = at(n);
            const int count = std::min(at(8), n - i);
            Ref lines = RandomLines(rng, at(8));
            changes = count > 0 || !lines.empty();
            ref.erase(ref.begin() + i, ref.begin() + i + count);
            ref.insert(ref.begin() + i, lines.begin(), lines.end());
            store.Replace(i, count, lines);
        } else if (which < 92) { // a big splice across chunk boundaries
            const int i = at(n);
            const int count = std::min(at(5000), n - i);
            Ref lines = RandomLines(rng, at(6000));
            changes = count > 0 || !lines.empty();
            ref.erase(ref.begin() + i, ref.begin() + i + count);
            ref.insert(ref.begin() + i, lines.begin(), lines.end());
            store.Replace(i, count, lines);
        } else if (which < 96) { // take a snapshot
            changes = false;
            saved.push_back({store.TakeSnapshot(), ref});
            if (saved.size() > 6)
                saved.erase(saved.begin());
        } else if (which >= 110) { // splice in lines built from text with every kind of break
            const int i = at(n);
            const int count = std::min(at(which == 114 ? 3000 : 6), n - i);
            QByteArray text;
            for (const QByteArray& l : RandomLines(rng, at(which == 114 ? 3000 : 6)))
                text += l + QByteArray(which % 2 ? "\r\n" : (which % 3 ? "\n" : "\r"));
            text += RandomLine(rng); // an open last line
            const Ref lines = LineStore::SplitText(text);
            changes = count > 0 || !lines.empty();
            ref.erase(ref.begin() + i, ref.begin() + i + count);
            ref.insert(ref.begin() + i, lines.begin(), lines.end());
            LineStore::Builder b;
            for (qsizetype from = 0; from < text.size(); from += 7)
                b.AddText(
                    QByteArrayView(text).sliced(from, std::min<qsizetype>(7, text.size() - from)));
            store.Splice(i, count, std::move(b));
        } else if (which >= 105 && n > 0) { // rewrite every third line of a range
            const int first = at(n - 1);
            const int last = std::min(n - 1, first + at(which == 109 ? 4000 : 40));
            changes = false;
            for (int y = first; y <= last; ++y)
                if (y % 3 == 0) {
                    ref[static_cast<size_t>(y)] = ref[static_cast<size_t>(y)].toUpper() + "#";
                    changes = true;
                }
            const bool changed =
                store.TransformLines(first, last, [](int y, LineView line, QByteArray* out) {
                    if (y % 3)
                        return false;
                    *out = line.toByteArray().toUpper() + "#";
                    return true;
                });
            ASSERT_EQ(changed, changes);
        } else if (which >= 100 && n > 0) { // shorten or remove the widest line
            const int i =
                static_cast<int>(std::max_element(ref.begin(), ref.end(),
                                                  [](const QByteArray& x, const QByteArray& y) {
                                                      return x.size() < y.size();
                                                  }) -
                                 ref.begin());
            if (which % 2) {
                ref.erase(ref.begin() + i);
                store.Delete(i);
            } else {
                ref[static_cast<size_t>(i)] = "short";
                store.Replace(i, 1, {"short"});
            }
        } else if (which < 100 && !saved.empty()) { // restore one
            const Saved& s = saved[static_cast<size_t>(at(static_cast<int>(saved.size()) - 1))];
            ref = s.lines;
            store.RestoreSnapshot(s.snap);
        } else {
            changes = false;
        }
        ASSERT_EQ(notifications - before, changes ? 1 : 0) << "step " << step;
        SpotCheck(store, ref, rng);
        if (HasFatalFailure())
            return;
        if (step % 250 == 0) {
            ExpectSameAs(store, ref, rng, "periodic");
            if (HasFatalFailure())
                return;
        }
    }
    ExpectSameAs(store, ref, rng, "final");
    // Snapshots are unchanged by everything that happened after they were taken.
    for (const Saved& s : saved) {
        store.RestoreSnapshot(s.snap);
        ExpectSameAs(store, s.lines, rng, "snapshot");
    }
}

// The text form of a list of lines.
QByteArray TextFormOf(const Ref& lines) {
    QByteArray out;
    for (const QByteArray& l : lines)
        out += l + "\r\n";
    return out;
}

// The most memory one chunk can hold: its bytes, its line ends and its header, with the room
// a growing byte block may have left.
constexpr qint64 kChunkMemory =
    2 * (4 * LineStore::ChunkBytes + 4 * 4 * LineStore::ChunkLines + 256);

// What an older snapshot keeps alive beyond a newer one is the chunks the newer one does not
// share: at least the text of the lines that one edit took away, and beyond it no more than
// the few chunks around the edit that were rebuilt.
TEST(LineStoreSnapshot, OneEditCostsTheChunksAroundIt) {
    std::mt19937 rng(11);
    LineStore store;
    store.InsertLines(0, RandomLines(rng, 6000));
    EXPECT_EQ(store.TakeSnapshot().UnsharedBytes(store.TakeSnapshot()), 0);
    for (int round = 0; round < 300; ++round) {
        const LineStore::Snapshot older = store.TakeSnapshot();
        const int n = store.Count();
        auto at = [&](int hi) {
            return std::uniform_int_distribution<int>(0, std::max(hi, 0))(rng);
        };
        const int which = at(9);
        int i = 0, count = 0;
        if (which < 4 && n > 0) {
            i = at(n - 1);
            count = 1;
        } else if (which < 6) {
            i = at(n);
        } else if (which < 8 && n > 0) {
            i = at(n - 1);
            count = 1;
        } else {
            i = at(n);
            count = std::min(at(which == 8 ? 8 : 3000), n - i);
        }
        const qint64 removed = store.LineStart(i + count) - store.LineStart(i);
        qint64 added = 0;
        if (which < 4 && n > 0) {
            const QByteArray l = RandomLine(rng);
            added = l.size() + 2;
            store.Put(i, l);
        } else if (which < 6) {
            const QByteArray l = RandomLine(rng);
            added = l.size() + 2;
            store.Insert(i, l);
        } else if (which < 8 && n > 0) {
            store.Delete(i);
        } else {
            const Ref lines = RandomLines(rng, at(which == 8 ? 8 : 3000));
            for (const QByteArray& l : lines)
                added += l.size() + 2;
            store.Replace(i, count, lines);
        }
        const qint64 cost = older.UnsharedBytes(store.TakeSnapshot());
        const qint64 back = store.TakeSnapshot().UnsharedBytes(older);
        ASSERT_GE(cost, removed) << "round " << round;
        ASSERT_LE(cost, removed + 4 * kChunkMemory) << "round " << round;
        ASSERT_GE(back, added) << "round " << round;
        ASSERT_LE(back, added + 4 * kChunkMemory) << "round " << round;
        // Restoring shares everything again.
        LineStore copy;
        copy.RestoreSnapshot(older);
        ASSERT_EQ(older.UnsharedBytes(copy.TakeSnapshot()), 0);
    }
}

TEST(LineStoreSnapshot, OneChangedLineCostsItsChunk) {
    LineStore store;
    store.InsertLines(0, std::vector<QByteArray>(100000, QByteArray("<p>x</p>")));
    const LineStore::Snapshot older = store.TakeSnapshot();
    store.Put(50000, "changed");
    const qint64 bytes = older.UnsharedBytes(store.TakeSnapshot());
    // The chunk's lines (ten bytes each in the text form) and their ends, nothing more.
    EXPECT_GE(bytes, 10 * LineStore::ChunkLines);
    EXPECT_LE(bytes, kChunkMemory);
    EXPECT_GE(store.TakeSnapshot().UnsharedBytes(older), 10 * LineStore::ChunkLines - 1);
    EXPECT_LE(store.TakeSnapshot().UnsharedBytes(older), kChunkMemory);
}

TEST(LineStoreIndex, MillionLineSplicesAreOneChange) {
    std::mt19937 rng(7);
    LineStore store;
    int notifications = 0;
    store.OnChange = [&] { ++notifications; };
    Ref ref(1000000, QByteArray("<p>x</p>"));
    ref[123456] = QByteArray(500, 'w');
    store.InsertLines(0, ref);
    EXPECT_EQ(notifications, 1);
    ExpectSameAs(store, ref, rng, "loaded");

    // Delete all but the first and the last line: one change.
    store.DeleteLines(1, 999998);
    EXPECT_EQ(notifications, 2);
    ref.erase(ref.begin() + 1, ref.end() - 1);
    ExpectSameAs(store, ref, rng, "deleted");

    // And put a million back between them.
    Ref many(1000000, QByteArray("<li>y</li>"));
    store.InsertLines(1, many);
    EXPECT_EQ(notifications, 3);
    ref.insert(ref.begin() + 1, many.begin(), many.end());
    ExpectSameAs(store, ref, rng, "inserted");
}

TEST(LineStoreIndex, SwapExchangesContentAndStyle) {
    std::mt19937 rng(3);
    LineStore a, b;
    int na = 0, nb = 0;
    a.OnChange = [&] { ++na; };
    b.OnChange = [&] { ++nb; };
    const Ref ra = RandomLines(rng, 3000), rb = RandomLines(rng, 10);
    a.InsertLines(0, ra);
    b.InsertLines(0, rb);
    b.SetStyle(LineStore::BreakStyle::Lf);
    a.Swap(b);
    EXPECT_EQ(na, 2);
    EXPECT_EQ(nb, 2);
    ExpectSameAs(a, rb, rng, "a");
    ExpectSameAs(b, ra, rng, "b");
    EXPECT_EQ(a.Style(), LineStore::BreakStyle::Lf);
    EXPECT_EQ(b.Style(), LineStore::BreakStyle::CrLf);
}

TEST(LineStoreIndex, ForEachVisitsTheRangeInOrder) {
    std::mt19937 rng(5);
    LineStore store;
    const Ref ref = RandomLines(rng, 5000);
    store.InsertLines(0, ref);
    int expected = 490;
    store.ForEach(490, 2600, [&](int i, const QByteArray& l) {
        ASSERT_EQ(i, expected);
        ASSERT_EQ(l, ref[static_cast<size_t>(i)]);
        ++expected;
    });
    EXPECT_EQ(expected, 2601);
    int calls = 0;
    store.ForEach(4990, 9000, [&](int, const QByteArray&) { ++calls; });
    EXPECT_EQ(calls, 10);
}

TEST(LineStoreIndex, OutOfRangeIndexesAreIgnored) {
    LineStore store;
    store.InsertLines(0, {"a", "bc"});
    int notifications = 0;
    store.OnChange = [&] { ++notifications; };
    store.Put(-1, "x");
    store.Put(2, "x");
    store.Replace(5, 0, {});
    EXPECT_EQ(notifications, 0);
    EXPECT_EQ(store.Get(-1), QByteArray());
    EXPECT_EQ(store.Get(2), QByteArray());
    EXPECT_EQ(store.Text(), QByteArray("a\r\nbc\r\n"));
}

TEST(LineStoreText, SplittingRules) {
    struct Case {
        QByteArray text;
        Ref lines;
    };
    const Case cases[] = {
        {"", {}},
        {"\r\n", {""}},
        {"a", {"a"}},
        {"a\r\nb", {"a", "b"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb\n", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\r\r\nb", {"a", "", "b"}},
        {"a\n\rb", {"a", "", "b"}},
        {"\n\n", {"", ""}},
        {"a\r\nb\nc\rd", {"a", "b", "c", "d"}},
        {QByteArray("ab\0cd\r\nef", 9), {"ab"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LineStore::SplitText(c.text), c.lines) << c.text.toStdString();
        LineStore store;
        store.SetText(c.text);
        EXPECT_EQ(store.Count(), static_cast<int>(c.lines.size()));
    }
}

TEST(LineStoreText, NormalizeBreaks) {
    struct Case {
        QByteArray in, out;
    };
    const Case cases[] = {
        {"", ""},
        {"abc", "abc"},
        {"a\nb", "a\r\nb"},
        {"a\rb", "a\r\nb"},
        {"a\r\nb", "a\r\nb"},
        {"\n\r", "\r\n\r\n"},
        {"\r\r\n\n", "\r\n\r\n\r\n"},
        {"x\n", "x\r\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LineStore::NormalizeBreaks(c.in), c.out) << c.in.toStdString();
}

// Text split by a builder in pieces of every size gives the lines that splitting it in one
// go gives, whatever the pieces cut (a CR LF cut in two is one break).
TEST(LineStoreBuilder, SplitsTextInPiecesLikeTheWhole) {
    std::mt19937 rng(17);
    const char alphabet[] = {'a', 'b', '\r', '\n', ' '};
    std::uniform_int_distribution<int> pick(0, 4), piece(1, 9), len(0, 3000);
    for (int round = 0; round < 300; ++round) {
        QByteArray text;
        const int n = round < 290 ? len(rng) : 200000; // the last ones cross many chunks
        for (int i = 0; i < n; ++i)
            text += alphabet[pick(rng)];
        LineStore::Builder b;
        for (qsizetype from = 0; from < text.size();) {
            const qsizetype size = std::min<qsizetype>(piece(rng), text.size() - from);
            b.AddText(QByteArrayView(text).sliced(from, size));
            from += size;
        }
        b.Finish();
        LineStore store;
        store.Splice(0, 0, std::move(b));
        const Ref expected = LineStore::SplitText(text);
        ASSERT_EQ(store.Count(), static_cast<int>(expected.size())) << "round " << round;
        ASSERT_EQ(store.Text(), TextFormOf(expected)) << "round " << round;
        for (int i = 0; i < store.Count(); i += 1 + store.Count() / 50)
            ASSERT_EQ(store.Get(i), expected[static_cast<size_t>(i)]);
    }
}

// Replacing spans of the text form gives what setting the text from the replaced text form
// gives, for patterns and replacements that hold or cut line breaks; chunks without a hit
// stay shared with the snapshot taken before.
TEST(LineStoreSpans, ReplaceLikeTheWholeTextAndShareTheRest) {
    std::mt19937 rng(23);
    const char alphabet[] = {'a', 'b', 'a', 'b', 'c', '\r', '\n'};
    std::uniform_int_distribution<int> pick(0, 6), plen(1, 4), rlen(0, 5);
    const auto randomText = [&](int n, int letters) {
        QByteArray t;
        for (int i = 0; i < n; ++i)
            t += alphabet[std::uniform_int_distribution<int>(0, letters)(rng)];
        return t;
    };
    for (int round = 0; round < 200; ++round) {
        // Every third round a few hits only, and every third of those hits that end where a
        // chunk of the store begins (the store builds chunks of ChunkLines short lines).
        const bool few = round % 3 == 0, boundary = few && round % 9 == 0;
        // Mostly short lines over several chunks; now and then a line longer than a chunk.
        Ref lines;
        const int count = round % 4 == 0 ? 5 : 2000;
        for (int i = 0; i < count; ++i)
            lines.push_back(
                randomText(i % 997 == 5 && !boundary ? LineStore::ChunkBytes + 10 : i % 13, 4));
        LineStore store;
        store.InsertLines(0, lines);
        const QByteArray form = store.Text();
        const QByteArray pattern =
            boundary ? QByteArray(round % 2 ? "\n" : "b\r\n") : randomText(plen(rng), 6);
        const QByteArray with = LineStore::NormalizeBreaks(randomText(rlen(rng), 6));
        std::vector<qint64> starts;
        QByteArray replaced;
        qint64 pos = 0;
        for (qsizetype at = form.indexOf(pattern); at >= 0; at = form.indexOf(pattern, at)) {
            if (few && starts.size() == 3)
                break; // the rest is shared
            const int next = store.LineAtOffset(at + pattern.size());
            if (boundary && (next < 0 || next % LineStore::ChunkLines != 0 ||
                             store.LineStart(next) != at + pattern.size())) {
                ++at;
                continue;
            }
            starts.push_back(at);
            replaced += form.mid(pos, at - pos) + with;
            at += pattern.size();
            pos = at;
        }
        if (starts.empty())
            continue;
        replaced += form.mid(pos);
        Ref expected = LineStore::SplitText(replaced);
        if (expected.empty())
            expected.push_back(QByteArray());

        const LineStore::Snapshot before = store.TakeSnapshot();
        int notifications = 0;
        qint64 reported = 0;
        store.OnChange = [&] { ++notifications; };
        store.ReplaceSpans(starts, pattern.size(), with, [&](qint64 k) {
            EXPECT_EQ(k, reported);
            return reported = k + 1;
        });
        SCOPED_TRACE(testing::Message() << "round " << round << " pattern "
                                        << pattern.toPercentEncoding().toStdString());
        ASSERT_EQ(notifications, 1);
        ASSERT_EQ(reported, static_cast<qint64>(starts.size()));
        ASSERT_EQ(store.Count(), static_cast<int>(expected.size()));
        ASSERT_EQ(store.Text(), TextFormOf(expected));
        ASSERT_LE(store.LastChangeFrom(), before.Count() > 0 ? store.Count() : 0);
        std::mt19937 check(round);
        ExpectSameAs(store, expected, check, "replaced");
        if (few && count > 5) {
            // Three hits touch at most a few chunks of the forty.
            ASSERT_LE(before.UnsharedBytes(store.TakeSnapshot()), 6 * kChunkMemory);
        }
    }
}

// A rewrite of a range replaces only the chunks with a changed line; a rewrite that changes
// nothing changes nothing and notifies nobody.
TEST(LineStoreTransform, KeepsUnchangedChunks) {
    std::mt19937 rng(29);
    LineStore store;
    const Ref lines = RandomLines(rng, 20000);
    store.InsertLines(0, lines);
    int notifications = 0;
    store.OnChange = [&] { ++notifications; };
    const LineStore::Snapshot before = store.TakeSnapshot();
    EXPECT_FALSE(store.TransformLines(0, 19999, [](int, LineView, QByteArray*) { return false; }));
    EXPECT_EQ(notifications, 0);
    EXPECT_TRUE(store.TakeSnapshot().SharesAllWith(before));

    EXPECT_TRUE(store.TransformLines(0, 19999, [](int y, LineView line, QByteArray* out) {
        if (y != 12345)
            return false;
        *out = "<" + line.toByteArray() + ">";
        return true;
    }));
    EXPECT_EQ(notifications, 1);
    EXPECT_EQ(store.LastChangeFrom(), 12345);
    EXPECT_EQ(store.Get(12345), "<" + lines[12345] + ">");
    EXPECT_LE(before.UnsharedBytes(store.TakeSnapshot()), kChunkMemory);
    EXPECT_EQ(store.TextLength(), before.TextLength() + 2);
}

// A line of 50 MB: loaded, read, edited around and inside, saved and loaded again.
TEST(LineStoreHugeLine, FiftyMegabytesInOneLine) {
    QByteArray huge(50 * 1024 * 1024, 'x');
    for (qsizetype i = 0; i < huge.size(); i += 4099)
        huge[i] = static_cast<char>('a' + i % 26);
    const QByteArray file = "first\r\n" + huge + "\r\nlast\r\n";
    const QString dir = QDir::tempPath() + QStringLiteral("/linestore_huge");
    QDir().mkpath(dir);
    const QString path = dir + QStringLiteral("/huge.txt");
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_EQ(f.write(file), file.size());
    }
    LineStore store;
    ASSERT_TRUE(store.LoadFromFile(path, nullptr));
    std::mt19937 rng(31);
    Ref ref = {"first", huge, "last"};
    ExpectSameAs(store, ref, rng, "loaded");
    EXPECT_EQ(store.Text(), file);

    // Edits around the line and inside it.
    std::uniform_int_distribution<int> op(0, 5);
    for (int step = 0; step < 40; ++step) {
        const int n = static_cast<int>(ref.size());
        const int i = std::uniform_int_distribution<int>(0, n - 1)(rng);
        switch (op(rng)) {
        case 0:
            ref.insert(ref.begin() + i, RandomLine(rng));
            store.Insert(i, ref[static_cast<size_t>(i)]);
            break;
        case 1:
            if (n > 1 && ref[static_cast<size_t>(i)].size() < 1000) {
                ref.erase(ref.begin() + i);
                store.Delete(i);
            }
            break;
        case 2:
            if (ref[static_cast<size_t>(i)].size() < 1000) {
                ref[static_cast<size_t>(i)] = RandomLine(rng);
                store.Put(i, ref[static_cast<size_t>(i)]);
            }
            break;
        case 3: { // type into the huge line
            const int h =
                static_cast<int>(std::max_element(ref.begin(), ref.end(),
                                                  [](const QByteArray& a, const QByteArray& b) {
                                                      return a.size() < b.size();
                                                  }) -
                                 ref.begin());
            QByteArray& l = ref[static_cast<size_t>(h)];
            l.insert(l.size() / 2, "typed");
            store.Put(h, l);
            break;
        }
        case 4: {
            const Ref lines = RandomLines(rng, 700);
            ref.insert(ref.begin() + i, lines.begin(), lines.end());
            store.InsertLines(i, lines);
            break;
        }
        default: {
            const int count = std::min(300, n - i);
            bool small = true;
            for (int k = i; k < i + count; ++k)
                small = small && ref[static_cast<size_t>(k)].size() < 1000;
            if (small) {
                ref.erase(ref.begin() + i, ref.begin() + i + count);
                store.DeleteLines(i, count);
            }
            break;
        }
        }
        SpotCheck(store, ref, rng);
        if (HasFatalFailure())
            return;
    }
    ExpectSameAs(store, ref, rng, "edited");
    ASSERT_TRUE(store.SaveToFile(path, nullptr));
    LineStore again;
    ASSERT_TRUE(again.LoadFromFile(path, nullptr));
    ExpectSameAs(again, ref, rng, "saved and loaded");
    QDir(dir).removeRecursively();
}

} // namespace
