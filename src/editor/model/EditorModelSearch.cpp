// Finding and replacing in the whole text.
#include "editor/model/EditorModel.h"
#include "editor/text/TextSearcher.h"

#include <algorithm>

namespace {

// k / (n - 1) in per mille, rounded to the nearest integer with halves to even (n > 1).
int PerMille(qint64 k, qint64 n) {
    const qint64 num = k * 1000, den = n - 1;
    qint64 q = num / den;
    const qint64 twice = 2 * (num % den);
    if (twice > den || (twice == den && (q & 1)))
        ++q;
    return static_cast<int>(q);
}

} // namespace

int TEditorModel::FindFrom(const QByteArray& text, int from, quint8 flags) const {
    const int start = (flags & SearchFlags::FromStart) ? 0 : from;
    if (text.isEmpty() || start < 0 || start > TextLength() - 1)
        return -1;
    return static_cast<int>(TTextSearcher(Lines, text, flags).FindFrom(start));
}

int TEditorModel::FindNext(const QByteArray& text, quint8 flags) const {
    return FindFrom(text, GetSelStart() + GetSelLength(), flags);
}

bool TEditorModel::FindAndSelect(const QByteArray& text, quint8 flags) {
    const int hit = FindNext(text, flags);
    if (hit < 0)
        return false;
    SetSelStart(hit);
    SetSelLength(static_cast<int>(text.size()));
    return true;
}

int TEditorModel::GetOccurrences(const QByteArray& text, quint8 flags) const {
    return static_cast<int>(TTextSearcher(Lines, text, flags).Count());
}

std::vector<int> TEditorModel::FindHits(const QByteArray& text, quint8 flags) const {
    std::vector<int> hits;
    TTextSearcher(Lines, text, flags).ForEachHit([&hits](qint64 s) {
        hits.push_back(static_cast<int>(s));
        return true;
    });
    return hits;
}

void TEditorModel::FindAll(const QByteArray& text, quint8 flags, TSearchHits& hits) const {
    const std::vector<int> found = FindHits(text, flags);
    hits.Count = static_cast<int>(found.size());
    hits.Positions.clear();
    hits.Positions.reserve(hits.Count);
    for (int s : found)
        hits.Positions.append(QString::number(s));
}

int TEditorModel::ReplaceAll(const QByteArray& find, const QByteArray& replace, quint8 flags) {
    if (Settings()->ReadOnly)
        return 0;
    if (find.isEmpty())
        return -1;
    // The replacement as the text will hold it: up to a NUL (which would cut the text there)
    // and with CR LF breaks, so that offsets computed from its length hold.
    const qsizetype nul = replace.indexOf('\0');
    const QByteArray rep = LineStore::NormalizeBreaks(nul < 0 ? replace : replace.left(nul));
    const qint64 selStart = GetSelStart();
    const std::vector<qint64> hits = TTextSearcher(Lines, find, flags).FindAll();
    const qint64 n = static_cast<qint64>(hits.size());
    const qint64 m = find.size();
    const qint64 delta = rep.size() - m;
    qint64 newSelStart = selStart;

    if (n > 0) {
        BeforeReplaceAll();
        // The caret moves by the hits before it; inside a hit it goes to the hit's start.
        const auto before = std::partition_point(hits.begin(), hits.end(),
                                                 [&](qint64 s) { return s + m <= selStart; });
        const qint64 k = before - hits.begin();
        if (k > 0)
            newSelStart = selStart + k * delta;
        if (before != hits.end() && *before < selStart)
            newSelStart = *before + k * delta;
        // Each per-mille value once; 1000 is left for the end, after the text is set. The store
        // asks again at the next hit whose value differs.
        const auto progress = [&](qint64 k) -> qint64 {
            const int perMille = n > 1 ? PerMille(k, n) : 1000;
            if (k + 1 < n && perMille < 1000)
                ReplaceProgress(static_cast<int>(n), static_cast<int>(k + 1), perMille);
            if (n < 2)
                return n;
            qint64 lo = k + 1, hi = n; // the first hit with a higher value lies in [lo, hi]
            while (lo < hi) {
                const qint64 mid = lo + (hi - lo) / 2;
                if (PerMille(mid, n) > perMille)
                    hi = mid;
                else
                    lo = mid + 1;
            }
            return lo;
        };
        HideSystemCaret();
        Lines.ReplaceSpans(hits, m, rep, progress);
        RepaintAll();
        if (n > 1)
            ReplaceProgress(static_cast<int>(n), static_cast<int>(n), 1000);
    }

    const qint64 target =
        TextLength() < 3 ? 0 : std::clamp<qint64>(newSelStart, 0, TextLength() - 2);
    if (n > 0) {
        QPoint p(0, 0);
        OffsetToPos(target, &p);
        ForceCollapse = true;
        Caret.SetPosAndNotify(p);
        ForceCollapse = false;
        ShowSystemCaret();
    } else {
        SetSelStart(static_cast<int>(target));
    }
    FireSelChange();
    return static_cast<int>(n);
}
