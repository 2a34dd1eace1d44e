#include "editor/text/LineStore.h"
#include "platform/AtomicFile.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <climits>
#include <cstring>

namespace {
constexpr int kMaxChunkLines = 4 * LineStore::ChunkLines; // a chunk past this is split
constexpr qsizetype kMaxChunkBytes = 4 * LineStore::ChunkBytes;
constexpr qint64 kReadBlock = 1 << 20; // bytes read from a file at a time
const char kBreak[2] = {'\r', '\n'};
} // namespace

// One chunk: its lines in the text form (each followed by CR LF) and where each line's CR LF
// ends.
struct LineStore::Chunk {
    QByteArray text;
    std::vector<quint32> ends;
    int widest = 0;

    int Count() const { return static_cast<int>(ends.size()); }
    qint64 Bytes() const { return text.size(); }
    qsizetype Start(int i) const { return i > 0 ? ends[static_cast<size_t>(i - 1)] : 0; }
    int LineLength(int i) const {
        return static_cast<int>(ends[static_cast<size_t>(i)] - Start(i) - 2);
    }
    QByteArrayView Line(int i) const {
        const qsizetype s = Start(i);
        return QByteArrayView(text.constData() + s, ends[static_cast<size_t>(i)] - s - 2);
    }
    // The first line whose CR LF ends after `offset`.
    int LineAt(qsizetype offset) const {
        return static_cast<int>(
            std::upper_bound(ends.begin(), ends.end(), static_cast<quint32>(offset)) -
            ends.begin());
    }
    void RecountWidest() {
        widest = 0;
        for (int i = 0; i < Count(); ++i)
            widest = std::max(widest, LineLength(i));
    }
    qint64 Memory() const {
        return static_cast<qint64>(sizeof(Chunk)) + text.capacity() +
               static_cast<qint64>(ends.capacity() * sizeof(quint32));
    }
    bool Oversized() const {
        return Count() > kMaxChunkLines || (Bytes() > kMaxChunkBytes && Count() > 1);
    }
};

// --- snapshots -----------------------------------------------------------------------------

bool LineStore::Snapshot::SharesAllWith(const Snapshot& other) const {
    return chunks_ == other.chunks_ && style_ == other.style_;
}

qint64 LineStore::Snapshot::UnsharedBytes(const Snapshot& other) const {
    const std::vector<ChunkPtr>& a = chunks_;
    const std::vector<ChunkPtr>& b = other.chunks_;
    size_t head = 0;
    while (head < a.size() && head < b.size() && a[head] == b[head])
        ++head;
    size_t tail = 0;
    while (tail < a.size() - head && tail < b.size() - head &&
           a[a.size() - 1 - tail] == b[b.size() - 1 - tail])
        ++tail;
    const size_t aEnd = a.size() - tail, bEnd = b.size() - tail;
    if (head == aEnd)
        return 0;
    // The chunks in between: those of `other` by address, to find the ones both still hold.
    std::vector<const Chunk*> theirs;
    theirs.reserve(bEnd - head);
    for (size_t i = head; i < bEnd; ++i)
        theirs.push_back(b[i].get());
    std::sort(theirs.begin(), theirs.end());
    qint64 bytes = 0;
    for (size_t i = head; i < aEnd; ++i)
        if (!std::binary_search(theirs.begin(), theirs.end(), a[i].get()))
            bytes += a[i]->Memory();
    return bytes;
}

// --- the builder ---------------------------------------------------------------------------

LineStore::Builder::Builder() = default;
LineStore::Builder::~Builder() = default;
LineStore::Builder::Builder(Builder&&) noexcept = default;
LineStore::Builder& LineStore::Builder::operator=(Builder&&) noexcept = default;

void LineStore::Builder::NewChunk() {
    cur_ = std::make_shared<Chunk>();
    // Written through base_ up to used_; the size is set when the chunk is sealed.
    cur_->text.resize(ChunkBytes + 1024);
    cur_->ends.reserve(ChunkLines);
    base_ = cur_->text.data();
    used_ = 0;
    lineStart_ = 0;
}

char* LineStore::Builder::Room(qsizetype n) {
    if (!cur_)
        NewChunk();
    if (used_ + n > cur_->text.size()) {
        cur_->text.resize(std::max(used_ + n, 2 * cur_->text.size()));
        base_ = cur_->text.data();
    }
    char* at = base_ + used_;
    used_ += n;
    return at;
}

void LineStore::Builder::Seal() {
    if (!cur_ || cur_->text.size() == used_)
        return;
    cur_->text.resize(used_);
    // The room it did not use goes back.
    if (cur_->text.capacity() - used_ > 1024)
        cur_->text.squeeze();
    base_ = cur_->text.data();
}

