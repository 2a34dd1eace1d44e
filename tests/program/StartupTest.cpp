#include "app/StartupFixture.h"

#include "controls/TabControlEx.h"
#include "editor/view/TextEditorEx.h"
#include "platform/SilentAbort.h"

#include <QCoreApplication>
#include <QDate>
#include <QGuiApplication>
#include <QLocale>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>

namespace {

const QString kMissing =
    QStringLiteral("Q:Det gick inte att hitta filen %1.|Vill du leta efter den?");
const QString kAskSave =
    QStringLiteral("Q:Texten i filen \"%1\" har ändrats.|Vill du spara ändringarna?");

QStringList Captions(const Tmain& w) {
    QStringList out;
    for (int i = 0; i < w.FilesList->count(); ++i)
        out << w.FilesList->tabText(i);
    return out;
}

void ProcessDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

TEST_F(StartupTest, StartWithAFileOpensItBesideTheEmptyDocument) {
    const QString page = Make("page.html", "<p>sida</p>");
    TProgram program({page});
    ASSERT_TRUE(program.Start());
    Tmain* main = program.Main();
    ASSERT_TRUE(main);
    EXPECT_TRUE(main->isVisible());
    EXPECT_EQ(Captions(*main), (QStringList{"Nytt dokument ()", "page.html (S)"}));
    EXPECT_EQ(main->CurrentTab(), 1);
    EXPECT_FALSE(main->Current().Modified);
    EXPECT_FALSE(main->StartingUp);
    EXPECT_TRUE(seen.isEmpty());
    EXPECT_TRUE(program.Commands());
    EXPECT_FALSE(program.Launcher());
    EXPECT_EQ(Stored("Running").toInt(), 1) << "written as soon as the window exists";

    // The splash: done, and gone 1500 ms later.
    QPointer<Tsplash> splash = program.Splash();
    ASSERT_TRUE(splash);
    EXPECT_EQ(splash->l->text(), "Färdigt.");
    EXPECT_TRUE(splash->Timer->isActive());
    EXPECT_EQ(splash->Timer->interval(), 1500);
    EXPECT_FALSE(splash->b->isVisibleTo(splash));
    QMetaObject::invokeMethod(splash->Timer, "timeout");
    ProcessDeletes();
    EXPECT_FALSE(splash);
}

// Only a store that holds the first run's mark welcomes the user, once: an orderly end deletes
// the mark. A user's first start without it goes straight to the editor.
TEST_F(StartupTest, OnlyAStoreMarkedAsFirstRunShowsTheWelcome) {
    Store("FirstRun", 1);
    for (const char* expected : {"W:Starta Kelvora", ""}) {
        SCOPED_TRACE(expected);
        seen.clear();
        TProgram program({});
        ASSERT_TRUE(program.Start());
        EXPECT_EQ(seen.join(""), expected);
        EXPECT_TRUE(program.Main()->close());
    }
    EXPECT_FALSE(Stored("FirstRun").isValid());
}

// A folder named at start is refused as a folder; the program goes on with its new document.
TEST_F(StartupTest, StartWithAFolderSaysItIsAFolder) {
    const QString folder = File("mapp");
    QDir().mkpath(folder);
    TProgram program({folder});
    ASSERT_TRUE(program.Start());
    EXPECT_EQ(seen, QStringList{
                        "M:Det gick inte att öppna filen \"mapp\". Det är en mapp, inte en fil."});
    EXPECT_EQ(Captions(*program.Main()), QStringList{"Nytt dokument ()"});
}

TEST_F(StartupTest, StartWithoutArgumentsHasOneEmptyDocument) {
    TProgram program({});
    ASSERT_TRUE(program.Start());
    EXPECT_EQ(Captions(*program.Main()), QStringList{"Nytt dokument ()"});
    // A click on the splash while its timer runs frees it at once.
    QPointer<Tsplash> splash = program.Splash();
    QMouseEvent click(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(splash.data(), &click);
    ProcessDeletes();
    EXPECT_FALSE(splash);
}

// A missing file on the command line: every answer to the search offer.
TEST_F(StartupTest, StartWithAMissingFile) {
    struct Case {
        const char* what;
        int answer;
        const char* dialog; // the file chosen in the search dialog; nullptr: no dialog
        bool goesOn;
        QStringList tabs;
    };
    const Case cases[] = {
        {"Nej ends the program", Dialogs::mrNo, nullptr, false, {}},
        {"Avbryt ends the program", Dialogs::mrCancel, nullptr, false, {}},
        {"Ja and a file found",
         Dialogs::mrYes,
         "found.html",
         true,
         {"Nytt dokument ()", "found.html (S)"}},
        {"Ja and the search cancelled", Dialogs::mrYes, "", true, {"Nytt dokument ()"}},
    };
    Make("found.html", "hittad");
    const QString gone = File("borta/gone.html");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        OpenKelvoraStore()->clear();
        seen.clear();
        requests.clear();
        answers = {c.answer};
        if (c.dialog)
            fileAnswers = {*c.dialog ? File(c.dialog) : QString()};
        {
            TProgram program({gone});
            EXPECT_EQ(program.Start(), c.goesOn);
            EXPECT_EQ(seen, QStringList{kMissing.arg("gone.html")});
            EXPECT_EQ(requests.size(), c.dialog ? 1 : 0);
            if (c.goesOn) {
                EXPECT_EQ(Captions(*program.Main()), c.tabs);
                EXPECT_EQ(requests.value(0), "Öppna|" + gone);
                EXPECT_EQ(Stored("Running").toInt(), 1);
            } else {
                EXPECT_TRUE(program.Main()->Terminated);
                EXPECT_FALSE(Stored("Running").isValid()) << "no mark of a crash is left";
            }
        }
        // Ending at start writes no setting.
        if (!c.goesOn) {
            EXPECT_FALSE(Stored("ShowReopen").isValid());
        }
    }
}

// Ending at start runs nothing more of the start: no backup offer after a run that did not
// end, and that run's mark stays for the next start.
TEST_F(StartupTest, EndingAtStartAfterAnUnfinishedRun) {
    Store("Running", 1);
    win = std::make_unique<Tmain>();
    int offers = 0;
    win->Hooks.OfferBackups = [&] { ++offers; };
    win->CommandLineArguments = {File("gone.html")};
    answers = {Dialogs::mrNo};
    win->show();
    EXPECT_TRUE(win->Terminated);
    EXPECT_EQ(offers, 0);
    EXPECT_EQ(Stored("Running").toInt(), 1);
    // The window is let go without the close question or the writing of settings.
    Store("TabLength", 9);
    win->close();
    EXPECT_EQ(Stored("TabLength").toInt(), 9);
}

TEST_F(StartupTest, LauncherMode) {
    TProgram program({kLauncherArgument, "ignored.html"});
    ASSERT_TRUE(program.Start());
    EXPECT_FALSE(program.Main());
    EXPECT_FALSE(program.Commands());
    Tsplash* launcher = program.Launcher();
    ASSERT_TRUE(launcher);
    EXPECT_TRUE(launcher->isVisible());
    EXPECT_FALSE(launcher->l->isVisibleTo(launcher));
    EXPECT_TRUE(launcher->b->isVisibleTo(launcher));
    EXPECT_TRUE(launcher->e->isVisibleTo(launcher));
    EXPECT_EQ(launcher->b->text(), "&Starta Kelvora");
    EXPECT_EQ(launcher->e->text(), "&Avsluta Kelvora");
    // The first splash stays beneath, its timer off.
    ASSERT_TRUE(program.Splash());
    EXPECT_TRUE(program.Splash()->isVisible());
    EXPECT_FALSE(program.Splash()->Timer->isActive());
    EXPECT_EQ(program.Splash()->l->text(), "Laddar...");
    EXPECT_FALSE(QFile::exists(OpenKelvoraStore()->fileName())) << "the store is not touched";

    int started = 0, ended = 0;
    launcher->StartProgram = [&] { ++started; };
    launcher->Terminate = [&] { ++ended; };
    launcher->e->click();
    EXPECT_EQ(ended, 1);
    EXPECT_TRUE(launcher->isVisible());
    launcher->b->click();
    EXPECT_EQ(started, 1);
    EXPECT_FALSE(launcher->isVisible()) << "the launcher closes after starting the program";
}

// After a run that did not end the backups are offered, with automatic backups on only; the
// first show runs once.
TEST_F(StartupTest, BackupOfferAfterARunThatDidNotEnd) {
    struct Case {
        const char* what;
        bool running;
        const char* autoBackup; // nullptr: not stored
        int offers;
    };
    const Case cases[] = {
        {"orderly end before", false, nullptr, 0},
        {"unfinished run", true, nullptr, 1},
        {"unfinished run, backups off", true, "0", 0},
        {"unfinished run, backups on", true, "1", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        OpenKelvoraStore()->clear();
        if (c.running)
            Store("Running", 1);
        if (c.autoBackup)
            Store("AutoBackup", c.autoBackup);
        win = std::make_unique<Tmain>();
        EXPECT_EQ(win->PreviousRunUnfinished, c.running);
        int offers = 0;
        win->Hooks.OfferBackups = [&] {
            ++offers;
            EXPECT_TRUE(win->StartingUp);
        };
        win->show();
        win->hide();
        win->show();
        EXPECT_EQ(offers, c.offers);
        EXPECT_EQ(Stored("Running").toInt(), 1);
        win.reset();
    }
}

// The close asks about every modified document in turn; a cancel keeps everything as it was.
TEST_F(StartupTest, CloseWithSeveralModifiedDocuments) {
    struct Case {
        const char* what;
        std::deque<int> answers;
        std::deque<QString> saveDialog;
        bool closed;
        int asked;
        int tabAfter; // the tab selected after a refused close
    };
    const Case cases[] = {
        {"Nej to all", {Dialogs::mrNo, Dialogs::mrNo, Dialogs::mrNo}, {}, true, 3, -1},
        {"Avbryt on the second", {Dialogs::mrNo, Dialogs::mrCancel}, {}, false, 2, 1},
        {"Ja saves each",
         {Dialogs::mrYes, Dialogs::mrYes, Dialogs::mrYes},
         {"new.txt"},
         true,
         3,
         -1},
        {"Ja on the new document, its dialog cancelled", {Dialogs::mrYes}, {""}, false, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        OpenKelvoraStore()->clear();
        QFile::remove(File("new.txt"));
        const QString a = Make("a.txt", "a"), b = Make("b.txt", "b");
        win = std::make_unique<Tmain>();
        QStringList steps;
        win->Hooks.SaveDataFiles = [&] {
            steps << QStringLiteral("data:%1").arg(Stored("TabLength").isValid());
        };
        win->Hooks.UnloadModules = [&] {
            steps << QStringLiteral("modules:%1").arg(win->OpenFilesCount());
        };
        win->show();
        win->CodeEditor->SetSelText("0");
        for (const QString& file : {a, b}) {
            ASSERT_TRUE(RunCommand([&] { win->NewDocTab(1, file); }));
            win->CodeEditor->SetSelText("1");
        }
        seen.clear();
        answers = c.answers;
        for (const QString& name : c.saveDialog)
            fileAnswers.push_back(name.isEmpty() ? QString() : File(name));
        EXPECT_EQ(win->close(), c.closed);
        EXPECT_EQ(seen.size(), c.asked);
        const QStringList names = {"Nytt dokument", "a.txt", "b.txt"};
        for (int i = 0; i < c.asked; ++i)
            EXPECT_EQ(seen.value(i), kAskSave.arg(names[i]));
        if (c.closed) {
            EXPECT_EQ(steps, (QStringList{"data:1", "modules:3"}))
                << "settings first, modules before the table is emptied";
            EXPECT_EQ(win->OpenFilesCount(), 0);
            EXPECT_FALSE(Stored("Running").isValid());
            EXPECT_EQ(Stored("TabLength").toInt(), 4);
        } else {
            EXPECT_TRUE(steps.isEmpty());
            EXPECT_EQ(win->CurrentTab(), c.tabAfter);
            EXPECT_EQ(win->OpenFilesCount(), 3);
            EXPECT_EQ(Stored("Running").toInt(), 1);
            EXPECT_FALSE(Stored("TabLength").isValid()) << "nothing written";
        }
        const bool saved = c.answers.front() == Dialogs::mrYes && c.closed;
        EXPECT_EQ(ReadTestFile(a), saved ? "1a\r\n" : "a");
        EXPECT_EQ(QFile::exists(File("new.txt")), saved);
        if (!c.closed) {
            answers = {Dialogs::mrNo, Dialogs::mrNo, Dialogs::mrNo};
            EXPECT_TRUE(win->close());
            answers.clear();
        }
        win.reset();
    }
}

TEST_F(StartupTest, CloseMainActionClosesTheWindow) {
    win = std::make_unique<Tmain>();
    win->show();
    ASSERT_TRUE(win->Action("ACloseMain"));
    EXPECT_EQ(win->Action("ACloseMain")->text(), "Avsluta");
    win->Action("ACloseMain")->trigger();
    EXPECT_FALSE(win->isVisible());
    EXPECT_FALSE(Stored("Running").isValid());
}

// The application as the program sets it up: window titles exactly as the windows set them
// (a display name would be appended to every title by the platform), Qt's own dialogs and the
// dates in Swedish.
TEST(ApplicationSetupTest, TitlesAsSetAndSwedishDialogsAndDates) {
    InitApplication();
    const QString name = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName(QStringLiteral("probe"));
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), "probe") << "a display name is set";
    QCoreApplication::setApplicationName(name);
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Avbryt");
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "&Open"), "&Öppna");
    EXPECT_EQ(QLocale().toString(QDate(2024, 3, 5), QStringLiteral("d MMMM yyyy")), "5 mars 2024");
}
