#include "app/core/DataFiles.h"
#include "TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class DataFilesTest : public ::testing::Test {
protected:
    QString Path(const QString& name) const { return QDir(dir_.path()).filePath(name); }
    QByteArray Read(const QString& name) const { return ReadTestFile(Path(name)); }
    void Write(const QString& name, const QByteArray& bytes) const {
        QFile f(Path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    QTemporaryDir dir_;
    QStringList messages_;
    TDataFiles::Report report_ = [this](const QString& m) { messages_ << m; };
};

TEST(ClipboardHistoryTest, EntriesComeBackExactly) {
    const QByteArray cases[] = {
        "a\\nb", // a backslash followed by n is not a line break
        "line 1\r\nline 2",
        "C:\\temp\\",
        "\\\\server",
        "\r\n",
        "\\",
        "x\\\r\ny",
        "\xe5\xe4\xf6",
    };
    for (const QByteArray& text : cases) {
        const QByteArray line = TClipboardHistory::EncodeEntry(text);
        EXPECT_FALSE(line.contains('\r') || line.contains('\n')) << text.constData();
        EXPECT_EQ(TClipboardHistory::DecodeEntry(line, false), text) << text.constData();
    }
    EXPECT_EQ(TClipboardHistory::EncodeEntry("a\r\nb"), QByteArray("a\\nb"));
    // A lone LF or CR is a line break too, so it cannot split the file's line.
    EXPECT_EQ(TClipboardHistory::DecodeEntry(TClipboardHistory::EncodeEntry("a\nb\rc"), false),
              QByteArray("a\r\nb\r\nc"));
}

TEST(ClipboardHistoryTest, AddKeepsTheNewest25AndSkipsHugeTexts) {
    TClipboardHistory h;
    for (int i = 1; i <= 26; ++i)
        EXPECT_TRUE(h.Add(QByteArray::number(i)));
    ASSERT_EQ(h.Count(), 25);
    EXPECT_EQ(h.Entries().first(), QByteArray("26"));
    EXPECT_EQ(h.Entries().last(), QByteArray("2"));

    EXPECT_FALSE(h.Add(QByteArray(TClipboardHistory::MaxEntryBytes + 1, 'x')));
    EXPECT_TRUE(h.Add(QByteArray(TClipboardHistory::MaxEntryBytes, 'y')));
    EXPECT_EQ(h.Count(), 25);
    EXPECT_EQ(h.Entries().first().size(), TClipboardHistory::MaxEntryBytes);
    EXPECT_EQ(h.Entries()[1], QByteArray("26"));
    // An empty copy is an entry too.
    EXPECT_TRUE(h.Add(QByteArray()));
    EXPECT_EQ(h.Count(), 25);
    EXPECT_EQ(h.Entries().first(), QByteArray());
}

TEST_F(DataFilesTest, ClipboardHistoryRoundTripsThroughItsFile) {
    TClipboardHistory h;
    h.Add("first");
    h.Add("");
    h.Add("two\r\nlines");
    h.Add("a\\nb");
    ASSERT_TRUE(h.Save(Path("ClipboardHistory.dat")));
    EXPECT_EQ(Read("ClipboardHistory.dat"),
              QByteArray("\\#v2\r\na\\\\nb\r\ntwo\\nlines\r\n\r\nfirst\r\n"));

    TClipboardHistory back;
    ASSERT_TRUE(back.Load(Path("ClipboardHistory.dat")));
    EXPECT_EQ(back.Entries(), h.Entries());
}

TEST_F(DataFilesTest, ClipboardHistoryReadsTheOldFormAndSkipsBadLines) {
    QByteArray old = "two\\nlines\r\nC:\\temp\r\n\r\nx\\\\y\n";
    old += QByteArray(TClipboardHistory::MaxEntryBytes + 1, 'z') + "\r\n";
    for (int i = 0; i < 30; ++i)
        old += "e" + QByteArray::number(i) + "\r\n";
    Write("ClipboardHistory.dat", old);

    TClipboardHistory h;
    ASSERT_TRUE(h.Load(Path("ClipboardHistory.dat")));
    ASSERT_EQ(h.Count(), 25);
    EXPECT_EQ(h.Entries()[0], QByteArray("two\r\nlines"));
    EXPECT_EQ(h.Entries()[1], QByteArray("C:\\temp"));
    EXPECT_EQ(h.Entries()[2], QByteArray("x\\\\y")); // the old form kept both backslashes
    EXPECT_EQ(h.Entries()[3], QByteArray("e0"));
    EXPECT_EQ(h.Entries()[24], QByteArray("e21"));

    EXPECT_FALSE(h.Load(Path("missing.dat")));
    EXPECT_EQ(h.Count(), 0);
}

TEST_F(DataFilesTest, ListsTrimAndSkipBadLinesAndKeepTheirBytes) {
    Write("AutoCloseTags.dat", "  div \r\n\r\np\nspan\r\t\r\nbad\x01line\r\nv\xe5r\r\nlast");
    QStringList list;
    ASSERT_TRUE(TDataFiles::LoadList(Path("AutoCloseTags.dat"), &list));
    EXPECT_EQ(list, (QStringList{"div", "p", "span", QStringLiteral("vår"), "last"}));

    ASSERT_TRUE(TDataFiles::SaveList(Path("out.dat"), list));
    EXPECT_EQ(Read("out.dat"), QByteArray("div\r\np\r\nspan\r\nv\xe5r\r\nlast\r\n"));
}

TEST_F(DataFilesTest, MissingFilesAreReportedInOrderAndLeaveEmptyLists) {
    TDataFiles files(Path("nowhere"));
    files.AutoCloseTagsList << "stale";
    files.ClipboardHistory.Add("stale");
    files.LoadAll(report_);
    EXPECT_EQ(
        messages_,
        (QStringList{QStringLiteral("Det gick inte att öppna databasen med stängningstaggar."),
                     QStringLiteral("Det gick inte att öppna databasen med dokumenttyper."),
                     QStringLiteral("Det gick inte att öppna databasen med urklippshistorik.")}));
    EXPECT_TRUE(files.AutoCloseTagsList.isEmpty());
    EXPECT_TRUE(files.DocTypesList.isEmpty());
    EXPECT_EQ(files.ClipboardHistory.Count(), 0);

    // At the end of the run a list that could not be read is not written back empty; one
    // that got entries is written anew (and a folder that is not there fails).
    messages_.clear();
    files.SaveTagLists(report_);
    files.SaveClipboardHistory(report_);
    EXPECT_TRUE(messages_.isEmpty()) << messages_.join('\n').toStdString();
    files.AutoCloseTagsList << "p";
    files.DocTypesList << "html";
    files.ClipboardHistory.Add("clip");
    files.SaveTagLists(report_);
    files.SaveClipboardHistory(report_);
    EXPECT_EQ(
        messages_,
        (QStringList{QStringLiteral("Det gick inte att spara databasen med stängningstaggar."),
                     QStringLiteral("Det gick inte att spara databasen med dokumenttyper."),
                     QStringLiteral("Det gick inte att spara databasen med urklippshistorik.")}));
}

TEST_F(DataFilesTest, AFileThatCouldNotBeReadIsNeverReplacedByAnEmptyList) {
    // A data file that cannot be opened for reading: here a folder in its place, with an entry
    // of its own that must survive.
    QDir(dir_.path()).mkpath(QStringLiteral("doctypes.dat"));
    Write("doctypes.dat/keep", "x");
    Write("AutoCloseTags.dat", "p\r\n");
    Write("ClipboardHistory.dat", "");
    TDataFiles files(dir_.path());
    files.LoadAll(report_);
    ASSERT_EQ(messages_,
              QStringList{QStringLiteral("Det gick inte att öppna databasen med dokumenttyper.")});
    messages_.clear();
    files.SaveTagLists(report_);
    EXPECT_TRUE(messages_.isEmpty()) << messages_.join('\n').toStdString();
    EXPECT_TRUE(QFileInfo(Path("doctypes.dat/keep")).isFile());
    EXPECT_EQ(Read("AutoCloseTags.dat"), QByteArray("p\r\n"));
}

// A file that is there but cannot be read is never written over, whatever the run put into
// its list; a missing one is written once its list has entries.
TEST_F(DataFilesTest, AFileThatCouldNotBeReadIsNeverWrittenOver) {
    for (const char* name : {"AutoCloseTags.dat", "doctypes.dat", "ClipboardHistory.dat"})
        ASSERT_TRUE(MakeUnopenableFile(Path(QLatin1String(name)))) << name;
    TDataFiles files(dir_.path());
    files.LoadAll(report_);
    EXPECT_EQ(messages_.size(), 3);
    messages_.clear();
    files.AutoCloseTagsList << "p";
    files.DocTypesList << "html";
    files.ClipboardHistory.Add("clip");
    files.SaveTagLists(report_);
    files.SaveClipboardHistory(report_);
    EXPECT_TRUE(messages_.isEmpty()) << messages_.join('\n').toStdString();
    for (const char* name : {"AutoCloseTags.dat", "doctypes.dat", "ClipboardHistory.dat"})
        EXPECT_FALSE(QFileInfo(Path(QLatin1String(name))).isFile()) << name << " written over";
}

TEST_F(DataFilesTest, AllThreeRoundTripWithoutMessages) {
    TDataFiles files(dir_.path());
    files.AutoCloseTagsList = {"b", "i"};
    files.DocTypesList = {"html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\" \"x.dtd\""};
    files.ClipboardHistory.Add("one\r\ntwo");
    files.SaveTagLists(report_);
    files.SaveClipboardHistory(report_);

    TDataFiles back(dir_.path());
    back.LoadAll(report_);
    EXPECT_TRUE(messages_.isEmpty()) << messages_.join('\n').toStdString();
    EXPECT_EQ(back.AutoCloseTagsList, files.AutoCloseTagsList);
    EXPECT_EQ(back.DocTypesList, files.DocTypesList);
    EXPECT_EQ(back.ClipboardHistory.Entries(), files.ClipboardHistory.Entries());
}

TEST(ShippedDataFilesTest, DefaultsReadAsTagsAndDocumentTypes) {
    const QString dir = QCoreApplication::applicationDirPath() + QStringLiteral("/defaults/");
    QStringList tags, doctypes;
    ASSERT_TRUE(TDataFiles::LoadList(dir + "AutoCloseTags.dat", &tags));
    ASSERT_TRUE(TDataFiles::LoadList(dir + "doctypes.dat", &doctypes));
    for (const char* tag : {"p", "div", "table", "td", "ul", "li", "a", "script"})
        EXPECT_TRUE(tags.contains(QLatin1String(tag))) << tag;
    for (const QString& tag : tags)
        EXPECT_FALSE(tag.contains(' ') || tag.contains('<')) << tag.toStdString();
    ASSERT_EQ(doctypes.size(), 6);
    for (const QString& d : doctypes) {
        EXPECT_TRUE(d.startsWith(QLatin1String("HTML PUBLIC \"-//W3C//DTD HTML 4.01")) ||
                    d.startsWith(QLatin1String("html PUBLIC \"-//W3C//DTD XHTML 1.0")))
            << d.toStdString();
        EXPECT_EQ(d.count('"'), 4) << d.toStdString();
        EXPECT_TRUE(d.endsWith(QLatin1String(".dtd\""))) << d.toStdString();
    }
}

} // namespace