void LineStore::Builder::Flush() {
    if (!cur_ || cur_->ends.empty())
        return;
    Seal();
    if (cur_->ends.capacity() > cur_->ends.size() + 64)
        cur_->ends.shrink_to_fit();
    chunks_.push_back(std::move(cur_));
    cur_.reset();
    base_ = nullptr;
    used_ = 0;
    lineStart_ = 0;
}

void LineStore::Builder::LineEnded(qsizetype lineEnd) {
    Chunk& c = *cur_;
    const int length = static_cast<int>(lineEnd - lineStart_ - 2);
    c.ends.push_back(static_cast<quint32>(lineEnd));
    c.widest = std::max(c.widest, length);
    ++count_;
    total_ += length + 2;
    lineStart_ = lineEnd;
    open_ = false;
}

void LineStore::Builder::AddText(QByteArrayView text) {
    const char* p = text.data();
    const char* const end = p + text.size();
    if (p == end)
        return;
    if (pendingCr_) {
        pendingCr_ = false;
        if (*p == '\n')
            ++p;
    }
    if (!cur_)
        NewChunk();
    const auto find = [end](const char* from, char ch) {
        const void* at = std::memchr(from, ch, static_cast<size_t>(end - from));
        return at ? static_cast<const char*>(at) : end;
    };
    // The bytes [run, p) go into the chunk as they are (lines that break with CR LF).
    const char* run = p;
    const char* cr = find(p, '\r');
    const char* lf = find(p, '\n');
    while (p < end) {
        if (cr < p)
            cr = find(p, '\r');
        if (lf < p)
            lf = find(p, '\n');
        const char* brk = std::min(cr, lf);
        if (brk == end)
            break;
        qsizetype lineEnd;
        if (*brk == '\r' && brk + 1 < end && brk[1] == '\n') {
            p = brk + 2;
            lineEnd = used_ + (p - run);
        } else {
            // A lone CR or LF: the line gets a CR LF of its own.
            char* at = Room(brk - run + 2);
            std::memcpy(at, run, static_cast<size_t>(brk - run));
            std::memcpy(at + (brk - run), kBreak, 2);
            lineEnd = used_;
            pendingCr_ = *brk == '\r' && brk + 1 == end;
            p = brk + 1;
            run = p;
        }
        LineEnded(lineEnd);
        if (cur_->Count() >= ChunkLines || lineEnd >= ChunkBytes) {
            std::memcpy(Room(p - run), run, static_cast<size_t>(p - run));
            run = p;
            Flush();
            NewChunk();
        }
    }
    std::memcpy(Room(end - run), run, static_cast<size_t>(end - run));
    if (used_ > lineStart_)
        open_ = true;
}

void LineStore::Builder::AddToLine(QByteArrayView characters) {
    pendingCr_ = false;
    if (characters.isEmpty())
        return;
    std::memcpy(Room(characters.size()), characters.data(), static_cast<size_t>(characters.size()));
    open_ = true;
}

void LineStore::Builder::EndLine() {
    pendingCr_ = false;
    std::memcpy(Room(2), kBreak, 2);
    LineEnded(used_);
    if (cur_->Count() >= ChunkLines || used_ >= ChunkBytes)
        Flush();
}

void LineStore::Builder::Finish() {
    if (open_)
        EndLine();
    pendingCr_ = false;
}

void LineStore::Builder::AddChunk(const ChunkPtr& chunk) {
    Flush();
    pendingCr_ = false;
    chunks_.push_back(chunk);
    count_ += chunk->Count();
    total_ += chunk->Bytes();
}

void LineStore::Builder::AddLinesOf(const Chunk& chunk, int from, int to) {
    for (int i = from; i < to; ++i)
        AddLine(chunk.Line(i));
}

void LineStore::Builder::Append(Builder&& other) {
    const auto fits = [this](const Chunk& c) {
        return cur_ && !cur_->ends.empty() && cur_->Count() + c.Count() <= ChunkLines &&
               used_ + c.Bytes() <= ChunkBytes;
    };
    for (const ChunkPtr& c : other.chunks_) {
        if (fits(*c))
            AddLinesOf(*c, 0, c->Count());
        else
            AddChunk(c);
    }
    if (other.cur_) {
        other.Seal();
        Chunk& oc = *other.cur_;
        if (!cur_ || cur_->ends.empty() || fits(oc)) {
            AddLinesOf(oc, 0, oc.Count());
            AddToLine(QByteArrayView(oc.text.constData() + other.lineStart_,
                                     oc.text.size() - other.lineStart_));
        } else {
            Flush();
            cur_ = std::move(other.cur_);
            base_ = cur_->text.data();
            used_ = cur_->text.size();
            lineStart_ = other.lineStart_;
            open_ = other.open_;
            count_ += cur_->Count();
            total_ += cur_->ends.empty() ? 0 : cur_->ends.back();
        }
    }
    pendingCr_ = other.pendingCr_;
    other = Builder();
}

