#include "PaintSpy.h"

#include "editor/colouring/CustomFormattingProcessor.h"
#include "editor/colouring/DIRUZFormattingProcessor.h"
#include "editor/colouring/JSFormattingProcessor.h"
#include "editor/colouring/PascalFormattingProcessor.h"
#include "editor/colouring/SUBFormattingProcessor.h"
#include "editor/view/TextEditorEx.h"
#include "platform/SilentAbort.h"

#include <QApplication>
#include <QPaintEvent>
#include <QTest>
#include <gtest/gtest.h>

namespace {

constexpr TColor kComment = clGreen, kKeyword = 153, kSep = clBlue;
constexpr TColor kString = clBlue, kNumber = clRed, kBk = 0x123456;

// One letter per format of a processor's legend; '?' for anything else.
struct Legend {
    std::vector<std::pair<char, TCharFormat>> entries;
    char Of(const TCharFormat& f) const {
        for (const auto& [letter, format] : entries)
            if (SameCharFormat(f, format))
                return letter;
        return '?';
    }
};

struct Fixture {
    TTextEditorEx editor;
    TJSFormattingProcessor js;
    TSUBFormattingProcessor sub;
    TPascalFormattingProcessor pascal;
    TTXTEXFormattingProcessor diruz;
    TCustomFormattingProcessor custom;

    Fixture() {
        editor.FontColor = clBlack;
        editor.Settings()->SetBkColor(kBk);
        js.CommentColor = kComment;
        js.KeywordColor = kKeyword;
        js.KeywordBold = true;
        js.BlockSepColor = kSep;
        sub.CommentColor = kComment;
        sub.KeywordColor = kKeyword;
        sub.KeywordBold = true;
        sub.PHolderColor = kSep;
        pascal.KeywordColor = kKeyword;
        pascal.KeywordBold = true;
        pascal.StringColor = kString;
        pascal.NumberColor = kNumber;
        pascal.CommentColor = kComment;
        for (TFormattingProcessor* p :
             std::initializer_list<TFormattingProcessor*>{&js, &sub, &pascal, &diruz, &custom})
            p->SetTextEditorEx(&editor);
    }

