#include "app/preview/ViewModes.h"
#include "PreviewTestDoubles.h"
#include "TestSupport.h"
#include "platform/AppPaths.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSplitter>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

namespace {

class ViewModesTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto recording = std::make_unique<TRecordingPreviewBrowser>();
        browser = recording.get();
        modes = std::make_unique<TViewModes>(&host, std::move(recording));
        host.modes = modes.get();
        modes->AddEditOnly(&searchPanel);
        modes->AddEditOnly(&editMenu);
        modes->Area()->resize(800, 600);
        modes->Area()->show();
        Settle();
    }

    // Lets the layouts catch up.
    void Settle() { QApplication::processEvents(); }
    QString Copy() const { return modes->PreviewSaveFileName; }
    QString Navigated(const QString& target) const { return QStringLiteral("navigate ") + target; }
    void AutoUpdate(bool on) { modes->VToggleAutoPreviewUpdate->setChecked(on); }
    void AutoSave(bool on) { modes->VToggleAutoSaveOnUpdate->setChecked(on); }
    // Runs the event loop until the automatic update has fired.
    bool WaitForUpdate() {
        return QTest::qWaitFor([this] { return !modes->APU->isActive(); }, 3000);
    }

    TFakeViewHost host;
    TRecordingPreviewBrowser* browser = nullptr;
    QWidget searchPanel;
    QMenu editMenu{QStringLiteral("&Redigera")};
    std::unique_ptr<TViewModes> modes;
};

// --- layout -------------------------------------------------------------------------------

struct LayoutCase {
    const char* name;
    bool edit, preview, vertical;
    bool editorShown, pageShown, barShown, editingOn;
    quint8 viewMode;
};

TEST_F(ViewModesTest, EachModeLaysOutItsPanelsAndCommandStates) {
    const LayoutCase cases[] = {
        {"edit", true, false, false, true, false, false, true, vmEdit},
        {"preview", false, true, false, false, true, true, false, vmPreview},
        {"combination above", true, true, false, true, true, true, true, vmCombination},
        {"combination beside", true, true, true, true, true, true, true, vmCombination},
    };
    for (const LayoutCase& c : cases) {
        SCOPED_TRACE(c.name);
        modes->SplitVertical = c.vertical;
        modes->SetMode(c.edit, c.preview);
        Settle();
        EXPECT_EQ(modes->EditorPn->isVisible(), c.editorShown);
        EXPECT_EQ(modes->PreviewIE->isVisible(), c.pageShown);
        EXPECT_EQ(modes->Panel6->isVisible(), c.barShown);
        EXPECT_EQ(modes->ViewMode(), c.viewMode);
        const QAction* checked[] = {modes->VUserGoEditMode, modes->VUserGoPreviewPageMode,
                                    modes->VUserGoCombinationMode};
        for (quint8 m = 0; m < 3; ++m)
            EXPECT_EQ(checked[m]->isChecked(), m == c.viewMode);
        // Preview mode switches the editing controls and the status panels off.
        EXPECT_EQ(searchPanel.isEnabled(), c.editingOn);
        EXPECT_EQ(editMenu.menuAction()->isEnabled(), c.editingOn);
        EXPECT_EQ(host.simpleStatus, !c.editingOn);
        const bool combination = c.viewMode == vmCombination;
        EXPECT_EQ(modes->VSetOrientationH->isEnabled(), combination);
        EXPECT_EQ(modes->VSetOrientationV->isEnabled(), combination);
        EXPECT_EQ(modes->VSetOrientationV->isChecked(), c.vertical);
        EXPECT_EQ(modes->VSetOrientationH->isChecked(), !c.vertical);
        for (const QAction* a :
             {modes->VPreviewPage, modes->VToggleAutoPreviewUpdate, modes->VToggleAutoSaveOnUpdate})
            EXPECT_EQ(a->isEnabled(), c.viewMode != vmEdit);
        if (combination && !c.vertical) {
            EXPECT_EQ(modes->EditPreviewSplitter->orientation(), Qt::Vertical);
            EXPECT_EQ(modes->EditorPn->height(), 291);
        }
        if (combination && c.vertical) {
            EXPECT_EQ(modes->EditPreviewSplitter->orientation(), Qt::Horizontal);
            EXPECT_EQ(modes->EditorPn->width(), 400);
        }
        if (!c.pageShown) {
            EXPECT_EQ(modes->EditorPn->geometry(), modes->EditPreviewSplitter->rect());
        }
        if (!c.editorShown) {
            EXPECT_EQ(modes->PreviewIE->geometry(), modes->EditPreviewSplitter->rect());
        }
    }
    // Leaving preview mode hid the edit tools once and did not reopen them.
    EXPECT_EQ(host.toolsHidden, 1);
}

