#pragma once

#include <QByteArray>
#include <ostream>

// Byte texts in failure messages as text, with the line breaks shown.
inline void PrintTo(const QByteArray& bytes, std::ostream* os) {
    QByteArray shown = bytes;
    shown.replace("\r", "\\r").replace("\n", "\\n");
    *os << '"' << shown.toStdString() << '"';
}
