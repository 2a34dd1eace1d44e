#include "editor/text/TextFormReader.h"

#include "editor/text/LineStore.h"

#include <algorithm>
#include <cstring>

TTextFormReader::TTextFormReader(const LineStore& lines, qint64 from)
    : lines_(lines), total_(lines.TextLength()) {
    offset_ = std::clamp<qint64>(from, 0, total_);
    if (offset_ >= total_) {
        line_ = lines.Count();
        lineStart_ = total_;
        return;
    }
    line_ = lines.LineAtOffset(offset_);
    lineStart_ = lines.LineStart(line_);
}

template <typename Sink> void TTextFormReader::Read(qint64 to, Sink&& sink) {
    to = std::min(to, total_);
    while (offset_ < to) {
        const QByteArray& line = lines_.Get(line_);
        const qint64 len = line.size();
        const qint64 col = offset_ - lineStart_;
        const qint64 lineEnd = lineStart_ + len + 2;
        const qint64 stop = std::min(to, lineEnd);
        if (col < len) {
            const qint64 n = std::min(len, stop - lineStart_) - col;
            sink(line.constData() + col, n);
        }
        // The part of the CR LF that lies in [offset_, stop).
        static const char kBreak[2] = {'\r', '\n'};
        const qint64 from = std::max(offset_, lineStart_ + len);
        if (stop > from)
            sink(kBreak + (from - lineStart_ - len), stop - from);
        offset_ = stop;
        if (stop == lineEnd) {
            lineStart_ = lineEnd;
            ++line_;
        }
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
    Read(to, [](const char*, qint64) {});
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
