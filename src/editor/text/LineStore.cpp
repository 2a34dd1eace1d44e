#include "editor/text/LineStore.h"
#include "platform/AtomicFile.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <climits>

namespace {
constexpr int kChunkLines = 512;     // lines per chunk when chunks are built
constexpr int kMaxChunkLines = 2048; // a chunk that grows past this is split
const QByteArray kEmptyLine;
} // namespace

struct LineStore::Chunk {
    std::vector<QByteArray> lines;
    qint64 bytes = 0; // sum of (length + 2)
    int widest = 0;

    void Recount() {
        bytes = 0;
        widest = 0;
        for (const QByteArray& l : lines) {
            bytes += l.size() + 2;
            widest = std::max(widest, static_cast<int>(l.size()));
        }
    }
};

bool LineStore::Snapshot::SharesAllWith(const Snapshot& other) const {
    return chunks_ == other.chunks_ && style_ == other.style_;
}

namespace {

// The same line data (empty lines hold none).
bool SameLineData(const QByteArray& a, const QByteArray& b) {
    return a.size() == b.size() && (a.constData() == b.constData() || a.isEmpty());
}

// The header that the data of a line costs beyond its characters.
constexpr qint64 kLineDataHeader = 16;

} // namespace

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

    // The differing chunks: a[head, aEnd) and b[head, bEnd), each seen as one run of lines.
    qint64 bytes = 0;
    size_t na = 0, nb = 0;
    for (size_t i = head; i < aEnd; ++i) {
        na += a[i]->lines.size();
        bytes += static_cast<qint64>(a[i]->lines.size() * sizeof(QByteArray));
    }
    for (size_t i = head; i < bEnd; ++i)
        nb += b[i]->lines.size();

    // Lines of both runs that still share their data, from the front and from the back.
    const auto matching = [](const std::vector<ChunkPtr>& x, size_t xFrom, size_t xEnd,
                             const std::vector<ChunkPtr>& y, size_t yFrom, size_t yEnd,
                             size_t limit, bool forward) {
        size_t n = 0;
        size_t cx = forward ? xFrom : xEnd - 1, cy = forward ? yFrom : yEnd - 1;
        size_t lx = 0, ly = 0; // lines done within the current chunks
        while (n < limit) {
            while (lx == x[cx]->lines.size()) {
                cx = forward ? cx + 1 : cx - 1;
                lx = 0;
            }
            while (ly == y[cy]->lines.size()) {
                cy = forward ? cy + 1 : cy - 1;
                ly = 0;
            }
            const std::vector<QByteArray>& xl = x[cx]->lines;
            const std::vector<QByteArray>& yl = y[cy]->lines;
            const QByteArray& l1 = forward ? xl[lx] : xl[xl.size() - 1 - lx];
            const QByteArray& l2 = forward ? yl[ly] : yl[yl.size() - 1 - ly];
            if (!SameLineData(l1, l2))
                break;
            ++lx;
            ++ly;
            ++n;
        }
        return n;
    };
    const size_t front = matching(a, head, aEnd, b, head, bEnd, std::min(na, nb), true);
    const size_t back = matching(a, head, aEnd, b, head, bEnd, std::min(na, nb) - front, false);

    // The data of a's lines [front, na - back) of the run; whole chunks by their sums.
    const size_t lo = front, hi = na - back;
    size_t start = 0;
    for (size_t i = head; i < aEnd && start < hi; ++i) {
        const Chunk& c = *a[i];
        const size_t n = c.lines.size();
        if (start + n > lo) {
            if (start >= lo && start + n <= hi) {
                bytes += c.bytes - 2 * static_cast<qint64>(n);
            } else {
                for (size_t k = std::max(lo, start) - start; k < std::min(hi, start + n) - start;
                     ++k)
                    bytes += c.lines[k].size();
            }
        }
        start += n;
    }
    return bytes + static_cast<qint64>(hi - lo) * kLineDataHeader;
}

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
        treeLines_[i] += static_cast<int>(chunks_[i - 1]->lines.size());
        treeBytes_[i] += chunks_[i - 1]->bytes;
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
} // namespace

size_t LineStore::ChunkOf(int index, int* within, qint64* bytesBefore) const {
    EnsureIndex();
    // The number of leading chunks that end at or before the line: the line's chunk.
    const size_t n = chunks_.size();
    size_t pos = 0;
    int rest = index;
    qint64 bytes = 0;
    for (size_t step = HighestBit(n); step; step >>= 1) {
        if (pos + step <= n && treeLines_[pos + step] <= rest) {
            pos += step;
            rest -= treeLines_[pos];
            bytes += treeBytes_[pos];
        }
    }
    *within = rest;
    if (bytesBefore)
        *bytesBefore = bytes;
    return pos;
}

