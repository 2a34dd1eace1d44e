#include "editor/colouring/CSSFormattingProcessor.h"
#include "editor/colouring/HTMLFormattingProcessor.h"
#include "editor/view/TextEditorEx.h"
#include "platform/SilentAbort.h"

#include <QImage>
#include <gtest/gtest.h>
#include <memory>
#include <random>

namespace {

constexpr TColor kTag = clBlue, kName = 153, kVal = clGreen;
constexpr TColor kGroup = 153, kSep = clBlue;

struct Fixture {
    TTextEditorEx editor;
    THTMLFormattingProcessor html;
    TCSSFormattingProcessor css;

    Fixture() {
        editor.FontColor = clBlack;
        html.TagColor = kTag;
        html.TagNameColor = kName;
        html.TagNameBold = true;
        html.TagValColor = kVal;
        css.GroupColor = kGroup;
        css.GroupBold = true;
        css.GroupSepColor = kSep;
        html.SetTextEditorEx(&editor);
        css.SetTextEditorEx(&editor);
    }

    void SetLines(const std::vector<QByteArray>& lines) {
        QByteArray text;
        for (const QByteArray& l : lines)
            text += l + "\r\n";
        editor.SetText(text);
    }
};

// One letter per character: b editor colour, t tag delimiter, n tag text (bold), v quoted
// value, g selector (bold), s brace. Anything else is '?'.
char Classify(const TCharFormat& f) {
    if (f.Color == clBlack && f.Style == 0)
        return 'b';
    if (f.Color == kTag && f.Style == 0)
        return 't'; // also the CSS brace colour
    if (f.Color == kName && f.Style == fsBold)
        return 'n'; // also the CSS group colour
    if (f.Color == kVal && f.Style == 0)
        return 'v';
    return '?';
}

// The classes of a line through the line pass and through FormatChar; both must agree.
std::string ClassesOf(TTextEditorEx& editor, TFormattingProcessor& p, int line) {
    const QByteArray text = editor.Lines.Get(line);
    std::vector<TCharFormat> formats;
    p.FormatLine(line, 0, static_cast<int>(text.size()), -1, formats);
    std::string viaLine, viaChar;
    for (int i = 0; i < text.size(); ++i) {
        viaLine += Classify(formats[static_cast<size_t>(i)]);
        TCharFormat f;
        p.FormatChar(text[i], QPoint(i, line), false, f);
        viaChar += Classify(f);
    }
    EXPECT_EQ(viaLine, viaChar) << "line " << line << ": " << text.constData();
    return viaLine;
}

struct ColourCase {
    const char* name;
    std::vector<QByteArray> lines;
    int line;
    const char* expected;
};

TEST(FormattingTable, HtmlCharacterColours) {
    const ColourCase cases[] = {
        {"attribute value",
         {"<a href=\"x\">t</a>"},
         0,
         "tnnnnnnnnvnt"
         "b"
         "tnnt"},
        {"text around a tag", {"x<b>y"}, 0, "btntb"},
        {"single quotes are tag text", {"<p class='x'>"}, 0, "tnnnnnnnnnnnt"},
        {"'>' in a value ends the tag", {"<a title=\"1>2\">z"}, 0, "tnnnnnnnnnvtbbtb"},
        {"second line of a split tag", {"<a", "href=\"x\">"}, 1, "bbbbbbbbt"},
        {"unclosed quote runs to the end", {"<i a=\"b c"}, 0, "tnnnnnvvv"},
        {"empty line", {"", "<b>"}, 0, ""},
    };
    for (const ColourCase& c : cases) {
        Fixture f;
        f.SetLines(c.lines);
        EXPECT_EQ(ClassesOf(f.editor, f.html, c.line), c.expected) << c.name;
    }
}

TEST(FormattingTable, CssCharacterColours) {
    // For CSS, 't' is the brace colour and 'n' the bold selector colour.
    const ColourCase cases[] = {
        {"one rule",
         {"p { color: red }"},
         0,
         "nnt"
         "bbbbbbbbbbbb"
         "t"},
        {"text after a block", {"p { a } q"}, 0, "nntbbbtnn"},
        {"inside a block opened lines before", {"a {", "  b: c;", "}", "d"}, 1, "bbbbbbb"},
        {"closing brace line", {"a {", "  b: c;", "} e"}, 2, "tnn"},
        {"after a block closed earlier", {"a {", "}", "d"}, 2, "n"},
        {"empty first line", {"", "h1 {"}, 1, "nnnt"},
        {"no brace at all", {"x", "y z"}, 1, "nnn"},
        {"brace in a comment counts", {"/* { */", "p"}, 1, "b"},
    };
    for (const ColourCase& c : cases) {
        Fixture f;
        f.SetLines(c.lines);
        EXPECT_EQ(ClassesOf(f.editor, f.css, c.line), c.expected) << c.name;
    }
}

// --- the rules read literally, as the oracle for the line passes ---------------------------

TCharFormat ReferenceHtml(const Fixture& f, int line, int x) {
    const QByteArray s = f.editor.Lines.Get(line);
    TCharFormat r{clBlack, 0};
    const char ch = s[x];
    if (ch == '<' || ch == '>') {
        r.Color = f.html.TagColor;
        return r;
    }
    int tagStart = -1;
    for (int i = x; i >= 0; --i) {
        if (s[i] == '<') {
            tagStart = i;
            break;
        }
        if (s[i] == '>')
            break;
    }
    if (tagStart < 0)
        return r;
    int quotes = 0;
    for (int i = tagStart; i < x; ++i)
        quotes += s[i] == '"';
    const bool inQuotes = quotes % 2 == 1 && ch != '"';
    r.Color = inQuotes ? f.html.TagValColor : f.html.TagNameColor;
    if (inQuotes ? f.html.TagValBold : f.html.TagNameBold)
        r.Style = fsBold;
    return r;
}

TCharFormat ReferenceCss(const Fixture& f, int line, int x) {
    TCharFormat r{clBlack, 0};
    const char ch = f.editor.Lines.Get(line)[x];
    if (ch == '{' || ch == '}') {
        r.Color = f.css.GroupSepColor;
        return r;
    }
    bool outside = true;
    bool found = false;
    for (int l = line; l >= 0 && !found; --l) {
        const QByteArray s = f.editor.Lines.Get(l);
        for (int i = l == line ? x : static_cast<int>(s.size()) - 1; i >= 0; --i) {
            if (s[i] == '{' || s[i] == '}') {
                outside = s[i] == '}';
                found = true;
                break;
            }
        }
    }
    if (outside) {
        r.Color = f.css.GroupColor;
        if (f.css.GroupBold)
            r.Style = fsBold;
    }
    return r;
}

QByteArray RandomLine(std::mt19937& rng, const char* alphabet) {
    const int n = static_cast<int>(rng() % 12);
    const size_t k = strlen(alphabet);
    QByteArray s;
    for (int i = 0; i < n; ++i)
        s += alphabet[rng() % k];
    return s;
}

// Compares every window of every line of both processors against the oracle.
void CheckAll(Fixture& f, TFormattingProcessor& p, bool css, const std::string& what) {
    for (int line = 0; line < f.editor.Lines.Count(); ++line) {
        const int n = f.editor.Lines.Length(line);
        for (int first = 0; first < n; ++first) {
            for (int count = 1; first + count <= n; count += 3) {
                std::vector<TCharFormat> out;
                p.FormatLine(line, first, count, -1, out);
                ASSERT_EQ(out.size(), static_cast<size_t>(count));
                for (int i = 0; i < count; ++i) {
                    const TCharFormat want =
                        css ? ReferenceCss(f, line, first + i) : ReferenceHtml(f, line, first + i);
                    ASSERT_TRUE(SameCharFormat(out[static_cast<size_t>(i)], want))
                        << what << " line " << line << " col " << first + i << " window " << first
                        << "+" << count << " text: " << f.editor.Lines.Get(line).constData();
                }
            }
            TCharFormat one;
            p.FormatChar(f.editor.Lines.Get(line)[first], QPoint(first, line), false, one);
            const TCharFormat want =
                css ? ReferenceCss(f, line, first) : ReferenceHtml(f, line, first);
            ASSERT_TRUE(SameCharFormat(one, want))
                << what << " FormatChar line " << line << " col " << first;
        }
    }
}

TEST(FormattingDifferential, LinePassesMatchTheCharacterRules) {
    std::mt19937 rng(1234);
    for (int round = 0; round < 150; ++round) {
        Fixture f;
        f.html.TagValBold = round % 2;
        std::vector<QByteArray> lines;
        const int count = 1 + static_cast<int>(rng() % 5);
        for (int i = 0; i < count; ++i)
            lines.push_back(RandomLine(rng, "<>\"'{} a\t"));
        f.SetLines(lines);
        CheckAll(f, f.html, false, "html");
        CheckAll(f, f.css, true, "css");

        // Edits through the editor keep the CSS line states current.
        for (int edit = 0; edit < 6; ++edit) {
            const int y = static_cast<int>(rng() % static_cast<unsigned>(f.editor.Lines.Count()));
            const int x =
                static_cast<int>(rng() % static_cast<unsigned>(f.editor.Lines.Length(y) + 1));
            f.editor.SetSelStart(f.editor.PosToOffset(QPoint(x, y)));
            switch (rng() % 4) {
            case 0:
                f.editor.SetSelText(QByteArray(1, "{}a"[rng() % 3]));
                break;
            case 1:
                f.editor.SetSelText("\r\n");
                break;
            case 2:
                f.editor.SetSelLength(static_cast<int>(rng() % 4) + 1);
                f.editor.DeleteSelection();
                break;
            case 3:
                // A caller changing the lines directly repaints through UpdateView.
                f.editor.Lines.Put(0, RandomLine(rng, "{} b"));
                f.editor.UpdateView();
                break;
            }
            CheckAll(f, f.css, true, "css after edit");
        }
    }
}

TEST(FormattingCss, BraceTypedAtTheTopRecoloursLaterLines) {
    Fixture f;
    f.editor.resize(400, 300);
    std::vector<QByteArray> lines(2000, "a: b;");
    lines[0] = "x {";
    f.SetLines(lines);
    EXPECT_FALSE(f.css.OutsideBlock(QPoint(0, 1999)));
    f.editor.SetSelStart(3);
    f.editor.SetSelText("}");
    EXPECT_TRUE(f.css.OutsideBlock(QPoint(0, 1999)));
    f.editor.SetSelStart(3);
    f.editor.SetSelLength(1);
    f.editor.DeleteSelection();
    EXPECT_FALSE(f.css.OutsideBlock(QPoint(0, 1999)));
}

TEST(FormattingCss, DirectLineChangesAwayFromTheCaretRecolourLaterLines) {
    // Callers that change the lines directly (then UpdateView) edit far from the caret.
    Fixture f;
    std::vector<QByteArray> lines(3000, "a: b;");
    f.SetLines(lines);
    f.editor.SetSelStart(f.editor.TextLength() - 2);
    EXPECT_TRUE(f.css.OutsideBlock(QPoint(0, 2500)));
    f.editor.Lines.Put(10, "x {");
    f.editor.UpdateView();
    EXPECT_FALSE(f.css.OutsideBlock(QPoint(0, 2500)));
    f.editor.Lines.Delete(10);
    EXPECT_TRUE(f.css.OutsideBlock(QPoint(0, 2500)));
    f.editor.BeginUpdate();
    f.editor.Lines.Insert(5, "y {");
    f.editor.EndUpdate();
    EXPECT_FALSE(f.css.OutsideBlock(QPoint(0, 2999)));
}

// --- words ---------------------------------------------------------------------------------

class WordProbe : public TFormattingProcessor {
public:
    using TFormattingProcessor::GetWordAt;
    using TFormattingProcessor::GetWordAtByDef;
};

TEST(FormattingWords, WordAtPosition) {
    struct Case {
        QByteArray line;
        int x;
        QByteArray word;
    };
    const Case cases[] = {
        {"var x", 1, "var"},
        {"var x", 3, ""},
        {"var x", 4, "x"},
        {"ab_cd", 0, "ab"},
        {"ab_cd", 3, "cd"},
        {"caf\xE9"
         "2",
         0,
         "caf\xE9"
         "2"},
        {"caf\xE9"
         "2",
         4,
         "caf\xE9"
         "2"},
        {"a\xD7"
         "b",
         0, "a"},
        {"a\xF7"
         "b",
         2, "b"},
        {"ab", 2, ""},
        {"ab", -1, ""},
        {"it's", 0, "it"},
        {"a-b", 2, "b"},
    };
    for (const Case& c : cases) {
        TTextEditorEx editor;
        editor.SetText(c.line);
        WordProbe p;
        p.SetTextEditorEx(&editor);
        EXPECT_EQ(p.GetWordAt(QPoint(c.x, 0)), c.word) << c.line.constData() << " at " << c.x;
    }
}

TEST(FormattingWords, WordAtByDefinition) {
    TTextEditorEx editor;
    editor.SetText("aabcc x_y");
    WordProbe p;
    p.SetTextEditorEx(&editor);
    EXPECT_EQ(p.GetWordAtByDef(QPoint(0, 0), TWordDef{false, "abc", "b"}), "aa");
    EXPECT_EQ(p.GetWordAtByDef(QPoint(4, 0), TWordDef{false, "abc", ""}), "aabcc");
    EXPECT_EQ(p.GetWordAtByDef(QPoint(2, 0), TWordDef{false, "abc", "b"}), "");
    EXPECT_EQ(p.GetWordAtByDef(QPoint(7, 0), TWordDef{false, "xy_", ""}), "x_y");
    EXPECT_EQ(p.GetWordAtByDef(QPoint(7, 0), TWordDef{true, "xy_", ""}), "");
}

// --- a processor without an editor ----------------------------------------------------------

TEST(FormattingOwner, ProcessorWithoutEditorIsRefused) {
    TTextEditorEx editor;
    THTMLFormattingProcessor p;
    try {
        editor.SetFormattingProcessor(&p);
        FAIL() << "no exception";
    } catch (const EKelvoraError& e) {
        EXPECT_EQ(
            e.Message(),
            QStringLiteral(
                "Ingen TTextEditorEx har konfigurerats som ägare med egenskapen TextEditorEx."));
    }
    EXPECT_EQ(editor.FormattingProcessor(), nullptr);
    TCharFormat f;
    EXPECT_THROW(p.FormatChar('a', QPoint(0, 0), false, f), EKelvoraError);
}

TEST(FormattingOwner, PaintFallsBackWhenTheProcessorLosesItsEditor) {
    TTextEditorEx editor;
    editor.resize(300, 200);
    editor.SetText("<b>x</b>");
    THTMLFormattingProcessor p;
    p.SetTextEditorEx(&editor);
    editor.SetFormattingProcessor(&p);
    p.SetTextEditorEx(nullptr);
    QImage image;
    EXPECT_NO_THROW(image = editor.viewport()->grab().toImage());
    EXPECT_FALSE(image.isNull());
}

TEST(FormattingOwner, DestroyedProcessorDetachesItself) {
    TTextEditorEx editor;
    {
        TCSSFormattingProcessor p;
        p.SetTextEditorEx(&editor);
        editor.SetFormattingProcessor(&p);
    }
    EXPECT_EQ(editor.FormattingProcessor(), nullptr);
}

TEST(FormattingOwner, ProcessorOfAnotherEditorIsRefused) {
    TTextEditorEx editor, other;
    THTMLFormattingProcessor mine, theirs;
    mine.SetTextEditorEx(&editor);
    theirs.SetTextEditorEx(&other);
    editor.SetFormattingProcessor(&mine);
    try {
        editor.SetFormattingProcessor(&theirs);
        FAIL() << "no exception";
    } catch (const EKelvoraError& e) {
        EXPECT_EQ(e.Message(), QString::fromUtf8(TFormattingProcessor::NoEditorMessage()));
    }
    EXPECT_EQ(editor.FormattingProcessor(), &mine);
}

// Whenever a processor leaves its editor (for another, for none, or by going), the editor
// stops painting with it; one that stays keeps painting.
TEST(FormattingOwner, EditorLetsGoWhenItsProcessorMoves) {
    TTextEditorEx a, b;
    auto p = std::make_unique<TCSSFormattingProcessor>();
    p->SetTextEditorEx(&a);
    a.SetFormattingProcessor(p.get());
    p->SetTextEditorEx(&a);
    EXPECT_EQ(a.FormattingProcessor(), p.get());
    p->SetTextEditorEx(&b);
    EXPECT_EQ(a.FormattingProcessor(), nullptr);
    b.SetFormattingProcessor(p.get());
    p.reset();
    EXPECT_EQ(b.FormattingProcessor(), nullptr);
    EXPECT_NO_THROW(b.viewport()->grab());
}

} // namespace
