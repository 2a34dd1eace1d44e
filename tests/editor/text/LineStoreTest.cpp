#include "editor/text/LineStore.h"

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
    if (rare(rng) == 0)
        n = 300 + rare(rng) * 5; // now and then a new widest line
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

    std::uniform_int_distribution<int> op(0, 104);
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

// What an older snapshot keeps alive beyond a newer one: the data of the lines between the
// longest common head and tail of lines that share their data, a header each, and a handle
// (a multiple of its size) for each line of the chunks that the newer one does not share.
TEST(LineStoreSnapshot, UnsharedBytesAgreeWithAPlainWalk) {
    constexpr qint64 kHandle = sizeof(QByteArray), kHeader = 16;
    const auto same = [](const QByteArray& a, const QByteArray& b) {
        return a.size() == b.size() && (a.constData() == b.constData() || a.isEmpty());
    };
    std::mt19937 rng(11);
    LineStore store;
    store.InsertLines(0, RandomLines(rng, 6000));
    EXPECT_EQ(store.TakeSnapshot().UnsharedBytes(store.TakeSnapshot()), 0);
    for (int round = 0; round < 300; ++round) {
        const LineStore::Snapshot older = store.TakeSnapshot();
        for (int e = 0; e <= round % 3; ++e) {
            const int n = store.Count();
            auto at = [&](int hi) {
                return std::uniform_int_distribution<int>(0, std::max(hi, 0))(rng);
            };
            const int which = at(9);
            if (which < 4 && n > 0) {
                store.Put(at(n - 1), RandomLine(rng));
            } else if (which < 6) {
                store.Insert(at(n), RandomLine(rng));
            } else if (which < 8 && n > 0) {
                store.Delete(at(n - 1));
            } else {
                const int i = at(n);
                store.Replace(i, std::min(at(which == 8 ? 8 : 3000), n - i),
                              RandomLines(rng, at(which == 8 ? 8 : 3000)));
            }
        }
        const LineStore::Snapshot newer = store.TakeSnapshot();
        LineStore a, b;
        a.RestoreSnapshot(older);
        b.RestoreSnapshot(newer);
        const int na = a.Count(), nb = b.Count();
        int head = 0;
        while (head < na && head < nb && same(a.Get(head), b.Get(head)))
            ++head;
        int tail = 0;
        while (tail < na - head && tail < nb - head &&
               same(a.Get(na - 1 - tail), b.Get(nb - 1 - tail)))
            ++tail;
        qint64 data = 0;
        for (int i = head; i < na - tail; ++i)
            data += a.Get(i).size() + kHeader;
        const qint64 handles = older.UnsharedBytes(newer) - data;
        ASSERT_GE(handles, 0) << "round " << round;
        ASSERT_EQ(handles % kHandle, 0) << "round " << round;
        ASSERT_LE(handles / kHandle, na) << "round " << round;
        if (head + tail < na) {
            ASSERT_GT(handles, 0) << "round " << round;
        }
    }
}

TEST(LineStoreSnapshot, OneChangedLineCostsItsChunk) {
    LineStore store;
    store.InsertLines(0, std::vector<QByteArray>(100000, QByteArray("<p>x</p>")));
    const LineStore::Snapshot older = store.TakeSnapshot();
    store.Put(50000, "changed");
    const qint64 bytes = older.UnsharedBytes(store.TakeSnapshot());
    EXPECT_GE(bytes, 8 + 16 + qint64(sizeof(QByteArray)));
    EXPECT_LE(bytes, 8 + 16 + 2048 * qint64(sizeof(QByteArray)));
    EXPECT_EQ(store.TakeSnapshot().UnsharedBytes(older), bytes - 8 + 7);
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

} // namespace
