#include "editor/colouring/HTMLFormattingProcessor.h"

#include "editor/view/TextEditorEx.h"

void THTMLFormattingProcessor::Assign(const THTMLFormattingProcessor& source) {
    TagColor = source.TagColor;
    TagNameColor = source.TagNameColor;
    TagNameBold = source.TagNameBold;
    TagValColor = source.TagValColor;
    TagValBold = source.TagValBold;
}

bool THTMLFormattingProcessor::InTag(const QByteArray& line, const QPoint& pos) {
    for (int i = std::min(pos.x(), static_cast<int>(line.size()) - 1); i >= 0; --i) {
        if (line[i] == '<') {
            tagStart_ = i;
            return true;
        }
        if (line[i] == '>')
            return false;
    }
    return false;
}

bool THTMLFormattingProcessor::InQuotes(const QByteArray& line, const QPoint& pos) const {
    int quotes = 0;
    const int end = std::min(pos.x(), static_cast<int>(line.size()));
    for (int i = tagStart_; i < end; ++i)
        quotes += line[i] == '"';
    if (quotes % 2 == 0)
        return false;
    return pos.x() >= static_cast<int>(line.size()) || line[pos.x()] != '"';
}

void THTMLFormattingProcessor::FormatChar(char Ch, const QPoint& Pos, bool JustTyped,
                                          TCharFormat& Format) {
    TFormattingProcessor::FormatChar(Ch, Pos, JustTyped, Format);
    if (Ch == '<' || Ch == '>') {
        Format.Color = TagColor;
        return;
    }
    if (Pos.y() < 0 || Pos.y() >= TextEditorEx()->Lines.Count())
        return;
    const QByteArray line = TextEditorEx()->Lines.Get(Pos.y()).Raw();
    if (!InTag(line, Pos))
        return;
    if (!InQuotes(line, Pos)) {
        Format.Color = TagNameColor;
        if (TagNameBold)
            Format.Style = fsBold;
    } else {
        Format.Color = TagValColor;
        if (TagValBold)
            Format.Style = fsBold;
    }
}

void THTMLFormattingProcessor::FormatLine(int line, int first, int count, int justTypedColumn,
                                          std::vector<TCharFormat>& out) {
    TCharFormat base;
    if (!BeginLinePass(line, first, count, justTypedColumn, false, out, &base))
        return;
    const QByteArray text = TextEditorEx()->Lines.Get(line).Raw();
    const char* s = text.constData();
    const TCharFormat bracket{TagColor, base.Style};
    const TCharFormat name{TagNameColor, TagNameBold ? TFontStyles(fsBold) : base.Style};
    const TCharFormat value{TagValColor, TagValBold ? TFontStyles(fsBold) : base.Style};

    // The state at the first cell: the nearest delimiter before it and, inside a tag, the
    // parity of the quotes from the tag's '<' on.
    bool inTag = false;
    bool oddQuotes = false;
    for (int i = first - 1; i >= 0; --i) {
        if (s[i] == '>')
            break;
        if (s[i] == '<') {
            inTag = true;
            for (int j = i + 1; j < first; ++j)
                oddQuotes ^= s[j] == '"';
            break;
        }
    }
    TCharFormat* o = out.data();
    for (int i = 0; i < count; ++i) {
        const char c = s[first + i];
        if (c == '<') {
            o[i] = bracket;
            inTag = true;
            oddQuotes = false;
        } else if (c == '>') {
            o[i] = bracket;
            inTag = false;
        } else if (!inTag) {
            o[i] = base;
        } else if (c == '"') {
            o[i] = name;
            oddQuotes = !oddQuotes;
        } else {
            o[i] = oddQuotes ? value : name;
        }
    }
}
