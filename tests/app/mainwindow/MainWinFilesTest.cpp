#include "MainWinFixture.h"
#include "app/core/FileFilters.h"
#include "app/core/Program.h"
#include "app/core/RecentFiles.h"
#include "app/dialogs/InternalFunctionInputWin.h"

#include <QCloseEvent>
#include <QFile>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
const QString kAskSave =
    QStringLiteral("Q:Texten i filen \"%1\" har ändrats.|Vill du spara ändringarna?");
}

// Every way out of the save question when a modified document is closed.
TEST_F(MainWinTest, AskToSaveOutcomesOnClose) {
    struct Case {
        const char* what;
        bool hasFile;
        int answer;
        std::deque<FileAnswer> dialog;
        bool closed;
        const char* onDisk; // nullptr: no file
    };
    const Case cases[] = {
        {"Ja saves the file", true, Dialogs::mrYes, {}, true, "edited\r\n"},
        {"Nej discards", true, Dialogs::mrNo, {}, true, "old"},
        {"Avbryt keeps", true, Dialogs::mrCancel, {}, false, "old"},
        {"Ja on a new document, saved",
         false,
         Dialogs::mrYes,
         {{"new.txt", 0}},
         true,
         "edited\r\n"},
        {"Ja on a new document, dialog cancelled",
         false,
         Dialogs::mrYes,
         {{"", 0}},
         false,
         nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(File("doc.txt"));
        QFile::remove(File("new.txt"));
        if (c.hasFile) {
            Open(Make("doc.txt", "old"));
        } else {
            ASSERT_TRUE(RunCommand([&] { win->Commands().Run(QStringLiteral("ANewDoc")); }));
        }
        win->CodeEditor->SelectAll();
        Type("edited");
        const int before = win->OpenFilesCount();
        const QString name = c.hasFile ? "doc.txt" : "Nytt dokument";
        seen.clear();
        answers = {c.answer};
        fileAnswers.clear();
        for (FileAnswer a : c.dialog) {
            if (!a.path.isEmpty())
                a.path = File(a.path);
            fileAnswers.push_back(a);
        }
        const bool ran = RunCommand([&] { win->Commands().Run(QStringLiteral("ADocClose")); });
        EXPECT_EQ(ran, c.closed);
        EXPECT_EQ(seen.value(0), kAskSave.arg(name));
        EXPECT_EQ(win->OpenFilesCount(), before - (c.closed ? 1 : 0));
        const QString target = File(c.hasFile ? "doc.txt" : "new.txt");
        if (c.onDisk)
            EXPECT_EQ(ReadTestFile(target), c.onDisk);
        else
            EXPECT_FALSE(QFileInfo::exists(target));
        if (!c.closed) {
            EXPECT_TRUE(win->Current().Modified) << "the document keeps its mark";
            EXPECT_EQ(win->CodeEditor->Text(), "edited\r\n");
            answers = {Dialogs::mrNo};
            ASSERT_TRUE(RunCommand([&] { win->Commands().Run(QStringLiteral("ADocClose")); }));
        }
        EXPECT_TRUE(answers.empty());
        EXPECT_TRUE(fileAnswers.empty());
    }
}

// A save past the file-size limit fails like one on a full disk: the message, the old file
// whole, no temporary file left, and the program goes on.
TEST_F(MainWinTest, ASavePastTheFileSizeLimitFailsLikeAFullDisk) {
    InitApplication(); // as the program starts
    const QString path = Make("limit.html", "old");
    Open(path);
    Type(QByteArray(64 * 1024, 'x'));
    rlimit before{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &before), 0);
    rlimit limited = before;
    limited.rlim_cur = 16 * 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    seen.clear();
    const bool ran = Run("ASaveDoc");
    setrlimit(RLIMIT_FSIZE, &before);
    EXPECT_TRUE(ran);
    EXPECT_EQ(seen, QStringList{"M:Det gick inte att spara till filen limit.html."});
    EXPECT_EQ(ReadTestFile(path), "old");
    EXPECT_TRUE(win->Current().Modified);
    EXPECT_EQ(QDir(dir).entryList(QDir::Files | QDir::Hidden), QStringList{"limit.html"});

    seen.clear();
    EXPECT_TRUE(Run("ASaveDoc"));
    EXPECT_TRUE(seen.isEmpty());
    EXPECT_EQ(ReadTestFile(path).size(), 64 * 1024 + 5);
}

