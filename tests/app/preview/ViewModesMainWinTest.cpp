#include "MainWinFixture.h"
#include "app/core/SettingsStore.h"
#include "app/preview/ViewModes.h"
#include "app/preview/WebEnginePreviewBrowser.h"

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QWebEngineView>
#include <QWindow>

namespace {

bool WaitForUpdate(const TViewModes* views) {
    return QTest::qWaitFor([views] { return !views->APU->isActive(); }, 3000);
}

} // namespace

TEST_F(MainWinTest, TheModeCommandsAreTheWindowsOwn) {
    const std::pair<const char*, const char*> keys[] = {
        {"VUserGoEditMode", "F7"},
        {"VUserGoPreviewPageMode", "F8"},
        {"VUserGoCombinationMode", "F9"},
        {"VPreviewPage", "F5"},
    };
    for (const auto& [name, key] : keys) {
        const QAction* a = win->Action(QLatin1String(name));
        ASSERT_NE(a, nullptr) << name;
        EXPECT_EQ(a->shortcut(), QKeySequence(QLatin1String(key))) << name;
        EXPECT_TRUE(win->actions().contains(const_cast<QAction*>(a))) << name;
    }
    for (const char* name : {"VViewPage", "VSetOrientationH", "VSetOrientationV",
                             "VToggleAutoPreviewUpdate", "VToggleAutoSaveOnUpdate"})
        EXPECT_NE(win->Action(QLatin1String(name)), nullptr) << name;
    // Preview mode puts the status bar into simple mode; edit mode takes it out again.
    ASSERT_TRUE(Run("VUserGoPreviewPageMode"));
    EXPECT_EQ(win->statusBar()->currentMessage(), QStringLiteral(" "));
    ASSERT_TRUE(Run("VUserGoEditMode"));
    EXPECT_TRUE(win->statusBar()->currentMessage().isEmpty());
}

TEST_F(MainWinTest, EachDocumentKeepsItsViewMode) {
    Open(Make("a.txt", "a"));
    ASSERT_TRUE(Run("VUserGoCombinationMode"));
    Open(Make("b.txt", "b"));
    EXPECT_EQ(win->Views->ViewMode(), vmEdit);
    ASSERT_TRUE(Run("VUserGoPreviewPageMode"));
    Click(QStringLiteral("a.txt (S)"));
    EXPECT_EQ(win->Views->ViewMode(), vmCombination);
    // The page shown is the document switched to.
    QWebEngineView* view = static_cast<TWebEnginePreviewBrowser*>(win->Views->Browser())->View();
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return view->url() == QUrl::fromLocalFile(File("a.txt")); }, 30000));
    EXPECT_EQ(win->OpenFiles[2].ViewMode, vmPreview);
    Click(QStringLiteral("b.txt (S)"));
    EXPECT_EQ(win->Views->ViewMode(), vmPreview);
    Click(QStringLiteral("Nytt dokument ()"));
    EXPECT_EQ(win->Views->ViewMode(), vmEdit);
    EXPECT_EQ(Captions(), (QStringList{"Nytt dokument ()", "a.txt (S)", "b.txt (S)"}));
}

TEST_F(MainWinTest, AnOpenedFileTakesItsModeFromTheExtensionLists) {
    win->caEdit = {QStringLiteral("txt")};
    win->caPreview = {QStringLiteral("HTM"), QStringLiteral("txt")};
    win->caCombination = {QStringLiteral("html")};
    const std::pair<const char*, quint8> cases[] = {
        {"page.htm", vmPreview},
        {"page.html", vmCombination},
        {"notes.txt", vmEdit},
        {"style.css", vmEdit}, // the mode the switch gave
    };
    for (const auto& [name, mode] : cases) {
        SCOPED_TRACE(name);
        Open(Make(QLatin1String(name), "<p>x</p>"));
        EXPECT_EQ(win->Views->ViewMode(), mode);
    }
}

