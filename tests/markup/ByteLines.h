#pragma once

// Code lines in failure messages: one entry per line, as byte texts.
#include "ByteText.h"

#include <QByteArrayList>
#include <ostream>

inline void PrintTo(const QByteArrayList& lines, std::ostream* os) {
    *os << "{\n";
    for (const QByteArray& line : lines) {
        *os << "  ";
        PrintTo(line, os);
        *os << "\n";
    }
    *os << "}";
}
