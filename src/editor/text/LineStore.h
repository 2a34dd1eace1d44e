#pragma once

#include "editor/text/LineView.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

// The editor's list of 8-bit (Windows-1252) lines, without line-break characters.
//
// Lines live in chunks: one byte block per chunk that holds the chunk's lines in the text form
// (each line followed by CR LF) and the offsets of the line ends within it, so a line costs no
// allocation of its own. A chunk holds up to ChunkLines lines and about ChunkBytes bytes (a
// longer line makes a chunk of its own). A Fenwick tree over the chunks turns offsets into
// lines and back in O(log n); an edit inside a chunk rewrites only that chunk and updates the
// tree in O(log n). Chunks are shared copy-on-write, so a snapshot of a 50 MB document costs a
// few kilobytes and a whole-text command that changes some chunks shares the others with the
// snapshot taken before it. Every change is one splice with one change notification.
class LineStore : public QObject {
    struct Chunk;
    using ChunkPtr = std::shared_ptr<Chunk>;

public:
    // Lines per chunk and bytes per chunk when chunks are built.
    static constexpr int ChunkLines = 512;
    static constexpr int ChunkBytes = 64 * 1024;

    // How the file the lines came from breaks its lines; saving writes the same style.
    enum class BreakStyle { CrLf, Lf };

    // An immutable copy of the lines that shares every chunk with the store.
    class Snapshot {
    public:
        Snapshot() = default;
        int Count() const { return count_; }
        qint64 TextLength() const { return total_; }
        bool IsEmpty() const { return chunks_.empty(); }
        // True when both hold the very same chunks (no line needs comparing).
        bool SharesAllWith(const Snapshot& other) const;
        qint64 ChunkCount() const { return static_cast<qint64>(chunks_.size()); }
        // The memory held by the chunks of this snapshot that `other` does not hold too.
        qint64 UnsharedBytes(const Snapshot& other) const;

    private:
        friend class LineStore;
        std::vector<ChunkPtr> chunks_;
        int count_ = 0;
        qint64 total_ = 0;
        BreakStyle style_ = BreakStyle::CrLf;
    };

    // Lines put together in chunks before they go into a store in one splice: from text that
    // is split at its line breaks, or line by line. Nothing is allocated per line.
    class Builder {
    public:
        Builder();
        ~Builder();
        Builder(Builder&&) noexcept;
        Builder& operator=(Builder&&) noexcept;

        // Appends text split at CR LF, lone LF and lone CR; what follows the last break stays
        // open (the next text continues that line). A CR at the end and an LF at the start of
        // the next text make one break.
        void AddText(QByteArrayView text);
        // Appends characters to the open line as they are (no break is looked for).
        void AddToLine(QByteArrayView characters);
        // Ends the open line; with none open, adds an empty line.
        void EndLine();
        // Appends a whole line as it is.
        void AddLine(QByteArrayView line) {
            AddToLine(line);
            EndLine();
        }
        // True while characters of a line wait for its end.
        bool LineOpen() const { return open_; }
        // Ends the open line if it holds characters (the rule of splitting a text).
        void Finish();

        // Lines ended so far and their length in the text form.
        int Count() const { return count_; }
        qint64 TextLength() const { return total_; }

    private:
        friend class LineStore;
        // Room for n more bytes in the chunk being filled (a new one when there is none).
        char* Room(qsizetype n);
        void NewChunk();
        // Gives the chunk being filled its final size (it is written through Room).
        void Seal();
        void Flush();
        void AddChunk(const ChunkPtr& chunk);
        void AddLinesOf(const Chunk& chunk, int from, int to);
        void Append(Builder&& other);
        void LineEnded(qsizetype lineEnd);

        std::vector<ChunkPtr> chunks_;
        ChunkPtr cur_;
        char* base_ = nullptr;    // cur_'s bytes while it is filled
        qsizetype used_ = 0;      // bytes of cur_ in use
        qsizetype lineStart_ = 0; // where the open line begins in cur_
        bool open_ = false;
        bool pendingCr_ = false;
        int count_ = 0;
        qint64 total_ = 0;
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
    // The line in place (an empty line outside the text); valid until the next change.
    LineView Get(int index) const;
    LineView operator[](int index) const { return Get(index); }
    int Length(int index) const { return static_cast<int>(Get(index).size()); }

    void Put(int index, QByteArrayView line);
    void Add(QByteArrayView line);
    void Insert(int index, QByteArrayView line);
    void Delete(int index);
    void Clear();
    // Removes `count` lines at `index` and puts `lines` in their place: one notification.
    void Replace(int index, int count, std::vector<QByteArray> lines);
    // The same with built lines (an open line of the builder ends first).
    void Splice(int index, int count, Builder&& lines);
    void InsertLines(int index, std::vector<QByteArray> lines) {
        Replace(index, 0, std::move(lines));
    }
    void DeleteLines(int index, int count) { Replace(index, count, {}); }