// The edit marks the document; the automatic save a second later clears the mark, and so
// does a save of the user's: a saved document is not marked again by a tab switch.
TEST_F(MainWinTest, AutomaticSaveOnUpdateSavesASecondLaterAndClearsTheMark) {
    const QString path = Make("page.html", "<p>old</p>");
    Open(path);
    win->Views->VToggleAutoPreviewUpdate->setChecked(true);
    win->Views->VToggleAutoSaveOnUpdate->setChecked(true);
    ASSERT_TRUE(Run("VUserGoCombinationMode"));
    win->CodeEditor->SelectAll();
    Type("<p>new</p>");
    EXPECT_EQ(Captions().last(), QStringLiteral("page.html (SM)"));
    EXPECT_EQ(ReadTestFile(path), QByteArray("<p>old</p>")) << "the edit itself saves nothing";
    ASSERT_TRUE(WaitForUpdate(win->Views));
    EXPECT_EQ(ReadTestFile(path), QByteArray("<p>new</p>\r\n"));
    EXPECT_EQ(Captions().last(), QStringLiteral("page.html (S)"));

    Type("<p>more</p>");
    EXPECT_EQ(Captions().last(), QStringLiteral("page.html (SM)"));
    ASSERT_TRUE(Run("ASaveDoc"));
    EXPECT_EQ(Captions().last(), QStringLiteral("page.html (S)"));
    Click(QStringLiteral("Nytt dokument ()"));
    Click(QStringLiteral("page.html (S)"));
    EXPECT_EQ(Captions(), (QStringList{"Nytt dokument ()", "page.html (S)"}));
    EXPECT_TRUE(seen.isEmpty());
}

TEST_F(MainWinTest, AFailedAutomaticSaveIsReportedAndMarked) {
    const QString path = Make("page.html", "<p>old</p>");
    Open(path);
    win->Views->VToggleAutoPreviewUpdate->setChecked(true);
    win->Views->VToggleAutoSaveOnUpdate->setChecked(true);
    ASSERT_TRUE(Run("VUserGoCombinationMode"));
    ASSERT_TRUE(QDir(dir).removeRecursively());
    Type("<p>new</p>");
    ASSERT_TRUE(WaitForUpdate(win->Views));
    EXPECT_EQ(seen, QStringList{"M:Det gick inte att spara till filen page.html."});
    EXPECT_EQ(Captions().last(), QStringLiteral("page.html (SM)"));
}

TEST_F(MainWinTest, AnEditTheUpdateHasNotSavedYetIsAskedAboutOnClose) {
    const QString path = Make("page.html", "<p>old</p>");
    Open(path);
    win->Views->VToggleAutoPreviewUpdate->setChecked(true);
    win->Views->VToggleAutoSaveOnUpdate->setChecked(true);
    ASSERT_TRUE(Run("VUserGoCombinationMode"));
    Type("<p>new</p>");
    answers = {Dialogs::mrCancel};
    EXPECT_FALSE(RunCommand([&] { win->Commands().Run(QStringLiteral("ADocClose")); }));
    EXPECT_EQ(seen, QStringList{"Q:Texten i filen \"page.html\" har ändrats.|Vill du spara "
                                "ändringarna?"});
    EXPECT_EQ(Captions().last(), QStringLiteral("page.html (SM)"));
    EXPECT_EQ(ReadTestFile(path), QByteArray("<p>old</p>"));
}

TEST(ViewModesSettings, TheSplitIsStoredAsOneOrTwo) {
    // LayoutOrientation read, SplitVertical, LayoutOrientation written.
    const int cases[][3] = {{1, 0, 1}, {2, 1, 2}, {5, 0, 1}};
    for (const auto& c : cases) {
        Tmain win;
        TSettingsValues in;
        in.LayoutOrientation = c[0];
        in.APUEnabled = true;
        in.PreviewOpenFile = QStringLiteral("/x/open.html");
        ApplyToViews(in, win.Views);
        EXPECT_EQ(win.Views->SplitVertical, c[1] == 1);
        EXPECT_TRUE(win.Views->VToggleAutoPreviewUpdate->isChecked());
        TSettingsValues out;
        TakeFromViews(&out, *win.Views);
        EXPECT_EQ(out.LayoutOrientation, c[2]);
        EXPECT_TRUE(out.APUEnabled);
        EXPECT_FALSE(out.AutoSaveOnUpdate);
        EXPECT_EQ(out.PreviewOpenFile, QStringLiteral("/x/open.html"));
    }
}

