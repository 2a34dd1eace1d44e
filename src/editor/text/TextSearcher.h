#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <functional>
#include <vector>

class LineStore;

// Search flags; the bits combine.
namespace SearchFlags {
constexpr quint8 WholeWord = 1; // neither neighbour of a hit is a word character
constexpr quint8 MatchCase = 2; // compare as written; otherwise Windows-1252 case folding
constexpr quint8 FromStart = 4; // find from the start of the text instead of the given offset
} // namespace SearchFlags

// Finds a string in the text form of a line store (every line followed by CR LF, so a search
// string may hold line breaks). A search that matches the case runs over the store's chunks in
// place; one that does not reads the text in blocks of a few ten kilobytes and folds them. Both
// read from the first offset asked for and only as far as the search needs.
class TTextSearcher {
public:
    // Flags: SearchFlags::WholeWord and SearchFlags::MatchCase (FromStart is the caller's).
    TTextSearcher(const LineStore& lines, const QByteArray& pattern, quint8 flags);

    qint64 PatternLength() const { return pattern_.size(); }

    // The first hit at or after `from`, -1 when there is none.
    qint64 FindFrom(qint64 from) const;
    // Calls onHit for every hit from the start of the text in increasing order; after a hit the
    // search goes on right after it, so hits never overlap. onHit returns false to stop.
    // Returns the number of hits reported.
    qint64 ForEachHit(const std::function<bool(qint64)>& onHit) const;
    // The offsets of every hit, in increasing order.
    std::vector<qint64> FindAll() const;
    // The number of hits.
    qint64 Count() const;

private:
    template <typename OnHit> qint64 Scan(qint64 from, OnHit&& onHit) const;
    template <typename OnHit> qint64 ScanInPlace(qint64 from, OnHit&& onHit) const;

    const LineStore& lines_;
    QByteArray pattern_; // folded unless the case matches
    bool wholeWord_;
    bool matchCase_;
};
