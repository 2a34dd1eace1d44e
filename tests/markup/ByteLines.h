#pragma once

// Readable failure output for code lines: bytes as text, lists one entry per line.
#include <QByteArray>
#include <QByteArrayList>
#include <ostream>

inline void PrintTo(const QByteArray& bytes, std::ostream* os) {
    *os << '"' << bytes.toStdString() << '"';
}
inline void PrintTo(const QByteArrayList& lines, std::ostream* os) {
    *os << "{\n";
    for (const QByteArray& line : lines)
        *os << "  \"" << line.toStdString() << "\"\n";
    *os << "}";
}
