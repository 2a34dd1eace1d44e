#include "ftp/session/FtpListing.h"

#include <gtest/gtest.h>

namespace {

struct Expected {
    const char* name; // nullptr: the line names no entry
    bool folder = false;
    bool link = false;
    qint64 size = -1;
};

void Check(bool mlsd, const char* line, const Expected& e) {
    TFtpEntry entry;
    const QString text = QString::fromUtf8(line);
    const bool parsed =
        mlsd ? FtpListing::ParseMlsdLine(text, &entry) : FtpListing::ParseListLine(text, &entry);
    if (!e.name) {
        EXPECT_FALSE(parsed) << line;
        return;
    }
    ASSERT_TRUE(parsed) << line;
    EXPECT_EQ(entry.Name.toStdString(), e.name) << line;
    EXPECT_EQ(entry.IsFolder, e.folder) << line;
    EXPECT_EQ(entry.IsLink, e.link) << line;
    EXPECT_EQ(entry.Size, e.size) << line;
}

} // namespace

TEST(FtpListing, UnixAndDosListLines) {
    const struct {
        const char* line;
        Expected expected;
    } cases[] = {
        {"drwxr-xr-x    2 user     group        4096 Dec 10 12:29 docs",
         {"docs", true, false, 4096}},
        {"-rw-r--r--    1 1000     1000            6 Jan  1  2020 a.txt",
         {"a.txt", false, false, 6}},
        {"-rw-r--r--    1 user     group          12 Mar  3 09:15 name with  blanks ",
         {"name with  blanks ", false, false, 12}},
        {"-rw-r--r--    1 user     group          12 Mar  3 09:15  leading",
         {" leading", false, false, 12}},
        {"lrwxrwxrwx    1 user     group          11 Dec 10 12:29 www -> public_html",
         {"www", false, true, 11}},
        {"-rw-r--r--+   1 user     group  5000000000 Dec 10 12:29 big.iso",
         {"big.iso", false, false, 5000000000LL}}, // sizes past 4 GB
        {"-rw-r--r--    1 owner              7 Dec 10 12:29 no-group",
         {"no-group", false, false, 7}},
        {"12-10-26  12:29PM       <DIR>          Dokument", {"Dokument", true, false, -1}},
        {"12-10-2026  09:05AM             1234 rapport 2026.txt",
         {"rapport 2026.txt", false, false, 1234}},
        {"total 12", {nullptr}},
        {"", {nullptr}},
        {"garbage that is no listing", {nullptr}},
    };
    for (const auto& c : cases)
        Check(false, c.line, c.expected);
}

TEST(FtpListing, MlsdFacts) {
    const struct {
        const char* line;
        Expected expected;
    } cases[] = {
        {"type=file;size=6;modify=20261210122923; a.txt", {"a.txt", false, false, 6}},
        {"modify=20261210122923;perm=el;type=dir;unique=fe00; docs", {"docs", true, false, -1}},
        {"Type=DIR;Size=4096; two  blanks", {"two  blanks", true, false, 4096}},
        {"type=OS.unix=slink:/x;size=3; link", {"link", false, true, 3}},
        {"type=file;size=7; a;b=c d", {"a;b=c d", false, false, 7}},
        {"type=cdir; .", {nullptr}},
        {"type=pdir; ..", {nullptr}},
        {"nofacts", {nullptr}},
    };
    for (const auto& c : cases)
        Check(true, c.line, c.expected);
}

TEST(FtpListing, HostileNamesAreNeverListed) {
    // Each line names an entry whose name could reach outside the folder or break a command.
    const QByteArray mlsd = "type=file;size=1; ok.txt\r\n"
                            "type=file;size=1; ../../etc/passwd\r\n"
                            "type=file;size=1; sub/inner.txt\r\n"
                            "type=file;size=1; back\\slash\r\n"
                            "type=file;size=1; cr\rname\r\n"
                            "type=dir; ..\r\n"
                            "type=file;size=1; .\r\n"
                            "type=file;size=1; nul" +
                            QByteArray(1, '\0') +
                            "name\r\n"
                            "type=file;size=1; sista.txt\n";
    QStringList names;
    for (const TFtpEntry& e : FtpListing::Parse(mlsd, true))
        names << e.Name;
    EXPECT_EQ(names, (QStringList{QStringLiteral("ok.txt"), QStringLiteral("sista.txt")}));

    const QByteArray list = "total 3\r\n"
                            "-rw-r--r-- 1 u g 1 Jan  1  2020 ../up\r\n"
                            "drwxr-xr-x 2 u g 1 Jan  1  2020 ..\r\n"
                            "-rw-r--r-- 1 u g 1 Jan  1  2020 fine\r\n";
    const QList<TFtpEntry> entries = FtpListing::Parse(list, false);
    ASSERT_EQ(entries.size(), 1);
    EXPECT_EQ(entries[0].Name, QStringLiteral("fine"));
}

TEST(FtpListing, NamesAreUtf8OrWindows1252) {
    const QByteArray reply = "type=file;size=1; r\xC3\xA4ksm\xC3\xB6rg\xC3\xA5s.txt\r\n"
                             "type=file;size=1; gr\xE4s.txt\r\n";
    const QList<TFtpEntry> entries = FtpListing::Parse(reply, true);
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0].Name, QStringLiteral("räksmörgås.txt"));
    EXPECT_EQ(entries[1].Name, QStringLiteral("gräs.txt"));
}
