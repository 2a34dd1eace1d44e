#include "platform/AppPaths.h"

#include "TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {

class AppPathsTest : public ::testing::Test {
protected:
    void SetUp() override {
        program = QDir(TestRootDir()).filePath(QStringLiteral("program"));
        QDir(program).removeRecursively();
        WriteTestFile(QStringLiteral("program/defaults/Tags.txt"), "shipped tags");
        WriteTestFile(QStringLiteral("program/defaults/Snippets/one.txt"), "shipped snippet");
        WriteTestFile(QStringLiteral("program/defaults/.keep"), "");
        data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
               QStringLiteral("/Tolvane/Kelvora");
        QDir(data).removeRecursively();
        AppPaths::SetProgramDir(program);
    }
    void TearDown() override {
        AppPaths::Reset();
        QDir(data).removeRecursively();
    }
    QString program, data;
};

TEST_F(AppPathsTest, DataDirIsBelowTheUsersDataFolder) {
    EXPECT_EQ(AppPaths::DataDir(), data);
    EXPECT_TRUE(data.startsWith(TestRootDir()));
    EXPECT_EQ(AppPaths::DataFile(QStringLiteral("Tags.txt")), data + QStringLiteral("/Tags.txt"));
    EXPECT_EQ(AppPaths::ProgramFile(QStringLiteral("defaults")),
              program + QStringLiteral("/defaults"));
}

TEST_F(AppPathsTest, FirstUseCopiesTheDefaults) {
    AppPaths::DataDir();
    EXPECT_EQ(ReadTestFile(data + QStringLiteral("/Tags.txt")), "shipped tags");
    EXPECT_EQ(ReadTestFile(data + QStringLiteral("/Snippets/one.txt")), "shipped snippet");
    EXPECT_FALSE(QFileInfo::exists(data + QStringLiteral("/.keep")));
    EXPECT_TRUE(QFileInfo(data + QStringLiteral("/Tags.txt")).isWritable());
}

TEST_F(AppPathsTest, SeedNeverOverwritesAndRestoresWhatIsMissing) {
    QDir().mkpath(data);
    {
        QFile f(data + QStringLiteral("/Tags.txt"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("the user's own tags");
    }
    AppPaths::DataDir();
    EXPECT_EQ(ReadTestFile(data + QStringLiteral("/Tags.txt")), "the user's own tags");
    EXPECT_EQ(ReadTestFile(data + QStringLiteral("/Snippets/one.txt")), "shipped snippet");

    QFile::remove(data + QStringLiteral("/Snippets/one.txt"));
    AppPaths::Seed();
    EXPECT_EQ(ReadTestFile(data + QStringLiteral("/Snippets/one.txt")), "shipped snippet");
    EXPECT_EQ(ReadTestFile(data + QStringLiteral("/Tags.txt")), "the user's own tags");
}

TEST_F(AppPathsTest, MissingDefaultsFolderStillGivesADataFolder) {
    QDir(program + QStringLiteral("/defaults")).removeRecursively();
    EXPECT_EQ(AppPaths::DataDir(), data);
    EXPECT_TRUE(QFileInfo(data).isDir());
}

} // namespace
