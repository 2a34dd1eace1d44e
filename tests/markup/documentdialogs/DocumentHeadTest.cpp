#include "markup/documentdialogs/DocumentHead.h"
#include "ByteText.h"
#include "app/MarkedText.h"
#include "editor/model/EditorModel.h"
#include "editor/view/TextEditorEx.h"

#include <gtest/gtest.h>

namespace {

using DocumentHead::TTitleResult;

class DocumentHeadTest : public ::testing::Test {
protected:
    void Start(const char* marked) {
        const Marked m = Parse(QByteArray(marked));
        editor.SetText(m.text);
        editor.SetSelStart(m.start);
        editor.SetSelLength(m.length);
    }
    QByteArray Marks() const { return MarkedText(editor); }
    TTextEditorEx editor;
};

TEST_F(DocumentHeadTest, TheDeclarationIsReadAndReplacedOnTheFirstLine) {
    const QByteArray xhtml = "html PUBLIC \"x\"";
    const struct {
        const char* before;
        const char* preset; // nullptr: no complete declaration
        const char* after;
    } cases[] = {
        // None yet: a new first line; the caret keeps its line and column numbers.
        {"<html>\r\n<b|ody>", nullptr, "<!DOCTYPE html PUBLIC \"x\">\r\n<h|tml>\r\n<body>"},
        // One on line 3 goes, with its line break; the caret keeps its numbers.
        {"a\r\nb|\r\n<!doctype html>\r\n<html>", "html",
         "<!DOCTYPE html PUBLIC \"x\">\r\na|\r\nb\r\n<html>"},
        // Markup after it on the same line stays, moved to the line's start.
        {"|<!DOCTYPE  HTML 4><html>", "HTML 4", "|<!DOCTYPE html PUBLIC \"x\">\r\n<html>"},
        // An XML declaration that opens the document stays first.
        {"<?xml version=\"1.0\"?>\r\n<!DOCTYPE old>\r\n<html>|", "old",
         "<?xml version=\"1.0\"?>\r\n<!DOCTYPE html PUBLIC \"x\">\r\n<html>|"},
        {"<?xml version=\"1.0\"?><html>|", nullptr,
         "<?xml version=\"1.0\"?>|\r\n<!DOCTYPE html PUBLIC \"x\">\r\n<html>"},
        // A declaration without its ">" counts as none and is left alone.
        {"|<!doctype html\r\n<html>", nullptr,
         "|<!DOCTYPE html PUBLIC \"x\">\r\n<!doctype html\r\n<html>"},
        // One broken over two lines is read as one line and goes whole.
        {"<!DOCTYPE html\r\nPUBLIC \"y\">\r\n|x", "html PUBLIC \"y\"",
         "<!DOCTYPE html PUBLIC \"x\">\r\n|x"},
    };
    for (const auto& c : cases) {
        Start(c.before);
        const auto preset = DocumentHead::DoctypeText(editor);
        EXPECT_EQ(preset.has_value(), c.preset != nullptr) << c.before;
        if (preset && c.preset) {
            EXPECT_EQ(*preset, QByteArray(c.preset)) << c.before;
        }
        DocumentHead::SetDoctype(editor, xhtml);
        EXPECT_EQ(Marks(), QByteArray(c.after)) << c.before;
    }
}

TEST_F(DocumentHeadTest, TheTitleIsReplacedInPlaceOrPutAfterTheHead) {
    const struct {
        const char* before;
        const char* preset;
        TTitleResult result;
        const char* after;
    } cases[] = {
        // Rewritten in place: the indentation and everything around it stay.
        {"<head>\r\n  <Title>Gammal</TITLE> <meta>\r\n|</head>", "Gammal", TTitleResult::Replaced,
         "<head>\r\n  <title>Ny & sida</title> <meta>\r\n|</head>"},
        // The first title only, through the first end tag after it.
        {"|<title>a</title><title>b</title>", "a", TTitleResult::Replaced,
         "|<title>Ny & sida</title><title>b</title>"},
        // A title over two lines becomes one.
        {"<title>a\r\nb</title>\r\n|x", "a b", TTitleResult::Replaced,
         "<title>Ny & sida</title>\r\n|x"},
        // No title: a new line after the first line holding the head, in any case.
        {"<html><HEAD>\r\n|</head>", nullptr, TTitleResult::Inserted,
         "<html><HEAD>\r\n|<title>Ny & sida</title>\r\n</head>"},
        // No head: nothing changes.
        {"<html>|<body>", nullptr, TTitleResult::NoHead, "<html>|<body>"},
        // No end tag after the title: nothing changes, nothing after it is lost.
        {"</title><head><title>Kvar|\r\n<body>tre</body>", nullptr, TTitleResult::NoEndTag,
         "</title><head><title>Kvar|\r\n<body>tre</body>"},
    };
    for (const auto& c : cases) {
        Start(c.before);
        const auto preset = DocumentHead::TitleText(editor);
        EXPECT_EQ(preset.has_value(), c.preset != nullptr) << c.before;
        if (preset && c.preset) {
            EXPECT_EQ(*preset, QByteArray(c.preset)) << c.before;
        }
        EXPECT_EQ(DocumentHead::SetTitle(editor, "Ny & sida", "<title>", "</title>"), c.result)
            << c.before;
        EXPECT_EQ(Marks(), QByteArray(c.after)) << c.before;
    }
}

TEST_F(DocumentHeadTest, AReadOnlyEditorIsNotChanged) {
    Start("<head>|<title>a</title>");
    editor.Settings()->ReadOnly = true;
    DocumentHead::SetDoctype(editor, "html");
    DocumentHead::SetTitle(editor, "b", "<TITLE>", "</TITLE>");
    EXPECT_EQ(Marks(), QByteArray("<head>|<title>a</title>"));
}

} // namespace
