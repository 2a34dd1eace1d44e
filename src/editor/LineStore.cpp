#include "editor/LineStore.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <climits>

namespace {
constexpr int kChunkLines = 512;       // lines per chunk when chunks are built
constexpr int kMaxChunkLines = 2048;   // a chunk that grows past this is split
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

LineStore::LineStore() = default;
LineStore::~LineStore() = default;

void LineStore::Changed() {
    if (OnChange)
        OnChange();
}

void LineStore::Invalidate(size_t fromChunk) {
    validPrefix_ = std::min(validPrefix_, fromChunk);
    widestValid_ = false;
}

void LineStore::EnsurePrefix(size_t upToChunk) const {
    if (firstLine_.size() != chunks_.size() + 1) {
        firstLine_.resize(chunks_.size() + 1);
        firstByte_.resize(chunks_.size() + 1);
        validPrefix_ = 0;
    }
    upToChunk = std::min(upToChunk, chunks_.size());
    if (validPrefix_ == 0) {
        firstLine_[0] = 0;
        firstByte_[0] = 0;
    }
    // firstLine_[k] is valid for k <= validPrefix_.
    for (size_t k = validPrefix_; k < upToChunk; ++k) {
        firstLine_[k + 1] = firstLine_[k] + static_cast<int>(chunks_[k]->lines.size());
        firstByte_[k + 1] = firstByte_[k] + chunks_[k]->bytes;
    }
    validPrefix_ = std::max(validPrefix_, upToChunk);
}

size_t LineStore::ChunkOf(int index, int* within) const {
    if (lastChunk_ < chunks_.size() && lastChunk_ < validPrefix_) {
        const int first = firstLine_[lastChunk_];
        if (index >= first && index < first + static_cast<int>(chunks_[lastChunk_]->lines.size())) {
            *within = index - first;
            return lastChunk_;
        }
    }
    EnsurePrefix(chunks_.size());
    // The last chunk whose first line is <= index.
    auto it = std::upper_bound(firstLine_.begin(), firstLine_.begin() + chunks_.size(), index);
    size_t k = static_cast<size_t>(it - firstLine_.begin()) - 1;
    *within = index - firstLine_[k];
    lastChunk_ = k;
    return k;
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
    validPrefix_ = std::min(validPrefix_, k);
    if (widestValid_) {
        if (line.size() > widest_)
            widest_ = static_cast<int>(line.size());
        else if (oldLen == widest_ && line.size() < oldLen)
            widestValid_ = false;
    }
    Changed();
}

void LineStore::Add(const QByteArray& line) { Replace(count_, 0, {line}); }
void LineStore::Insert(int index, const QByteArray& line) { Replace(index, 0, {line}); }
void LineStore::Delete(int index) { Replace(index, 1, {}); }

void LineStore::Clear() {
    chunks_.clear();
    count_ = 0;
    total_ = 0;
    Invalidate(0);
    Changed();
}

void LineStore::Rebuild(std::vector<QByteArray>&& lines) {
    chunks_.clear();
    count_ = static_cast<int>(lines.size());
    total_ = 0;
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
    Invalidate(0);
}

void LineStore::Normalize() {
    // Drop empty chunks and split oversized ones; rebuild when chunks got too fragmented.
    for (size_t k = 0; k < chunks_.size();) {
        if (chunks_[k]->lines.empty()) {
            chunks_.erase(chunks_.begin() + static_cast<std::ptrdiff_t>(k));
            Invalidate(k);
            continue;
        }
        if (chunks_[k]->lines.size() > static_cast<size_t>(kMaxChunkLines)) {
            Chunk& c = Mutable(k);
            auto tail = std::make_shared<Chunk>();
            const auto mid = c.lines.begin() + kChunkLines;
            tail->lines.assign(std::make_move_iterator(mid), std::make_move_iterator(c.lines.end()));
            c.lines.erase(mid, c.lines.end());
            c.Recount();
            tail->Recount();
            chunks_.insert(chunks_.begin() + static_cast<std::ptrdiff_t>(k) + 1, std::move(tail));
            Invalidate(k);
        }
        ++k;
    }
    if (chunks_.size() > 64 && chunks_.size() > 4 * (static_cast<size_t>(count_) / kChunkLines + 1)) {
        std::vector<QByteArray> all;
        all.reserve(static_cast<size_t>(count_));
        for (const ChunkPtr& c : chunks_)
            all.insert(all.end(), c->lines.begin(), c->lines.end());
        Rebuild(std::move(all));
    }
}

void LineStore::Replace(int index, int count, std::vector<QByteArray> lines) {
    index = std::clamp(index, 0, count_);
    count = std::clamp(count, 0, count_ - index);
    if (count == 0 && lines.empty())
        return;
    if (count == count_) {
        Rebuild(std::move(lines));
        Changed();
        return;
    }
    // Remove `count` lines starting at `index`.
    int remaining = count;
    size_t k = 0;
    int within = 0;
    if (index < count_) {
        k = ChunkOf(index, &within);
    } else {
        k = chunks_.empty() ? 0 : chunks_.size() - 1;
        within = chunks_.empty() ? 0 : static_cast<int>(chunks_[k]->lines.size());
    }
    if (chunks_.empty())
        chunks_.push_back(std::make_shared<Chunk>());
    Invalidate(k);
    const size_t insertChunk = k;
    const int insertWithin = within;
    while (remaining > 0 && k < chunks_.size()) {
        const int size = static_cast<int>(chunks_[k]->lines.size());
        const int take = std::min(remaining, size - within);
        if (within == 0 && take == size && !(k == insertChunk && !lines.empty())) {
            total_ -= chunks_[k]->bytes;
            chunks_[k] = std::make_shared<Chunk>(); // emptied, dropped by Normalize
        } else {
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
    count_ -= count;
    if (!lines.empty()) {
        Chunk& c = Mutable(insertChunk);
        for (const QByteArray& l : lines)
            total_ += l.size() + 2;
        count_ += static_cast<int>(lines.size());
        if (lines.size() > static_cast<size_t>(kMaxChunkLines)) {
            // A big splice: cut the target chunk at the insertion point and put fresh chunks
            // between its halves.
            auto tail = std::make_shared<Chunk>();
            const auto cut = c.lines.begin() + insertWithin;
            tail->lines.assign(std::make_move_iterator(cut), std::make_move_iterator(c.lines.end()));
            c.lines.erase(cut, c.lines.end());
            c.Recount();
            tail->Recount();
            std::vector<ChunkPtr> fresh;
            for (size_t i = 0; i < lines.size(); i += kChunkLines) {
                auto n = std::make_shared<Chunk>();
                const size_t end = std::min(lines.size(), i + kChunkLines);
                n->lines.assign(std::make_move_iterator(lines.begin() + static_cast<std::ptrdiff_t>(i)),
                                std::make_move_iterator(lines.begin() + static_cast<std::ptrdiff_t>(end)));
                n->Recount();
                fresh.push_back(std::move(n));
            }
            fresh.push_back(std::move(tail));
            chunks_.insert(chunks_.begin() + static_cast<std::ptrdiff_t>(insertChunk) + 1,
                           std::make_move_iterator(fresh.begin()), std::make_move_iterator(fresh.end()));
        } else {
            c.lines.insert(c.lines.begin() + insertWithin, std::make_move_iterator(lines.begin()),
                           std::make_move_iterator(lines.end()));
            c.Recount();
        }
    }
    Normalize();
    Changed();
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
    QByteArray out;
    out.reserve(text.size() + text.size() / 16);
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char ch = text[i];
        if (ch == '\r') {
            out.append("\r\n", 2);
            if (i + 1 < n && text[i + 1] == '\n')
                ++i;
        } else if (ch == '\n') {
            out.append("\r\n", 2);
        } else {
            out.append(ch);
        }
    }
    return out;
}

void LineStore::SetText(const QByteArray& text) { Replace(0, count_, SplitText(text)); }

qint64 LineStore::LineStart(int index) const {
    if (index <= 0)
        return 0;
    if (index >= count_)
        return total_;
    int within;
    const size_t k = ChunkOf(index, &within);
    qint64 off = firstByte_[k];
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
    EnsurePrefix(chunks_.size());
    auto it = std::upper_bound(firstByte_.begin(), firstByte_.begin() + chunks_.size(), offset);
    const size_t k = static_cast<size_t>(it - firstByte_.begin()) - 1;
    qint64 start = firstByte_[k];
    const Chunk& c = *chunks_[k];
    for (size_t i = 0; i < c.lines.size(); ++i) {
        const qint64 end = start + c.lines[i].size() + 2;
        if (offset < end)
            return firstLine_[k] + static_cast<int>(i);
        start = end;
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
    QSaveFile f(fileName);
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
    Invalidate(0);
    lastChunk_ = 0;
    Changed();
}

void LineStore::Swap(LineStore& other) {
    std::swap(chunks_, other.chunks_);
    std::swap(count_, other.count_);
    std::swap(total_, other.total_);
    std::swap(style_, other.style_);
    Invalidate(0);
    other.Invalidate(0);
    lastChunk_ = other.lastChunk_ = 0;
    Changed();
    other.Changed();
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
