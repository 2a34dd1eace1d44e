#include "editor/model/EditorModel.h"

#include <gtest/gtest.h>

namespace {

// Sets a text in which '|' marks the caret.
void SetWithCaret(TEditorModel& m, QByteArray text) {
    const qsizetype caret = text.indexOf('|');
    text.remove(caret, 1);
    m.SetText(text);
    m.SetSelStart(static_cast<int>(caret));
}

struct ReaderCase {
    const char* what;
    QByteArray text; // '|' is the caret
    QByteArray tag;  // GetCurrentTag
    QByteArray span; // GetCurrentTagSpan
};

class TagReader : public ::testing::TestWithParam<ReaderCase> {};

TEST_P(TagReader, FindsTheTagAtTheCaret) {
    const ReaderCase& c = GetParam();
    TEditorModel m;
    SetWithCaret(m, c.text);
    EXPECT_EQ(m.GetCurrentTag(), c.tag) << c.what;
    EXPECT_EQ(m.GetCurrentTagSpan(), c.span) << c.what;
}

const QByteArray kFar(600, ' ');

INSTANTIATE_TEST_SUITE_P(
    Cases, TagReader,
    ::testing::Values(ReaderCase{"right after the '<'", "x <|a href=\"u\">t</a>", "<a href=\"u\">",
                                 "<a href=\"u\">t</a>"},
                      ReaderCase{"right before the '>'", "x <a href=\"u\"|>t</a>", "<a href=\"u\">",
                                 "<a href=\"u\">t</a>"},
                      ReaderCase{"right before the '<'", "x |<a>t</a>", "", ""},
                      ReaderCase{"right after the '>'", "x <a>|t</a>", "", ""},
                      ReaderCase{"in the content", "<a>t|t</a>", "", ""},
                      ReaderCase{"text after a closed tag", "</a> s|ee -> x", "", ""},
                      ReaderCase{"after an arrow", "</a> see -> |x>", "", ""},
                      ReaderCase{"in an end tag", "<p>x</|p>", "</p>", "</p>"},
                      ReaderCase{"mixed-case end tag", "<A hr|ef=\"x\">t</a>", "<A href=\"x\">",
                                 "<A href=\"x\">t</a>"},
                      ReaderCase{"nested equal elements end at the first end tag",
                                 "<b|><b>x</b>y</b>", "<b>", "<b><b>x</b>"},
                      ReaderCase{"no end tag", "<p|>text", "<p>", "<p>"},
                      ReaderCase{"a tag over two lines", "<a\r\nhr|ef=\"x\">t</a>",
                                 "<a\r\nhref=\"x\">", "<a\r\nhref=\"x\">t</a>"},
                      ReaderCase{"empty brackets", "<|>", "", ""},
                      ReaderCase{"server block", "<%| x %>", "<% x %>", "<% x %>"},
                      ReaderCase{"declaration", "<?xml ver|sion=\"1.0\"?>",
                                 "<?xml version=\"1.0\"?>", "<?xml version=\"1.0\"?>"},
                      ReaderCase{"empty element", "a<br|/>b", "<br/>", "<br/>"},
                      ReaderCase{"'<' beyond the window", "<a" + kFar + "|>", "", ""},
                      ReaderCase{"'>' beyond the window", "<a|" + kFar + ">", "", ""},
                      ReaderCase{"at the window's edges",
                                 "<" + QByteArray(500, 'a') + "|" + QByteArray(499, 'b') + ">",
                                 "<" + QByteArray(500, 'a') + QByteArray(499, 'b') + ">",
                                 "<" + QByteArray(500, 'a') + QByteArray(499, 'b') + ">"},
                      ReaderCase{"empty text", "|", "", ""}));

TEST(TagReaderSelection, ATagSelectedFromItsStartIsNotFound) {
    TEditorModel m;
    SetWithCaret(m, "x <|b>y</b>");
    m.SelectCurrentTag();
    EXPECT_EQ(m.GetSelText(), "<b>");
    EXPECT_EQ(m.GetCurrentTag(), "");
}

TEST(TagReaderSelection, SelectsTheSpanRegardlessOfCase) {
    TEditorModel m;
    SetWithCaret(m, "x <A h|ref=\"x\">t</a> y");
    m.SelectCurrentTagSpan();
    EXPECT_EQ(m.GetSelText(), "<A href=\"x\">t</a>");
    EXPECT_EQ(m.GetSelStart(), 2);
}

TEST(TagReaderSelection, WithoutEndTagSelectsTheTagAlone) {
    TEditorModel m;
    SetWithCaret(m, "<p cl|ass=\"a\">text\r\n<q>");
    m.SelectCurrentTagSpan();
    EXPECT_EQ(m.GetSelText(), "<p class=\"a\">");
}

TEST(TagReaderSelection, OutsideATagNothingChanges) {
    TEditorModel m;
    SetWithCaret(m, "<b>x|y</b>");
    m.SetSelLength(1);
    m.SelectCurrentTag();
    m.SelectCurrentTagSpan();
    EXPECT_EQ(m.GetSelText(), "y");
}

TEST(TagReaderTyped, NameOfTheTagBeingTyped) {
    const struct {
        QByteArray text;
        QByteArray name;
    } cases[] = {
        {"<p>x <a hr|", "a"},
        {"<table\r\n|x", "table"},
        {"<a|", ""},
        {"<a href=\"x\">|", ""},
        {"plain |text", ""},
        {"<|", ""},
        {"<" + QByteArray(499, 'x') + " |", QByteArray(499, 'x')},
        {"<" + QByteArray(500, 'x') + " |", ""},
    };
    for (const auto& c : cases) {
        TEditorModel m;
        SetWithCaret(m, c.text);
        EXPECT_EQ(m.GetTypedTagName(), c.name) << c.text.left(40).constData();
    }
}

TEST(TagText, ExtractTagName) {
    const struct {
        QByteArray tag, name;
    } cases[] = {
        {"", ""},
        {"<", ""},
        {"<>", ""},
        {"</>", ""},
        {"<a href=\"x\">", "a"},
        {"<A\thref>", "A"},
        {"<a\r\nhref>", "a"},
        {"</p>", "p"},
        {"<br/>", "br"},
        {"<br />", "br"},
        {"<!-- note -->", "!--"},
        {"<!--x-->", "!--"},
        {"<!DOCTYPE html>", "!DOCTYPE"},
        {"<% x %>", "%"},
        {"<%=x%>", "%"},
        {"<%>", "%"},
        {"<?xml version=\"1.0\"?>", "?xml"},
        {"<? x ?>", "?"},
        {"<%\xe9x%>", "%\xe9x%"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TEditorModel::ExtractTagName(c.tag), c.name) << c.tag.constData();
}

TEST(TagText, GetTagAttributes) {
    const struct {
        QByteArray tag;
        QByteArrayList names, values;
    } cases[] = {
        {"<img src=a.png alt=\"x\">", {"src", "alt"}, {"a.png", "x"}},
        {"<img alt=\"a b\" title=\"x=y>\">", {"alt", "title"}, {"a b", "x=y>"}},
        {"<a href='it\"s' Title=\"it's\">", {"href", "Title"}, {"it\"s", "it's"}},
        {"<a href = \"x\" id =y>", {"href", "id"}, {"x", "y"}},
        {"<input checked name=\"n\" disabled />", {"name"}, {"n"}},
        {"<a\r\nhref=\"x\"\ttarget=_top>", {"href", "target"}, {"x", "_top"}},
        {"<br clear=all/>", {"clear"}, {"all/"}},
        {"<a title=\"open>", {"title"}, {"open"}},
        {"<a href=>", {"href"}, {""}},
        {"<?xml version=\"1.0\" encoding=\"utf-8\"?>", {"version", "encoding"}, {"1.0", "utf-8"}},
        {"<p>", {}, {}},
        {"", {}, {}},
    };
    for (const auto& c : cases) {
        TTagAttributes attrs;
        attrs.Names = {"stale"};
        TEditorModel::GetTagAttributes(c.tag, attrs);
        EXPECT_EQ(attrs.Names, c.names) << c.tag.constData();
        EXPECT_EQ(attrs.Values, c.values) << c.tag.constData();
    }
}

TEST(TagText, GetAttributeValueIgnoresCase) {
    TTagAttributes attrs;
    TEditorModel::GetTagAttributes("<img src=\"a.png\" \xc9T=\"1\" alt=\"\">", attrs);
    EXPECT_EQ(TEditorModel::GetAttributeValue(attrs, "SRC"), "a.png");
    EXPECT_EQ(TEditorModel::GetAttributeValue(attrs, "\xe9t"), "1");
    EXPECT_EQ(TEditorModel::GetAttributeValue(attrs, "alt"), "");
    EXPECT_EQ(TEditorModel::GetAttributeValue(attrs, "width"), "");
    attrs.Values.clear();
    EXPECT_EQ(TEditorModel::GetAttributeValue(attrs, "src"), "");
}

TEST(TagText, GetTagContents) {
    const struct {
        QByteArray span, content;
    } cases[] = {
        {"<A href=\"x\">t</a>", "t"},
        {"<b><b>x</b>", "<b>x"},
        {"<p class=\"a\">line\r\nnext</P>", "line\r\nnext"},
        {"<p>no end", ""},
        {"<br />", ""},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TEditorModel::GetTagContents(c.span), c.content) << c.span.constData();
}

} // namespace
