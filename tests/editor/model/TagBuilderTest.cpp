#include "editor/model/EditorModel.h"

#include <gtest/gtest.h>

namespace {

struct Attr {
    const char* name;
    const char* value; // nullptr: a bare attribute
};

struct BuilderCase {
    const char* what;
    const char* name;
    bool paired;
    const char* content;
    std::vector<Attr> attrs;
    quint8 letterCase;
    const char* expected;
};

class TagBuilder : public ::testing::TestWithParam<BuilderCase> {};

TEST_P(TagBuilder, Renders) {
    const BuilderCase& c = GetParam();
    TEditorModel m;
    m.BeginBuildingTag(c.name, c.paired, c.content);
    for (const Attr& a : c.attrs) {
        if (a.value)
            m.AddTagAttribute(a.name, a.value);
        else
            m.AddTagAttributeNoVal(a.name);
    }
    QByteArray tag;
    m.EndBuildingTag(c.letterCase, tag);
    EXPECT_EQ(tag, QByteArray(c.expected)) << c.what;
    QByteArray again;
    m.EndBuildingTag(c.letterCase, again);
    EXPECT_EQ(again, tag) << "rendering again gives the same text";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TagBuilder,
    ::testing::Values(
        BuilderCase{"upper case names, value as given",
                    "a",
                    true,
                    "Link",
                    {{"href", "x.html"}},
                    1,
                    "<A HREF=\"x.html\">Link</A>"},
        BuilderCase{"lower case, valued then bare",
                    "IMG",
                    false,
                    "",
                    {{"ISMAP", nullptr}, {"SRC", "a.png"}},
                    2,
                    "<img src=\"a.png\" ismap=\"ismap\" />"},
        BuilderCase{"other modes keep the case",
                    "Td",
                    true,
                    "",
                    {{"ColSpan", "2"}, {"NoWrap", nullptr}},
                    0,
                    "<Td ColSpan=\"2\" NoWrap=\"NoWrap\"></Td>"},
        BuilderCase{"mode 3 keeps the case", "P", true, "x", {}, 3, "<P>x</P>"},
        BuilderCase{"paired, lower case", "P", true, "x", {}, 2, "<p>x</p>"},
        BuilderCase{
            "unpaired with content after the tag", "br", false, "text", {}, 2, "<br />text"},
        BuilderCase{"content is never cased", "b", true, "x<i>\xe4", {}, 1, "<B>x<i>\xe4</B>"},
        BuilderCase{"a quote in a value",
                    "img",
                    false,
                    "",
                    {{"alt", "say \"hi\""}},
                    0,
                    "<img alt=\"say &quot;hi&quot;\" />"},
        BuilderCase{"Windows-1252 letters change case",
                    "\xe9l\x9a",
                    true,
                    "",
                    {{"\xff", "\xe9"}},
                    1,
                    "<\xc9L\x8a \x9f=\"\xe9\"></\xc9L\x8a>"}));

TEST(TagBuilderState, BeginDiscardsTheEarlierTagAndContentCanChange) {
    TEditorModel m;
    m.BeginBuildingTag("a", true, "old");
    m.AddTagAttribute("href", "x");
    m.AddTagAttributeNoVal("download");
    m.BeginBuildingTag("b", true, "one");
    m.ChangeTagContent("two");
    QByteArray tag;
    m.EndBuildingTag(2, tag);
    EXPECT_EQ(tag, "<b>two</b>");
}

// A read-only editor still renders the new tag (never hands back an earlier one); the text
// stays as it is.
TEST(TagBuilderState, ReadOnlyRendersTheNewTag) {
    TEditorModel m;
    m.SetText("one");
    m.Settings()->ReadOnly = true;
    QByteArray tag = "<i>earlier</i>";
    m.BeginBuildingTag("B", true, "x");
    m.AddTagAttribute("ID", "v");
    m.EndBuildingTag(2, tag);
    EXPECT_EQ(tag, "<b id=\"v\">x</b>");
    EXPECT_EQ(m.Text(), "one\r\n");
}

struct SimpleCase {
    const char* what;
    const char* text;
    int selStart, selLength;
    const char* name;
    bool paired;
    quint8 letterCase;
    const char* expected;
    int caret; // GetSelStart afterwards
    const char* selected;
};

class InsertSimpleTag : public ::testing::TestWithParam<SimpleCase> {};

TEST_P(InsertSimpleTag, WritesAndPlacesTheCaret) {
    const SimpleCase& c = GetParam();
    TEditorModel m;
    m.SetText(c.text);
    m.SetSelStart(c.selStart);
    m.SetSelLength(c.selLength);
    m.InsertSimpleTag(c.name, c.paired, c.letterCase);
    EXPECT_EQ(m.Text(), QByteArray(c.expected)) << c.what;
    EXPECT_EQ(m.GetSelStart(), c.caret) << c.what;
    EXPECT_EQ(m.GetSelText(), QByteArray(c.selected)) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, InsertSimpleTag,
    ::testing::Values(SimpleCase{"paired around the selection", "say one now", 4, 3, "em", true, 2,
                                 "say <em>one</em> now\r\n", 8, "one"},
                      SimpleCase{"paired, upper case", "say one now", 4, 3, "em", true, 1,
                                 "say <EM>one</EM> now\r\n", 8, "one"},
                      SimpleCase{"paired around lines", "ab\r\ncd", 1, 4, "P", true, 0,
                                 "a<P>b\r\nc</P>d\r\n", 4, "b\r\nc"},
                      SimpleCase{"paired, nothing selected: caret between", "xy", 1, 0, "B", true,
                                 2, "x<b></b>y\r\n", 4, ""},
                      SimpleCase{"unpaired: caret after", "xy", 1, 0, "br", false, 0,
                                 "x<br />y\r\n", 7, ""},
                      SimpleCase{"unpaired replaces the selection", "xay", 1, 1, "HR", false, 2,
                                 "x<hr />y\r\n", 7, ""}));

TEST(InsertSimpleTagReadOnly, ChangesNothing) {
    TEditorModel m;
    m.SetText("one");
    m.SetSelLength(3);
    m.Settings()->ReadOnly = true;
    m.InsertSimpleTag("em", true, 2);
    EXPECT_EQ(m.Text(), "one\r\n");
    EXPECT_EQ(m.GetSelText(), "one");
}

} // namespace
