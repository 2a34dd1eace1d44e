#include "markup/paste/PasteFormats.h"
#include "ByteText.h"

#include <gtest/gtest.h>

namespace {

TEST(PasteFormats, EveryFormatOnATwoLineText) {
    const struct {
        const char* name;
        const char* pasted;
    } cases[] = {
        {"Direkt text", "a\r\nb"},
        {"Brödtext", "<p>a</p>\r\n<p>b</p>"},
        {"Förformaterad text", "<p>a<br>\r\nb</p>"},
        {"Script (standard)", "<script>\r\n\r\na\r\nb\r\n\r\n</script>"},
        {"Script (JavaScript)", "<script language=\"JavaScript\">\r\n\r\na\r\nb\r\n\r\n</script>"},
        {"Script (JavaScript 1.1)",
         "<script language=\"JavaScript1.1\">\r\n\r\na\r\nb\r\n\r\n</script>"},
        {"Script (JavaScript 1.2)",
         "<script language=\"JavaScript1.2\">\r\n\r\na\r\nb\r\n\r\n</script>"},
        {"Script (JavaScript 1.3)",
         "<script language=\"JavaScript1.3\">\r\n\r\na\r\nb\r\n\r\n</script>"},
        {"Script (JavaScript 1.4)",
         "<script language=\"JavaScript1.4\">\r\n\r\na\r\nb\r\n\r\n</script>"},
        {"Script (JavaScript 1.5)",
         "<script language=\"JavaScript1.5\">\r\n\r\na\r\nb\r\n\r\n</script>"},
        {"Script (VBScript)", "<script language=\"VBScript\">\r\n\r\na\r\nb\r\n\r\n</script>"},
        {"Stilmall (standard)", "<style>\r\n\r\na\r\nb\r\n\r\n</style>"},
        {"Stilmall (text/css)", "<style type=\"text/css\">\r\n\r\na\r\nb\r\n\r\n</style>"},
        {"Punktlista (standard)", "<ul>\r\n  <li>a</li>\r\n  <li>b\r\n</li></ul>"},
        {"Punktlista (diskar)",
         "<ul style=\"list-style-type:disc;\">\r\n  <li>a</li>\r\n  <li>b\r\n</li></ul>"},
        {"Punktlista (cirklar)",
         "<ul style=\"list-style-type:circle;\">\r\n  <li>a</li>\r\n  <li>b\r\n</li></ul>"},
        {"Punktlista (kvadrater)",
         "<ul style=\"list-style-type:square;\">\r\n  <li>a</li>\r\n  <li>b\r\n</li></ul>"},
        {"Numrerad lista (standard)", "<ol>\r\n  <li>a</li>\r\n  <li>b\r\n</li></ol>"},
        {"Numrerad lista (bokstäver, gemener)",
         "<ol style=\"list-style-type:lower-alpha;\">\r\n  <li>a</li>\r\n  <li>b\r\n</li></ol>"},
        {"Numrerad lista (bokstäver, versaler)",
         "<ol style=\"list-style-type:upper-alpha;\">\r\n  <li>a</li>\r\n  <li>b\r\n</li></ol>"},
        {"Numrerad lista (romerska siffror, gemener)",
         "<ol style=\"list-style-type:lower-roman;\">\r\n  <li>a</li>\r\n  <li>b\r\n</li></ol>"},
        {"Numrerad lista (romerska siffror, versaler)",
         "<ol style=\"list-style-type:upper-roman;\">\r\n  <li>a</li>\r\n  <li>b\r\n</li></ol>"},
        {"Länk-HREF", "<a href=\"a\r\nb\"></a>"},
        {"Länk-etikett", "<a href=\"\">a\r\nb</a>"},
        {"Bild-SRC", "<img src=\"a\r\nb\">"},
        {"Upphöjd text", "<sup>a\r\nb</sup>"},
        {"Nedsänkt text", "<sub>a\r\nb</sub>"},
        {"Kommentar", "<!-- a\r\nb -->"},
        {"ASP-kod", "<%\r\na\r\nb\r\n%>"},
        {"PHP-kod", "<?\r\na\r\nb\r\n?>"},
    };
    const TPasteFormatsLibrary library("  ");
    QStringList names;
    for (const auto& c : cases) {
        names << QString::fromUtf8(c.name);
        const TPasteFormat format = library.GetFormat(names.last());
        EXPECT_FALSE(TPasteFormatsLibrary::IsUnknown(format)) << c.name;
        EXPECT_EQ(TPasteFormatsLibrary::Apply(format, "a\r\nb"), QByteArray(c.pasted)) << c.name;
    }
    EXPECT_EQ(TPasteFormatsLibrary::Names(), names);
}

TEST(PasteFormats, NamesAreExactAndLineBreaksAreEvened) {
    const TPasteFormatsLibrary library("\t");
    // Case counts: a name not in the table gives the unknown record.
    for (const char* name : {"brödtext", "Brödtext ", "", "unknown"}) {
        const TPasteFormat format = library.GetFormat(QString::fromUtf8(name));
        EXPECT_TRUE(TPasteFormatsLibrary::IsUnknown(format)) << name;
        EXPECT_EQ(format, (TPasteFormat{"unknown", "unknown", "unknown", "unknown"}));
    }
    const TPasteFormat list = library.GetFormat(QStringLiteral("Punktlista (standard)"));
    // Lone LF and lone CR are line breaks too: every line gets its prefix.
    EXPECT_EQ(TPasteFormatsLibrary::Apply(list, "a\nb\rc"),
              QByteArray("<ul>\r\n\t<li>a</li>\r\n\t<li>b</li>\r\n\t<li>c\r\n</li></ul>"));
    // A text ending in a break gets a last line of the prefix alone.
    EXPECT_EQ(TPasteFormatsLibrary::Apply(library.GetFormat(QStringLiteral("Brödtext")), "a\r\n"),
              QByteArray("<p>a</p>\r\n<p></p>"));
    EXPECT_EQ(TPasteFormatsLibrary::Apply(list, ""), QByteArray("<ul>\r\n\t<li>\r\n</li></ul>"));
}

} // namespace
