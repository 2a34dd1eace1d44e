#include "app/core/FileData.h"
#include "app/core/FileFilters.h"

#include <gtest/gtest.h>

TEST(FileDataTest, TabCaptionShowsFileAndModifiedMarks) {
    EXPECT_EQ(TabCaption(QStringLiteral("Nytt dokument"), false, false), "Nytt dokument ()");
    EXPECT_EQ(TabCaption(QStringLiteral("/web/a.html"), true, false), "a.html (S)");
    EXPECT_EQ(TabCaption(QStringLiteral("/web/a.html"), true, true), "a.html (SM)");
    EXPECT_EQ(TabCaption(QStringLiteral("Ny webbsida.html"), false, true), "Ny webbsida.html (M)");
}

TEST(FileDataTest, ExtensionIsTakenFromTheNameOnly) {
    EXPECT_EQ(DocFileExt(QStringLiteral("/web.site/index")), "");
    EXPECT_EQ(DocFileExt(QStringLiteral("/web/a.tar.GZ")), ".GZ");
    EXPECT_EQ(DocFileName(QStringLiteral("/web/a.html")), "a.html");
}

TEST(FileFiltersTest, FilterIndexOfEveryExtension) {
    struct Case {
        const char* name;
        int index;
    };
    const Case cases[] = {
        {"Nytt dokument", 11}, {"/w/a.htm", 1},         {"/w/a.HTML", 1}, {"/w/a.shtml", 1},
        {"/w/a.js", 2},        {"/w/a.vbs", 3},         {"/w/a.css", 4},  {"/w/a.cgi", 5},
        {"/w/a.pl", 5},        {"/w/a.c", 5},           {"/w/a.cpp", 10}, {"/w/a.asp", 6},
        {"/w/a.aspx", 6},      {"/w/a.php", 7},         {"/w/a.php3", 7}, {"/w/a.php4", 7},
        {"/w/a.php5", 7},      {"/w/a.inc", 8},         {"/w/a.txt", 9},  {"/w/README", 10},
        {"/w/a.pas", 10},      {"Ny webbsida.html", 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FileFilters::FilterIndexFor(QString::fromUtf8(c.name)), c.index) << c.name;
}

TEST(FileFiltersTest, DefaultExtensionOnlyForTheTypedFilters) {
    const char* const expected[] = {".html", ".js",  ".vbs", ".css", ".cgi",
                                    ".asp",  ".php", ".inc", ".txt"};
    for (int i = 1; i <= 9; ++i)
        EXPECT_EQ(FileFilters::DefaultExtension(i), QLatin1String(expected[i - 1])) << i;
    EXPECT_EQ(FileFilters::DefaultExtension(10), "");
    EXPECT_EQ(FileFilters::DefaultExtension(11), "");
}

TEST(FileFiltersTest, QtFormSplitsPatternsAndListsEveryFile) {
    const QStringList all = FileFilters::QtFilters(FileFilters::FilterCount);
    ASSERT_EQ(all.size(), 12);
    EXPECT_EQ(all[0], "HTML-dokument (*.htm *.html)");
    EXPECT_EQ(all[6], "PHP (*.php *.php?)");
    EXPECT_EQ(all[9], "Alla filformat (*)");
    EXPECT_TRUE(all[10].startsWith("Alla relevanta filformat (*.htm *.html *.js "));
    EXPECT_TRUE(all[10].endsWith(" *.dat)")) << all[10].toStdString();
    EXPECT_EQ(all[11], "Tilläggsmoduler (endast via speciellt menyval) (*.so)");
    EXPECT_EQ(FileFilters::QtFilters(FileFilters::SaveFilterCount).size(), 11);
}

TEST(FileFiltersTest, NameFilterKeepsNamesWithBlanksWhole) {
    EXPECT_EQ(FileFilters::QtNameFilter(QStringLiteral("a.html")),
              "Alla filer med namnet \"a.html\" (a.html)");
    EXPECT_EQ(FileFilters::QtNameFilter(QStringLiteral("my page (2).html")),
              "Alla filer med namnet \"my page (2).html\" (my?page??2?.html)");
}
