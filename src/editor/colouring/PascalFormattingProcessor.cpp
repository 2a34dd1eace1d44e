#include "editor/colouring/PascalFormattingProcessor.h"

#include "editor/colouring/JSFormattingProcessor.h"
#include "editor/view/TextEditorEx.h"

#include <array>
#include <string_view>
#include <unordered_set>

namespace {

constexpr std::array<std::string_view, 99> kKeywords = {"program",
                                                        "library",
                                                        "unit",
                                                        "interface",
                                                        "uses",
                                                        "type",
                                                        "private",
                                                        "protected",
                                                        "public",
                                                        "published",
                                                        "var",
                                                        "const",
                                                        "function",
                                                        "procedure",
                                                        "class",
                                                        "property",
                                                        "read",
                                                        "write",
                                                        "default",
                                                        "nodefault",
                                                        "index",
                                                        "message",
                                                        "register",
                                                        "implementation",
                                                        "begin",
                                                        "end",
                                                        "if",
                                                        "then",
                                                        "else",
                                                        "for",
                                                        "to",
                                                        "downto",
                                                        "while",
                                                        "do",
                                                        "repeat",
                                                        "until",
                                                        "array",
                                                        "of",
                                                        "is",
                                                        "as",
                                                        "and",
                                                        "or",
                                                        "xor",
                                                        "not",
                                                        "shl",
                                                        "shr",
                                                        "div",
                                                        "mod",
                                                        "case",
                                                        "try",
                                                        "finally",
                                                        "except",
                                                        "on",
                                                        "raise",
                                                        "constructor",
                                                        "destructor",
                                                        "inherited",
                                                        "label",
                                                        "goto",
                                                        "pascal",
                                                        "cdecl",
                                                        "stdcall",
                                                        "safecall",
                                                        "near",
                                                        "far",
                                                        "export",
                                                        "forward",
                                                        "external",
                                                        "override",
                                                        "virtual",
                                                        "dynamic",
                                                        "assembler",
                                                        "asm",
                                                        "varargs",
                                                        "name",
                                                        "out",
                                                        "in",
                                                        "record",
                                                        "packed",
                                                        "nil",
                                                        "with",
                                                        "string",
                                                        "package",
                                                        "set",
                                                        "initialization",
                                                        "finalization",
                                                        "platform",
                                                        "exports",
                                                        "file",
                                                        "stored",
                                                        "implements",
                                                        "requires",
                                                        "contains",
                                                        "object",
                                                        "overload",
                                                        "reintroduce",
                                                        "local",
                                                        "abstract",
                                                        "at"};

constexpr size_t kLongestKeyword = 14; // "implementation", "initialization"

const std::unordered_set<std::string_view>& KeywordSet() {
    static const std::unordered_set<std::string_view> set(kKeywords.begin(), kKeywords.end());
    return set;
}

bool IsKeywordText(const char* s, int n) {
    // The entries are lower-case ASCII: a word with any other character cannot match.
    if (n <= 0 || static_cast<size_t>(n) > kLongestKeyword)
        return false;
    char folded[kLongestKeyword];
    for (int i = 0; i < n; ++i) {
        const char c = s[i];
        folded[i] = c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
    }
    return KeywordSet().contains(std::string_view(folded, static_cast<size_t>(n)));
}

bool IsNumberChar(unsigned char c) {
    return (c >= '0' && c <= '9') || c == '.' || c == '$' || (c >= 'A' && c <= 'F');
}

bool IsAsciiLetter(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Whether the run [start, end) of number characters of s[0 .. n - 1] is a number: no ASCII
// letter against either end, and hexadecimal letters only with a '$'.
bool IsNumberRun(const char* s, int n, int start, int end) {
    if ((start > 0 && IsAsciiLetter(static_cast<unsigned char>(s[start - 1]))) ||
        (end < n && IsAsciiLetter(static_cast<unsigned char>(s[end]))))
        return false;
    bool hex = false, dollar = false;
    for (int i = start; i < end; ++i) {
        hex |= s[i] >= 'A' && s[i] <= 'F';
        dollar |= s[i] == '$';
    }
    return !hex || dollar;
}

} // namespace

bool TPascalFormattingProcessor::IsKeyword(const QByteArray& word) {
    return IsKeywordText(word.constData(), static_cast<int>(word.size()));
}

void TPascalFormattingProcessor::FormatChar(char, const QPoint& Pos, bool JustTyped,
                                            TCharFormat& Format) {
    FormatCharByLine(Pos, JustTyped, Format);
}

void TPascalFormattingProcessor::FormatLine(int line, int first, int count, int justTypedColumn,
                                            std::vector<TCharFormat>& out) {
    TCharFormat base;
    if (!BeginLinePass(line, first, count, justTypedColumn, true, out, &base))
        return;
    const QByteArray text = TextEditorEx()->Lines.Get(line).Raw();
    const char* s = text.constData();
    const int n = static_cast<int>(text.size());
    const int last = first + count;
    TCharFormat* o = out.data();
    std::fill(o, o + count, base);

    // Lowest precedence first: keywords, then numbers, strings and comments over them.
    const TCharFormat keyword{KeywordColor, KeywordBold ? TFontStyles(fsBold) : base.Style};
    KeywordColouring::ForEachRun(s, n, first, last, IsWordChar, [&](int start, int end) {
        if (IsKeywordText(s + start, end - start))
            KeywordColouring::FillRun(o, first, last, start, end, keyword);
    });
    const TCharFormat number{NumberColor, base.Style};
    KeywordColouring::ForEachRun(s, n, first, last, IsNumberChar, [&](int start, int end) {
        if (IsNumberRun(s, n, start, end))
            KeywordColouring::FillRun(o, first, last, start, end, number);
    });

    // One pass from the line start: the comment and string states depend on what came before.
    const TCharFormat string{StringColor, base.Style};
    const TCharFormat comment{CommentColor, base.Style};
    char lastBrace = 0;     // the last brace before c
    bool oddQuotes = false; // an odd number of apostrophes before c
    bool slashes = false;   // a "//" starts at or before c
    int open = -1;          // the last "(*" starting at or before c
    int close = -1;         // the last "*)" starting at or before c - 2
    for (int c = 0; c < last; ++c) {
        const char ch = s[c];
        const char next = c + 1 < n ? s[c + 1] : '\0';
        slashes = slashes || (ch == '/' && next == '/');
        if (ch == '(' && next == '*')
            open = c;
        if (c >= 2 && s[c - 2] == '*' && s[c - 1] == ')')
            close = c - 2;
        if (c >= first) {
            if (ch == '{' || lastBrace == '{' || slashes || open > close)
                o[c - first] = comment;
            else if (ch == '\'' || oddQuotes)
                o[c - first] = string;
        }
        if (ch == '{' || ch == '}')
            lastBrace = ch;
        oddQuotes ^= ch == '\'';
    }
}