size_t LineStore::ChunkAtOffset(qint64 offset, int* linesBefore, qint64* bytesBefore) const {
    EnsureIndex();
    const size_t n = chunks_.size();
    size_t pos = 0;
    qint64 rest = offset;
    int lines = 0;
    for (size_t step = HighestBit(n); step; step >>= 1) {
        if (pos + step <= n && treeBytes_[pos + step] <= rest) {
            pos += step;
            rest -= treeBytes_[pos];
            lines += treeLines_[pos];
        }
    }
    *linesBefore = lines;
    *bytesBefore = offset - rest;
    return pos;
}

LineStore::Chunk& LineStore::Mutable(size_t k) {
    if (chunks_[k].use_count() > 1)
        chunks_[k] = std::make_shared<Chunk>(*chunks_[k]);
    return *chunks_[k];
}

const QByteArray& LineStore::Get(int index) const {
    if (index < 0 || index >= count_)
        return kEmptyLine;
    int within;
    const size_t k = ChunkOf(index, &within);
    return chunks_[k]->lines[static_cast<size_t>(within)];
}

void LineStore::Put(int index, const QByteArray& line) {
    if (index < 0 || index >= count_)
        return;
    int within;
    const size_t k = ChunkOf(index, &within);
    Chunk& c = Mutable(k);
    QByteArray& slot = c.lines[static_cast<size_t>(within)];
    const int oldLen = static_cast<int>(slot.size());
    const qint64 delta = line.size() - slot.size();
    slot = line;
    c.bytes += delta;
    total_ += delta;
    if (line.size() >= c.widest)
        c.widest = static_cast<int>(line.size());
    else if (oldLen == c.widest)
        c.Recount();
    IndexAdd(k, 0, delta);
    if (widestValid_) {
        if (line.size() > widest_)
            widest_ = static_cast<int>(line.size());
        else if (oldLen == widest_ && line.size() < oldLen)
            widestValid_ = false;
    }
    Changed(index);
}

void LineStore::Add(const QByteArray& line) {
    Replace(count_, 0, {line});
}
void LineStore::Insert(int index, const QByteArray& line) {
    Replace(index, 0, {line});
}
void LineStore::Delete(int index) {
    Replace(index, 1, {});
}

void LineStore::Clear() {
    chunks_.clear();
    count_ = 0;
    total_ = 0;
    InvalidateIndex();
    Changed(0);
}

void LineStore::Rebuild(std::vector<QByteArray>&& lines) {
    chunks_.clear();
    count_ = static_cast<int>(lines.size());
    total_ = 0;
    chunks_.reserve(lines.size() / kChunkLines + 1);
    for (size_t i = 0; i < lines.size(); i += kChunkLines) {
        auto c = std::make_shared<Chunk>();
        const size_t end = std::min(lines.size(), i + kChunkLines);
        c->lines.reserve(end - i);
        for (size_t j = i; j < end; ++j)
            c->lines.push_back(std::move(lines[j]));
        c->Recount();
        total_ += c->bytes;
        chunks_.push_back(std::move(c));
    }
    InvalidateIndex();
}

bool LineStore::Normalize(size_t from, size_t to) {
    to = std::min(to, chunks_.size());
    if (from >= to)
        return false;
    bool changed = false;
    // Drop the empty chunks of the range.
    const auto first = chunks_.begin() + static_cast<std::ptrdiff_t>(from);
    const auto last = chunks_.begin() + static_cast<std::ptrdiff_t>(to);
    const auto kept =
        std::remove_if(first, last, [](const ChunkPtr& c) { return c->lines.empty(); });
    if (kept != last) {
        to -= static_cast<size_t>(last - kept);
        chunks_.erase(kept, last);
        changed = true;
    }
    // Split the oversized ones.
    for (size_t k = from; k < to; ++k) {
        if (chunks_[k]->lines.size() <= static_cast<size_t>(kMaxChunkLines))
            continue;
        Chunk& c = Mutable(k);
        auto tail = std::make_shared<Chunk>();
        const auto mid = c.lines.begin() + kChunkLines;
        tail->lines.assign(std::make_move_iterator(mid), std::make_move_iterator(c.lines.end()));
        c.lines.erase(mid, c.lines.end());
        c.Recount();
        tail->Recount();
        chunks_.insert(chunks_.begin() + static_cast<std::ptrdiff_t>(k) + 1, std::move(tail));
        ++to;
        changed = true;
    }
    // Rebuild when many edits left the chunks too fragmented.
    if (chunks_.size() > 64 &&
        chunks_.size() > 4 * (static_cast<size_t>(count_) / kChunkLines + 1)) {
        std::vector<QByteArray> all;
        all.reserve(static_cast<size_t>(count_));
        for (const ChunkPtr& c : chunks_)
            all.insert(all.end(), c->lines.begin(), c->lines.end());
        Rebuild(std::move(all));
        changed = true;
    }
    return changed;
}