TEST_F(ViewModesTest, TheSplitChangesTheScreenOnlyInCombinationMode) {
    modes->EditMode();
    Settle();
    const QRect before = modes->EditorPn->geometry();
    // The split commands are off outside combination mode; the setting still changes.
    EXPECT_FALSE(modes->VSetOrientationV->isEnabled());
    modes->SetOrientation(true);
    Settle();
    EXPECT_TRUE(modes->SplitVertical);
    EXPECT_EQ(modes->EditorPn->geometry(), before);
    EXPECT_FALSE(modes->PreviewIE->isVisible());
    EXPECT_TRUE(browser->calls.empty());

    modes->VUserGoCombinationMode->trigger();
    Settle();
    EXPECT_EQ(modes->EditorPn->width(), 400);
    EXPECT_EQ(modes->EditorPn->height(), modes->EditPreviewSplitter->height());
    modes->VSetOrientationH->trigger();
    Settle();
    EXPECT_FALSE(modes->SplitVertical);
    EXPECT_EQ(modes->EditorPn->height(), 291);
    EXPECT_EQ(modes->EditorPn->width(), modes->EditPreviewSplitter->width());
}

TEST(ViewModesLayout, ACombinationChosenBeforeTheWindowShowsIsLaidOutAtItsSize) {
    TFakeViewHost host;
    TViewModes modes(&host, std::make_unique<TRecordingPreviewBrowser>());
    host.modes = &modes;
    modes.SplitVertical = true;
    modes.CombinationMode();
    modes.Area()->resize(900, 500);
    modes.Area()->show();
    QApplication::processEvents();
    EXPECT_EQ(modes.EditorPn->width(), 450);
}

TEST_F(ViewModesTest, UserCommandsFocusTheEditorWhereItIsShown) {
    struct {
        QAction* action;
        int focus;
    } const cases[] = {
        {modes->VUserGoEditMode, 1},
        {modes->VUserGoCombinationMode, 1},
        {modes->VUserGoPreviewPageMode, 0},
        {modes->VViewPage, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.action->objectName().toStdString());
        host.focus = 0;
        c.action->trigger();
        EXPECT_EQ(host.focus, c.focus);
    }
    EXPECT_EQ(modes->ViewMode(), vmPreview);
    // The program's mode changes, as used by the tab switch, keep the focus where it is.
    host.focus = 0;
    modes->PgmGoCombinationMode();
    modes->PgmGoEditMode();
    EXPECT_EQ(host.focus, 0);
}

TEST_F(ViewModesTest, EachDocumentGetsBackTheModeItKept) {
    for (quint8 kept : {vmPreview, vmCombination, vmEdit}) {
        modes->PgmGoMode(kept);
        EXPECT_EQ(modes->ViewMode(), kept);
    }
    modes->PgmGoMode(vmCombination);
    modes->PgmGoMode(7);
    EXPECT_EQ(modes->ViewMode(), vmEdit);
}

TEST_F(ViewModesTest, TheBarShowsTheWarningAndKeepsItsButtonAtTheRight) {
    host.SavedFile(QStringLiteral("bar/page.html"), "<p>x</p>");
    modes->CombinationMode();
    Settle();
    EXPECT_FALSE(modes->Label4->isVisible());
    EXPECT_EQ(modes->Panel6->height(), 33);
    host.modified = true;
    modes->PreviewPage();
    Settle();
    EXPECT_TRUE(modes->Label4->isVisible());
    EXPECT_EQ(modes->Panel6->height(), 49);
    EXPECT_EQ(modes->Label4->text(),
              QStringLiteral("Observera! Eftersom dokumentet inte är sparat till en fil eller "
                             "har modifierats så fungerar inte relativa länkar."));
    EXPECT_EQ(modes->Label7->text(),
              QStringLiteral("Förhandsgranskning sker automatiskt med den inbyggda webbläsaren."));
    modes->Area()->resize(640, 480);
    Settle();
    const QPushButton* button = modes->btnPreviewFullscreen;
    EXPECT_EQ(button->text(), QStringLiteral("&Helskärm"));
    EXPECT_EQ(button->x(), modes->Panel6->width() - button->width() - 12);
    EXPECT_EQ(button->y(), 49 / 2 - button->height() / 2);
}

// --- which page the preview shows ------------------------------------------------------------

struct SourceCase {
    const char* name;
    bool hasFile, modified, autoSave, saveFails;
    bool showsFile, warning;
    int saves;
    bool modifiedAfter;
};

