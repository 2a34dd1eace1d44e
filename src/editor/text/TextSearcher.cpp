#include "editor/text/TextSearcher.h"

#include "editor/colouring/WordChars.h"
#include "editor/text/LineStore.h"
#include "editor/text/TextFormReader.h"
#include "platform/Cp1252.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <string.h>

namespace {

constexpr qint64 kBlock = 64 * 1024;
constexpr qint64 kFirstBlock = 1024;

const std::array<unsigned char, 256>& FoldTable() {
    static const std::array<unsigned char, 256> table = [] {
        std::array<unsigned char, 256> t{};
        for (int c = 0; c < 256; ++c)
            t[c] = Cp1252::ToLower(static_cast<unsigned char>(c));
        return t;
    }();
    return table;
}

void Fold(const char* src, char* dst, qint64 n) {
    const unsigned char* table = FoldTable().data();
    const auto* s = reinterpret_cast<const unsigned char*>(src);
    auto* d = reinterpret_cast<unsigned char*>(dst);
    for (qint64 i = 0; i < n; ++i)
        d[i] = table[s[i]];
}

} // namespace

TTextSearcher::TTextSearcher(const LineStore& lines, const QByteArray& pattern, quint8 flags)
    : lines_(lines), pattern_(pattern), wholeWord_(flags & SearchFlags::WholeWord),
      matchCase_(flags & SearchFlags::MatchCase) {
    if (!matchCase_)
        pattern_ = Cp1252::LowerCase(pattern_);
}

// Reads the text in windows [winStart, winEnd) of the raw bytes (and their folded copy when
// the case does not matter). A window holds one byte before the first candidate (for the word
// test) and one after the last (a candidate at limit ends before winEnd - 1), so the next window
// carries over only the last m + 1 bytes.
template <typename OnHit> qint64 TTextSearcher::Scan(qint64 from, OnHit&& onHit) const {
    const qint64 m = pattern_.size();
    const qint64 total = lines_.TextLength();
    if (m == 0 || from < 0 || from + m > total)
        return 0;
    const char* pat = pattern_.constData();
    const unsigned char first = static_cast<unsigned char>(pat[0]);
    const qint64 capacity = std::max(kBlock, 4 * m) + m + 2;
    // Left uninitialised: only what the reader copied in is ever looked at.
    const std::unique_ptr<char[]> rawBuffer(new char[static_cast<size_t>(capacity)]);
    const std::unique_ptr<char[]> foldedBuffer(
        matchCase_ ? nullptr : new char[static_cast<size_t>(capacity)]);
    char* const raw = rawBuffer.get();
    char* const folded = foldedBuffer.get();
    const char* hay = matchCase_ ? raw : folded;

    qint64 pos = from; // next candidate start
    qint64 winStart = std::max<qint64>(pos - 1, 0);
    qint64 winEnd = winStart;
    TTextFormReader reader(lines_, winStart);
    qint64 block = kFirstBlock;
    qint64 reported = 0;
    while (pos + m <= total) {
        // Keep [pos - 1, winEnd) and fill up the window.
        const qint64 keepFrom = std::max<qint64>(pos - 1, 0);
        const qint64 keep = std::max<qint64>(winEnd - keepFrom, 0);
        if (keep > 0 && keepFrom > winStart) {
            std::memmove(raw, raw + (keepFrom - winStart), static_cast<size_t>(keep));
            if (!matchCase_)
                std::memmove(folded, folded + (keepFrom - winStart), static_cast<size_t>(keep));
        }
        winStart = keepFrom;
        // The first windows are small, so that a hit close to the start costs little.
        const qint64 got = reader.CopyTo(winStart + std::min(capacity, block + m + 2), raw + keep);
        block = std::min(2 * block, kBlock);
        if (!matchCase_)
            Fold(raw + keep, folded + keep, got);
        winEnd = winStart + keep + got;
        const qint64 limit = winEnd >= total ? total - m : winEnd - m - 1;

        while (pos <= limit) {
            const char* base = hay + (pos - winStart);
            const size_t span = static_cast<size_t>(limit - pos + m);
            const void* hit = m == 1 ? std::memchr(base, first, span)
                                     : memmem(base, span, pat, static_cast<size_t>(m));
            if (!hit)
                break;
            const qint64 s = pos + (static_cast<const char*>(hit) - base);
            if (wholeWord_) {
                const bool before =
                    s > 0 && WordChars::IsWordChar(raw[static_cast<size_t>(s - 1 - winStart)]);
                const bool after = s + m < total && WordChars::IsWordChar(
                                                        raw[static_cast<size_t>(s + m - winStart)]);
                if (before || after) {
                    // An overlapping later candidate may still stand alone.
                    pos = s + 1;
                    continue;
                }
            }
            ++reported;
            if (!onHit(s))
                return reported;
            pos = s + m;
        }
        if (winEnd >= total)
            break;
        pos = std::max(pos, limit + 1);
    }
    return reported;
}

qint64 TTextSearcher::FindFrom(qint64 from) const {
    qint64 found = -1;
    Scan(from, [&found](qint64 s) {
        found = s;
        return false;
    });
    return found;
}

qint64 TTextSearcher::ForEachHit(const std::function<bool(qint64)>& onHit) const {
    return Scan(0, onHit);
}

std::vector<qint64> TTextSearcher::FindAll() const {
    std::vector<qint64> hits;
    Scan(0, [&hits](qint64 s) {
        hits.push_back(s);
        return true;
    });
    return hits;
}

qint64 TTextSearcher::Count() const {
    return Scan(0, [](qint64) { return true; });
}
