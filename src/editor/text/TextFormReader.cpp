#include "editor/text/TextFormReader.h"

#include "editor/text/LineStore.h"

#include <algorithm>
#include <cstring>

TTextFormReader::TTextFormReader(const LineStore& lines, qint64 from)
    : lines_(lines), total_(lines.TextLength()) {
    offset_ = std::clamp<qint64>(from, 0, total_);
    pieceStart_ = offset_;
}

template <typename Sink> void TTextFormReader::Read(qint64 to, Sink&& sink) {
    to = std::min(to, total_);
    while (offset_ < to) {
        if (offset_ < pieceStart_ || offset_ >= pieceStart_ + piece_.size())
            piece_ = lines_.PieceAt(offset_, &pieceStart_);
        const qint64 n = std::min(to, pieceStart_ + piece_.size()) - offset_;
        sink(piece_.data() + (offset_ - pieceStart_), n);
        offset_ += n;
    }
}

qint64 TTextFormReader::CopyTo(qint64 to, char* dst) {
    char* p = dst;
    Read(to, [&p](const char* data, qint64 n) {
        std::memcpy(p, data, static_cast<size_t>(n));
        p += n;
    });
    return p - dst;
}

void TTextFormReader::AppendTo(qint64 to, QByteArray& out) {
    Read(to, [&out](const char* data, qint64 n) { out.append(data, n); });
}

void TTextFormReader::SkipTo(qint64 to) {
    offset_ = std::clamp(to, offset_, total_);
}

QByteArray TTextFormReader::Slice(const LineStore& lines, qint64 from, qint64 to) {
    QByteArray out;
    if (to <= from)
        return out;
    TTextFormReader reader(lines, from);
    out.resize(std::min(to, reader.Total()) - reader.Offset());
    out.resize(reader.CopyTo(to, out.data()));
    return out;
}
