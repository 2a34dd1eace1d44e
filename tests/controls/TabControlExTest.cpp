#include "controls/TabControlEx.h"

#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct TabStrip : ::testing::Test {
    void SetUp() override {
        tabs.addTab(QStringLiteral("a.html ()"));
        tabs.addTab(QStringLiteral("b.html ()"));
        tabs.addTab(QStringLiteral("c.html ()"));
        tabs.resize(400, 30);
        tabs.show();
        tabs.SetTabPopupMenu(&menu);
        menu.addAction(QStringLiteral("Stäng"));
    }
    void TearDown() override { menu.hide(); }
    void RightClick(const QPoint& at) { QTest::mouseClick(&tabs, Qt::RightButton, {}, at); }

    TTabControlEx tabs;
    QMenu menu;
};

} // namespace

TEST_F(TabStrip, RightClickActivatesTheTabBeforeTheMenu) {
    tabs.SetPopupActivatesTab(true);
    QSignalSpy changes(&tabs, &QTabBar::currentChanged);
    RightClick(tabs.tabRect(2).center());
    EXPECT_EQ(tabs.currentIndex(), 2);
    EXPECT_EQ(changes.count(), 1);
    EXPECT_TRUE(menu.isVisible());
}

TEST_F(TabStrip, RightClickWithoutActivationKeepsTheTab) {
    RightClick(tabs.tabRect(1).center());
    EXPECT_EQ(tabs.currentIndex(), 0);
    EXPECT_TRUE(menu.isVisible());
}

TEST_F(TabStrip, RightClickBesideTheTabsShowsNothing) {
    tabs.SetPopupActivatesTab(true);
    RightClick(QPoint(tabs.width() - 2, tabs.height() / 2));
    ASSERT_LT(tabs.tabAt(QPoint(tabs.width() - 2, tabs.height() / 2)), 0);
    EXPECT_EQ(tabs.currentIndex(), 0);
    EXPECT_FALSE(menu.isVisible());
}

TEST_F(TabStrip, LeftClickSelectsAsUsual) {
    QTest::mouseClick(&tabs, Qt::LeftButton, {}, tabs.tabRect(1).center());
    EXPECT_EQ(tabs.currentIndex(), 1);
    EXPECT_FALSE(menu.isVisible());
}