// A save that fails keeps the document, its text and its mark; a close after Ja stops.
TEST_F(MainWinTest, FailedSaveKeepsTheDocument) {
    enum class Way { ReadOnlyFolder, FolderInThePlace };
    for (const Way way : {Way::ReadOnlyFolder, Way::FolderInThePlace}) {
        SCOPED_TRACE(way == Way::ReadOnlyFolder ? "read-only folder" : "folder in the place");
        const QString sub = File(way == Way::ReadOnlyFolder ? "ro" : "gone");
        QDir().mkpath(sub);
        const QString path = sub + "/page.html";
        Make(QDir(dir).relativeFilePath(path), "old");
        Open(path);
        Type("new ");
        if (way == Way::ReadOnlyFolder) {
            QFile::setPermissions(sub, QFile::ReadOwner | QFile::ExeOwner);
            if (access(sub.toLocal8Bit().constData(), W_OK) == 0) {
                // The super-user writes anyway; the other way covers the case.
                QFile::setPermissions(sub, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
                answers = {Dialogs::mrNo};
                ASSERT_TRUE(RunCommand([&] { win->Commands().Run(QStringLiteral("ADocClose")); }));
                continue;
            }
        } else {
            QFile::remove(path);
            QDir().mkpath(path);
        }
        seen.clear();
        EXPECT_TRUE(Run("ASaveDoc"));
        EXPECT_EQ(seen, QStringList{"M:Det gick inte att spara till filen page.html."});
        EXPECT_TRUE(win->Current().Modified);
        EXPECT_EQ(Captions().last(), "page.html (SM)");
        if (way == Way::ReadOnlyFolder) {
            EXPECT_EQ(ReadTestFile(path), "old") << "the old file stays whole";
        }

        seen.clear();
        answers = {Dialogs::mrYes};
        EXPECT_FALSE(RunCommand([&] { win->Commands().Run(QStringLiteral("ADocClose")); }));
        EXPECT_EQ(seen, (QStringList{kAskSave.arg("page.html"),
                                     "M:Det gick inte att spara till filen page.html."}));
        EXPECT_EQ(Captions().last(), "page.html (SM)");
        EXPECT_EQ(win->CodeEditor->Text(), "new old\r\n");

        seen.clear();
        answers = {Dialogs::mrYes};
        EXPECT_FALSE(win->close());
        EXPECT_EQ(win->OpenFilesCount(), 2) << "closing the window stopped too";

        QFile::setPermissions(sub, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        answers = {Dialogs::mrNo};
        ASSERT_TRUE(RunCommand([&] { win->Commands().Run(QStringLiteral("ADocClose")); }));
    }
}

// Saving keeps the file's mode exactly, read-only and special bits included, and (where the
// program may give it) its owner and group.
TEST_F(MainWinTest, SavingKeepsTheFilesModeAndOwner) {
    const bool root = ::geteuid() == 0;
    for (const mode_t mode : {0444, 0400, 0640, 0755, 02755, 0604}) {
        SCOPED_TRACE(QString::number(mode, 8).toStdString());
        const QString path = Make(QStringLiteral("mode%1.html").arg(mode, 0, 8), "<p>a</p>");
        const QByteArray name = QFile::encodeName(path);
        if (root) {
            ASSERT_EQ(::chown(name.constData(), 65534, 65534), 0);
        }
        ASSERT_EQ(::chmod(name.constData(), mode), 0);
        Open(path);
        Type("x");
        ASSERT_TRUE(Run("ASaveDoc"));
        EXPECT_TRUE(seen.isEmpty()) << seen.join('\n').toStdString();
        EXPECT_EQ(ReadTestFile(path), QByteArray("x<p>a</p>\r\n"));
        struct stat info {};
        ASSERT_EQ(::stat(name.constData(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, mode);
        if (root) {
            EXPECT_EQ(info.st_uid, 65534u);
            EXPECT_EQ(info.st_gid, 65534u);
        }
    }
}

TEST_F(MainWinTest, SaveAsAppendsTheFiltersDefaultExtension) {
    struct Case {
        const char* typed;
        int filter;
        const char* saved;
    };
    const Case cases[] = {
        {"main", 4, "main.css"},   {"main.txt", 4, "main.txt"}, {"page", 1, "page.html"},
        {"notes", 9, "notes.txt"}, {"plain", 11, "plain"},      {"any", 10, "any"},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(RunCommand([&] { win->Commands().Run(QStringLiteral("ANewDoc")); }));
        Type("x");
        requests.clear();
        fileAnswers = {{File(c.typed), c.filter}};
        EXPECT_TRUE(Run("ASaveDocAs"));
        EXPECT_EQ(requests.value(0), "Spara|11|Nytt dokument") << "new documents get filter 11";
        EXPECT_EQ(lastFilters.size(), 11);
        EXPECT_TRUE(QFileInfo::exists(File(c.saved))) << c.saved;
        EXPECT_EQ(win->Current().FileName, File(c.saved));
        EXPECT_EQ(Captions().last(), QString::fromUtf8(c.saved) + " (S)");
        EXPECT_EQ(win->windowTitle(), QStringLiteral("Kelvora - ") + c.saved);
    }
}

TEST_F(MainWinTest, SaveAsOverwriteQuestion) {
    const QString taken = Make("taken.css", "keep");
    Type("text");
    // Nej asks for another name; Avbryt stops without saving.
    fileAnswers = {{taken, 0}, {taken, 0}};
    answers = {Dialogs::mrNo, Dialogs::mrCancel};
    EXPECT_TRUE(Run("ASaveDocAs"));
    EXPECT_EQ(seen, (QStringList{"Q:Filen \"taken.css\" finns redan.|Vill du ersätta den?",
                                 "Q:Filen \"taken.css\" finns redan.|Vill du ersätta den?"}));
    EXPECT_EQ(ReadTestFile(taken), "keep");
    EXPECT_FALSE(win->Current().HasFile);
    EXPECT_EQ(win->LastQuestionResult, 2);

    fileAnswers = {{taken, 0}};
    answers = {Dialogs::mrYes};
    EXPECT_TRUE(Run("ASaveDocAs"));
    EXPECT_EQ(ReadTestFile(taken), "text\r\n");
    EXPECT_FALSE(win->Current().Modified);

    // A document with a file saves without a dialog; its filter follows its extension.
    Type("more ");
    EXPECT_TRUE(Run("ASaveDoc"));
    EXPECT_EQ(ReadTestFile(taken), "textmore \r\n") << "the caret stays where it was";
    fileAnswers = {{"", 0}};
    requests.clear();
    EXPECT_TRUE(Run("ASaveDocAs"));
    EXPECT_EQ(requests.value(0), "Spara|4|" + taken);
}

TEST_F(MainWinTest, SaveAsFailureIsQuoted) {
    QDir().mkpath(File("adir.html"));
    Type("x");
    fileAnswers = {{File("adir.html"), 0}};
    answers = {Dialogs::mrYes};
    EXPECT_TRUE(Run("ASaveDocAs"));
    EXPECT_EQ(seen.value(1), "M:Det gick inte att spara till filen \"adir.html\".");
    EXPECT_FALSE(win->Current().HasFile);
    EXPECT_EQ(win->Current().FileName, "Nytt dokument");
    EXPECT_TRUE(win->Current().Modified);
}

TEST_F(MainWinTest, SaveAllSavesEveryDocumentAndComesBack) {
    const QString a = Make("a.txt", "a");
    const QString b = Make("b.txt", "b");
    Open(a);
    Type("1");
    Open(b);
    Type("2");
    Click("a.txt (SM)");
    fileAnswers = {{File("new.txt"), 0}};
    EXPECT_TRUE(Run("ASaveAllDoc"));
    EXPECT_EQ(ReadTestFile(a), "1a\r\n");
    EXPECT_EQ(ReadTestFile(b), "2b\r\n");
    EXPECT_EQ(ReadTestFile(File("new.txt")), "\r\n");
    EXPECT_EQ(Captions(), (QStringList{"new.txt (S)", "a.txt (S)", "b.txt (S)"}));
    EXPECT_EQ(win->CurrentTab(), 1);
    EXPECT_EQ(win->CodeEditor->Text(), "1a\r\n");

    // A cancelled dialog ends the loop there.
    ASSERT_TRUE(RunCommand([&] { win->Commands().Run(QStringLiteral("ANewDoc")); }));
    Click("a.txt (S)");
    fileAnswers = {{"", 0}};
    EXPECT_TRUE(Run("ASaveAllDoc"));
    EXPECT_EQ(win->CurrentTab(), 3);
}

TEST_F(MainWinTest, ClosingTheWindowAsksForEveryModifiedDocument) {
    Open(Make("a.txt", "a"));
    Type("1");
    Open(Make("b.txt", "b"));
    Type("2");
    win->show();
    answers = {Dialogs::mrNo, Dialogs::mrCancel};
    EXPECT_FALSE(win->close());
    EXPECT_EQ(seen, (QStringList{kAskSave.arg("a.txt"), kAskSave.arg("b.txt")}));
    EXPECT_EQ(win->CurrentTab(), 2) << "the tab asked about stays selected";
    EXPECT_EQ(win->CodeEditor->Text(), "2b\r\n");

    answers = {Dialogs::mrNo, Dialogs::mrYes};
    EXPECT_TRUE(win->close());
    EXPECT_EQ(ReadTestFile(File("b.txt")), "2b\r\n");
    EXPECT_EQ(ReadTestFile(File("a.txt")), "a");
}

TEST_F(MainWinTest, RecentFilesOrder) {
    QStringList paths;
    for (const char* n : {"a.txt", "b.txt", "c.txt", "d.txt", "e.txt"})
        paths << Make(n, n);
    for (int i = 0; i < 4; ++i)
        Open(paths[i]);
    EXPECT_EQ(RecentFiles::Files(), (QStringList{paths[0], paths[1], paths[2], paths[3]}));
    Open(paths[4]);
    EXPECT_EQ(RecentFiles::Files(), (QStringList{paths[4], paths[0], paths[1], paths[2]}));
    // Saving the top file changes nothing; a file listed lower moves to the top, once.
    EXPECT_TRUE(Run("ASaveDoc"));
    EXPECT_EQ(RecentFiles::Files(), (QStringList{paths[4], paths[0], paths[1], paths[2]}));
    Click("b.txt (S)");
    EXPECT_TRUE(Run("ASaveDoc"));
    EXPECT_EQ(RecentFiles::Files(), (QStringList{paths[1], paths[4], paths[0], paths[2]}));

    emit win->Arkiv1->aboutToShow();
    EXPECT_EQ(win->Reopen[0]->text(), "&1 b.txt");
    EXPECT_EQ(win->Reopen[1]->text(), "&2 e.txt");
    EXPECT_EQ(win->Reopen[3]->statusTip(), paths[2]);
    EXPECT_TRUE(win->Reopen[3]->isVisible());
    const int before = win->OpenFilesCount();
    win->Reopen[1]->trigger();
    EXPECT_EQ(win->OpenFilesCount(), before + 1);
    EXPECT_EQ(win->Current().FileName, paths[4]);
    EXPECT_EQ(RecentFiles::Files(), (QStringList{paths[4], paths[1], paths[0], paths[2]}));
    // While the list fills, a listed file moves up as well.
    OpenKelvoraStore()->remove(QStringLiteral("Reopen"));
    for (int i : {0, 1, 2, 1})
        Open(paths[i]);
    EXPECT_EQ(RecentFiles::Files(), (QStringList{paths[1], paths[0], paths[2]}));

    win->ShowReopenEnabled = false;
    emit win->ReopenPopup->aboutToShow();
    for (QAction* item : win->Reopen)
        EXPECT_FALSE(item->isVisible());
}

TEST_F(MainWinTest, MissingRecentFileOffersASearch) {
    const QString gone = File("old/place/page one.html");
    const QString found = Make("page one.html", "found");
    answers = {Dialogs::mrNo};
    win->FileCommands->OpenFromReopen(gone);
    EXPECT_EQ(seen, QStringList{"Q:Det gick inte att hitta filen \"page one.html\".|Vill du "
                                "leta efter filen?"});
    EXPECT_EQ(win->OpenFilesCount(), 1);

    answers = {Dialogs::mrYes};
    fileAnswers = {{found, 0}};
    ASSERT_TRUE(RunCommand([&] { win->FileCommands->OpenFromReopen(gone); }));
    EXPECT_EQ(requests.value(0), "Öppna|1|" + gone);
    EXPECT_EQ(lastFilters, QStringList{"Alla filer med namnet \"page one.html\" (page?one.html)"});
    EXPECT_EQ(win->Current().FileName, found);

    // The open dialog afterwards has its full filter list again.
    fileAnswers = {{"", 0}};
    EXPECT_TRUE(Run("AOpenDoc"));
    EXPECT_EQ(lastFilters.size(), 12);
    EXPECT_EQ(requests.value(1).section('|', 1, 1), "1") << "filter of the .html document";
}

// The prompt's browse dialog lists the documents from the window's one filter table.
TEST_F(MainWinTest, ThePromptBrowsesWithTheWindowsFilters) {
    const QStringList filters = TInternalFunctionInput::DocumentFilters();
    EXPECT_EQ(filters, FileFilters::QtFilters(FileFilters::FilterCount));
    ASSERT_EQ(filters.size(), 12);
    EXPECT_EQ(filters[0], QStringLiteral("HTML-dokument (*.htm *.html)"));
    EXPECT_EQ(filters[9], QStringLiteral("Alla filformat (*)"));
    EXPECT_EQ(filters[11], QStringLiteral("Tilläggsmoduler (endast via speciellt menyval) (*.so)"));
    // The open dialog offers the same entries.
    fileAnswers = {{"", 0}};
    ASSERT_TRUE(Run("AOpenDoc"));
    EXPECT_EQ(lastFilters, filters);
}