// --- the store -----------------------------------------------------------------------------

LineStore::LineStore() = default;
LineStore::~LineStore() = default;

void LineStore::Changed(int fromLine) {
    changeFrom_ = fromLine;
    if (OnChange)
        OnChange();
}

void LineStore::InvalidateIndex() {
    indexValid_ = false;
    widestValid_ = false;
}

void LineStore::EnsureIndex() const {
    if (indexValid_)
        return;
    const size_t n = chunks_.size();
    treeLines_.assign(n + 1, 0);
    treeBytes_.assign(n + 1, 0);
    for (size_t i = 1; i <= n; ++i) {
        treeLines_[i] += chunks_[i - 1]->Count();
        treeBytes_[i] += chunks_[i - 1]->Bytes();
        const size_t parent = i + (i & (~i + 1));
        if (parent <= n) {
            treeLines_[parent] += treeLines_[i];
            treeBytes_[parent] += treeBytes_[i];
        }
    }
    indexValid_ = true;
}

void LineStore::IndexAdd(size_t chunk, int lines, qint64 bytes) {
    if (!indexValid_ || (lines == 0 && bytes == 0))
        return;
    for (size_t i = chunk + 1; i < treeLines_.size(); i += i & (~i + 1)) {
        treeLines_[i] += lines;
        treeBytes_[i] += bytes;
    }
}

namespace {
size_t HighestBit(size_t n) {
    size_t bit = 1;
    while (bit * 2 <= n)
        bit *= 2;
    return n ? bit : 0;
}

// Descends the index trees: the number of leading chunks whose total in `by` stays at or
// below `target`. *rest gets what is left of target after them, *along their total in `with`.
template <class By, class With>
size_t Descend(const std::vector<By>& by, const std::vector<With>& with, size_t n, By target,
               By* rest, With* along) {
    size_t pos = 0;
    By left = target;
    With sum = 0;
    for (size_t step = HighestBit(n); step; step >>= 1) {
        if (pos + step <= n && by[pos + step] <= left) {
            pos += step;
            left -= by[pos];
            sum += with[pos];
        }
    }
    *rest = left;
    *along = sum;
    return pos;
}
} // namespace

size_t LineStore::ChunkOf(int index, int* within, qint64* bytesBefore) const {
    EnsureIndex();
    // The number of leading chunks that end at or before the line: the line's chunk.
    qint64 bytes = 0;
    const size_t pos = Descend(treeLines_, treeBytes_, chunks_.size(), index, within, &bytes);
    if (bytesBefore)
        *bytesBefore = bytes;
    return pos;
}

size_t LineStore::ChunkAtOffset(qint64 offset, int* linesBefore, qint64* bytesBefore) const {
    EnsureIndex();
    qint64 rest = 0;
    const size_t pos = Descend(treeBytes_, treeLines_, chunks_.size(), offset, &rest, linesBefore);
    *bytesBefore = offset - rest;
    return pos;
}

LineStore::Chunk& LineStore::Mutable(size_t k) {
    if (chunks_[k].use_count() > 1)
        chunks_[k] = std::make_shared<Chunk>(*chunks_[k]);
    return *chunks_[k];
}

LineView LineStore::Get(int index) const {
    if (index < 0 || index >= count_)
        return LineView();
    int within;
    const size_t k = ChunkOf(index, &within);
    return chunks_[k]->Line(within);
}

void LineStore::Put(int index, QByteArrayView line) {
    if (index < 0 || index >= count_)
        return;
    QByteArray form;
    form.reserve(line.size() + 2);
    form.append(line.data(), line.size()).append(kBreak, 2);
    const quint32 end = static_cast<quint32>(form.size());
    SpliceInChunk(index, 1, form, &end, 1, static_cast<int>(line.size()));
    Changed(index);
}

void LineStore::Add(QByteArrayView line) {
    Insert(count_, line);
}

void LineStore::Insert(int index, QByteArrayView line) {
    Builder b;
    b.AddLine(line);
    Splice(index, 0, std::move(b));
}

void LineStore::Delete(int index) {
    if (index < 0 || index >= count_)
        return;
    Splice(index, 1, Builder());
}

