#pragma once

#include "editor/colouring/FormattingProcessor.h"

// Colours DIRUZ text: a line that begins with &H is bold, with &R red, &G green and &B blue;
// the code characters take the background colour so that they vanish.
class TTXTEXFormattingProcessor : public TFormattingProcessor {
public:
    explicit TTXTEXFormattingProcessor(QObject* owner = nullptr) : TFormattingProcessor(owner) {}

    void FormatChar(char Ch, const QPoint& Pos, bool JustTyped, TCharFormat& Format) override;
    void FormatLine(int line, int first, int count, int justTypedColumn,
                    std::vector<TCharFormat>& out) override;

private:
    // The format of column x of a line whose first two characters are c0 and c1.
    TCharFormat CellFormat(const TCharFormat& base, char c0, char c1, int x) const;
};

using TDIRUZFormattingProcessor = TTXTEXFormattingProcessor;
