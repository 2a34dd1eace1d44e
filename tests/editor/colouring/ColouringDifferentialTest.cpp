#include "editor/colouring/CustomFormattingProcessor.h"
#include "editor/colouring/DIRUZFormattingProcessor.h"
#include "editor/colouring/JSFormattingProcessor.h"
#include "editor/colouring/PascalFormattingProcessor.h"
#include "editor/colouring/SUBFormattingProcessor.h"
#include "editor/view/TextEditorEx.h"
#include "platform/Cp1252.h"

#include <functional>
#include <gtest/gtest.h>
#include <random>

// The colouring rules read literally, one character at a time with 1-based indices, against
// the processors on random short lines: every window of their line passes, and the answer for
// one character (FormatChar), which is derived from the pass.

namespace {

using Oracle = std::function<TCharFormat(const QByteArray& line, int x)>;

constexpr TColor kBase = 0x000001;
constexpr TFontStyles kBaseStyle = fsItalic;
constexpr TColor kBk = 0x654321;

// The character at the 1-based index k, or 0 outside the line.
char At(const QByteArray& s, int k) {
    return k >= 1 && k <= s.size() ? s[k - 1] : '\0';
}

// The word around the 1-based index i of characters that satisfy isWord.
QByteArray WordAround(const QByteArray& s, int i,
                      const std::function<bool(unsigned char)>& isWord) {
    const auto w = [&](int k) { return k >= 1 && k <= s.size() && isWord(At(s, k)); };
    if (!w(i))
        return QByteArray();
    int start = i;
    while (w(start - 1))
        --start;
    int end = i;
    while (w(end))
        ++end;
    return s.mid(start - 1, end - start);
}

bool BuiltIn(unsigned char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
           (c >= 192 && c <= 214) || (c >= 216 && c <= 246) || c >= 248;
}

bool CommentLine(const QByteArray& s) {
    QByteArray t = s;
    while (!t.isEmpty() && static_cast<unsigned char>(t[0]) <= ' ')
        t.remove(0, 1);
    return t.startsWith("//");
}

TCharFormat Base() {
    return TCharFormat{kBase, kBaseStyle};
}

TCharFormat ReferenceJs(const TJSFormattingProcessor& p, const QByteArray& s, int x) {
    TCharFormat f = Base();
    const char ch = s[x];
    if (CommentLine(s)) {
        f.Color = p.CommentColor;
    } else if (ch == '{' || ch == '}') {
        f.Color = p.BlockSepColor;
    } else if (TJSFormattingProcessor::IsKeyword(WordAround(s, x + 1, BuiltIn))) {
        f.Color = p.KeywordColor;
        if (p.KeywordBold)
            f.Style = fsBold;
    }
    return f;
}

TCharFormat ReferenceSub(const TSUBFormattingProcessor& p, const QByteArray& s, int x) {
    TCharFormat f = Base();
    const char ch = s[x];
    if (CommentLine(s)) {
        f.Color = p.CommentColor;
    } else if (QByteArray("()[]{}").contains(ch)) {
        f.Color = p.PHolderColor;
    } else if (TSUBFormattingProcessor::IsKeyword(WordAround(
                   s, x + 1, [](unsigned char c) { return BuiltIn(c) || c == '_' || c == '-'; }))) {
        f.Color = p.KeywordColor;
        if (p.KeywordBold)
            f.Style = fsBold;
    }
    return f;
}

bool PascalComment(const QByteArray& s, int i) {
    for (int k = i; k >= 1; --k) {
        if (At(s, k) == '}' && k != i)
            break;
        if (At(s, k) == '{')
            return true;
    }
    if (s.size() >= 2)
        for (int k = i; k >= 1; --k)
            if (At(s, k) == '/' && At(s, k + 1) == '/')
                return true;
    for (int k = i; k >= 1; --k) {
        if (At(s, k) == '*' && At(s, k + 1) == ')' && k != i - 1 && k != i)
            break;
        if (At(s, k) == '(' && At(s, k + 1) == '*')
            return true;
    }
    return false;
}

bool PascalString(const QByteArray& s, int i) {
    if (At(s, i) == '\'')
        return true;
    int n = 0;
    for (int k = 1; k <= i; ++k)
        n += At(s, k) == '\'';
    return n % 2 == 1;
}

bool PascalNumber(const QByteArray& s, int i) {
    const char c = At(s, i);
    if (!(c == '$' || c == '.' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F')))
        return false;
    bool hex = false, dollar = false, foreign = false;
    for (int step : {-1, 1}) {
        for (int k = i; k >= 1 && k <= s.size(); k += step) {
            const char d = At(s, k);
            if (d >= 'A' && d <= 'F') {
                hex = true;
            } else if ((d >= 'G' && d <= 'Z') || (d >= 'a' && d <= 'z')) {
                foreign = true;
                break;
            } else if (d == '$') {
                dollar = true;
            } else if (!(d == '.' || (d >= '0' && d <= '9'))) {
                break;
            }
        }
    }
    return !(foreign || (hex && !dollar));
}

TCharFormat ReferencePascal(const TPascalFormattingProcessor& p, const QByteArray& s, int x) {
    TCharFormat f = Base();
    const int i = x + 1;
    if (PascalComment(s, i)) {
        f.Color = p.CommentColor;
    } else if (PascalString(s, i)) {
        f.Color = p.StringColor;
    } else if (PascalNumber(s, i)) {
        f.Color = p.NumberColor;
    } else if (TPascalFormattingProcessor::IsKeyword(WordAround(s, i, BuiltIn))) {
        f.Color = p.KeywordColor;
        if (p.KeywordBold)
            f.Style = fsBold;
    }
    return f;
}

TCharFormat ReferenceDiruz(const QByteArray& s, int x) {
    TCharFormat f = Base();
    const bool code = At(s, 1) == '&';
    if ((x == 0 && code) || (x == 1 && code && QByteArray("HRGB").contains(At(s, 2))))
        f.Color = kBk;
    else if (s.startsWith("&H"))
        f.Style = fsBold;
    else if (s.startsWith("&R"))
        f.Color = 0x0000FF;
    else if (s.startsWith("&G"))
        f.Color = 0x008000;
    else if (s.startsWith("&B"))
        f.Color = 0xFF0000;
    return f;
}

struct Group {
    QStringList words;
    TColor color;
    bool bold, italic, underline;
};

TCharFormat ReferenceCustom(const std::vector<Group>& groups, const QByteArray& s, int x) {
    TCharFormat f = Base();
    static const QByteArray chars =
        Cp1252::Encode(QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"
                                      "ÀÁÂÃÄÅÆÇÈÉÊËÌÍÎÏÐÑÒÓÔÕÖØÙÚÛÜÝÞßàáâãäåæçèéêëìíîïðñòóôõöøùúûüý"
                                      "þÿ_"));
    const QString word = Cp1252::Decode(
        WordAround(s, x + 1, [](unsigned char c) { return chars.contains(static_cast<char>(c)); }));
    for (const Group& g : groups) {
        if (!g.words.contains(word, Qt::CaseInsensitive))
            continue;
        f.Color = g.color;
        f.Style |=
            (g.bold ? fsBold : 0) | (g.italic ? fsItalic : 0) | (g.underline ? fsUnderline : 0);
        break;
    }
    return f;
}

// Up to 8 random pieces: each a single character of the alphabet or one of the tokens.
QByteArray RandomLine(std::mt19937& rng, const QByteArray& alphabet,
                      const std::vector<QByteArray>& tokens) {
    const int n = static_cast<int>(rng() % 9);
    QByteArray s;
    for (int i = 0; i < n; ++i) {
        if (!tokens.empty() && rng() % 3 == 0)
            s += tokens[rng() % tokens.size()];
        else
            s += alphabet[static_cast<int>(rng() % static_cast<unsigned>(alphabet.size()))];
    }
    return s;
}

std::string Show(const TCharFormat& f) {
    return std::to_string(f.Color) + "/" + std::to_string(f.Style);
}

// Every window of every line through the line pass, and every cell through FormatChar,
// against the oracle.
void Check(TTextEditorEx& editor, TFormattingProcessor& p, const Oracle& oracle, const char* what) {
    for (int line = 0; line < editor.Lines.Count(); ++line) {
        const QByteArray s = editor.Lines.Get(line);
        const int n = static_cast<int>(s.size());
        for (int first = 0; first < n; ++first) {
            for (int count = 1; first + count <= n; ++count) {
                std::vector<TCharFormat> out;
                p.FormatLine(line, first, count, -1, out);
                ASSERT_EQ(out.size(), static_cast<size_t>(count));
                for (int i = 0; i < count; ++i) {
                    const TCharFormat want = oracle(s, first + i);
                    ASSERT_TRUE(SameCharFormat(out[static_cast<size_t>(i)], want))
                        << what << " [" << s.constData() << "] col " << first + i << " window "
                        << first << "+" << count << ": " << Show(out[static_cast<size_t>(i)])
                        << " want " << Show(want);
                }
            }
            TCharFormat one;
            p.FormatChar(s[first], QPoint(first, line), false, one);
            ASSERT_TRUE(SameCharFormat(one, oracle(s, first)))
                << what << " FormatChar [" << s.constData() << "] col " << first << ": "
                << Show(one) << " want " << Show(oracle(s, first));
        }
    }
}

class ColouringDifferential : public ::testing::Test {
protected:
    TTextEditorEx editor;
    std::mt19937 rng{20240611};

    void SetUp() override {
        editor.FontColor = kBase;
        QFont font = editor.EditorFont;
        font.setItalic(true);
        editor.EditorFont = font;
        editor.Settings()->SetBkColor(kBk);
    }

    // Random lines of the alphabet, a few at a time, each set checked.
    void Run(TFormattingProcessor& p, const QByteArray& alphabet,
             const std::vector<QByteArray>& tokens, const Oracle& oracle, const char* what,
             int rounds = 300) {
        p.SetTextEditorEx(&editor);
        for (int round = 0; round < rounds; ++round) {
            QByteArray text;
            const int lines = 1 + static_cast<int>(rng() % 3);
            for (int i = 0; i < lines; ++i)
                text += (i ? "\r\n" : "") + RandomLine(rng, alphabet, tokens);
            editor.SetText(text);
            Check(editor, p, oracle, what);
            if (HasFatalFailure())
                return;
        }
    }
};

TEST_F(ColouringDifferential, JavaScript) {
    TJSFormattingProcessor p;
    p.CommentColor = 10;
    p.KeywordColor = 11;
    p.BlockSepColor = 12;
    for (bool bold : {true, false}) {
        p.KeywordBold = bold;
        const Oracle oracle = [&](const QByteArray& s, int x) { return ReferenceJs(p, s, x); };
        Run(p, "/ {}ifvarnewdo\t\xE9\xA0\x01", {"//", "if", "var", "function", "\xE9if"}, oracle,
            "js");
    }
}

TEST_F(ColouringDifferential, Subroutine) {
    TSUBFormattingProcessor p;
    p.CommentColor = 10;
    p.KeywordColor = 11;
    p.KeywordBold = true;
    p.PHolderColor = 12;
    const Oracle oracle = [&](const QByteArray& s, int x) { return ReferenceSub(p, s, x); };
    Run(p, "/ ()[]{}setas_-ROT13\xC4", {"//", "save_as", "ROT-13", "show", "x_style"}, oracle,
        "sub");
}

TEST_F(ColouringDifferential, Pascal) {
    TPascalFormattingProcessor p;
    p.KeywordColor = 11;
    p.StringColor = 12;
    p.NumberColor = 13;
    p.CommentColor = 14;
    for (bool bold : {true, false}) {
        p.KeywordBold = bold;
        const Oracle oracle = [&](const QByteArray& s, int x) { return ReferencePascal(p, s, x); };
        Run(p, "{}()*/' $.1AFDOdoftisnax\xE9",
            {"(*", "*)", "//", "begin", "END", "$1A", "1.5", "'s'", "end."}, oracle, "pascal", 600);
    }
}

TEST_F(ColouringDifferential, Diruz) {
    TTXTEXFormattingProcessor p;
    Run(p, "&HRGBhx", {"&", "&H", "&R", "&G", "&B"}, ReferenceDiruz, "diruz");
}

TEST_F(ColouringDifferential, Custom) {
    TCustomFormattingProcessor p;
    const std::vector<Group> groups = {
        {{"foo", "o_o"}, 21, true, false, false},
        {{"FOO", "f", "\u00E4\u00C4"}, 22, false, true, true},
        {{"of", "x2"}, 23, false, false, true},
    };
    for (size_t i = 0; i < groups.size(); ++i) {
        const int g = static_cast<int>(i);
        p.SetGroupKeywords(g, groups[i].words);
        p.SetGroupColor(g, groups[i].color);
        p.SetGroupBold(g, groups[i].bold);
        p.SetGroupItalic(g, groups[i].italic);
        p.SetGroupUnderline(g, groups[i].underline);
    }
    const Oracle oracle = [&](const QByteArray& s, int x) { return ReferenceCustom(groups, s, x); };
    Run(p, "fFoO_2 x\xC4\xE4.", {"foo", "FOO", "o_o", "x2", "of"}, oracle, "custom");
}

} // namespace
