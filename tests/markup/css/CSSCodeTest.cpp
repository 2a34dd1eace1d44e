#include "markup/css/CSSCode.h"
#include "ByteText.h"

#include <gtest/gtest.h>

namespace {

using M = TCSSMode;

TCSSProperty On(const char* value, const char* unit = "") {
    return {true, QString::fromUtf8(value), QString::fromUtf8(unit)};
}

// Font size and text colour ticked.
TCSSValues Two() {
    TCSSValues v;
    v.FontSize = On("12", "px");
    v.FontColorEnabled = true;
    v.FontColor = 0x0000FF; // red in the low byte
    return v;
}

TEST(CSSCode, EachModeWithoutAndWithPropertiesInEachCase) {
    TCSSValues none;
    TCSSValues fixed = Two();
    fixed.Selector = QStringLiteral("body");
    const struct {
        const char* what;
        TCSSValues values;
        M mode;
        int tagCase;
        const char* code;
    } cases[] = {
        {"nothing ticked", none, M::RuleBlock, 1, ".NyttBlock {\r\n\r\n}"},
        {"nothing ticked", none, M::SpanElement, 1, "<SPAN STYLE=\"\"></SPAN>"},
        {"nothing ticked", none, M::SpanElement, 0, "<span style=\"\"></span>"},
        {"nothing ticked", none, M::StyleAttribute, 2, " style=\"\""},
        {"nothing ticked", none, M::Declarations, 1, ""},
        {"two", Two(), M::RuleBlock, 2,
         ".NyttBlock {\r\n  font-size:12px;\r\n  color:#FF0000;\r\n\r\n}"},
        {"two", Two(), M::SpanElement, 1, "<SPAN STYLE=\"font-size:12px; color:#FF0000;\"></SPAN>"},
        {"two", Two(), M::SpanElement, 2, "<span style=\"font-size:12px; color:#FF0000;\"></span>"},
        {"two", Two(), M::StyleAttribute, 1, " STYLE=\"font-size:12px; color:#FF0000;\""},
        {"two", Two(), M::StyleAttribute, 0, " style=\"font-size:12px; color:#FF0000;\""},
        {"two", Two(), M::Declarations, 1, "font-size:12px; color:#FF0000;"},
        {"two", fixed, M::FixedRule, 1, "body {\r\n  font-size:12px;\r\n  color:#FF0000;\r\n\r\n}"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CSSCode::WriteCode(c.values, c.mode, false, c.tagCase, "  "), QByteArray(c.code))
            << c.what << " mode " << int(c.mode) << " case " << c.tagCase;
}

TEST(CSSCode, EveryPropertyInItsOrderWithItsUnit) {
    TCSSValues v;
    v.Width = On("50", "%");
    v.Height = On("2", "em");
    v.FontFamily = On("Verdana, sans-serif");
    v.FontSize = On("1.2", "em");
    v.FontColorEnabled = v.BgColorEnabled = true;
    v.FontColor = 0x112233;
    v.BgColor = 0xFFFFFF;
    v.Boldness = On("bold");
    v.Style = On("italic");
    v.Decoration = On("underline overline");
    v.LetterSpacing = On("1", "pt");
    v.WordSpacing = On("0.5", "cm");
    v.Align = On("justify");
    v.VAlign = On("middle");
    v.Indent = On("0", "px");
    v.LeftMargin = On("1", "px");
    v.RightMargin = On("2", "pt");
    v.TopMargin = On("3", "em");
    v.LineHeight = On("150", "%");
    v.Padding = On("4", "px"); // no unit of its own: written as typed
    // A property not ticked is not written, whatever it holds.
    v.Padding.Unit = QStringLiteral("cm");
    EXPECT_EQ(
        CSSCode::Declarations(v),
        (QStringList{"width:50%", "height:2em", "font-family:Verdana, sans-serif",
                     "font-size:1.2em", "color:#332211", "background-color:#FFFFFF",
                     "font-weight:bold", "font-style:italic", "text-decoration:underline overline",
                     "letter-spacing:1pt", "word-spacing:0.5cm", "text-align:justify",
                     "vertical-align:middle", "text-indent:0px", "margin-left:1px",
                     "margin-right:2pt", "margin-top:3em", "line-height:150%", "padding:4"}));
}

TEST(CSSCode, TheBorderTrioAndTheListTypes) {
    const struct {
        const char* borderStyle;
        const char* ul;
        const char* ol;
        const char* code;
    } cases[] = {
        {"(ingen)", "", "", ""},
        {"(INGEN)", "", "", ""},
        {"dashed", "", "", "border-style:dashed; border-color:#0000FF; border-width:3;"},
        {"(ingen)", "(standard)", "lower-roman", "list-style-type:lower-roman;"},
        {"(ingen)", "square", "", "list-style-type:square;"},
        {"(ingen)", "(standard)", "(standard)", ""},
        {"(ingen)", "", "(standard)", ""},
    };
    for (const auto& c : cases) {
        TCSSValues v;
        v.BorderStyle = QString::fromUtf8(c.borderStyle);
        v.BorderColor = 0xFF0000;
        v.BorderWidth = QStringLiteral("3");
        v.ULType = QString::fromUtf8(c.ul);
        v.OLType = QString::fromUtf8(c.ol);
        EXPECT_EQ(CSSCode::WriteCode(v, M::Declarations, false, 1, "  "), QByteArray(c.code))
            << c.borderStyle << "|" << c.ul << "|" << c.ol;
    }
}

TEST(CSSCode, PreviewsWrapTheCodeInSampleText) {
    TCSSValues element = Two();
    element.Selector = QStringLiteral("h1");
    TCSSValues pseudo = Two();
    pseudo.Selector = QStringLiteral("a:hover");
    TCSSValues shortSelector = Two();
    shortSelector.Selector = QStringLiteral("b");
    const QByteArray decl2 = "font-size:12px; color:#FF0000;";
    const QByteArray block = "  font-size:12px;\r\n  color:#FF0000;\r\n\r\n}";
    const struct {
        TCSSValues values;
        M mode;
        int tagCase;
        QByteArray page;
    } cases[] = {
        {Two(), M::RuleBlock, 1,
         "<STYLE TYPE=\"text/css\">.NyttBlock {\r\n" + block +
             "</STYLE><DIV CLASS=\"NyttBlock\">Exempeltext med aktuell formatering inom "
             "DIV.</DIV>"},
        {element, M::RuleBlock, 2,
         "<style type=\"text/css\">h1 {\r\n" + block +
             "</style><h1>Exempeltext med aktuell formatering inom h1.</h1>"},
        {Two(), M::SpanElement, 2,
         "<span style=\"" + decl2 + "\">Exempeltext med aktuell formatering inom SPAN.</span>"},
        {Two(), M::StyleAttribute, 1,
         "<DIV  STYLE=\"" + decl2 + "\">Exempeltext med aktuell formatering inom DIV.</DIV>"},
        {Two(), M::Declarations, 2,
         "<div style=\"" + decl2 + "\">Exempeltext med aktuell formatering inom DIV.</div>"},
        // A pseudo-class previews through a class of its own.
        {pseudo, M::FixedRule, 2,
         "<style type=\"text/css\">.autoclass {\r\n" + block +
             "</style><span class=\"autoclass\">Exempeltext med aktuell formatering.</span>"},
        {shortSelector, M::FixedRule, 1,
         "<STYLE TYPE=\"text/css\">b {\r\n" + block +
             "</STYLE><b>Exempeltext med aktuell formatering inom b.</b>"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CSSCode::WriteCode(c.values, c.mode, true, c.tagCase, "  "), c.page)
            << int(c.mode);
    // Without the preview the pseudo-class keeps its own selector.
    EXPECT_TRUE(CSSCode::WriteCode(pseudo, M::FixedRule, false, 2, "  ").startsWith("a:hover {"));
}

TEST(CSSCode, ReadDeclarationsKeepsWhatTheControlsCannotShow) {
    const struct {
        const char* in;
        const char* out; // written again in mode Declarations
    } cases[] = {
        {"color:#ff0000; width:10px", "width:10px; color:#FF0000;"},
        {" Font-Size : 2EM ;font-weight:BOLD", "font-size:2em; font-weight:bold;"},
        // Units the lists do not have, colours by name and unknown properties are kept.
        {"width:10vh; color:red; float:left", "width:10vh; color:red; float:left;"},
        {"font-family:\"A;B\", serif; padding:1px 2px",
         "font-family:\"A;B\", serif; padding:1px 2px;"},
        // The border only as the whole trio; a part of it stays as it was.
        {"border-style:solid; border-color:#00FF00; border-width:thick",
         "border-style:solid; border-color:#00FF00; border-width:thick;"},
        {"border-color:#00FF00", "border-color:#00FF00;"},
        {"list-style-type:upper-roman", "list-style-type:upper-roman;"},
        // A second declaration of a property is kept after the first.
        {"width:1px; width:2px", "width:1px; width:2px;"},
        {"", ""},
    };
    for (const auto& c : cases) {
        TCSSValues v;
        CSSCode::ReadDeclarations(QString::fromUtf8(c.in), &v);
        EXPECT_EQ(CSSCode::WriteCode(v, M::Declarations, false, 1, ""), QByteArray(c.out)) << c.in;
    }
    TCSSValues v;
    CSSCode::ReadDeclarations(QStringLiteral("width:10vh; color:#0000FF"), &v);
    EXPECT_FALSE(v.Width.Enabled);
    EXPECT_TRUE(v.FontColorEnabled);
    EXPECT_EQ(v.FontColor, TColor(0xFF0000));
    EXPECT_EQ(v.Extra, QStringList{"width:10vh"});
}

} // namespace
