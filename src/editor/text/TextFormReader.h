#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>

class LineStore;

// Reads the text form of a line store (every line followed by CR LF) forwards from an offset,
// a chunk of the store at a time, without building the whole text. Placing the reader costs
// one offset lookup; reading on costs the bytes read and one lookup per chunk.
class TTextFormReader {
public:
    // Places the reader at an offset (clamped to 0 .. the text length).
    TTextFormReader(const LineStore& lines, qint64 from);

    qint64 Offset() const { return offset_; }
    qint64 Total() const { return total_; }

    // Copies the bytes from the current offset up to `to` (clamped to the text's end) to dst
    // and moves there; returns the number copied.
    qint64 CopyTo(qint64 to, char* dst);
    // Appends the bytes up to `to` to out and moves there.
    void AppendTo(qint64 to, QByteArray& out);
    // Moves forwards to `to` without copying.
    void SkipTo(qint64 to);

    // The text form of [from, to) of a line store.
    static QByteArray Slice(const LineStore& lines, qint64 from, qint64 to);

private:
    template <typename Sink> void Read(qint64 to, Sink&& sink);

    const LineStore& lines_;
    qint64 total_;
    qint64 offset_ = 0;
    QByteArrayView piece_; // the chunk being read
    qint64 pieceStart_ = 0;
};
