#include "editor/colouring/DIRUZFormattingProcessor.h"

#include "editor/view/TextEditorEx.h"

namespace {

char CharAt(const QByteArray& s, int i) {
    return i < s.size() ? s[i] : '\0';
}

bool IsCodeLetter(char c) {
    return c == 'H' || c == 'R' || c == 'G' || c == 'B';
}

} // namespace

TCharFormat TTXTEXFormattingProcessor::CellFormat(const TCharFormat& base, char c0, char c1,
                                                  int x) const {
    TCharFormat f = base;
    if (c0 != '&')
        return f;
    if (x == 0 || (x == 1 && IsCodeLetter(c1))) {
        f.Color = TextEditorEx()->Settings()->BkColor();
        return f;
    }
    switch (c1) {
    case 'H':
        f.Style = fsBold;
        break;
    case 'R':
        f.Color = clRed;
        break;
    case 'G':
        f.Color = clGreen;
        break;
    case 'B':
        f.Color = clBlue;
        break;
    default:
        break;
    }
    return f;
}

void TTXTEXFormattingProcessor::FormatChar(char, const QPoint& Pos, bool JustTyped,
                                           TCharFormat& Format) {
    FormatCharByLine(Pos, JustTyped, Format);
}

void TTXTEXFormattingProcessor::FormatLine(int line, int first, int count, int justTypedColumn,
                                           std::vector<TCharFormat>& out) {
    TCharFormat base;
    if (!BeginLinePass(line, first, count, justTypedColumn, false, out, &base))
        return;
    const QByteArray text = TextEditorEx()->Lines.Get(line).Raw();
    const char c0 = CharAt(text, 0), c1 = CharAt(text, 1);
    const TCharFormat body = CellFormat(base, c0, c1, 2);
    for (int i = 0; i < count; ++i)
        out[static_cast<size_t>(i)] = first + i < 2 ? CellFormat(base, c0, c1, first + i) : body;
}