void LineStore::Clear() {
    chunks_.clear();
    count_ = 0;
    total_ = 0;
    InvalidateIndex();
    Changed(0);
}

bool LineStore::SpliceInChunk(int index, int count, QByteArrayView form, const quint32* ends,
                              size_t n, int newWidest) {
    if (chunks_.empty())
        return false;
    size_t k;
    int within;
    if (index < count_) {
        k = ChunkOf(index, &within);
    } else {
        k = chunks_.size() - 1;
        within = chunks_[k]->Count();
    }
    {
        const Chunk& c = *chunks_[k];
        if (within + count > c.Count() || c.Count() - count + static_cast<int>(n) == 0)
            return false;
    }
    Chunk& c = Mutable(k);
    int removedWidest = 0;
    for (int i = within; i < within + count; ++i)
        removedWidest = std::max(removedWidest, c.LineLength(i));
    const qsizetype from = c.Start(within), to = c.Start(within + count);
    const qint64 delta = form.size() - (to - from);
    c.text.replace(from, to - from, form);
    const auto at = c.ends.begin() + within;
    c.ends.erase(at, at + count);
    c.ends.insert(c.ends.begin() + within, ends, ends + n);
    for (size_t i = static_cast<size_t>(within); i < static_cast<size_t>(within) + n; ++i)
        c.ends[i] += static_cast<quint32>(from);
    for (size_t i = static_cast<size_t>(within) + n; i < c.ends.size(); ++i)
        c.ends[i] = static_cast<quint32>(c.ends[i] + delta);
    if (removedWidest == c.widest && newWidest < removedWidest)
        c.RecountWidest();
    else
        c.widest = std::max(c.widest, newWidest);
    count_ += static_cast<int>(n) - count;
    total_ += delta;
    IndexAdd(k, static_cast<int>(n) - count, delta);
    if (widestValid_) {
        if (removedWidest == widest_ && newWidest < widest_)
            widestValid_ = false;
        else
            widest_ = std::max(widest_, newWidest);
    }
    if (c.Oversized() && Normalize(k, k + 1))
        InvalidateIndex();
    return true;
}

void LineStore::SetChunks(size_t from, size_t to, Builder&& built) {
    if (built.open_)
        built.EndLine();
    built.Flush();
    std::vector<ChunkPtr>& fresh = built.chunks_;
    const auto first = chunks_.begin() + static_cast<std::ptrdiff_t>(from);
    chunks_.erase(first, chunks_.begin() + static_cast<std::ptrdiff_t>(to));
    chunks_.insert(chunks_.begin() + static_cast<std::ptrdiff_t>(from),
                   std::make_move_iterator(fresh.begin()), std::make_move_iterator(fresh.end()));
    Normalize(from == 0 ? 0 : from - 1, from + fresh.size() + 1);
    InvalidateIndex();
}

bool LineStore::Normalize(size_t from, size_t to) {
    to = std::min(to, chunks_.size());
    bool changed = false;
    for (size_t k = from; k < to; ++k) {
        if (chunks_[k]->Count() == 0) {
            chunks_.erase(chunks_.begin() + static_cast<std::ptrdiff_t>(k));
            --k;
            --to;
            changed = true;
        } else if (chunks_[k]->Oversized()) {
            Builder b;
            b.AddLinesOf(*chunks_[k], 0, chunks_[k]->Count());
            b.Flush();
            chunks_.erase(chunks_.begin() + static_cast<std::ptrdiff_t>(k));
            chunks_.insert(chunks_.begin() + static_cast<std::ptrdiff_t>(k),
                           std::make_move_iterator(b.chunks_.begin()),
                           std::make_move_iterator(b.chunks_.end()));
            k += b.chunks_.size() - 1;
            to += b.chunks_.size() - 1;
            changed = true;
        }
    }
    // Neighbours that fit into one chunk together, when one of them is small.
    for (size_t k = from; k + 1 < to && k + 1 < chunks_.size(); ++k) {
        const Chunk& a = *chunks_[k];
        const Chunk& b = *chunks_[k + 1];
        const bool small = std::min(a.Count(), b.Count()) < ChunkLines / 4 &&
                           std::min(a.Bytes(), b.Bytes()) < ChunkBytes / 4;
        if (!small || a.Count() + b.Count() > ChunkLines || a.Bytes() + b.Bytes() > ChunkBytes)
            continue;
        Builder m;
        m.AddLinesOf(a, 0, a.Count());
        m.AddLinesOf(b, 0, b.Count());
        m.Flush();
        if (m.chunks_.size() != 1)
            continue;
        chunks_[k] = std::move(m.chunks_.front());
        chunks_.erase(chunks_.begin() + static_cast<std::ptrdiff_t>(k) + 1);
        --to;
        --k;
        changed = true;
    }
    // Rebuild when many edits left the chunks too fragmented.
    if (chunks_.size() > 64 &&
        chunks_.size() > 4 * (static_cast<size_t>(count_) / ChunkLines +
                              static_cast<size_t>(total_ / ChunkBytes) + 1)) {
        Builder all;
        for (const ChunkPtr& c : chunks_)
            all.AddLinesOf(*c, 0, c->Count());
        all.Flush();
        chunks_ = std::move(all.chunks_);
        changed = true;
    }
    return changed;
}

