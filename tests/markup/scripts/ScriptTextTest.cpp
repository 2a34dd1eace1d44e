#include "markup/scripts/ScriptText.h"
#include "ByteText.h"

#include <gtest/gtest.h>

namespace {

TEST(ScriptText, BodiesComeBackByteForByte) {
    const struct {
        const char* content;
        const char* lines; // as the editor shows them
    } cases[] = {
        {"\r\nalert(1);\r\n", "alert(1);\r\n"},
        {"\r\nalert(1);\r\n\r\n", "alert(1);\r\n\r\n"},
        {"alert(1);", "alert(1);\r\n"},
        {"\r\n  a\r\n\r\n  b\r\n", "  a\r\n\r\n  b\r\n"},
        {"", "\r\n"},
        {"\r\n", "\r\n"},
        {"\r\n\r\n", "\r\n"},
        {"x\r\n", "x\r\n"},
    };
    for (const auto& c : cases) {
        const ScriptText::TBody body = ScriptText::ReadBody(c.content);
        EXPECT_EQ(body.Lines, QByteArray(c.lines)) << c.content;
        EXPECT_EQ(ScriptText::WriteBody(body), QByteArray(c.content)) << c.content;
    }
    // A new element: the lines after a break, an empty line before the end tag; read again
    // and written again it stays the same.
    const QByteArray fresh = ScriptText::NewBody("a\r\nb\r\n");
    EXPECT_EQ(fresh, QByteArray("\r\na\r\nb\r\n\r\n"));
    EXPECT_EQ(ScriptText::WriteBody(ScriptText::ReadBody(fresh)), fresh);
}

TEST(ScriptText, IndentingTheSelectedLines) {
    const struct {
        const char* text;
        const char* indented;
        const char* unindented;
    } cases[] = {
        {"a\r\nb", "  a\r\n  b", "a\r\nb"},
        {"  a\r\n    b\r\nc", "    a\r\n      b\r\n  c", "a\r\n  b\r\nc"},
        {"", "  ", ""},
        {" a\r\n b", "   a\r\n   b", " a\r\n b"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ScriptText::Indent(c.text, "  "), QByteArray(c.indented)) << c.text;
        EXPECT_EQ(ScriptText::Unindent(c.text, "  "), QByteArray(c.unindented)) << c.text;
    }
}

} // namespace
