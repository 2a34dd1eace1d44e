#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

// The editor's list of 8-bit (Windows-1252) lines, without line-break characters.
//
// Lines are kept in chunks of a few hundred; each chunk knows its line count, its length in
// the text form (every line + 2 for CR LF) and its widest line. A Fenwick tree over the chunks
// turns offsets into lines and back in O(log n); an edit inside a chunk updates it in
// O(log n), and only a change of the chunks themselves (a split, a big splice) rebuilds it. Chunks
// are shared copy-on-write, so a snapshot of a 50 MB document costs a few kilobytes. Every change
// is one splice with one change notification.
class LineStore : public QObject {
    struct Chunk;
    using ChunkPtr = std::shared_ptr<Chunk>;

public:
    // How the file the lines came from breaks its lines; saving writes the same style.
    enum class BreakStyle { CrLf, Lf };

    // An immutable copy of the lines that shares every chunk with the store.
    class Snapshot {
    public:
        Snapshot() = default;
        int Count() const { return count_; }
        qint64 TextLength() const { return total_; }
        bool IsEmpty() const { return chunks_.empty(); }
        // True when both hold the very same chunks (no copy of a line needed to compare).
        bool SharesAllWith(const Snapshot& other) const;
        // The approximate memory the snapshot keeps alive on its own.
        qint64 ChunkCount() const { return static_cast<qint64>(chunks_.size()); }
        // The memory held by the chunks of this snapshot that `other` does not share: the
        // handles of their lines and the data of those lines that `other` does not hold
        // too. The common chunks at both ends are skipped by pointer; only the chunks in
        // between are walked line by line.
        qint64 UnsharedBytes(const Snapshot& other) const;

    private:
        friend class LineStore;
        std::vector<ChunkPtr> chunks_;
        int count_ = 0;
        qint64 total_ = 0;
        BreakStyle style_ = BreakStyle::CrLf;
    };

    LineStore();
    ~LineStore() override;

    // The change notification, run once after every change.
    std::function<void()> OnChange;
    // The first line that the change being notified may have touched (lines before it are
    // as they were).
    int LastChangeFrom() const { return changeFrom_; }

    int Count() const { return count_; }
    bool IsEmpty() const { return count_ == 0; }
    const QByteArray& Get(int index) const;
    const QByteArray& operator[](int index) const { return Get(index); }
    int Length(int index) const { return static_cast<int>(Get(index).size()); }

    void Put(int index, const QByteArray& line);
    void Add(const QByteArray& line);
    void Insert(int index, const QByteArray& line);
    void Delete(int index);
    void Clear();
    // Removes `count` lines at `index` and puts `lines` in their place: one notification.
    void Replace(int index, int count, std::vector<QByteArray> lines);
    void InsertLines(int index, std::vector<QByteArray> lines) {
        Replace(index, 0, std::move(lines));
    }
    void DeleteLines(int index, int count) { Replace(index, count, {}); }

    // The text form: every line followed by CR LF, the last one included.
    QByteArray Text() const;
    qint64 TextLength() const { return total_; }
    // Sets the text from one string, split at CR LF, lone LF and lone CR, up to the first NUL.
    void SetText(const QByteArray& text);
    static std::vector<QByteArray> SplitText(const QByteArray& text);
    // Turns lone LF and lone CR into CR LF.
    static QByteArray NormalizeBreaks(const QByteArray& text);

    // Offset of the first character of a line in the text form (Count() gives TextLength()).
    qint64 LineStart(int index) const;
    // The line in whose span [start, start + length + 2) the offset lies; -1 outside the text.
    int LineAtOffset(qint64 offset) const;
    int WidestLine() const;

    BreakStyle Style() const { return style_; }
    void SetStyle(BreakStyle style) { style_ = style; }

    // Reads a file's bytes as the text. Fails (and changes nothing) when the file cannot be
    // read or holds a NUL byte, which the text cannot hold; *error then says why.
    bool LoadFromFile(const QString& fileName, QString* error);
    // Writes the text atomically: the old file stays whole when anything fails.
    bool SaveToFile(const QString& fileName, QString* error) const;
    // Splits file bytes into lines and tells the break style; false on a NUL byte.
    static bool ParseFileBytes(const QByteArray& bytes, std::vector<QByteArray>* lines,
                               BreakStyle* style);

    Snapshot TakeSnapshot() const;
    void RestoreSnapshot(const Snapshot& snapshot);
    // Exchanges the whole content (lines and break style) with another store: one
    // notification on each side.
    void Swap(LineStore& other);

    // Calls fn(index, line) for the lines first .. last (inclusive), in order.
    void ForEach(int first, int last, const std::function<void(int, const QByteArray&)>& fn) const;

private:
    void Changed(int fromLine);
    // Chunk holding a line, the line's index within it, and the lines and bytes before it.
    size_t ChunkOf(int index, int* within, qint64* bytesBefore = nullptr) const;
    // Chunk holding an offset, with the lines and bytes before it; the offset is in the text.
    size_t ChunkAtOffset(qint64 offset, int* linesBefore, qint64* bytesBefore) const;
    void EnsureIndex() const;
    void IndexAdd(size_t chunk, int lines, qint64 bytes);
    void InvalidateIndex();
    Chunk& Mutable(size_t chunk);
    void Rebuild(std::vector<QByteArray>&& lines);
    // Drops empty chunks and splits oversized ones among [from, to); true when it did.
    bool Normalize(size_t from, size_t to);

    std::vector<ChunkPtr> chunks_;
    // Fenwick sums over the chunks' line counts and text lengths (1-based).
    mutable std::vector<int> treeLines_;
    mutable std::vector<qint64> treeBytes_;
    mutable bool indexValid_ = false;
    mutable int widest_ = 0;
    mutable bool widestValid_ = true;
    int count_ = 0;
    qint64 total_ = 0;
    BreakStyle style_ = BreakStyle::CrLf;
    int changeFrom_ = 0;
};
