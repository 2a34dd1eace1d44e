#include "platform/AtomicFile.h"

#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class AtomicFileTest : public ::testing::Test {
protected:
    QString Path(const QString& name) const { return dir_.filePath(name); }
    QString Make(const QString& name, const QByteArray& bytes) const {
        return WriteTestFile(QDir(TestRootDir()).relativeFilePath(Path(name)), bytes);
    }
    static bool Save(const QString& path, const QByteArray& bytes, QString* error = nullptr) {
        TAtomicFile f(path);
        const bool done =
            f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.commit();
        if (error)
            *error = f.errorString();
        return done;
    }
    // Every entry of the folder, hidden ones too.
    QStringList Entries() const {
        return QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    }
    // A process id that no process has any more.
    static qint64 GonePid() {
        QProcess gone;
        gone.start(QStringLiteral("/bin/true"));
        EXPECT_TRUE(gone.waitForStarted(30000));
        const qint64 pid = gone.processId();
        EXPECT_TRUE(gone.waitForFinished(30000));
        return pid;
    }

    QTemporaryDir dir_{QDir(TestRootDir()).filePath(QStringLiteral("atomic-XXXXXX"))};
};

TEST_F(AtomicFileTest, ReplacesTheFileKeepingItsRightsAndLinks) {
    const QString page = Make("page.html", "old");
    ASSERT_TRUE(
        QFile::setPermissions(page, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    ASSERT_TRUE(QFile::link(page, Path("link.html")));
    ASSERT_TRUE(Save(Path("link.html"), "new"));
    EXPECT_EQ(ReadTestFile(page), "new");
    EXPECT_TRUE(QFileInfo(Path("link.html")).isSymLink());
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(page).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    ASSERT_TRUE(Save(Path("new.html"), "first"));
    EXPECT_EQ(ReadTestFile(Path("new.html")), "first");
    EXPECT_EQ(Entries(), (QStringList{"link.html", "new.html", "page.html"}));
}

TEST_F(AtomicFileTest, AFailedSaveKeepsTheOldFileAndLeavesNothing) {
    const QString page = Make("page.html", "old");
    // Past the file-size limit (the signal ignored, as the program does).
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit before{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &before), 0);
    rlimit limited = before;
    limited.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    QString error;
    const bool saved = Save(page, QByteArray(10000, 'x'), &error);
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(saved);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(ReadTestFile(page), "old");
    EXPECT_EQ(Entries(), QStringList{"page.html"});

    // A folder where the file should be: the rename fails.
    ASSERT_TRUE(QDir().mkpath(Path("folder.html")));
    EXPECT_FALSE(Save(Path("folder.html"), "x"));
    EXPECT_EQ(Entries(), QStringList{"page.html"});
    // Given up by the writer.
    {
        TAtomicFile f(page);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        EXPECT_EQ(f.write("half"), 4);
        f.cancelWriting();
        EXPECT_FALSE(f.commit());
        EXPECT_FALSE(f.errorString().isEmpty());
    }
    EXPECT_EQ(ReadTestFile(page), "old");
    EXPECT_EQ(Entries(), QStringList{"page.html"});
    // No folder at all.
    EXPECT_FALSE(Save(Path("missing/page.html"), "x", &error));
    EXPECT_FALSE(error.isEmpty());
}

// What a save killed between naming its data and renaming it leaves is recognisably ours; the
// next save into the folder removes it, and nothing else.
TEST_F(AtomicFileTest, StaleTemporariesOfGoneProcessesAreRemoved) {
    const QString gone = QString::number(GonePid());
    const QString stale = ".page.html.kv" + gone + "-abcdef.tmp";
    const QString live = ".page.html.kv" + QString::number(::getpid()) + "-abcdef.tmp";
    const QStringList notOurs = {"page.html.abcdef", ".page.html.kv" + gone + "-ABCDEF.tmp",
                                 "page.html.kv" + gone + "-abcdef.tmp.txt",
                                 ".page.html.kv-abcdef.tmp"};
    for (const QString& name : QStringList{stale, live} + notOurs)
        Make(name, QByteArray(100, 'x'));
    ASSERT_TRUE(Save(Path("other.html"), "x"));
    QStringList expected = notOurs;
    expected << live << "other.html";
    expected.sort();
    EXPECT_EQ(Entries(), expected);

    const struct {
        const char* name;
        bool ours;
        qint64 pid;
    } names[] = {
        {".a.kv12-abcdef.tmp", true, 12}, {".a b,c.kv7-zzzzzz.tmp", true, 7},
        {"..kv1-aaaaaa.tmp", true, 1},    {".a.kv12-abcde.tmp", false, 0},
        {"a.kv12-abcdef.tmp", false, 0},  {".a.kv12345678901-abcdef.tmp", false, 0},
    };
    for (const auto& n : names) {
        qint64 pid = 0;
        EXPECT_EQ(TAtomicFile::IsTemporaryName(QString::fromUtf8(n.name), &pid), n.ours) << n.name;
        EXPECT_EQ(pid, n.pid) << n.name;
    }
}

} // namespace
