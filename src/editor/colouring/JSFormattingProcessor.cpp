#include "editor/colouring/JSFormattingProcessor.h"

#include "editor/view/TextEditorEx.h"

#include <array>
#include <string_view>

namespace {

constexpr std::array<std::string_view, 14> kKeywords = {
    "function", "if",     "else",   "for",  "while",   "do",  "in",
    "with",     "return", "switch", "case", "default", "new", "var"};

} // namespace

void TJSFormattingProcessor::Assign(const TJSFormattingProcessor& source) {
    CommentColor = source.CommentColor;
    KeywordColor = source.KeywordColor;
    KeywordBold = source.KeywordBold;
    BlockSepColor = source.BlockSepColor;
}

bool TJSFormattingProcessor::IsCommentLine(const QByteArray& line) {
    const int n = static_cast<int>(line.size());
    int i = 0;
    while (i < n && static_cast<unsigned char>(line[i]) <= ' ')
        ++i;
    return i + 1 < n && line[i] == '/' && line[i + 1] == '/';
}

bool TJSFormattingProcessor::IsKeyword(const QByteArray& word) {
    const std::string_view w(word.constData(), static_cast<size_t>(word.size()));
    for (std::string_view k : kKeywords)
        if (k == w)
            return true;
    return false;
}

void TJSFormattingProcessor::FormatChar(char, const QPoint& Pos, bool JustTyped,
                                        TCharFormat& Format) {
    FormatCharByLine(Pos, JustTyped, Format);
}

void TJSFormattingProcessor::FormatLine(int line, int first, int count, int justTypedColumn,
                                        std::vector<TCharFormat>& out) {
    TCharFormat base;
    if (!BeginLinePass(line, first, count, justTypedColumn, true, out, &base))
        return;
    KeywordColouring::ColourLine(
        TextEditorEx()->Lines.Get(line).Raw(), first, count, base,
        {CommentColor, BlockSepColor, KeywordColor, KeywordBold},
        [](char c) { return c == '{' || c == '}'; }, IsWordChar, IsKeyword, out.data());
}
