// The edit-mode rule of the element dialogs: which element the caret edits, what is read
// from it, what a regenerated element carries along, and the one-step write.
#include "app/MainWinFixture.h"

#include "editor/model/EditorModel.h"
#include "markup/common/ElementEditMode.h"

#include <QPushButton>
#include <gtest/gtest.h>

namespace {

using TKind = TElementEditMode::TKind;

// Sets a text in which '|' marks the caret.
void SetWithCaret(TEditorModel& m, QByteArray text) {
    const qsizetype caret = text.indexOf('|');
    text.remove(caret, 1);
    m.SetText(text);
    m.SetSelStart(static_cast<int>(caret));
}

QByteArray SpanText(const TEditorModel& m, const TElementEditMode& mode) {
    return m.Text().mid(mode.SpanStart(), mode.SpanEnd() - mode.SpanStart());
}

TEST(ElementEditModeTest, FindsTheElementAtTheCaret) {
    const struct {
        const char* what;
        const char* text; // '|' is the caret
        const char* element;
        bool paired;
        TKind kind;
        const char* span; // edit mode: the selected element
        const char* content;
    } cases[] = {
        {"start tag", "x <a h|ref=\"u\">t</a> y", "a", true, TKind::Edit, "<a href=\"u\">t</a>",
         "t"},
        {"names in other case", "<A h|ref>t</a>", "a", true, TKind::Edit, "<A href>t</a>", "t"},
        {"end tag in other case", "<a>t</|A >z", "A", true, TKind::Edit, "<a>t</A >", "t"},
        {"outer of nested lists", "<u|l><li>a<ul><li>b</li></ul></li></ul><ul></ul>", "UL", true,
         TKind::Edit, "<ul><li>a<ul><li>b</li></ul></li></ul>", "<li>a<ul><li>b</li></ul></li>"},
        {"outer end tag", "<ul><li>a<ul><li>b</li></ul></li></u|l><ul></ul>", "ul", true,
         TKind::Edit, "<ul><li>a<ul><li>b</li></ul></li></ul>", "<li>a<ul><li>b</li></ul></li>"},
        {"inner end tag", "<ul><li>a<ul><li>b</li></|ul></li></ul>", "ul", true, TKind::Edit,
         "<ul><li>b</li></ul>", "<li>b</li>"},
        {"end tag without a start tag", "<ol></ol>t</u|l><ul></ul>", "ul", true, TKind::Refused, "",
         ""},
        {"end tag of an empty element", "<img src=a></im|g>", "img", false, TKind::Refused, "", ""},
        {"other element", "<p cl|ass=x><a>t</a></p>", "a", true, TKind::Refused, "", ""},
        {"longer name with the same start", "<ab|br title=x>t</abbr>", "a", true, TKind::Refused,
         "", ""},
        {"comment", "<!-- a| -->", "a", true, TKind::Refused, "", ""},
        {"plain text", "<a>t|ext</a>", "a", true, TKind::New, "", ""},
        {"no text", "|", "a", true, TKind::New, "", ""},
        {"element closed with a slash", "<a name=\"top\"|/> <a href=x>t</a>", "a", true,
         TKind::Edit, "<a name=\"top\"/>", ""},
        {"self-closed one inside", "<a| href=x><a id=k/>t</a>", "a", true, TKind::Edit,
         "<a href=x><a id=k/>t</a>", "<a id=k/>t"},
        {"no end tag", "<a h|ref=x>t", "a", true, TKind::Edit, "<a href=x>", ""},
        {"empty element", "<img s|rc=a.png>t</img>", "img", false, TKind::Edit, "<img src=a.png>",
         ""},
        {"tag over two lines", "<table\r\nbor|der=1>\r\n<tr></tr>\r\n</TABLE>", "table", true,
         TKind::Edit, "<table\r\nborder=1>\r\n<tr></tr>\r\n</TABLE>", "\r\n<tr></tr>\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TEditorModel m;
        SetWithCaret(m, c.text);
        const TElementEditMode mode = TElementEditMode::Inspect(m, c.element, c.paired);
        EXPECT_EQ(mode.Kind(), c.kind);
        if (c.kind != TKind::Edit)
            continue;
        EXPECT_EQ(SpanText(m, mode), QByteArray(c.span));
        EXPECT_EQ(mode.Content(), QByteArray(c.content));
    }
}

TEST(ElementEditModeTest, MatchesTagsFarApartAndAcrossReadBlocks) {
    // Marks placed on both sides of the 64 KiB blocks the searches read.
    for (const int gap : {65536 - 9, 65536 - 4, 65536, 200000}) {
        SCOPED_TRACE(gap);
        const QByteArray filler(gap, 'x');
        const QByteArray inner = "<ul><li>" + filler + "</li></ul>";
        const QByteArray text = "<ul class=o>" + filler + inner + filler + "</ul>";
        for (const bool fromEnd : {false, true}) {
            TEditorModel m;
            m.SetText(text);
            m.SetSelStart(fromEnd ? static_cast<int>(text.size()) - 2 : 2);
            const TElementEditMode mode = TElementEditMode::Inspect(m, "ul", true);
            ASSERT_TRUE(mode.IsEdit());
            EXPECT_EQ(mode.SpanStart(), 0);
            EXPECT_EQ(mode.SpanEnd(), text.size());
            EXPECT_EQ(mode.Content(), filler + inner + filler);
        }
    }
}

TEST(ElementEditModeTest, ReadsEveryKindOfAttribute) {
    const struct {
        const char* tag;
        std::vector<TReadAttribute> attributes;
        bool selfClosed;
    } cases[] = {
        {"<a href=x.html onclick=\"f()\" id='k'>",
         {{"href", "x.html", true, "href=x.html"},
          {"onclick", "f()", true, "onclick=\"f()\""},
          {"id", "k", true, "id='k'"}},
         false},
        {"<hr noshade size = \"2\" />",
         {{"noshade", "", false, "noshade"}, {"size", "2", true, "size = \"2\""}},
         true},
        {"<br/>", {}, true},
        {"<img\r\nsrc=\"a b.png\"\talt='say \"hi\"'>",
         {{"src", "a b.png", true, "src=\"a b.png\""},
          {"alt", "say \"hi\"", true, "alt='say \"hi\"'"}},
         false},
        {"<a title=\"x>", {{"title", "x", true, "title=\"x"}}, false},
        {"<p \"odd\" =x =y z>",
         {{"\"odd\"", "x", true, "\"odd\" =x"}, {"=y", "", false, "=y"}, {"z", "", false, "z"}},
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tag);
        const TReadStartTag t = TReadStartTag::Parse(c.tag);
        EXPECT_EQ(t.SelfClosed, c.selfClosed);
        ASSERT_EQ(t.Attributes.size(), c.attributes.size());
        for (size_t i = 0; i < c.attributes.size(); ++i) {
            EXPECT_EQ(t.Attributes[i].Name, c.attributes[i].Name);
            EXPECT_EQ(t.Attributes[i].Value, c.attributes[i].Value);
            EXPECT_EQ(t.Attributes[i].HasValue, c.attributes[i].HasValue);
            EXPECT_EQ(t.Attributes[i].Raw, c.attributes[i].Raw);
        }
    }
}

TEST(ElementEditModeTest, CarriesTheAttributesADialogDoesNotShow) {
    TEditorModel m;
    SetWithCaret(m, "<a |HREF=x.html onclick=\"f()\" id='k' nowrap href=\"second\">t</a>");
    const TElementEditMode mode = TElementEditMode::Inspect(m, "a", true);
    ASSERT_TRUE(mode.IsEdit());
    EXPECT_EQ(mode.Attribute("href"), "x.html");
    EXPECT_TRUE(mode.HasAttribute("NOWRAP"));
    EXPECT_FALSE(mode.HasAttribute("title"));
    EXPECT_EQ(mode.Carried({"href", "title"}), " onclick=\"f()\" id='k' nowrap href=\"second\"");
    EXPECT_EQ(TElementEditMode().Carried({"href"}), "");

    const QByteArray extra = " id='k'";
    EXPECT_EQ(TElementEditMode::WithAttributes("<a href=\"u\">t</a>", extra),
              "<a href=\"u\" id='k'>t</a>");
    EXPECT_EQ(TElementEditMode::WithAttributes("<img src=\"a\" />", extra),
              "<img src=\"a\" id='k' />");
    EXPECT_EQ(TElementEditMode::WithAttributes("<a title=\"1>2\">t</a>", extra),
              "<a title=\"1>2\" id='k'>t</a>");
    EXPECT_EQ(TElementEditMode::WithAttributes("<hr />", ""), "<hr />");
}

class ElementEditModeWindowTest : public MainWinTest {};

TEST_F(ElementEditModeWindowTest, RegeneratingIsOneUndoStepAndTouchesNothingElse) {
    const QByteArray before = "<p>a <A HREF=\"x\">t</a> b</p>\r\n";
    Type(before);
    win->AddManualChangeToUndoData();
    win->CodeEditor->SetSelStart(8);
    QPushButton generate;
    const TElementEditMode mode = TElementEditMode::Begin(*win, "a", true, &generate);
    ASSERT_TRUE(mode.IsEdit());
    EXPECT_EQ(win->CodeEditor->GetSelText(), "<A HREF=\"x\">t</a>");
    TElementEditMode::Write(*win, {"<A HREF=\"y\">t</A>", 12});
    EXPECT_EQ(win->CodeEditor->Text(), "<p>a <A HREF=\"y\">t</A> b</p>\r\n\r\n");
    EXPECT_EQ(win->CodeEditor->GetSelStart(), 5 + 12);
    win->Commands().Run(QStringLiteral("RDocUndo"));
    EXPECT_EQ(win->CodeEditor->Text(), before + "\r\n");
    EXPECT_TRUE(seen.isEmpty());
}

TEST_F(ElementEditModeWindowTest, ARefusalIsShownAndHidesGenerate) {
    Type("<p class=x>t</p>");
    win->CodeEditor->SetSelStart(4);
    QWidget parent;
    auto* generate = new QPushButton(&parent);
    parent.show();
    const TElementEditMode mode = TElementEditMode::Begin(*win, "a", true, generate);
    EXPECT_TRUE(mode.IsRefused());
    EXPECT_FALSE(generate->isVisible());
    EXPECT_EQ(seen, QStringList{"M:Ett HTML-element kan inte placeras inom ett annat."});
    EXPECT_EQ(win->CodeEditor->GetSelLength(), 0);
}

} // namespace