void LineStore::Replace(int index, int count, std::vector<QByteArray> lines) {
    Builder b;
    for (const QByteArray& l : lines)
        b.AddLine(l);
    Splice(index, count, std::move(b));
}

void LineStore::Splice(int index, int count, Builder&& lines) {
    index = std::clamp(index, 0, count_);
    count = std::clamp(count, 0, count_ - index);
    if (lines.open_)
        lines.EndLine();
    if (count == 0 && lines.count_ == 0)
        return;
    if (count == count_) {
        lines.Flush();
        chunks_ = std::move(lines.chunks_);
        count_ = lines.count_;
        total_ = lines.total_;
        Normalize(0, chunks_.size());
        InvalidateIndex();
        Changed(index);
        return;
    }
    // A few lines: in place inside one chunk.
    lines.Seal();
    if (lines.chunks_.empty() && (!lines.cur_ || lines.cur_->Count() <= ChunkLines)) {
        static const Chunk kNone;
        const Chunk& c = lines.cur_ ? *lines.cur_ : kNone;
        if (SpliceInChunk(index, count, QByteArrayView(c.text), c.ends.data(), c.ends.size(),
                          c.widest)) {
            Changed(index);
            return;
        }
    }
    // Otherwise the chunks from the first to the last one touched are built anew around the
    // new lines.
    const qint64 removed = LineStart(index + count) - LineStart(index);
    size_t k0;
    int within0;
    if (index < count_) {
        k0 = ChunkOf(index, &within0);
    } else {
        k0 = chunks_.size() - 1;
        within0 = chunks_[k0]->Count();
    }
    size_t k1 = k0;
    int after1 = within0;
    if (count > 0) {
        int w;
        k1 = ChunkOf(index + count - 1, &w);
        after1 = w + 1;
    }
    const int added = lines.count_;
    const qint64 addedBytes = lines.total_;
    Builder nb;
    nb.AddLinesOf(*chunks_[k0], 0, within0);
    nb.Append(std::move(lines));
    nb.AddLinesOf(*chunks_[k1], after1, chunks_[k1]->Count());
    count_ += added - count;
    total_ += addedBytes - removed;
    SetChunks(k0, k1 + 1, std::move(nb));
    Changed(index);
}

bool LineStore::TransformLines(int first, int last,
                               const std::function<bool(int, LineView, QByteArray*)>& fn) {
    first = std::max(first, 0);
    last = std::min(last, count_ - 1);
    if (first > last)
        return false;
    int within;
    size_t k = ChunkOf(first, &within);
    int index = first;
    int changedFrom = -1;
    bool structural = false;
    QByteArray out;
    for (; index <= last && k < chunks_.size(); ++k, within = 0) {
        const ChunkPtr source = chunks_[k];
        const Chunk& c = *source;
        std::shared_ptr<Chunk> fresh;
        qsizetype copied = 0; // bytes of c up to which fresh holds the lines
        const auto catchUp = [&](int upTo) {
            // The unchanged lines [.., upTo) of c, copied as they are.
            const qsizetype until = c.Start(upTo);
            const qint64 shift = fresh->text.size() - copied;
            fresh->text.append(c.text.constData() + copied, until - copied);
            for (int j = fresh->Count(); j < upTo; ++j)
                fresh->ends.push_back(static_cast<quint32>(c.ends[static_cast<size_t>(j)] + shift));
            copied = until;
        };
        for (int i = within; i < c.Count() && index <= last; ++i, ++index) {
            out.clear();
            if (!fn(index, c.Line(i), &out))
                continue;
            if (!fresh) {
                fresh = std::make_shared<Chunk>();
                fresh->text.reserve(c.Bytes() + out.size() + 64);
                fresh->ends.reserve(c.ends.size());
                if (changedFrom < 0)
                    changedFrom = index;
            }
            catchUp(i);
            fresh->text.append(out).append(kBreak, 2);
            fresh->ends.push_back(static_cast<quint32>(fresh->text.size()));
            copied = c.ends[static_cast<size_t>(i)];
        }
        if (!fresh)
            continue;
        catchUp(c.Count());
        fresh->RecountWidest();
        const qint64 delta = fresh->Bytes() - c.Bytes();
        total_ += delta;
        IndexAdd(k, 0, delta);
        structural = structural || fresh->Oversized();
        chunks_[k] = std::move(fresh);
    }
    if (changedFrom < 0)
        return false;
    widestValid_ = false;
    if (structural && Normalize(0, chunks_.size()))
        InvalidateIndex();
    Changed(changedFrom);
    return true;
}