// The action update after a caret move keeps the states the mode gives: F5 and the automatic
// switches outside edit mode, the split commands in combination mode.
TEST_F(MainWinTest, ActionStatesFollowTheViewModeThroughEveryUpdate) {
    struct Case {
        const char* command;
        bool preview, split, splitVertical;
    };
    const Case cases[] = {
        {"VUserGoCombinationMode", true, true, false}, {"VSetOrientationV", true, true, true},
        {"VSetOrientationH", true, true, false},       {"VSetOrientationV", true, true, true},
        {"VUserGoPreviewPageMode", true, false, true}, {"VUserGoEditMode", false, false, true},
    };
    Type("<p>text</p>");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        ASSERT_TRUE(Run(c.command));
        QCoreApplication::processEvents();
        // A caret move runs the one update of every action state again.
        win->CodeEditor->SetSelStart(2);
        QCoreApplication::processEvents();
        for (const char* name :
             {"VPreviewPage", "VToggleAutoPreviewUpdate", "VToggleAutoSaveOnUpdate"})
            EXPECT_EQ(win->Action(QLatin1String(name))->isEnabled(), c.preview) << name;
        EXPECT_EQ(win->Action("VSetOrientationH")->isEnabled(), c.split);
        EXPECT_EQ(win->Action("VSetOrientationV")->isEnabled(), c.split);
        EXPECT_EQ(win->Action("VSetOrientationV")->isChecked(), c.splitVertical);
        EXPECT_EQ(win->Action("VSetOrientationH")->isChecked(), !c.splitVertical);
        EXPECT_EQ(win->CurrentDocState().PreviewMode,
                  QLatin1String(c.command) == QLatin1String("VUserGoPreviewPageMode"));
    }
}

TEST_F(MainWinTest, TheViewMenuHoldsTheViewCommandsInOrder) {
    QStringList titles;
    QMenu* view = nullptr;
    for (QAction* top : win->menuBar()->actions()) {
        titles << top->text();
        if (top->menu() && top->menu()->objectName() == QLatin1String("Visa1"))
            view = top->menu();
    }
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->title(), QStringLiteral("&Visa"));
    EXPECT_EQ(titles.indexOf("&Visa"), titles.indexOf("&Arkiv") + 1);
    QStringList items;
    for (QAction* a : view->actions())
        if (!a->isSeparator())
            items << a->objectName() + QLatin1Char('=') + a->text();
    EXPECT_EQ(items, (QStringList{
                         "VUserGoEditMode=Redigering",
                         "VUserGoPreviewPageMode=Granskning",
                         "VUserGoCombinationMode=Kombination",
                         "VViewPage=Granska sida",
                         "VSetOrientationH=Horisontell indelning",
                         "VSetOrientationV=Vertikal indelning",
                         "VPreviewPage=Uppdatera granskning nu",
                         "VToggleAutoPreviewUpdate=Uppdatera automatiskt",
                         "VToggleAutoSaveOnUpdate=Spara automatiskt vid uppdatering",
                         "VToggleCommonDocs=Projekthanterare",
                         "VToggleBookmarks=Bokmärken",
                         "VShowInBrowser=Visa i webbläsare",
                         "VToggleToolbar=Verktygsfält",
                         "VToggleInputBar=Infogafält",
                         "VToggleStatusBar=Statusfält",
                     }));
    // The menu's items are the window's commands.
    for (QAction* a : view->actions()) {
        if (!a->isSeparator()) {
            EXPECT_EQ(win->Action(a->objectName()), a);
        }
    }
}

// A save outside edit mode shows the page from the file it was just written to.
TEST_F(MainWinTest, SavingOutsideEditModeShowsTheSavedFile) {
    const QString path = Make("page.html", "<p>old</p>");
    Open(path);
    ASSERT_TRUE(Run("VUserGoCombinationMode"));
    const QLabel* warning = win->Views->Label4;
    EXPECT_FALSE(warning->isVisibleTo(win->Views->Panel6));
    Type("<p>new</p>");
    EXPECT_TRUE(warning->isVisibleTo(win->Views->Panel6)) << "shown from the copy";
    ASSERT_TRUE(Run("ASaveDoc"));
    EXPECT_FALSE(warning->isVisibleTo(win->Views->Panel6));
    EXPECT_EQ(win->Views->Panel6->height(), 33);
    QWebEngineView* view = static_cast<TWebEnginePreviewBrowser*>(win->Views->Browser())->View();
    EXPECT_TRUE(QTest::qWaitFor([&] { return view->url() == QUrl::fromLocalFile(path); }, 30000));
}

