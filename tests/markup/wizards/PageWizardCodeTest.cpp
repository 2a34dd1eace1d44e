// The page the page wizard writes, from its fields and the tag case.
#include "markup/wizards/PageWizardCode.h"

#include "ByteLines.h"
#include "platform/Cp1252.h"

#include <gtest/gtest.h>

namespace {

const QByteArray NS = "=\"http://www.w3.org/1999/xhtml\"";
const QByteArray IND = "  ";

QByteArrayList Page(const TPageWizardFields& f, int tagCase = 1) {
    return PageWizardCode::WriteCode(f, false, tagCase, IND);
}

// The lines between the head start tag (and its empty line) and the head end tag.
QByteArrayList Head(const QByteArrayList& page) {
    QByteArrayList upper;
    for (const QByteArray& line : page)
        upper << line.toUpper();
    const qsizetype begin = upper.indexOf("<HEAD>") + 2;
    return page.mid(begin, upper.indexOf("</HEAD>") - begin);
}

} // namespace

TEST(PageWizardCode, AllDefaultsWriteTheBarePage) {
    const QByteArrayList expected{
        "<?xml version=\"1.0\"?>",
        "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\" "
        "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\">",
        "",
        "<HTML XMLNS" + NS + ">",
        "<HEAD>",
        "",
        "",
        "</HEAD>",
        "",
        "",
        "<BODY>",
        "",
        "",
        "",
        "</BODY>",
        "</HTML>",
    };
    EXPECT_EQ(Page(TPageWizardFields()), expected);

    // No declaration, no document type: the page starts at the html tag.
    TPageWizardFields bare;
    bare.Head.AddXmlHeader = false;
    bare.Head.Doctype.clear();
    EXPECT_EQ(Page(bare, 2).first(), "<html xmlns" + NS + ">");
}

TEST(PageWizardCode, TheHtmlTagFollowsTagCaseButNeverTheNamespace) {
    const struct {
        int tagCase;
        const char* language;
        QByteArray tag;
    } cases[] = {
        {1, "sv", "<HTML XMLNS" + NS + " XML:LANG=\"sv\" LANG=\"sv\">"},
        {2, "sv", "<html xmlns" + NS + " xml:lang=\"sv\" lang=\"sv\">"},
        {0, "sv", "<HTML xmlns" + NS + " XML:LANG=\"sv\" LANG=\"sv\">"},
        {1, "", "<HTML XMLNS" + NS + ">"},
        {2, "", "<html xmlns" + NS + ">"},
        {0, "", "<HTML xmlns" + NS + ">"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tagCase);
        TPageWizardFields f;
        f.Head.Language = QString::fromLatin1(c.language);
        EXPECT_EQ(Page(f, c.tagCase).at(3), c.tag);
    }
}

TEST(PageWizardCode, TitleMetaRowsAndLinkedFiles) {
    TPageWizardFields f;
    f.Head.Title = QStringLiteral("Åsa & co");
    f.Head.MetaName = {
        {"description", "Om oss"}, {"keywords", ""}, {"author", "A"}, {"author", "B"}};
    f.Head.MetaHttp = {{"Content-Type", "text/html; charset=windows-1252"}};
    f.LinkedCSS = QStringList{"a.css", "../b c.css"};
    f.LinkedJS = QStringList{"x.js"};
    const QByteArrayList expected{
        Cp1252::Encode(QStringLiteral("<title>Åsa & co</title>")),
        "",
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\" />",
        "<meta name=\"description\" content=\"Om oss\" />",
        // A row without a value is left out; a repeated key shows its first row's value.
        "<meta name=\"author\" content=\"A\" />",
        "<meta name=\"author\" content=\"A\" />",
        "",
        "<link rel=\"stylesheet\" type=\"text/css\" href=\"a.css\" />",
        "<link rel=\"stylesheet\" type=\"text/css\" href=\"../b c.css\" />",
        "",
        "<script language=\"JavaScript\" type=\"text/javascript\" src=\"x.js\"></script>",
        "",
    };
    EXPECT_EQ(Head(Page(f, 2)), expected);
}

