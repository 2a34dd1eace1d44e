#pragma once

#include "editor/colouring/FormattingProcessor.h"

#include <cstdint>

// Colours style sheets: the block braces and the selectors outside the blocks. Whether a line
// starts inside a block is kept per line and brought up to date lazily from the first line
// that changed, so that colouring any line never scans back to the start of the text.
class TCSSFormattingProcessor : public TFormattingProcessor {
public:
    explicit TCSSFormattingProcessor(QObject* owner = nullptr) : TFormattingProcessor(owner) {}

    TColor GroupColor = clBlack;
    bool GroupBold = false;
    TColor GroupSepColor = clBlack;

    void FormatChar(char Ch, const QPoint& Pos, bool JustTyped, TCharFormat& Format) override;
    void FormatLine(int line, int first, int count, int justTypedColumn,
                    std::vector<TCharFormat>& out) override;
    void LinesChanged(int firstLine) override;
    // A brace opens or closes a block for every line after it.
    bool DependsOnEarlierLines() const override { return true; }

    // True when the character at Pos lies outside every block (a brace itself counts).
    bool OutsideBlock(const QPoint& Pos);
    // True when line starts inside a block.
    bool StartsInsideBlock(int line);

private:
    // Inside a block at column `column` of a line (the braces before the column counted).
    bool InsideAt(int line, const QByteArray& text, int column);
    // Whether the character c lies inside a block, `before` being the state before it: an
    // opening brace belongs to its block, a closing one to the outside.
    static bool InsideWith(char c, bool before);

    std::vector<std::uint8_t> inside_{0}; // per line start: 1 inside a block
    int valid_ = 1;                       // inside_[0 .. valid_ - 1] are current
};