// Preview mode shows no panels: not after a caret move, a panel's new text or an empty hint;
// the return to an editing mode shows them with the current selection.
TEST_F(MainWinTest, PreviewModeShowsNoStatusPanels) {
    win->show();
    Type("abc");
    const auto panel = [this](int i) {
        return win->statusBar()->findChild<QLabel*>(QStringLiteral("StatusPanel%1").arg(i));
    };
    ASSERT_NE(panel(0), nullptr);
    EXPECT_TRUE(panel(0)->isVisibleTo(win->statusBar()));
    ASSERT_TRUE(Run("VUserGoPreviewPageMode"));
    win->CodeEditor->SetSelStart(1);
    win->SetStatusPanel(6, QStringLiteral("Säkerhetskopierar..."));
    win->ApplicationEvents1Hint(QString());
    EXPECT_EQ(win->statusBar()->currentMessage(), QStringLiteral(" "));
    for (int i = 0; i < 7; ++i)
        EXPECT_FALSE(panel(i)->isVisibleTo(win->statusBar())) << i;
    EXPECT_EQ(win->StatusPanel(0), QStringLiteral("Rad:  1    Kol:  4"));

    ASSERT_TRUE(Run("VUserGoCombinationMode"));
    EXPECT_TRUE(win->statusBar()->currentMessage().isEmpty());
    EXPECT_EQ(win->StatusPanel(0), QStringLiteral("Rad:  1    Kol:  2"));
    for (int i = 0; i < 7; ++i)
        EXPECT_TRUE(panel(i)->isVisibleTo(win->statusBar())) << i;
    // Outside preview mode an empty hint takes the status bar out of simple mode.
    win->ApplicationEvents1Hint(QStringLiteral("Spara|Sparar dokumentet"));
    win->ApplicationEvents1Hint(QString());
    EXPECT_TRUE(win->statusBar()->currentMessage().isEmpty());
}

// Switching modes never touches the window: a maximized window stays maximized on its own
// native window while the page appears, and the end stores it as maximized.
TEST_F(MainWinTest, ModeSwitchesKeepTheWindowAsItIs) {
    Open(Make("a.html", "<p>a</p>"));
    win->showMaximized();
    QWindow* native = win->windowHandle();
    ASSERT_TRUE(native);
    auto* browser = static_cast<TWebEnginePreviewBrowser*>(win->Views->Browser());
    for (const char* mode : {"VUserGoCombinationMode", "VUserGoPreviewPageMode", "VUserGoEditMode",
                             "VUserGoCombinationMode"}) {
        SCOPED_TRACE(mode);
        ASSERT_TRUE(Run(mode));
        if (browser->View()->isVisible()) {
            EXPECT_TRUE(QTest::qWaitFor(
                [&] { return browser->View()->url() == QUrl::fromLocalFile(File("a.html")); },
                30000));
        }
        QTest::qWait(200);
        EXPECT_EQ(win->windowHandle(), native) << "the window was made anew";
        EXPECT_TRUE(win->isMaximized());
    }
    EXPECT_TRUE(win->close());
    EXPECT_EQ(OpenKelvoraStore()->value("Settings/Maximized").toString(), "1");
}

// Where windows draw through OpenGL, the window that will hold the page is made for it from
// the start.
TEST_F(MainWinTest, TheWindowIsReadyForThePageBeforeItAppears) {
    if (!TWebEnginePreviewBrowser::GLWindowsSupported()) {
        GTEST_SKIP() << "no OpenGL windows on this platform";
    }
    win->show();
    ASSERT_TRUE(win->windowHandle());
    EXPECT_EQ(win->windowHandle()->surfaceType(), QSurface::OpenGLSurface);
}
