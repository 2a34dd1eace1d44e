#include "editor/colouring/SUBFormattingProcessor.h"

#include "editor/colouring/JSFormattingProcessor.h"
#include "editor/view/TextEditorEx.h"

#include <array>
#include <string_view>
#include <unordered_set>

namespace {

constexpr std::array<std::string_view, 134> kKeywords = {"show",
                                                         "window",
                                                         "occurrences",
                                                         "case_sensitive",
                                                         "word_sensitive",
                                                         "and",
                                                         "write",
                                                         "clear",
                                                         "doc",
                                                         "no_warning",
                                                         "add",
                                                         "line",
                                                         "insert",
                                                         "color",
                                                         "date",
                                                         "char",
                                                         "h1",
                                                         "h2",
                                                         "h3",
                                                         "h4",
                                                         "h5",
                                                         "h6",
                                                         "para",
                                                         "div",
                                                         "acronym",
                                                         "abbreviation",
                                                         "cite",
                                                         "first_definition",
                                                         "image",
                                                         "link",
                                                         "table",
                                                         "ordered_list",
                                                         "unordered_list",
                                                         "superscript",
                                                         "subscript",
                                                         "head_style",
                                                         "style_block",
                                                         "style_class",
                                                         "x_style",
                                                         "span_style",
                                                         "set",
                                                         "DTD",
                                                         "title",
                                                         "find",
                                                         "next",
                                                         "import",
                                                         "export",
                                                         "message",
                                                         "set",
                                                         "caretpos",
                                                         "increase",
                                                         "caretpos",
                                                         "decrease",
                                                         "delete",
                                                         "clear",
                                                         "selection",
                                                         "select",
                                                         "all",
                                                         "cut",
                                                         "copy",
                                                         "paste",
                                                         "as",
                                                         "case",
                                                         "invert",
                                                         "upper",
                                                         "lower",
                                                         "indent",
                                                         "unindent",
                                                         "remove",
                                                         "indent",
                                                         "ROT-13",
                                                         "save_as",
                                                         "save",
                                                         "open",
                                                         "restore",
                                                         "file",
                                                         "delete",
                                                         "file",
                                                         "print",
                                                         "set",
                                                         "print",
                                                         "format",
                                                         "beep",
                                                         "wait",
                                                         "close",
                                                         "exit",
                                                         "terminate",
                                                         "application",
                                                         "restart",
                                                         "application",
                                                         "new",
                                                         "current",
                                                         "execute",
                                                         "preview",
                                                         "set",
                                                         "status",
                                                         "normalize",
                                                         "after",
                                                         "bookmark",
                                                         "at",
                                                         "goto",
                                                         "break",
                                                         "TrimVars",
                                                         "repeat",
                                                         "var",
                                                         "if",
                                                         "unless",
                                                         "ToUpperCase",
                                                         "ToLowerCase",
                                                         "Input",
                                                         "Chr",
                                                         "Occurrences",
                                                         "Occurrences1",
                                                         "Occurrences2",
                                                         "Occurrences3",
                                                         "IsPositive",
                                                         "IsNegative",
                                                         "IsZero",
                                                         "IsEmpty",
                                                         "TrimLeft",
                                                         "TrimRight",
                                                         "Date",
                                                         "Calc",
                                                         "FCC",
                                                         "SetRow",
                                                         "SetCol",
                                                         "AddLine",
                                                         "SetDelLength",
                                                         "DelSelection",
                                                         "DelLine",
                                                         "SetSearchStr",
                                                         "SetReplaceStr",
                                                         "SetCaseSensitivity",
                                                         "ReplaceAll"};

const std::unordered_set<std::string_view>& KeywordSet() {
    static const std::unordered_set<std::string_view> set(kKeywords.begin(), kKeywords.end());
    return set;
}

} // namespace

void TSUBFormattingProcessor::Assign(const TSUBFormattingProcessor& source) {
    CommentColor = source.CommentColor;
    KeywordColor = source.KeywordColor;
    KeywordBold = source.KeywordBold;
    PHolderColor = source.PHolderColor;
}

bool TSUBFormattingProcessor::IsSubWordChar(unsigned char ch) {
    return IsWordChar(ch) || ch == '_' || ch == '-';
}

bool TSUBFormattingProcessor::IsKeyword(const QByteArray& word) {
    return KeywordSet().contains(
        std::string_view(word.constData(), static_cast<size_t>(word.size())));
}

namespace {

bool IsPlaceholderChar(char ch) {
    return ch == '(' || ch == ')' || ch == '[' || ch == ']' || ch == '{' || ch == '}';
}

} // namespace

void TSUBFormattingProcessor::FormatChar(char, const QPoint& Pos, bool JustTyped,
                                         TCharFormat& Format) {
    FormatCharByLine(Pos, JustTyped, Format);
}

void TSUBFormattingProcessor::FormatLine(int line, int first, int count, int justTypedColumn,
                                         std::vector<TCharFormat>& out) {
    TCharFormat base;
    if (!BeginLinePass(line, first, count, justTypedColumn, true, out, &base))
        return;
    KeywordColouring::ColourLine(TextEditorEx()->Lines.Get(line).Raw(), first, count, base,
                                 {CommentColor, PHolderColor, KeywordColor, KeywordBold},
                                 IsPlaceholderChar, IsSubWordChar, IsKeyword, out.data());
}
