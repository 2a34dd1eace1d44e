#include "editor/colouring/CSSFormattingProcessor.h"

#include "editor/view/TextEditorEx.h"

#include <cstring>

namespace {

// The last brace of s[0 .. n - 1], or 0 when there is none.
char LastBrace(const char* s, int n) {
    if (n <= 0)
        return 0;
    const void* open = memrchr(s, '{', static_cast<size_t>(n));
    const void* close = memrchr(s, '}', static_cast<size_t>(n));
    if (!open && !close)
        return 0;
    if (!close)
        return '{';
    if (!open)
        return '}';
    return open > close ? '{' : '}';
}

} // namespace

bool TCSSFormattingProcessor::InsideWith(char c, bool before) {
    return c == '{' ? true : c == '}' ? false : before;
}

void TCSSFormattingProcessor::LinesChanged(int firstLine) {
    // The state at a line's start depends only on the lines before it.
    valid_ = std::clamp(firstLine + 1, 1, valid_);
}

bool TCSSFormattingProcessor::StartsInsideBlock(int line) {
    const LineStore& lines = TextEditorEx()->Lines;
    line = std::clamp(line, 0, std::max(lines.Count() - 1, 0));
    valid_ = std::min(valid_, std::max(lines.Count(), 1));
    if (line < valid_)
        return inside_[static_cast<size_t>(line)];
    if (inside_.size() < static_cast<size_t>(line) + 1)
        inside_.resize(static_cast<size_t>(lines.Count()));
    bool inside = inside_[static_cast<size_t>(valid_ - 1)];
    int index = valid_ - 1;
    lines.ForEach(valid_ - 1, line - 1, [&](int, LineView text) {
        if (const char b = LastBrace(text.constData(), static_cast<int>(text.size())))
            inside = b == '{';
        inside_[static_cast<size_t>(++index)] = inside;
    });
    valid_ = line + 1;
    return inside;
}

bool TCSSFormattingProcessor::InsideAt(int line, const QByteArray& text, int column) {
    const int n = std::clamp(column, 0, static_cast<int>(text.size()));
    if (const char b = LastBrace(text.constData(), n))
        return b == '{';
    return StartsInsideBlock(line);
}

bool TCSSFormattingProcessor::OutsideBlock(const QPoint& Pos) {
    const LineStore& lines = TextEditorEx()->Lines;
    if (Pos.y() < 0 || Pos.y() >= lines.Count())
        return true;
    const QByteArray text = lines.Get(Pos.y()).Raw();
    const bool before = InsideAt(Pos.y(), text, Pos.x());
    if (Pos.x() < 0 || Pos.x() >= text.size())
        return !before;
    return !InsideWith(text[Pos.x()], before);
}

void TCSSFormattingProcessor::FormatChar(char, const QPoint& Pos, bool JustTyped,
                                         TCharFormat& Format) {
    FormatCharByLine(Pos, JustTyped, Format);
}

void TCSSFormattingProcessor::FormatLine(int line, int first, int count, int justTypedColumn,
                                         std::vector<TCharFormat>& out) {
    TCharFormat base;
    if (!BeginLinePass(line, first, count, justTypedColumn, false, out, &base))
        return;
    const QByteArray text = TextEditorEx()->Lines.Get(line).Raw();
    const char* s = text.constData() + first;
    const TCharFormat sep{GroupSepColor, base.Style};
    const TCharFormat group{GroupColor, GroupBold ? TFontStyles(fsBold) : base.Style};
    bool inside = InsideAt(line, text, first);
    TCharFormat* o = out.data();
    for (int i = 0; i < count; ++i) {
        const char c = s[i];
        inside = InsideWith(c, inside);
        o[i] = c == '{' || c == '}' ? sep : inside ? base : group;
    }
}