void LineStore::Replace(int index, int count, std::vector<QByteArray> lines) {
    index = std::clamp(index, 0, count_);
    count = std::clamp(count, 0, count_ - index);
    if (count == 0 && lines.empty())
        return;
    if (count == count_) {
        Rebuild(std::move(lines));
        Changed(index);
        return;
    }
    // The chunks changed in place, with their sizes before the change: unless the chunks
    // themselves change, the index is brought up to date from these alone.
    struct Touched {
        size_t chunk;
        int lines;
        qint64 bytes;
        int widest;
    };
    std::vector<Touched> touched;
    auto touch = [&](size_t k) {
        for (const Touched& t : touched)
            if (t.chunk == k)
                return;
        const Chunk& c = *chunks_[k];
        touched.push_back({k, static_cast<int>(c.lines.size()), c.bytes, c.widest});
    };
    bool structural = false;

    // Remove `count` lines starting at `index`.
    int remaining = count;
    size_t k = 0;
    int within = 0;
    if (index < count_) {
        k = ChunkOf(index, &within);
    } else {
        k = chunks_.size() - 1;
        within = static_cast<int>(chunks_[k]->lines.size());
    }
    const size_t insertChunk = k;
    const int insertWithin = within;
    while (remaining > 0 && k < chunks_.size()) {
        const int size = static_cast<int>(chunks_[k]->lines.size());
        const int take = std::min(remaining, size - within);
        if (within == 0 && take == size && !(k == insertChunk && !lines.empty())) {
            total_ -= chunks_[k]->bytes;
            chunks_[k] = std::make_shared<Chunk>(); // emptied, dropped by Normalize
            structural = true;
        } else {
            touch(k);
            Chunk& c = Mutable(k);
            auto b = c.lines.begin() + within;
            for (auto it = b; it != b + take; ++it)
                total_ -= it->size() + 2;
            c.lines.erase(b, b + take);
            c.Recount();
        }
        remaining -= take;
        ++k;
        within = 0;
    }
    size_t normalizeTo = std::max(k, insertChunk + 1);
    count_ -= count;
    if (!lines.empty()) {
        touch(insertChunk);
        Chunk& c = Mutable(insertChunk);
        for (const QByteArray& l : lines)
            total_ += l.size() + 2;
        count_ += static_cast<int>(lines.size());
        if (lines.size() > static_cast<size_t>(kMaxChunkLines)) {
            // A big splice: cut the target chunk at the insertion point and put fresh chunks
            // between its halves.
            auto tail = std::make_shared<Chunk>();
            const auto cut = c.lines.begin() + insertWithin;
            tail->lines.assign(std::make_move_iterator(cut),
                               std::make_move_iterator(c.lines.end()));
            c.lines.erase(cut, c.lines.end());
            c.Recount();
            tail->Recount();
            std::vector<ChunkPtr> fresh;
            for (size_t i = 0; i < lines.size(); i += kChunkLines) {
                auto n = std::make_shared<Chunk>();
                const size_t end = std::min(lines.size(), i + kChunkLines);
                n->lines.assign(
                    std::make_move_iterator(lines.begin() + static_cast<std::ptrdiff_t>(i)),
                    std::make_move_iterator(lines.begin() + static_cast<std::ptrdiff_t>(end)));
                n->Recount();
                fresh.push_back(std::move(n));
            }
            fresh.push_back(std::move(tail));
            normalizeTo += fresh.size();
            chunks_.insert(chunks_.begin() + static_cast<std::ptrdiff_t>(insertChunk) + 1,
                           std::make_move_iterator(fresh.begin()),
                           std::make_move_iterator(fresh.end()));
            structural = true;
        } else {
            c.lines.insert(c.lines.begin() + insertWithin, std::make_move_iterator(lines.begin()),
                           std::make_move_iterator(lines.end()));
            c.Recount();
        }
    }
    if (Normalize(insertChunk, normalizeTo))
        structural = true;
    if (structural) {
        InvalidateIndex();
    } else {
        bool lowered = false;
        for (const Touched& t : touched) {
            const Chunk& c = *chunks_[t.chunk];
            IndexAdd(t.chunk, static_cast<int>(c.lines.size()) - t.lines, c.bytes - t.bytes);
            lowered = lowered || (t.widest == widest_ && c.widest < t.widest);
        }
        if (lowered) {
            widestValid_ = false;
        } else if (widestValid_) {
            for (const Touched& t : touched)
                widest_ = std::max(widest_, chunks_[t.chunk]->widest);
        }
    }
    Changed(index);
}

