// "Ta bort fil", "Återställ", "Öppna mapp" and the open button's drop-down.
#include "MainWinFixture.h"

#include "app/commands/DocumentFileCommands.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QTemporaryDir>
#include <unistd.h>

namespace {

const QString kDeleteQuestion =
    QStringLiteral("Q:Filen \"sida.html\" kommer att tas bort från datorn.|Vill du fortsätta?");
const QString kRevertQuestion =
    QStringLiteral("Q:Dokumentet kommer att återställas.|Vill du fortsätta?");

class DocumentFileTest : public MainWinTest {
protected:
    void SetUp() override {
        MainWinTest::SetUp();
        QDir(DocumentFileCommands::CopiesFolder()).removeRecursively();
        path = Make(QStringLiteral("sida.html"), "<p>sparad</p>\r\n");
        Open(path);
    }
    QString path;
};

TEST_F(DocumentFileTest, DeletingTheFileKeepsTheTextAsAModifiedNewDocument) {
    Type("ny ");
    answers = {Dialogs::mrNo, Dialogs::mrYes};
    ASSERT_TRUE(Run("ADocDel"));
    EXPECT_TRUE(QFileInfo::exists(path)); // Nej: nothing happens
    ASSERT_TRUE(Run("ADocDel"));
    EXPECT_FALSE(QFileInfo::exists(path));
    EXPECT_EQ(seen, (QStringList{kDeleteQuestion, kDeleteQuestion,
                                 QStringLiteral("M:Filen \"sida.html\" togs bort från datorn. Du "
                                                "kan fortfarande redigera texten i Kelvora och "
                                                "sedan spara dokumentet till en ny fil.")}));
    EXPECT_FALSE(win->Current().HasFile);
    EXPECT_TRUE(win->Current().Modified);
    EXPECT_EQ(win->CodeEditor->Text(), QByteArray("ny <p>sparad</p>\r\n"));
    EXPECT_EQ(win->StatusPanel(4), "Ny fil");

    // Nothing to go back to now: "Återställ" says so and leaves the text.
    seen.clear();
    answers = {Dialogs::mrYes};
    ASSERT_TRUE(RunCommand([&] { DocumentFileCommands::RecreateDoc(*win); }));
    EXPECT_EQ(seen.value(1), "M:Det gick inte att öppna den sparade versionen av dokumentet.");
    EXPECT_TRUE(win->CodeEditor->Text().startsWith("ny "));
    EXPECT_FALSE(win->Current().HasFile);
}

TEST_F(DocumentFileTest, AFileThatCannotBeDeletedIsReportedAndTheDocumentKeepsIt) {
    // The file has become a folder with something in it: it cannot be deleted as a file.
    QFile::remove(path);
    QDir().mkpath(path);
    Make(QStringLiteral("sida.html/inne.txt"), "x");
    answers = {Dialogs::mrYes};
    ASSERT_TRUE(Run("ADocDel"));
    EXPECT_EQ(seen,
              (QStringList{kDeleteQuestion,
                           QStringLiteral("M:Det gick inte att ta bort filen \"sida.html\".")}));
    EXPECT_TRUE(win->Current().HasFile);
    EXPECT_FALSE(win->Current().Modified);
    QDir(path).removeRecursively();
}

TEST_F(DocumentFileTest, AFileInAReadOnlyFolderIsReportedAndKept) {
    if (geteuid() == 0)
        GTEST_SKIP() << "the superuser may delete in a read-only folder";
    QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    answers = {Dialogs::mrYes};
    ASSERT_TRUE(Run("ADocDel"));
    QFile::setPermissions(dir,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(seen.value(1), "M:Det gick inte att ta bort filen \"sida.html\".");
    EXPECT_TRUE(QFileInfo::exists(path));
    EXPECT_TRUE(win->Current().HasFile);
}

TEST_F(DocumentFileTest, RevertKeepsTheChangedTextInAUniqueCopyAndReloads) {
    for (const char* expected : {"Copy of sida.html", "Copy of sida (2).html"}) {
        SCOPED_TRACE(expected);
        seen.clear();
        Type("\xe4ndrad ");
        ASSERT_TRUE(win->Current().Modified);
        answers = {Dialogs::mrYes};
        ASSERT_TRUE(Run("ARecreateDoc"));
        const QString copy = QDir(DocumentFileCommands::CopiesFolder()).filePath(expected);
        EXPECT_EQ(ReadTestFile(copy), QByteArray("\xe4ndrad <p>sparad</p>\r\n"));
        EXPECT_EQ(win->CodeEditor->Text(), QByteArray("<p>sparad</p>\r\n"));
        EXPECT_FALSE(win->Current().Modified);
        EXPECT_TRUE(win->Current().HasFile);
        EXPECT_EQ(seen, (QStringList{kRevertQuestion,
                                     QStringLiteral("M:Den ändrade texten sparades som \"") + copy +
                                         QStringLiteral("\" innan dokumentet återställdes.")}));
        EXPECT_EQ(win->StatusPanel(4), "Sparad");
    }
    // Nej keeps the text.
    Type("kvar ");
    answers = {Dialogs::mrNo};
    ASSERT_TRUE(Run("ARecreateDoc"));
    EXPECT_TRUE(win->CodeEditor->Text().startsWith("kvar "));
    EXPECT_TRUE(win->Current().Modified);
}

TEST_F(DocumentFileTest, RevertStopsWhenTheCopyCannotBeWritten) {
    // A file where the copies' folder should be.
    QDir(DocumentFileCommands::CopiesFolder()).removeRecursively();
    {
        QFile blocker(DocumentFileCommands::CopiesFolder());
        ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    }
    Type("\xe4ndrad ");
    answers = {Dialogs::mrYes};
    ASSERT_TRUE(Run("ARecreateDoc"));
    QFile::remove(DocumentFileCommands::CopiesFolder());
    EXPECT_EQ(seen, (QStringList{kRevertQuestion,
                                 QStringLiteral("M:Det gick inte att säkerhetskopiera den nya "
                                                "versionen av dokumentet. Öppna den sparade "
                                                "versionen manuellt.")}));
    EXPECT_TRUE(win->CodeEditor->Text().startsWith("\xe4ndrad "));
    EXPECT_TRUE(win->Current().Modified);
}

TEST(UniqueCopyPathTest, NumbersBeforeTheExtension) {
    QTemporaryDir dir;
    const QString folder = dir.path();
    const auto touch = [&](const QString& name) {
        QFile f(QDir(folder).filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    };
    EXPECT_EQ(DocumentFileCommands::UniqueCopyPath(folder, "a.html"),
              QDir(folder).filePath("Copy of a.html"));
    touch("Copy of a.html");
    touch("Copy of a (2).html");
    EXPECT_EQ(DocumentFileCommands::UniqueCopyPath(folder, "a.html"),
              QDir(folder).filePath("Copy of a (3).html"));
    touch("Copy of noext");
    EXPECT_EQ(DocumentFileCommands::UniqueCopyPath(folder, "noext"),
              QDir(folder).filePath("Copy of noext (2)"));
}

TEST_F(DocumentFileTest, OpenFolderHandsTheFoldersPathToTheDesktop) {
    QStringList opened;
    win->OpenWithSystemHandler = [&opened](const QString& f) { opened << f; };
    ASSERT_TRUE(Run("AOpenFileFolder"));
    EXPECT_EQ(opened, QStringList{QFileInfo(path).absolutePath()});
    ASSERT_TRUE(Run("ANewDoc"));
    ASSERT_TRUE(RunCommand([&] { DocumentFileCommands::OpenFileFolder(*win); }));
    EXPECT_EQ(opened.size(), 1);
}

TEST_F(MainWinTest, TheOpenButtonsDropDownEndsWithAnotherDocument) {
    QMenu* popup = win->ReopenPopup;
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->defaultAction(), win->Action(QStringLiteral("AOpenDoc")));
    emit popup->aboutToShow();
    const QList<QAction*> items = popup->actions();
    ASSERT_GE(items.size(), 6);
    EXPECT_TRUE(items[4]->isSeparator());
    EXPECT_FALSE(items[4]->isVisible()); // no recent files yet

    Open(Make(QStringLiteral("senast.html"), "x"));
    emit popup->aboutToShow();
    EXPECT_TRUE(items[0]->isVisible());
    EXPECT_TRUE(items[4]->isVisible());
}

} // namespace
