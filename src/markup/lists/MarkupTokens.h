#pragma once

#include <QByteArray>
#include <vector>

// The content of an element cut into text, tags and comments, each with its place, so that
// the list and table readers can tell what a dialog can show from what it cannot.
struct TMarkupToken {
    enum class TKind { Text, StartTag, EndTag, Comment, Other };
    TKind Kind = TKind::Text;
    qsizetype Begin = 0; // [Begin, End) in the content
    qsizetype End = 0;
    QByteArray Name;       // tags: the element name in lower case
    QByteArray Attributes; // start tags: the text between the name and the ">" ("/" dropped)

    // Text: true when it holds nothing but blanks, tabs and line breaks.
    bool IsBlank(const QByteArray& content) const;

    // A "<" followed by a letter starts a tag, "</" and a letter an end tag, "<!--" a comment
    // that runs through "-->", "<!" or "<?" anything else up to ">"; a tag without its ">"
    // runs to the end. Any other "<" is text.
    static std::vector<TMarkupToken> Split(const QByteArray& content);
};
