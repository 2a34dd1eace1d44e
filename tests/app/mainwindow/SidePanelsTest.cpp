#include "MainWinFixture.h"
#include "app/mainwindow/SidePanelArea.h"
#include "app/panels/BookmarksPanel.h"
#include "app/panels/SearchPanel.h"
#include "app/panels/WebSitesPanel.h"
#include "controls/PanelCaption.h"
#include "controls/SidePanelContainer.h"

#include <QAction>
#include <QMenu>
#include <QMessageBox>

namespace {

class SidePanelsTest : public MainWinTest {
protected:
    QStringList Captions(const TSidePanelContainer* stack) const {
        QStringList out;
        for (int i = 0; i < stack->PanelCount(); ++i)
            out << stack->PanelCaption(i)->CaptionText();
        return out;
    }
    bool Checked(const char* action) {
        win->CentralActionListUpdate();
        return win->Action(QLatin1String(action))->isChecked();
    }
};

} // namespace

TEST_F(SidePanelsTest, TheLeftStackHoldsWebSitesSearchAndBookmarksInOrder) {
    const TSidePanelContainer* left = win->SideBarL;
    ASSERT_EQ(left->PanelCount(), 3);
    EXPECT_EQ(left->Panel(0), win->projectpn);
    EXPECT_EQ(left->Panel(1), win->searchpn);
    EXPECT_EQ(left->Panel(2), win->bmpn);
    EXPECT_EQ(Captions(left), (QStringList{"Projekthanterare", "Kodsökning", "Bokmärken"}));
    EXPECT_EQ(win->SideBarR->PanelCount(), 0);
    // No panel shows at start: neither stack takes room.
    EXPECT_TRUE(left->isHidden());
    EXPECT_TRUE(win->SideBarR->isHidden());
}

TEST_F(SidePanelsTest, EachToggleAndStangPanelShowOrHideOnePanel) {
    const struct {
        const char* toggle;
        QWidget* panel;
        int index;
    } cases[] = {{"VToggleCommonDocs", win->projectpn, 0},
                 {"VToggleSearch", win->searchpn, 1},
                 {"VToggleBookmarks", win->bmpn, 2}};
    for (const auto& c : cases) {
        ASSERT_TRUE(Run(c.toggle));
        EXPECT_TRUE(win->SidePanelVisible(c.panel)) << c.toggle;
        EXPECT_FALSE(win->SideBarL->isHidden());
        EXPECT_TRUE(Checked(c.toggle));
        for (const auto& other : cases) {
            if (other.panel != c.panel) {
                EXPECT_FALSE(win->SidePanelVisible(other.panel)) << c.toggle;
            }
        }

        // The heading bar's "Stäng panel" hides exactly this panel, and the stack with it.
        QAction* close = win->SideBarL->PanelMenu(c.index)->actions().value(0);
        ASSERT_NE(close, nullptr);
        EXPECT_EQ(close->text(), "Stäng panel");
        close->trigger();
        EXPECT_FALSE(win->SidePanelVisible(c.panel)) << c.toggle;
        EXPECT_FALSE(Checked(c.toggle));
        EXPECT_TRUE(win->SideBarL->isHidden());
    }
}

TEST_F(SidePanelsTest, VisibilityIsStoredAndApplied) {
    TSettingsValues values = win->CurrentSettings();
    EXPECT_FALSE(values.ShowCommonDocs || values.ShowSearch || values.ShowBookmarks);
    values.ShowSearch = true;
    values.ShowBookmarks = true;
    win->ApplySettings(values);
    EXPECT_TRUE(win->SidePanelVisible(win->searchpn));
    EXPECT_TRUE(win->SidePanelVisible(win->bmpn));
    EXPECT_FALSE(win->SidePanelVisible(win->projectpn));
    win->SideBarL->HidePanel(2);
    const TSettingsValues taken = win->CurrentSettings();
    EXPECT_TRUE(taken.ShowSearch);
    EXPECT_FALSE(taken.ShowBookmarks);
}

// A subsystem's panel on the right: its own stack, its visibility reported, and the documents
// make room for it.
TEST_F(SidePanelsTest, APanelOnTheRightGetsTheRightStack) {
    win->resize(900, 600);
    win->show();
    auto* panel = new QWidget;
    panel->setObjectName(QStringLiteral("refpanel"));
    panel->setWindowTitle(QStringLiteral("Taggreferens"));
    int changes = 0;
    ASSERT_TRUE(RunCommand([&] { win->AddSidePanel(panel, true, [&] { ++changes; }); }));
    EXPECT_EQ(Captions(win->SideBarR), QStringList{"Taggreferens"});
    EXPECT_FALSE(win->SidePanelVisible(panel));

    auto* area = static_cast<TSidePanelArea*>(win->centralWidget());
    const int fullWidth = area->Centre()->width();
    win->SetSidePanelVisible(panel, true);
    EXPECT_TRUE(win->SidePanelVisible(panel));
    EXPECT_TRUE(win->CurrentDocState().RightPanelVisible) << "its toggle's check mark";
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(win->SideBarR->isVisible());
    EXPECT_LT(area->Centre()->width(), fullWidth);
    EXPECT_LE(area->Centre()->geometry().right(), win->SideBarR->geometry().left());

    win->SideBarR->PanelMenu(0)->actions().value(0)->trigger();
    EXPECT_FALSE(win->SidePanelVisible(panel));
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(area->Centre()->width(), fullWidth);

    // A second panel of the same name is refused and the caller stops.
    auto* twin = new QWidget(win.get());
    twin->setObjectName(QStringLiteral("refpanel"));
    QString shown;
    {
        const Dialogs::ScopedModalHandler plain([&](QDialog* d) {
            if (auto* box = qobject_cast<QMessageBox*>(d))
                shown = box->text();
            return int(Dialogs::mrOk);
        });
        EXPECT_FALSE(RunCommand([&] { win->AddSidePanel(twin, true); }));
    }
    EXPECT_EQ(shown, TSidePanelContainer::DuplicateMessage());
    EXPECT_EQ(win->SideBarR->PanelCount(), 1);
}
