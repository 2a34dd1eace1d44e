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
    const QByteArray text = TextEditorEx()->Lines.Get(line).Raw();
    TCharFormat* o = out.data();
    if (IsCommentLine(text)) {
        std::fill(o, o + count, TCharFormat{CommentColor, base.Style});
        return;
    }
    const char* s = text.constData();
    const TCharFormat sep{BlockSepColor, base.Style};
    const TCharFormat keyword{KeywordColor, KeywordBold ? TFontStyles(fsBold) : base.Style};
    for (int i = 0; i < count; ++i)
        o[i] = s[first + i] == '{' || s[first + i] == '}' ? sep : base;
    KeywordColouring::ForEachRun(
        s, static_cast<int>(text.size()), first, first + count, IsWordChar,
        [&](int start, int end) {
            if (!IsKeyword(QByteArray::fromRawData(s + start, end - start)))
                return;
            for (int c = std::max(start, first); c < std::min(end, first + count); ++c)
                o[c - first] = keyword;
        });
}