QByteArray LineStore::Text() const {
    QByteArray out;
    out.reserve(total_);
    for (const ChunkPtr& c : chunks_)
        for (const QByteArray& l : c->lines) {
            out.append(l);
            out.append("\r\n", 2);
        }
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

void LineStore::SetText(const QByteArray& text) {
    Replace(0, count_, SplitText(text));
}

qint64 LineStore::LineStart(int index) const {
    if (index <= 0)
        return 0;
    if (index >= count_)
        return total_;
    int within;
    qint64 off;
    const size_t k = ChunkOf(index, &within, &off);
    const Chunk& c = *chunks_[k];
    // Sum from the nearer end of the chunk.
    if (within <= static_cast<int>(c.lines.size()) / 2) {
        for (int i = 0; i < within; ++i)
            off += c.lines[static_cast<size_t>(i)].size() + 2;
    } else {
        off += c.bytes;
        for (int i = static_cast<int>(c.lines.size()) - 1; i >= within; --i)
            off -= c.lines[static_cast<size_t>(i)].size() + 2;
    }
    return off;
}

int LineStore::LineAtOffset(qint64 offset) const {
    if (offset < 0 || offset >= total_)
        return -1;
    int line;
    qint64 start;
    const size_t k = ChunkAtOffset(offset, &line, &start);
    if (k >= chunks_.size())
        return -1;
    for (const QByteArray& l : chunks_[k]->lines) {
        start += l.size() + 2;
        if (offset < start)
            return line;
        ++line;
    }
    return -1;
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

bool LineStore::ParseFileBytes(const QByteArray& bytes, std::vector<QByteArray>* lines,
                               BreakStyle* style) {
    if (bytes.contains('\0'))
        return false;
    *style = (bytes.contains('\n') && !bytes.contains('\r')) ? BreakStyle::Lf : BreakStyle::CrLf;
    *lines = SplitText(bytes);
    return true;
}

bool LineStore::LoadFromFile(const QString& fileName, QString* error) {
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly)) {
        if (error)
            *error = f.errorString();
        return false;
    }
    if (f.size() > INT_MAX / 2) {
        if (error)
            *error = QStringLiteral("Filen är för stor.");
        return false;
    }
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        if (error)
            *error = f.errorString();
        return false;
    }
    std::vector<QByteArray> lines;
    BreakStyle style;
    if (!ParseFileBytes(bytes, &lines, &style)) {
        if (error)
            *error = QStringLiteral("Filen innehåller NUL-tecken och kan inte visas som text.");
        return false;
    }
    style_ = style;
    Replace(0, count_, std::move(lines));
    return true;
}

bool LineStore::SaveToFile(const QString& fileName, QString* error) const {
    TAtomicFile f(fileName);
    if (!f.open(QIODevice::WriteOnly)) {
        if (error)
            *error = f.errorString();
        return false;
    }
    const QByteArray brk = style_ == BreakStyle::Lf ? QByteArray("\n") : QByteArray("\r\n");
    QByteArray buffer;
    buffer.reserve(1 << 20);
    for (const ChunkPtr& c : chunks_) {
        for (const QByteArray& l : c->lines) {
            buffer.append(l);
            buffer.append(brk);
        }
        if (buffer.size() >= (1 << 20)) {
            if (f.write(buffer) != buffer.size())
                break;
            buffer.clear();
        }
    }
    if (!buffer.isEmpty())
        f.write(buffer);
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

void LineStore::ForEach(int first, int last,
                        const std::function<void(int, const QByteArray&)>& fn) const {
    first = std::max(first, 0);
    last = std::min(last, count_ - 1);
    if (first > last)
        return;
    int within;
    size_t k = ChunkOf(first, &within);
    int index = first;
    while (index <= last && k < chunks_.size()) {
        const Chunk& c = *chunks_[k];
        for (size_t i = static_cast<size_t>(within); i < c.lines.size() && index <= last; ++i)
            fn(index++, c.lines[i]);
        ++k;
        within = 0;
    }
}
