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

    // A whole word of the keyword table, in any letter case.
    static bool IsKeyword(const QByteArray& word);
};
