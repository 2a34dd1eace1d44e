// The toolbar and status-bar toggles, the toolbars' edge lines and the StatusFix timer.
#include "MainWinFixture.h"

#include "app/commands/BarCommands.h"
#include "app/core/ToolbarBevels.h"

#include <QAction>
#include <QStatusBar>
#include <QToolBar>

namespace {

constexpr TBevelEdges LTR = beLeft | beTop | beRight;
constexpr TBevelEdges LTRB = LTR | beBottom;

TEST(ToolbarBevelsTest, EdgesFollowWhichBarsAreShown) {
    const struct {
        bool main, insert, modify;
        std::optional<TBevelEdges> mainEdges, insertEdges; // none: unchanged
    } rows[] = {
        {true, true, true, LTR, LTR},
        {true, true, false, LTR, LTRB},
        {true, false, true, LTR, std::nullopt},
        {true, false, false, LTRB, std::nullopt},
        {false, true, true, std::nullopt, LTR},
        {false, true, false, std::nullopt, LTRB},
        {false, false, true, std::nullopt, std::nullopt},
        {false, false, false, std::nullopt, std::nullopt},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << r.main << r.insert << r.modify);
        const TToolbarBevels b = ToolbarBevels(r.main, r.insert, r.modify);
        EXPECT_EQ(b.Main, r.mainEdges);
        EXPECT_EQ(b.Insert, r.insertEdges);
    }
}

TEST_F(MainWinTest, BarsToggleAndTheirEdgesFollow) {
    win->Toolbar->setVisible(true);
    win->InsertToolbar->setVisible(false);
    ASSERT_TRUE(Run("VToggleInputBar"));
    EXPECT_TRUE(win->InsertToolbar->isVisibleTo(win.get()));
    EXPECT_EQ(BarCommands::BevelsOf(win->Toolbar), LTR);
    EXPECT_EQ(BarCommands::BevelsOf(win->InsertToolbar), LTRB);

    // The insert bar alone has all four edges; the hidden main bar keeps its own.
    ASSERT_TRUE(Run("VToggleToolbar"));
    EXPECT_FALSE(win->Toolbar->isVisibleTo(win.get()));
    EXPECT_EQ(BarCommands::BevelsOf(win->InsertToolbar), LTRB);
    EXPECT_EQ(BarCommands::BevelsOf(win->Toolbar), LTR);
    win->CentralActionListUpdate();
    EXPECT_FALSE(win->Action(QStringLiteral("VToggleToolbar"))->isChecked());
    EXPECT_TRUE(win->Action(QStringLiteral("VToggleInputBar"))->isChecked());

    const bool status = win->statusBar()->isVisibleTo(win.get());
    ASSERT_TRUE(Run("VToggleStatusBar"));
    EXPECT_EQ(win->statusBar()->isVisibleTo(win.get()), !status);
    // What the close writes follows.
    EXPECT_FALSE(win->CurrentSettings().ShowToolbar);
    EXPECT_TRUE(win->CurrentSettings().ShowInsertToolbar);
    EXPECT_EQ(win->CurrentSettings().ShowStatus, !status);
}

TEST_F(MainWinTest, StatusFixClearsTheSimpleTextAfterTwoSeconds) {
    TManualClock clock;
    win->StatusFix.SetClock(&clock);
    win->statusBar()->showMessage(QStringLiteral("Webbsidan har skapats."));
    win->StatusFix.Start();
    clock.Advance(1999);
    win->StatusFix.Poll();
    EXPECT_EQ(win->statusBar()->currentMessage(), "Webbsidan har skapats.");
    clock.Advance(1);
    win->StatusFix.Poll();
    EXPECT_EQ(win->statusBar()->currentMessage(), QString());
    EXPECT_FALSE(win->StatusFix.IsActive());
    win->StatusFix.SetClock(nullptr);
}

} // namespace