void LineStore::CopyTextForm(qint64 from, qint64 to, Builder& out, size_t* chunk,
                             qint64* chunkStart) const {
    size_t k = *chunk;
    qint64 cs = *chunkStart;
    while (k < chunks_.size() && cs + chunks_[k]->Bytes() <= from) {
        cs += chunks_[k]->Bytes();
        ++k;
    }
    while (from < to && k < chunks_.size()) {
        const Chunk& c = *chunks_[k];
        const qint64 ce = cs + c.Bytes();
        if (from == cs && to >= ce && !out.open_ && !out.pendingCr_) {
            out.AddChunk(chunks_[k]);
        } else {
            const qint64 until = std::min(to, ce);
            const qsizetype stop = static_cast<qsizetype>(until - cs);
            qsizetype off = static_cast<qsizetype>(from - cs);
            int i = c.LineAt(off);
            while (off < stop) {
                const qsizetype lineEnd = c.ends[static_cast<size_t>(i)];
                const qsizetype bodyEnd = lineEnd - 2;
                const qsizetype segEnd = std::min(stop, lineEnd);
                if (off < bodyEnd)
                    out.AddToLine(
                        QByteArrayView(c.text.constData() + off, std::min(segEnd, bodyEnd) - off));
                if (segEnd > bodyEnd) {
                    if (off <= bodyEnd && segEnd == lineEnd) {
                        out.EndLine();
                    } else {
                        const qsizetype b = std::max(off, bodyEnd);
                        out.AddText(QByteArrayView(c.text.constData() + b, segEnd - b));
                    }
                }
                off = segEnd;
                if (off == lineEnd)
                    ++i;
            }
            from = until;
            if (until < ce)
                break; // the rest of this chunk comes later
        }
        from = ce;
        cs = ce;
        ++k;
    }
    *chunk = k;
    *chunkStart = cs;
}

bool LineStore::ReplaceInLines(const std::vector<qint64>& starts, qint64 length,
                               QByteArrayView with, const std::function<qint64(qint64)>& progress,
                               qint64* next, std::vector<ChunkPtr>* result,
                               qint64* resultBytes) const {
    const qint64 delta = with.size() - length;
    std::vector<ChunkPtr> out;
    out.reserve(chunks_.size());
    qint64 bytes = 0;
    size_t h = 0;
    qint64 cs = 0;
    for (const ChunkPtr& source : chunks_) {
        const Chunk& c = *source;
        const qint64 ce = cs + c.Bytes();
        if (h == starts.size() || starts[h] >= ce) {
            out.push_back(source);
            bytes += c.Bytes();
            cs = ce;
            continue;
        }
        auto fresh = std::make_shared<Chunk>();
        size_t hitsHere = h;
        while (hitsHere < starts.size() && starts[hitsHere] < ce)
            ++hitsHere;
        fresh->text.resize(c.Bytes() + static_cast<qint64>(hitsHere - h) * delta);
        fresh->ends.resize(c.ends.size());
        char* dst = fresh->text.data();
        const char* src = c.text.constData();
        qsizetype copied = 0; // bytes of c written so far
        qint64 shift = 0;
        int widest = 0;
        for (size_t i = 0; i < c.ends.size(); ++i) {
            const qsizetype lineEnd = c.ends[i];
            while (h < hitsHere && starts[h] - cs < lineEnd) {
                const qsizetype at = static_cast<qsizetype>(starts[h] - cs);
                // A hit that reaches into the line break changes the lines themselves.
                if (at < copied || at + length > lineEnd - 2)
                    return false;
                std::memcpy(dst, src + copied, static_cast<size_t>(at - copied));
                dst += at - copied;
                if (!with.isEmpty()) // an empty view may have no data at all
                    std::memcpy(dst, with.data(), static_cast<size_t>(with.size()));
                dst += with.size();
                copied = static_cast<qsizetype>(at + length);
                shift += delta;
                if (static_cast<qint64>(h) == *next)
                    *next = progress(*next);
                ++h;
            }
            fresh->ends[i] = static_cast<quint32>(lineEnd + shift);
            widest = std::max(widest,
                              static_cast<int>(fresh->ends[i] - (i ? fresh->ends[i - 1] : 0) - 2));
        }
        std::memcpy(dst, src + copied, static_cast<size_t>(c.Bytes() - copied));
        fresh->widest = widest;
        bytes += fresh->Bytes();
        out.push_back(std::move(fresh));
        cs = ce;
    }
    *result = std::move(out);
    *resultBytes = bytes;
    return true;
}

