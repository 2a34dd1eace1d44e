#include "editor/colouring/HTMLFormattingProcessor.h"

#include "editor/view/TextEditorEx.h"

void THTMLFormattingProcessor::Assign(const THTMLFormattingProcessor& source) {
    TagColor = source.TagColor;
    TagNameColor = source.TagNameColor;
    TagNameBold = source.TagNameBold;
    TagValColor = source.TagValColor;
    TagValBold = source.TagValBold;
}

void THTMLFormattingProcessor::FormatChar(char, const QPoint& Pos, bool JustTyped,
                                          TCharFormat& Format) {
    FormatCharByLine(Pos, JustTyped, Format);
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
