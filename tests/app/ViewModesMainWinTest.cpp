#include "MainWinFixture.h"
#include "app/SettingsStore.h"
#include "app/ViewModes.h"
#include "app/WebEnginePreviewBrowser.h"

#include <QAction>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QWebEngineView>

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

TEST_F(MainWinTest, AutomaticSaveOnUpdateSavesASecondLaterWithoutTheMark) {
    const QString path = Make("page.html", "<p>old</p>");
    Open(path);
    win->Views->VToggleAutoPreviewUpdate->setChecked(true);
    win->Views->VToggleAutoSaveOnUpdate->setChecked(true);
    ASSERT_TRUE(Run("VUserGoCombinationMode"));
    win->CodeEditor->SelectAll();
    Type("<p>new</p>");
    EXPECT_EQ(Captions().last(), QStringLiteral("page.html (S)"));
    ASSERT_TRUE(WaitForUpdate(win->Views));
    EXPECT_EQ(ReadTestFile(path), QByteArray("<p>new</p>\r\n"));
    EXPECT_EQ(Captions().last(), QStringLiteral("page.html (S)"));
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
    EXPECT_FALSE(RunCommand([&] { win->DocClose(); }));
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
