#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

// One paste format: the text as a whole gets the head and the tail, every line the prefix and
// the suffix.
struct TPasteFormat {
    QByteArray Head, Tail, Prefix, Suffix;
    bool operator==(const TPasteFormat&) const = default;
};

// The thirty paste formats, by name, and a last record whose four texts are all "unknown".
// The markup is lower case whatever the tag case.
class TPasteFormatsLibrary {
public:
    // `indent` is one indent unit, put before the items of the lists.
    explicit TPasteFormatsLibrary(const QByteArray& indent);

    // The thirty names in table order.
    static const QStringList& Names();

    // A copy of the format of that exact name (case counts); the unknown record otherwise.
    TPasteFormat GetFormat(const QString& name) const;
    static bool IsUnknown(const TPasteFormat& format);

    // head + prefix + the text with every line break written as suffix, CR LF, prefix + tail.
    // The text's line breaks (CR LF, lone LF or lone CR) all count as one break each.
    static QByteArray Apply(const TPasteFormat& format, const QByteArray& text);

private:
    std::vector<TPasteFormat> formats_; // 30 named + the unknown record
};
