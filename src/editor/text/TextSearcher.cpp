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

// The case matches: memmem runs over each chunk of the store as it is; only the candidates
// that begin near a chunk's end and reach into the next are looked for in a copy.
template <typename OnHit> qint64 TTextSearcher::ScanInPlace(qint64 from, OnHit&& onHit) const {
    const qint64 m = pattern_.size();
    const qint64 total = lines_.TextLength();
    if (m == 0 || from < 0 || from + m > total)
        return 0;
    const char* pat = pattern_.constData();
    qint64 pieceStart = 0;
    QByteArrayView piece = lines_.PieceAt(from, &pieceStart);
    const auto byteAt = [&](qint64 offset) {
        if (offset >= pieceStart && offset < pieceStart + piece.size())
            return piece[offset - pieceStart];
        qint64 start = 0;
        const QByteArrayView other = lines_.PieceAt(offset, &start);
        return other.isEmpty() ? '\0' : other[offset - start];
    };
    const auto standsAlone = [&](qint64 s) {
        return !wholeWord_ || !((s > 0 && WordChars::IsWordChar(byteAt(s - 1))) ||
                                (s + m < total && WordChars::IsWordChar(byteAt(s + m))));
    };
    // Looks for hits that begin in [pos, limit) of `hay` (whose first byte is at `hayStart`);
    // false when onHit asked to stop.
    qint64 reported = 0;
    qint64 pos = from;
    const auto scan = [&](const char* hay, qint64 hayStart, qint64 hayEnd, qint64 limit) {
        while (pos < limit && pos + m <= hayEnd) {
            const char* base = hay + (pos - hayStart);
            const size_t span = static_cast<size_t>(std::min(hayEnd, limit + m - 1) - pos);
            const void* hit = m == 1 ? std::memchr(base, pat[0], span)
                                     : memmem(base, span, pat, static_cast<size_t>(m));
            if (!hit) {
                pos = std::max(pos, std::min(limit, hayEnd - m + 1));
                return true;
            }
            const qint64 s = pos + (static_cast<const char*>(hit) - base);
            if (!standsAlone(s)) {
                pos = s + 1; // an overlapping later candidate may still stand alone
                continue;
            }
            ++reported;
            if (!onHit(s))
                return false;
            pos = s + m;
        }
        return true;
    };
    QByteArray seam;
    while (pos + m <= total) {
        if (pos < pieceStart || pos >= pieceStart + piece.size())
            piece = lines_.PieceAt(pos, &pieceStart);
        const qint64 pieceEnd = pieceStart + piece.size();
        if (!scan(piece.data(), pieceStart, pieceEnd, pieceEnd))
            return reported;
        if (pos >= pieceEnd || pos + m > total)
            continue;
        // Candidates that begin in this chunk and end in a later one.
        const qint64 seamEnd = std::min(total, pieceEnd + m - 1);
        seam = TTextFormReader::Slice(lines_, pos, seamEnd);
        const qint64 seamStart = pos;
        if (!scan(seam.constData(), seamStart, seamEnd, pieceEnd))
            return reported;
        pos = std::max(pos, pieceEnd);
    }
    return reported;
}

// Reads the text in windows [winStart, winEnd) of the raw bytes (and their folded copy when
// the case does not matter). A window holds one byte before the first candidate (for the word
// test) and one after the last (a candidate at limit ends before winEnd - 1), so the next window
// carries over only the last m + 1 bytes.
template <typename OnHit> qint64 TTextSearcher::Scan(qint64 from, OnHit&& onHit) const {
    if (matchCase_)
        return ScanInPlace(from, std::forward<OnHit>(onHit));
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
