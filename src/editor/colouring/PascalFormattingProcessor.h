#pragma once

#include "editor/colouring/FormattingProcessor.h"

// Colours Pascal source: comments, string literals, numbers and the words of a fixed keyword
// table (any letter case). Comments and strings are recognised within one line only.
class TPascalFormattingProcessor : public TFormattingProcessor {
public:
    explicit TPascalFormattingProcessor(QObject* owner = nullptr) : TFormattingProcessor(owner) {}

    TColor KeywordColor = clBlack;
    bool KeywordBold = false;
    TColor StringColor = clBlack;
    TColor NumberColor = clBlack;
    TColor CommentColor = clBlack;

    void FormatChar(char Ch, const QPoint& Pos, bool JustTyped, TCharFormat& Format) override;
    void FormatLine(int line, int first, int count, int justTypedColumn,
                    std::vector<TCharFormat>& out) override;

    // The character at Pos lies in a { } comment, after a "//" or in a (* *) comment.
    bool InComment(const QPoint& Pos) const;
    // The character at Pos is an apostrophe or follows an odd number of them.
    bool InString(const QPoint& Pos) const;
    // The character at Pos belongs to a decimal number or to a hexadecimal one with '$'.
    bool InNumber(const QPoint& Pos) const;
    // A whole word of the keyword table, in any letter case.
    static bool IsKeyword(const QByteArray& word);

private:
    QByteArray LineOf(const QPoint& Pos) const;
};