void LineStore::ReplaceSpans(const std::vector<qint64>& starts, qint64 length, QByteArrayView with,
                             const std::function<qint64(qint64)>& progress) {
    if (starts.empty())
        return;
    const int firstLine = std::max(LineAtOffset(starts.front()), 0);
    // Hits inside lines and a replacement without breaks leave every line where it is: each
    // chunk with a hit is rewritten on its own.
    std::vector<ChunkPtr> rewritten;
    qint64 bytes = 0;
    // The next hit to report (the fast way may give up after reporting some).
    qint64 next = progress ? 0 : -1;
    if (!with.contains('\r') && !with.contains('\n') &&
        ReplaceInLines(starts, length, with, progress, &next, &rewritten, &bytes)) {
        chunks_ = std::move(rewritten);
        total_ = bytes;
    } else {
        Builder out;
        size_t chunk = 0;
        qint64 chunkStart = 0, pos = 0;
        for (size_t k = 0; k < starts.size(); ++k) {
            const qint64 s = starts[k];
            CopyTextForm(pos, s, out, &chunk, &chunkStart);
            out.AddText(with);
            pos = s + length;
            if (static_cast<qint64>(k) == next)
                next = progress(next);
        }
        CopyTextForm(pos, total_, out, &chunk, &chunkStart);
        out.Finish();
        if (out.Count() == 0)
            out.EndLine(); // an empty text is one empty line
        out.Flush();
        chunks_ = std::move(out.chunks_);
        count_ = out.count_;
        total_ = out.total_;
    }
    Normalize(0, chunks_.size());
    InvalidateIndex();
    Changed(std::min(firstLine, std::max(count_ - 1, 0)));
}

QByteArray LineStore::Text() const {
    QByteArray out;
    out.reserve(total_);
    for (const ChunkPtr& c : chunks_)
        out.append(c->text);
    return out;
}