TEST_F(ViewModesTest, PreviewShowsTheFileOnlyWhenItHoldsTheText) {
    EXPECT_EQ(Copy(), AppPaths::DataFile(QStringLiteral("_preview.html")));
    const SourceCase cases[] = {
        {"new document", false, false, false, false, false, true, 0, false},
        {"new document, automatic save", false, true, true, false, false, true, 0, true},
        {"saved", true, false, false, false, true, false, 0, false},
        {"saved, automatic save", true, false, true, false, true, false, 0, false},
        {"modified", true, true, false, false, false, true, 0, true},
        {"modified, automatic save", true, true, true, false, true, false, 1, false},
        {"modified, automatic save fails", true, true, true, true, false, true, 1, true},
    };
    for (const SourceCase& c : cases) {
        SCOPED_TRACE(c.name);
        host.SavedFile(QStringLiteral("source/page.html"), "old text");
        host.hasFile = c.hasFile;
        if (!c.hasFile)
            host.fileName = QStringLiteral("Nytt dokument");
        host.text = "current text";
        host.modified = c.modified;
        host.saveFails = c.saveFails;
        host.saves = 0;
        host.messages.clear();
        AutoSave(c.autoSave);
        QFile::remove(Copy());

        modes->CombinationMode();
        EXPECT_EQ(browser->Last(), Navigated(c.showsFile ? host.fileName : Copy()));
        EXPECT_EQ(modes->Label4->isVisibleTo(modes->Panel6), c.warning);
        EXPECT_EQ(host.saves, c.saves);
        EXPECT_EQ(host.modified, c.modifiedAfter);
        // What the browser is sent to holds the editor's text.
        EXPECT_EQ(ReadTestFile(c.showsFile ? host.fileName : Copy()),
                  c.showsFile && c.saves == 0 ? QByteArray("old text")
                                              : QByteArray("current text"));
        EXPECT_EQ(host.messages.size(), c.saveFails ? 1u : 0u);
        host.text = "old text"; // the file of "saved" is the text
    }
}

TEST_F(ViewModesTest, ACopyThatCannotBeWrittenIsReportedAndTheBrowserStillGoes) {
    host.writeFails = true;
    modes->PreviewPageMode();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0],
              QStringLiteral("Det gick inte att spara filen för granskning. Filen kan användas av "
                             "en annan process eller så är processen överbelastad."));
    EXPECT_EQ(browser->Last(), Navigated(Copy()));

    AutoUpdate(true);
    host.modified = true;
    host.Edit("<p>y</p>");
    ASSERT_TRUE(WaitForUpdate());
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[1],
              QStringLiteral("Det gick inte att spara filen för granskning. Filnamnet kan vara "
                             "ogiltigt, filen kan användas av en annan process eller så är "
                             "processen överbelastad."));
    EXPECT_EQ(browser->Last(), QStringLiteral("reload ") + Copy());
}

TEST_F(ViewModesTest, NothingIsShownWhileTheProgramStarts) {
    host.startingUp = true;
    modes->CombinationMode();
    modes->PreviewPageMode();
    EXPECT_TRUE(browser->calls.empty());
    EXPECT_EQ(modes->ViewMode(), vmPreview);
}

TEST_F(ViewModesTest, AFailedLoadSwitchesTheAutomaticUpdateOff) {
    AutoUpdate(true);
    modes->CombinationMode();
    host.Edit("<p>a</p>");
    ASSERT_TRUE(modes->APU->isActive());
    browser->Fail();
    EXPECT_FALSE(modes->VToggleAutoPreviewUpdate->isChecked());
    EXPECT_FALSE(modes->APU->isActive());
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0],
              QStringLiteral("Den inbyggda webbläsaren kunde inte navigera till filen för "
                             "granskning. Verifiera att kontrollen är ledig."));
    // A finished load reports nothing.
    browser->Finish();
    EXPECT_EQ(host.messages.size(), 1u);
}

// --- the automatic update ----------------------------------------------------------------------

TEST_F(ViewModesTest, TheCopyFollowsTheTextASecondAfterAnEdit) {
    AutoUpdate(true);
    modes->CombinationMode();
    ASSERT_EQ(browser->Last(), Navigated(Copy()));
    host.Edit("<p>first</p>");
    EXPECT_EQ(modes->APU->interval(), 1000);
    EXPECT_TRUE(modes->APU->isActive());
    host.Edit("<p>second</p>");
    const size_t before = browser->calls.size();
    ASSERT_TRUE(WaitForUpdate());
    EXPECT_EQ(ReadTestFile(Copy()), QByteArray("<p>second</p>"));
    // The page on screen is refreshed once, not navigated anew.
    ASSERT_EQ(browser->calls.size(), before + 1);
    EXPECT_EQ(browser->Last(), QStringLiteral("reload ") + Copy());
    EXPECT_EQ(host.paints, 1);
}