    // The letters of a line through the line pass; FormatChar must agree on every cell.
    std::string Letters(TFormattingProcessor& p, const Legend& legend, const QByteArray& line) {
        editor.SetText("first\r\n" + line + "\r\nlast");
        const int n = static_cast<int>(line.size());
        std::vector<TCharFormat> formats;
        p.FormatLine(1, 0, n, -1, formats);
        std::string viaLine, viaChar;
        for (int i = 0; i < n; ++i) {
            viaLine += legend.Of(formats[static_cast<size_t>(i)]);
            TCharFormat f;
            p.FormatChar(line[i], QPoint(i, 1), false, f);
            viaChar += legend.Of(f);
        }
        EXPECT_EQ(viaLine, viaChar) << line.constData();
        return viaLine;
    }
};

struct Case {
    QByteArray line;
    const char* expected;
};

// b editor colour, c comment, k bold keyword, s separator or bracket.
const Legend kKeywordLegend{
    {{'b', {clBlack, 0}}, {'c', {kComment, 0}}, {'k', {kKeyword, fsBold}}, {'s', {kSep, 0}}}};

TEST(ColouringTable, JavaScript) {
    const Case cases[] = {
        {"// if {x}", "ccccccccc"},
        {"  \t// var", "ccccccccc"},
        {"x = 1; // if", "bbbbbbbbbbkk"},
        {"if (a) {return b}", "kkbbbbbskkkkkkbbs"},
        {"If IF var variable", "bbbbbbkkkbbbbbbbbb"},
        {"var_x", "kkkbb"},
        {"/ /var", "bbbkkk"},
        {"x=new", "bbkkk"},
        // Latin-1 letters are part of words; a no-break space is no blank.
        {"\xE9if if\xE9 if", "bbbbbbbbkk"},
        {"\xA0// if", "bbbbkk"},
        {"}", "s"},
        {"/", "b"},
    };
    for (const Case& c : cases) {
        Fixture f;
        EXPECT_EQ(f.Letters(f.js, kKeywordLegend, c.line), c.expected) << c.line.constData();
    }
}

TEST(ColouringTable, Subroutine) {
    const Case cases[] = {
        {"show(window)", "kkkkskkkkkks"},
        {"Show [x]", "bbbbbsbs"},
        {"  // show (x)", "ccccccccccccc"},
        {"occurrences(case_sensitive and word_sensitive)", "kkkkkkkkkkks"
                                                           "kkkkkkkkkkkkkkbkkkbkkkkkkkkkkkkkks"},
        {"ROT-13 save_as", "kkkkkkbkkkkkkk"},
        {"my_show e-post", "bbbbbbbbbbbbbb"},
        {"\xC4show {h1}", "bbbbbbskks"},
        {"SetCaseSensitivity", "kkkkkkkkkkkkkkkkkk"},
    };
    for (const Case& c : cases) {
        Fixture f;
        EXPECT_EQ(f.Letters(f.sub, kKeywordLegend, c.line), c.expected) << c.line.constData();
    }
}

TEST(ColouringTable, Pascal) {
    const Legend legend{{{'b', {clBlack, 0}},
                         {'c', {kComment, 0}},
                         {'k', {kKeyword, fsBold}},
                         {'s', {kString, 0}},
                         {'n', {kNumber, 0}}}};
    const Case cases[] = {
        {"BEGIN Begin end", "kkkkkbkkkkkbkkk"},
        {"s := 'if';", "bbbbbssssb"},
        {"x := 'it''s' + y", "bbbbbsssssssbbbb"},
        {"{ begin }", "ccccccccc"},
        {"x } begin", "bbbbkkkkk"},
        {"a (* b *) c", "bbcccccccbb"},
        {"(*) x", "cccbb"},
        {"a // b", "bbcccc"},
        {"'{'", "scc"},
        {"x {", "bbc"},
        {"$1A 1A Form1 12 1.5", "nnnbbbbbbbbbbnnbnnn"},
        {"$FF $ff BEEF end.", "nnnbbbbbbbbbbkkkb"},
        {" . ", "bnb"},
        {"$", "n"},
        {"A", "b"},
        {"x\xE9"
         "1 \xE9nd BEGIN\xE9",
         "bbnbbbbbbbbbbb"},
        {"'(* x", "scccc"},
    };
    for (const Case& c : cases) {
        Fixture f;
        EXPECT_EQ(f.Letters(f.pascal, legend, c.line), c.expected) << c.line.constData();
    }
}

TEST(ColouringTable, Diruz) {
    const Legend legend{{{'b', {clBlack, 0}},
                         {'h', {kBk, 0}},
                         {'B', {clBlack, fsBold}},
                         {'r', {clRed, 0}},
                         {'g', {clGreen, 0}},
                         {'u', {clBlue, 0}}}};
    const Case cases[] = {
        {"&RWarning", "hhrrrrrrr"},
        {"&hello", "hbbbbb"},
        {"&Hx y", "hhBBB"},
        {"&G", "hh"},
        {"&Bz", "hhu"},
        {"xB", "bb"},
        {"a&R", "bbb"},
        {"&", "h"},
        {"&&R", "hbb"},
    };
    for (const Case& c : cases) {
        Fixture f;
        EXPECT_EQ(f.Letters(f.diruz, legend, c.line), c.expected) << c.line.constData();
    }
}

// --- user-defined groups ---------------------------------------------------------------------

TEST(ColouringCustom, GroupsColourWordsAndAddToTheFontStyle) {
    Fixture f;
    QFont font = f.editor.EditorFont;
    font.setItalic(true);
    f.editor.EditorFont = font;
    f.custom.SetGroupKeywords(0, {"Foo"});
    f.custom.SetGroupColor(0, clRed);
    f.custom.SetGroupBold(0, true);
    f.custom.SetGroupKeywords(1, {"foo", "my_var", "count", "\u00E4rlig"});
    f.custom.SetGroupColor(1, clBlue);
    f.custom.SetGroupUnderline(1, true);
    f.custom.SetGroupKeywords(2, {"plain"}); // no colour or flags of its own
    const Legend legend{{{'b', {clBlack, fsItalic}},
                         {'R', {clRed, fsBold | fsItalic}},
                         {'U', {clBlue, fsItalic | fsUnderline}},
                         {'p', {clBlack, fsItalic}}}};
    const Case cases[] = {
        {"FOO foo", "RRRbRRR"},             // the first group wins, any letter case
        {"my_var x_foo", "UUUUUUbbbbbb"},   // the underscore joins words
        {"count2 2count", "UUUUUbbbUUUUU"}, // digits are no word characters
        {"\xC4RLIG \xC4rlig", "UUUUUbUUUUU"},
        {"foobar", "bbbbbb"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(f.Letters(f.custom, legend, c.line), c.expected) << c.line.constData();

    // After SetHighGroup(0) only group 0 colours, though group 1 keeps its colour and flags.
    f.custom.SetHighGroup(0);
    EXPECT_EQ(f.custom.GroupCount(), 1);
    EXPECT_EQ(f.Letters(f.custom, legend, "foo my_var"), "RRRbbbbbbb");
    EXPECT_EQ(f.custom.GetGroupColor(1), clBlue);
    f.custom.SetHighGroup(-1);
    EXPECT_EQ(f.Letters(f.custom, legend, "foo"), "bbb");
}

TEST(ColouringCustom, GettersAndGrowingArrays) {
    TCustomFormattingProcessor p;
    EXPECT_EQ(p.GroupCount(), 0);
    EXPECT_EQ(p.GetGroupColor(0), TCustomFormattingProcessor::NoColor);
    EXPECT_EQ(p.GetGroupColor(-1), TCustomFormattingProcessor::NoColor);
    EXPECT_TRUE(p.GetGroupKeywords(5).isEmpty());
    EXPECT_FALSE(p.GetGroupBold(5));

    p.SetGroupColor(3, clRed);
    EXPECT_EQ(p.GetGroupColor(1), clBlack) << "new entries are black";
    EXPECT_EQ(p.GroupCount(), 0) << "only the word lists count the groups";
    p.SetGroupItalic(2, true);
    EXPECT_FALSE(p.GetGroupItalic(0));
    EXPECT_TRUE(p.GetGroupItalic(2));

    QStringList words{"a", "b"};
    p.SetGroupKeywords(2, words);
    words << "c"; // the caller's list stays the caller's
    EXPECT_EQ(p.GetGroupKeywords(2), QStringList({"a", "b"}));
    EXPECT_EQ(p.GroupCount(), 3);
    EXPECT_EQ(p.HighGroup(), 2);
    EXPECT_TRUE(p.GetGroupKeywords(0).isEmpty()) << "a slot never filled has no words";
    p.SetHighGroup(5);
    EXPECT_EQ(p.GroupCount(), 6);
    EXPECT_EQ(p.GetGroupKeywords(2), QStringList({"a", "b"}));
    p.SetGroupColor(-1, clRed); // ignored
    p.SetGroupKeywords(-1, words);
    EXPECT_EQ(p.GroupCount(), 6);
}

TEST(ColouringCustom, WordsOfLaterChangesAreFound) {
    Fixture f;
    f.custom.SetGroupKeywords(0, {"alpha"});
    f.custom.SetGroupColor(0, clRed);
    const Legend legend{{{'b', {clBlack, 0}}, {'R', {clRed, 0}}, {'U', {clBlue, 0}}}};
    EXPECT_EQ(f.Letters(f.custom, legend, "alpha beta"), "RRRRRbbbbb");
    f.custom.SetGroupKeywords(0, {"beta", "\u20AC"}); // '€' has a byte but is no word
    EXPECT_EQ(f.Letters(f.custom, legend, "alpha beta"), "bbbbbbRRRR");
    f.custom.SetGroupKeywords(1, {"alpha", "\u4E00"}); // a character without a byte
    f.custom.SetGroupColor(1, clBlue);
    EXPECT_EQ(f.Letters(f.custom, legend, "alpha beta \x80"), "UUUUUbRRRRbb");
}

// --- repainting the line of a typed character ------------------------------------------------

// Records the lines a processor asks its editor's views to repaint.
struct RepaintRecorder : TEditorObserver {
    std::vector<int> repainted;
    void RepaintRequested(const TRepaint& what) override {
        if (what.What == TRepaint::LineText)
            repainted.push_back(what.Line);
    }
};

TEST(ColouringJustTyped, KeywordProcessorsRepaintTheLine) {
    RepaintRecorder recorder; // outlives the editor, which tells it when it goes
    TTextEditorEx editor;
    editor.AddObserver(&recorder);
    editor.SetText("x\r\nva");
    TJSFormattingProcessor js;
    TSUBFormattingProcessor sub;
    TPascalFormattingProcessor pascal;
    TCustomFormattingProcessor custom;
    TTXTEXFormattingProcessor diruz;
    const std::pair<TFormattingProcessor*, bool> processors[] = {
        {&js, true}, {&sub, true}, {&pascal, true}, {&custom, true}, {&diruz, false}};
    for (const auto& [p, repaints] : processors) {
        p->SetTextEditorEx(&editor);
        std::vector<TCharFormat> out;
        recorder.repainted.clear();
        p->FormatLine(1, 0, 2, -1, out);
        p->FormatLine(1, 0, 1, 1, out); // the typed cell lies outside these cells
        EXPECT_TRUE(recorder.repainted.empty());
        p->FormatLine(1, 1, 1, 1, out);
        EXPECT_EQ(recorder.repainted, repaints ? std::vector<int>{1} : std::vector<int>{});
        recorder.repainted.clear();
        TCharFormat f;
        p->FormatChar('a', QPoint(1, 1), true, f);
        EXPECT_EQ(recorder.repainted, repaints ? std::vector<int>{1} : std::vector<int>{});
    }
}

TEST(ColouringJustTyped, TypingTheLastLetterOfAKeywordRepaintsItsFirstLetters) {
    TTextEditorEx editor;
    editor.resize(400, 200);
    TJSFormattingProcessor js;
    js.KeywordColor = clRed;
    js.SetTextEditorEx(&editor);
    editor.SetFormattingProcessor(&js);
    editor.SetText("va");
    editor.Caret.SetPos(QPoint(2, 0));
    editor.show();
    QApplication::processEvents();
    PaintSpy spy;
    editor.viewport()->installEventFilter(&spy);
    QTest::keyClick(&editor, 'r');
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
    const QRect firstCell(0, 0, editor.CharWidth(), editor.LineHeight());
    EXPECT_TRUE(spy.painted.contains(firstCell.center())) << "the v is painted again";
    EXPECT_EQ(editor.Lines.Get(0), "var");
}

TEST(ColouringOwner, ProcessorsWithoutEditorRefuse) {
    TJSFormattingProcessor js;
    TSUBFormattingProcessor sub;
    TPascalFormattingProcessor pascal;
    TTXTEXFormattingProcessor diruz;
    TCustomFormattingProcessor custom;
    for (TFormattingProcessor* p :
         std::initializer_list<TFormattingProcessor*>{&js, &sub, &pascal, &diruz, &custom}) {
        TCharFormat f;
        EXPECT_THROW(p->FormatChar('a', QPoint(0, 0), false, f), EKelvoraError);
        std::vector<TCharFormat> out;
        EXPECT_THROW(p->FormatLine(0, 0, 1, -1, out), EKelvoraError);
    }
}

TEST(ColouringAssign, CopiesTheColours) {
    TJSFormattingProcessor a, b;
    a.CommentColor = 1;
    a.KeywordColor = 2;
    a.KeywordBold = true;
    a.BlockSepColor = 3;
    b.Assign(a);
    EXPECT_EQ(b.CommentColor, 1u);
    EXPECT_EQ(b.KeywordColor, 2u);
    EXPECT_TRUE(b.KeywordBold);
    EXPECT_EQ(b.BlockSepColor, 3u);
    TSUBFormattingProcessor c, d;
    c.CommentColor = 4;
    c.KeywordColor = 5;
    c.KeywordBold = true;
    c.PHolderColor = 6;
    d.Assign(c);
    EXPECT_EQ(d.CommentColor, 4u);
    EXPECT_EQ(d.KeywordColor, 5u);
    EXPECT_TRUE(d.KeywordBold);
    EXPECT_EQ(d.PHolderColor, 6u);
}

} // namespace
