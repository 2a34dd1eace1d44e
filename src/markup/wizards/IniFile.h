#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

// A settings file of sections in brackets and Key=Value lines, read and written as bytes
// (Windows-1252) without quoting, escaping or re-encoding: a value is everything after the
// first "=" of its line, exactly as written. Section and key names compare without regard to
// ASCII case; the first of two equal keys counts. Lines that are neither a section nor hold an
// "=" are ignored, and so are keys before the first section.
class TIniFile {
public:
    TIniFile() = default;
    static TIniFile Parse(const QByteArray& bytes);
    // Reads a file; false (and the file's error text) when it cannot be read.
    static bool Load(const QString& fileName, TIniFile* ini, QString* error = nullptr);

    bool Has(const QByteArray& section, const QByteArray& key) const;
    QByteArray Value(const QByteArray& section, const QByteArray& key,
                     const QByteArray& fallback = QByteArray()) const;
    // Sets a key (appending section and key when new). Line breaks in the value become blanks,
    // so that one key stays one line.
    void SetValue(const QByteArray& section, const QByteArray& key, const QByteArray& value);
    void EraseSection(const QByteArray& section);

    // The file's text: each section's line and its keys, lines ended by CR LF.
    QByteArray ToBytes() const;
    // Writes the text to a temporary file and renames it over the file; false (and the error
    // text) on failure, the old file left whole.
    bool Save(const QString& fileName, QString* error = nullptr) const;

private:
    struct TSection {
        QByteArray Name;
        std::vector<std::pair<QByteArray, QByteArray>> Keys;
    };
    const TSection* Find(const QByteArray& section) const;

    std::vector<TSection> sections_;
};