    // Rewrites the lines first .. last one at a time: fn(index, line, &out) returns true with
    // the new line in out, or false to keep the line. Chunks without a changed line stay
    // shared; one notification when anything changed. Returns whether anything changed.
    bool TransformLines(int first, int last,
                        const std::function<bool(int, LineView, QByteArray*)>& fn);
    // Replaces `length` characters of the text form at each of the increasing, disjoint
    // offsets `starts` with `with`, as if the text were set from the result (an empty result
    // is one empty line). Chunks without a hit stay shared. progress(k) runs once the k-th
    // replacement is made, first for k = 0 and then for each k it returned. One notification.
    void ReplaceSpans(const std::vector<qint64>& starts, qint64 length, QByteArrayView with,
                      const std::function<qint64(qint64)>& progress = {});

    // The text form: every line followed by CR LF, the last one included.
    QByteArray Text() const;
    qint64 TextLength() const { return total_; }
    // Sets the text from one string, split at CR LF, lone LF and lone CR, up to the first NUL.
    void SetText(QByteArrayView text);
    static std::vector<QByteArray> SplitText(const QByteArray& text);
    // Turns lone LF and lone CR into CR LF.
    static QByteArray NormalizeBreaks(const QByteArray& text);

    // Offset of the first character of a line in the text form (Count() gives TextLength()).
    qint64 LineStart(int index) const;
    // The line in whose span [start, start + length + 2) the offset lies; -1 outside the text.
    int LineAtOffset(qint64 offset) const;
    int WidestLine() const;

    // The text form in pieces: the bytes of the chunk that holds `offset`, and where they
    // start. Empty at or past the end. Valid until the next change.
    QByteArrayView PieceAt(qint64 offset, qint64* pieceStart) const;

    BreakStyle Style() const { return style_; }
    void SetStyle(BreakStyle style) { style_ = style; }

    // Reads a file's bytes as the text, a block at a time. Fails (and changes nothing) when
    // the file cannot be read or holds a NUL byte, which the text cannot hold; *error then
    // says why (NulByteText() for a NUL byte).
    bool LoadFromFile(const QString& fileName, QString* error);
    static QString NulByteText();
    // Writes the text atomically: the old file stays whole when anything fails.
    bool SaveToFile(const QString& fileName, QString* error) const;

    Snapshot TakeSnapshot() const;
    void RestoreSnapshot(const Snapshot& snapshot);
    // Exchanges the whole content (lines and break style) with another store: one
    // notification on each side.
    void Swap(LineStore& other);

    // Calls fn(index, line) for the lines first .. last (inclusive), in order.
    void ForEach(int first, int last, const std::function<void(int, LineView)>& fn) const;

private:
    void Changed(int fromLine);
    // Chunk holding a line, the line's index within it, and the bytes before the chunk.
    size_t ChunkOf(int index, int* within, qint64* bytesBefore = nullptr) const;
    // Chunk holding an offset, with the lines and bytes before it; the offset is in the text.
    size_t ChunkAtOffset(qint64 offset, int* linesBefore, qint64* bytesBefore) const;
    void EnsureIndex() const;
    void IndexAdd(size_t chunk, int lines, qint64 bytes);
    void InvalidateIndex();
    Chunk& Mutable(size_t chunk);
    // Puts the built chunks in place of chunks [from, to).
    void SetChunks(size_t from, size_t to, Builder&& built);
    // Replaces `count` lines at `index` inside one chunk, in place, with n lines given in the
    // text form and their ends; false (nothing done) when the edit does not fit one chunk.
    bool SpliceInChunk(int index, int count, QByteArrayView form, const quint32* ends, size_t n,
                       int newWidest);
    // Splits oversized chunks among [from, to) and merges runs of small ones; true if it did.
    bool Normalize(size_t from, size_t to);
    // Copies [from, to) of the text form into a builder; whole chunks are shared when the
    // builder stands at a line start.
    void CopyTextForm(qint64 from, qint64 to, Builder& out, size_t* chunk,
                      qint64* chunkStart) const;
    // ReplaceSpans for hits that lie inside lines, with a replacement without breaks: the new
    // chunks (the ones without a hit shared); false when a hit reaches into a line break.
    bool ReplaceInLines(const std::vector<qint64>& starts, qint64 length, QByteArrayView with,
                        const std::function<qint64(qint64)>& progress, qint64* next,
                        std::vector<ChunkPtr>* result, qint64* resultBytes) const;

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