std::vector<QByteArray> LineStore::SplitText(const QByteArray& text) {
    std::vector<QByteArray> lines;
    const char* p = text.constData();
    const qsizetype n = text.size();
    qsizetype start = 0, i = 0;
    for (; i < n; ++i) {
        const char ch = p[i];
        if (ch == '\0')
            break;
        if (ch == '\r' || ch == '\n') {
            lines.emplace_back(p + start, i - start);
            if (ch == '\r' && i + 1 < n && p[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
    }
    if (i > start)
        lines.emplace_back(p + start, i - start);
    return lines;
}

QByteArray LineStore::NormalizeBreaks(const QByteArray& text) {
    const char* p = text.constData();
    const qsizetype n = text.size();
    // Text whose every break is already CR LF is returned as it is (shared, not copied).
    qsizetype i = 0;
    for (; i < n; ++i) {
        if (p[i] == '\n')
            break;
        if (p[i] == '\r') {
            if (i + 1 < n && p[i + 1] == '\n')
                ++i;
            else
                break;
        }
    }
    if (i == n)
        return text;
    QByteArray out;
    out.reserve(n + (n - i) / 8 + 2);
    qsizetype run = 0; // start of the characters not yet copied
    for (; i < n; ++i) {
        const char ch = p[i];
        if (ch != '\r' && ch != '\n')
            continue;
        out.append(p + run, i - run);
        out.append("\r\n", 2);
        if (ch == '\r' && i + 1 < n && p[i + 1] == '\n')
            ++i;
        run = i + 1;
    }
    out.append(p + run, n - run);
    return out;
}

void LineStore::SetText(QByteArrayView text) {
    const qsizetype nul = text.indexOf('\0');
    Builder b;
    b.AddText(nul < 0 ? text : text.first(nul));
    b.Finish();
    Splice(0, count_, std::move(b));
}

qint64 LineStore::LineStart(int index) const {
    if (index <= 0)
        return 0;
    if (index >= count_)
        return total_;
    int within;
    qint64 off;
    const size_t k = ChunkOf(index, &within, &off);
    return off + chunks_[k]->Start(within);
}

int LineStore::LineAtOffset(qint64 offset) const {
    if (offset < 0 || offset >= total_)
        return -1;
    int line;
    qint64 start;
    const size_t k = ChunkAtOffset(offset, &line, &start);
    if (k >= chunks_.size())
        return -1;
    return line + chunks_[k]->LineAt(static_cast<qsizetype>(offset - start));
}

int LineStore::WidestLine() const {
    if (!widestValid_) {
        widest_ = 0;
        for (const ChunkPtr& c : chunks_)
            widest_ = std::max(widest_, c->widest);
        widestValid_ = true;
    }
    return widest_;
}

QByteArrayView LineStore::PieceAt(qint64 offset, qint64* pieceStart) const {
    if (offset < 0 || offset >= total_) {
        *pieceStart = total_;
        return QByteArrayView();
    }
    int lines;
    const size_t k = ChunkAtOffset(offset, &lines, pieceStart);
    return QByteArrayView(chunks_[k]->text);
}

QString LineStore::NulByteText() {
    return QStringLiteral("Filen innehåller NUL-tecken (byte 0) och kan inte visas som text.");
}

bool LineStore::LoadFromFile(const QString& fileName, QString* error) {
    QFile f(fileName);
    const auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    if (!f.open(QIODevice::ReadOnly))
        return fail(f.errorString());
    if (f.size() > INT_MAX / 2)
        return fail(QStringLiteral("Filen är för stor."));
    Builder b;
    const std::unique_ptr<char[]> buffer(new char[kReadBlock]);
    bool cr = false, lf = false;
    for (;;) {
        const qint64 n = f.read(buffer.get(), kReadBlock);
        if (n < 0 || f.error() != QFileDevice::NoError)
            return fail(f.errorString());
        if (n == 0)
            break;
        const size_t size = static_cast<size_t>(n);
        if (std::memchr(buffer.get(), '\0', size))
            return fail(NulByteText());
        cr = cr || std::memchr(buffer.get(), '\r', size);
        lf = lf || std::memchr(buffer.get(), '\n', size);
        b.AddText(QByteArrayView(buffer.get(), n));
    }
    b.Finish();
    style_ = (lf && !cr) ? BreakStyle::Lf : BreakStyle::CrLf;
    Splice(0, count_, std::move(b));
    return true;
}

bool LineStore::SaveToFile(const QString& fileName, QString* error) const {
    TAtomicFile f(fileName);
    if (!f.open(QIODevice::WriteOnly)) {
        if (error)
            *error = f.errorString();
        return false;
    }
    bool written = true;
    if (style_ == BreakStyle::CrLf) {
        // The chunks hold the text form: written as they are.
        for (const ChunkPtr& c : chunks_)
            if (f.write(c->text) != c->Bytes()) {
                written = false;
                break;
            }
    } else {
        QByteArray buffer;
        for (const ChunkPtr& c : chunks_) {
            buffer.clear();
            buffer.reserve(c->Bytes());
            for (int i = 0; i < c->Count(); ++i) {
                const QByteArrayView line = c->Line(i);
                buffer.append(line.data(), line.size()).append('\n');
            }
            if (f.write(buffer) != buffer.size()) {
                written = false;
                break;
            }
        }
    }
    if (!written)
        f.cancelWriting();
    if (!f.commit()) {
        if (error)
            *error = f.errorString();
        return false;
    }
    return true;
}

LineStore::Snapshot LineStore::TakeSnapshot() const {
    Snapshot s;
    s.chunks_ = chunks_;
    s.count_ = count_;
    s.total_ = total_;
    s.style_ = style_;
    return s;
}

void LineStore::RestoreSnapshot(const Snapshot& snapshot) {
    chunks_ = snapshot.chunks_;
    count_ = snapshot.count_;
    total_ = snapshot.total_;
    style_ = snapshot.style_;
    InvalidateIndex();
    Changed(0);
}

void LineStore::Swap(LineStore& other) {
    std::swap(chunks_, other.chunks_);
    std::swap(count_, other.count_);
    std::swap(total_, other.total_);
    std::swap(style_, other.style_);
    InvalidateIndex();
    other.InvalidateIndex();
    Changed(0);
    other.Changed(0);
}

void LineStore::ForEach(int first, int last, const std::function<void(int, LineView)>& fn) const {
    first = std::max(first, 0);
    last = std::min(last, count_ - 1);
    if (first > last)
        return;
    int within;
    size_t k = ChunkOf(first, &within);
    int index = first;
    while (index <= last && k < chunks_.size()) {
        const Chunk& c = *chunks_[k];
        for (int i = within; i < c.Count() && index <= last; ++i)
            fn(index++, c.Line(i));
        ++k;
        within = 0;
    }
}
