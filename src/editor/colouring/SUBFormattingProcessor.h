#pragma once

#include "editor/colouring/FormattingProcessor.h"

// Colours subroutine files: whole comment lines, the brackets and the words of the statement
// language. A word here also takes the underscore and the hyphen, so that entries such as
// case_sensitive and ROT-13 match whole.
class TSUBFormattingProcessor : public TFormattingProcessor {
public:
    explicit TSUBFormattingProcessor(QObject* owner = nullptr) : TFormattingProcessor(owner) {}

    TColor CommentColor = clBlack;
    TColor KeywordColor = clBlack;
    bool KeywordBold = false;
    TColor PHolderColor = clBlack;

    void Assign(const TSUBFormattingProcessor& source);

    void FormatChar(char Ch, const QPoint& Pos, bool JustTyped, TCharFormat& Format) override;
    void FormatLine(int line, int first, int count, int justTypedColumn,
                    std::vector<TCharFormat>& out) override;

    // A whole word of the keyword table (case-sensitive).
    static bool IsKeyword(const QByteArray& word);
    // The characters of a word: the built-in word set, '_' and '-'.
    static bool IsSubWordChar(unsigned char ch);
};
