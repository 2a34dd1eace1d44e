#pragma once

#include "editor/colouring/FormattingProcessor.h"

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

} // namespace KeywordColouring