TEST(PageWizardCode, TheStyleBlockHoldsTheBodyRuleAndTheGroups) {
    const auto withStyle = [](auto change) {
        TPageWizardFields f;
        change(f);
        return Head(Page(f, 1));
    };
    // Margins (an empty field counts as 0) and the colour.
    EXPECT_EQ(withStyle([](TPageWizardFields& f) {
                  f.UseMargins = true;
                  f.MarginRight = "10";
                  f.MarginLeft = "";
                  f.UseBgColor = true;
                  f.BgColor = 0x336699; // blue 0x33, green 0x66, red 0x99
              }),
              (QByteArrayList{"", "<STYLE TYPE=\"text/css\">", "body {", IND + "margin-right:10px;",
                              IND + "margin-left:0px;", IND + "margin-top:0px;",
                              IND + "margin-bottom:0px;", IND + "background-color:#996633;", "}",
                              "</STYLE>", ""}));
    // An image brings repeat and position along; both are left out when empty.
    EXPECT_EQ(withStyle([](TPageWizardFields& f) {
                  f.BgImage = "bg.png";
                  f.BgPosition = "left top";
              }),
              (QByteArrayList{"", "<STYLE TYPE=\"text/css\">", "body {",
                              IND + "background-image:url('bg.png');",
                              IND + "background-position:left top;", "}", "</STYLE>", ""}));
    // Formatted selectors alone: the block without a body rule, the rules one after the other.
    EXPECT_EQ(withStyle([](TPageWizardFields& f) {
                  f.StyleGroups = QStringList{"h1=h1 {\\n  color:#FF0000;\\n\\n}",
                                              "p=p {\\n\\KVDEFINDmargin:0px;\\n\\n}"};
              }),
              (QByteArrayList{"", "<STYLE TYPE=\"text/css\">", "h1 {\r\n  color:#FF0000;\r\n\r\n}",
                              "p {\r\n" + IND + "margin:0px;\r\n\r\n}", "</STYLE>", ""}));
    // A colour that is not ticked writes nothing.
    EXPECT_EQ(withStyle([](TPageWizardFields& f) { f.BgColor = 0; }), QByteArrayList{""});
}

TEST(PageWizardCode, ContentOrTheSampleBody) {
    const auto body = [](const QByteArray& content, bool preview, int link) {
        TPageWizardFields f;
        f.Content = content;
        const QByteArrayList page = PageWizardCode::WriteCode(f, preview, 1, IND, link);
        const qsizetype begin = page.indexOf("<BODY>") + 1;
        return page.mid(begin, page.indexOf("</BODY>") - begin);
    };
    // One empty line counts as no content.
    EXPECT_EQ(body("\r\n", false, 0), (QByteArrayList{"", "", ""}));
    EXPECT_EQ(body("<p>Hej</p>\r\n<p>Då</p>\r\n", false, 0),
              (QByteArrayList{"", "", "<p>Hej</p>\r\n<p>Då</p>\r\n", ""}));
    // The preview shows content as written, and the sample in place of none.
    EXPECT_EQ(body("<p>x</p>\r\n", true, 0), (QByteArrayList{"", "", "<p>x</p>\r\n", ""}));
    const QByteArrayList sample = body("", true, 4711);
    EXPECT_EQ(sample, QByteArrayList{""} + PageWizardCode::SampleBody(4711) + QByteArrayList{""});
    EXPECT_EQ(sample.size(), 25);
    EXPECT_EQ(sample.at(10),
              Cp1252::Encode(QStringLiteral("<P><A HREF=\"4711\">Obesökt länk</A></P>")));
    EXPECT_EQ(sample.at(7), "<H6>Rubrik 6 </H6>");
    // The sample is never case-converted.
    TPageWizardFields f;
    EXPECT_EQ(PageWizardCode::WriteCode(f, true, 2, IND, 1).mid(12, 23),
              PageWizardCode::SampleBody(1));
}

TEST(PageWizardCode, RulesKeepTheirLinesBackslashesAndIndentPlaceholder) {
    const struct {
        const char* stored;
        QByteArray code;
    } cases[] = {
        {"a {\\n  b\\nc\\n}", "a {\r\n  b\r\nc\r\n}"}, // three breaks, four lines
        {"\\KVDEFINDcolor:red;", IND + "color:red;"},
        {"content:\"\\\\n\";", "content:\"\\n\";"},     // an escaped backslash before n
        {"content:\"\\2014\";", "content:\"\\2014\";"}, // an unknown sequence stays
        {"end\\", "end\\"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        EXPECT_EQ(PageWizardCode::DecodeRule(c.stored, IND), c.code);
    }
    const QString rule = QStringLiteral("p {\r\n  content:\"\\n\\\\\";\r\n\r\n}");
    const QString stored = PageWizardCode::EncodeRule(rule);
    EXPECT_FALSE(stored.contains(QLatin1Char('\n')));
    EXPECT_EQ(PageWizardCode::DecodeRule(stored.toLatin1(), IND), rule.toLatin1());
    EXPECT_EQ(PageWizardCode::GroupSelector(QStringLiteral("a:link=x=y")),
              QStringLiteral("a:link"));
    EXPECT_EQ(PageWizardCode::GroupRule(QStringLiteral("a:link=x=y")), QStringLiteral("x=y"));
}
