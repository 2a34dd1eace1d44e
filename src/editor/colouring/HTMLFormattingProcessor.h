#pragma once

#include "editor/colouring/FormattingProcessor.h"

// Colours markup: the tag delimiters, the inside of a tag and its double-quoted values.
// A tag is only recognised within one line.
class THTMLFormattingProcessor : public TFormattingProcessor {
public:
    explicit THTMLFormattingProcessor(QObject* owner = nullptr) : TFormattingProcessor(owner) {}

    TColor TagColor = clBlack;
    TColor TagNameColor = clBlack;
    bool TagNameBold = false;
    TColor TagValColor = clBlack;
    bool TagValBold = false;

    void Assign(const THTMLFormattingProcessor& source);

    void FormatChar(char Ch, const QPoint& Pos, bool JustTyped, TCharFormat& Format) override;
    void FormatLine(int line, int first, int count, int justTypedColumn,
                    std::vector<TCharFormat>& out) override;
};
