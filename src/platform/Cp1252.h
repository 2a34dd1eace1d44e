#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>

// Windows-1252, the byte encoding of every document. All 256 bytes map to a code point and
// back: the five bytes the code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to
// the C1 controls of the same value.
namespace Cp1252 {

// The code point of one byte.
QChar ToUnicode(unsigned char byte);

// The byte of one code point; false when Windows-1252 cannot hold it.
bool FromUnicode(char16_t ch, char* byte);

QString Decode(const QByteArray& bytes);
QString Decode(const char* data, qsizetype length);

// Characters without a byte become '?'; *lossless tells whether any did.
QByteArray Encode(const QString& text, bool* lossless = nullptr);

// Windows-1252 case tables (never the process locale). Case changes keep the byte length.
unsigned char ToUpper(unsigned char byte);
unsigned char ToLower(unsigned char byte);
QByteArray UpperCase(const QByteArray& bytes);
QByteArray LowerCase(const QByteArray& bytes);

} // namespace Cp1252