TEST_F(ViewModesTest, TheUpdateIsArmedOnlyWhenAskedForAndOutsideEditMode) {
    modes->CombinationMode();
    host.Edit("a");
    EXPECT_FALSE(modes->APU->isActive());
    AutoUpdate(true);
    modes->EditMode();
    host.Edit("b");
    EXPECT_FALSE(modes->APU->isActive());
    modes->CombinationMode();
    host.Edit("c");
    EXPECT_TRUE(modes->APU->isActive());
    // Entering edit mode stops a pending update.
    modes->EditMode();
    EXPECT_FALSE(modes->APU->isActive());
    // So does switching the automatic update off.
    modes->PreviewPageMode();
    host.Edit("d");
    modes->VToggleAutoPreviewUpdate->trigger();
    EXPECT_FALSE(modes->APU->isActive());
}

TEST_F(ViewModesTest, NoUpdateRunsWhileATabSwitchIsUnderWay) {
    AutoUpdate(true);
    modes->CombinationMode();
    host.Edit("x");
    host.busy = true;
    const size_t before = browser->calls.size();
    ASSERT_TRUE(WaitForUpdate());
    EXPECT_EQ(browser->calls.size(), before);
}

TEST_F(ViewModesTest, AutomaticSaveMarksTheEditAndClearsTheMarkWhenItSaves) {
    host.SavedFile(QStringLiteral("auto/page.html"), "<p>old</p>");
    AutoUpdate(true);
    AutoSave(true);
    modes->CombinationMode();
    ASSERT_EQ(browser->Last(), Navigated(host.fileName));
    host.Edit("<p>new</p>");
    EXPECT_TRUE(host.modified);
    EXPECT_EQ(host.marks, 1);
    // Marking does not save: the first keystroke is not written at once.
    EXPECT_EQ(host.saves, 0);
    // F5 before the update saves first: the stale file is not shown.
    modes->VPreviewPage->trigger();
    EXPECT_EQ(host.saves, 1);
    EXPECT_FALSE(host.modified);
    EXPECT_EQ(ReadTestFile(host.fileName), QByteArray("<p>new</p>"));
    EXPECT_EQ(browser->Last(), Navigated(host.fileName));

    host.Edit("<p>newer</p>");
    EXPECT_TRUE(host.modified);
    ASSERT_TRUE(WaitForUpdate());
    EXPECT_EQ(host.saves, 2);
    EXPECT_EQ(ReadTestFile(host.fileName), QByteArray("<p>newer</p>"));
    EXPECT_EQ(browser->Last(), QStringLiteral("reload ") + host.fileName);
    EXPECT_FALSE(host.modified);
    EXPECT_EQ(host.marks, 2);
    EXPECT_FALSE(modes->Label4->isVisibleTo(modes->Panel6));
}

TEST_F(ViewModesTest, AFailedAutomaticSaveIsReportedAndMarksTheDocument) {
    host.SavedFile(QStringLiteral("autofail/page.html"), "<p>old</p>");
    AutoUpdate(true);
    AutoSave(true);
    modes->CombinationMode();
    host.saveFails = true;
    host.Edit("<p>new</p>");
    ASSERT_TRUE(WaitForUpdate());
    EXPECT_EQ(host.messages, std::vector<QString>{QStringLiteral("save failed")});
    EXPECT_TRUE(host.modified);
    EXPECT_EQ(ReadTestFile(host.fileName), QByteArray("<p>old</p>"));
    // The text is shown from the copy, with the warning.
    EXPECT_EQ(ReadTestFile(Copy()), QByteArray("<p>new</p>"));
    EXPECT_EQ(browser->Last(), Navigated(Copy()));
    EXPECT_TRUE(modes->Label4->isVisibleTo(modes->Panel6));
}

TEST_F(ViewModesTest, AFileDocumentWithoutAutomaticSaveTurnsToTheCopyOnItsFirstEdit) {
    host.SavedFile(QStringLiteral("mark/page.html"), "<p>old</p>");
    modes->CombinationMode();
    ASSERT_EQ(browser->Last(), Navigated(host.fileName));
    host.Edit("<p>new</p>");
    EXPECT_TRUE(host.modified);
    EXPECT_EQ(browser->Last(), Navigated(Copy()));
    EXPECT_EQ(ReadTestFile(Copy()), QByteArray("<p>new</p>"));
    EXPECT_EQ(ReadTestFile(host.fileName), QByteArray("<p>old</p>"));
}

} // namespace
