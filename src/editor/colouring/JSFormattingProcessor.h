#pragma once

#include "editor/colouring/FormattingProcessor.h"

#include <algorithm>

// Colours JavaScript: whole comment lines, block braces and the words of a fixed keyword
// table. Everything is decided within one line.
class TJSFormattingProcessor : public TFormattingProcessor {
public:
    explicit TJSFormattingProcessor(QObject* owner = nullptr) : TFormattingProcessor(owner) {}

    TColor CommentColor = clBlack;
    TColor KeywordColor = clBlack;
    bool KeywordBold = false;
    TColor BlockSepColor = clBlack;

    void Assign(const TJSFormattingProcessor& source);

    void FormatChar(char Ch, const QPoint& Pos, bool JustTyped, TCharFormat& Format) override;
    void FormatLine(int line, int first, int count, int justTypedColumn,
                    std::vector<TCharFormat>& out) override;

    // The line, without its leading blanks and control characters, begins with "//".
    static bool IsCommentLine(const QByteArray& line);
    // A whole word of the keyword table (case-sensitive).
    static bool IsKeyword(const QByteArray& word);
};

namespace KeywordColouring {

// Calls fn(start, end) for every maximal run [start, end) of s[0 .. n - 1] whose characters
// satisfy isIn and that meets the cells [first, last); runs reach beyond the cells whole.
template <typename IsIn, typename Fn>
void ForEachRun(const char* s, int n, int first, int last, IsIn isIn, Fn fn) {
    for (int i = first; i < last;) {
        if (!isIn(static_cast<unsigned char>(s[i]))) {
            ++i;
            continue;
        }
        int start = i;
        if (i == first)
            while (start > 0 && isIn(static_cast<unsigned char>(s[start - 1])))
                --start;
        int end = i + 1;
        while (end < n && isIn(static_cast<unsigned char>(s[end])))
            ++end;
        fn(start, end);
        i = end;
    }
}

// Sets the cells of the run [start, end) that lie within [first, last) to f; o[0] is the
// cell `first`.
inline void FillRun(TCharFormat* o, int first, int last, int start, int end, const TCharFormat& f) {
    for (int c = std::max(start, first); c < std::min(end, last); ++c)
        o[c - first] = f;
}

// The colours of a line coloured by ColourLine; every one keeps the base style, keywords are
// bold where KeywordBold says so.
struct TLineColours {
    TColor Comment;
    TColor Marked;
    TColor Keyword;
    bool KeywordBold;
};

// Colours the cells [first, first + count) of a line into o: a comment line
// (TJSFormattingProcessor::IsCommentLine) wholly as a comment; any other line in `base`, the
// characters isMarked takes in the marked colour and the runs of isWordChar that isKeyword
// takes in the keyword colour.
template <typename IsMarked, typename IsWordCharFn, typename IsKeywordFn>
void ColourLine(const QByteArray& text, int first, int count, const TCharFormat& base,
                const TLineColours& colours, IsMarked isMarked, IsWordCharFn isWordChar,
                IsKeywordFn isKeyword, TCharFormat* o) {
    if (TJSFormattingProcessor::IsCommentLine(text)) {
        std::fill(o, o + count, TCharFormat{colours.Comment, base.Style});
        return;
    }
    const char* s = text.constData();
    const TCharFormat marked{colours.Marked, base.Style};
    const TCharFormat keyword{colours.Keyword,
                              colours.KeywordBold ? TFontStyles(fsBold) : base.Style};
    for (int i = 0; i < count; ++i)
        o[i] = isMarked(s[first + i]) ? marked : base;
    ForEachRun(s, static_cast<int>(text.size()), first, first + count, isWordChar,
               [&](int start, int end) {
                   if (isKeyword(QByteArray::fromRawData(s + start, end - start)))
                       FillRun(o, first, first + count, start, end, keyword);
               });
}

} // namespace KeywordColouring
