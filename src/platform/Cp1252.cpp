#include "platform/Cp1252.h"

#include <array>

namespace Cp1252 {
namespace {

// 0x80..0x9F; the rest of the code page equals Latin-1.
constexpr char16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

struct CaseTables {
    std::array<unsigned char, 256> upper{};
    std::array<unsigned char, 256> lower{};
    CaseTables() {
        for (int i = 0; i < 256; ++i)
            upper[i] = lower[i] = static_cast<unsigned char>(i);
        auto pair = [this](int up, int low) {
            upper[low] = static_cast<unsigned char>(up);
            lower[up] = static_cast<unsigned char>(low);
        };
        for (int c = 'A'; c <= 'Z'; ++c)
            pair(c, c + 32);
        for (int c = 0xC0; c <= 0xDE; ++c)
            if (c != 0xD7)
                pair(c, c + 32);
        pair(0x8A, 0x9A); // Š š
        pair(0x8C, 0x9C); // Œ œ
        pair(0x8E, 0x9E); // Ž ž
        pair(0x9F, 0xFF); // Ÿ ÿ
    }
};

const CaseTables& Tables() {
    static const CaseTables tables;
    return tables;
}

} // namespace

QChar ToUnicode(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F)
        return QChar(kHigh[byte - 0x80]);
    return QChar(static_cast<char16_t>(byte));
}

bool FromUnicode(char16_t ch, char* byte) {
    if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF)) {
        *byte = static_cast<char>(ch);
        return true;
    }
    for (int i = 0; i < 32; ++i) {
        if (kHigh[i] == ch) {
            *byte = static_cast<char>(0x80 + i);
            return true;
        }
    }
    return false;
}

QString Decode(const char* data, qsizetype length) {
    QString out(length, Qt::Uninitialized);
    QChar* dst = out.data();
    for (qsizetype i = 0; i < length; ++i)
        dst[i] = ToUnicode(static_cast<unsigned char>(data[i]));
    return out;
}

QString Decode(const QByteArray& bytes) {
    return Decode(bytes.constData(), bytes.size());
}

QByteArray Encode(const QString& text, bool* lossless) {
    QByteArray out(text.size(), Qt::Uninitialized);
    bool all = true;
    for (qsizetype i = 0; i < text.size(); ++i) {
        char b;
        if (!FromUnicode(text.at(i).unicode(), &b)) {
            b = '?';
            all = false;
        }
        out[i] = b;
    }
    if (lossless)
        *lossless = all;
    return out;
}

unsigned char ToUpper(unsigned char byte) {
    return Tables().upper[byte];
}
unsigned char ToLower(unsigned char byte) {
    return Tables().lower[byte];
}

QByteArray UpperCase(const QByteArray& bytes) {
    QByteArray out = bytes;
    for (char& c : out)
        c = static_cast<char>(ToUpper(static_cast<unsigned char>(c)));
    return out;
}

QByteArray LowerCase(const QByteArray& bytes) {
    QByteArray out = bytes;
    for (char& c : out)
        c = static_cast<char>(ToLower(static_cast<unsigned char>(c)));
    return out;
}

} // namespace Cp1252
