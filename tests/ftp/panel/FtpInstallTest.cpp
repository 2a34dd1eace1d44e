#include "FtpPanelFixture.h"
#include "controls/PanelCaption.h"
#include "controls/SidePanelContainer.h"

#include <QAction>
#include <QMenu>

TEST_F(FtpPanelTest, CommandsMenusAndThePanelsVisibility) {
    QAction* toggle = win->Action(QStringLiteral("VToggleFTP"));
    ASSERT_TRUE(toggle && win->Action(QStringLiteral("ASaveToFTP")));
    EXPECT_EQ(toggle->text(), QStringLiteral("Filöverföring (FTP)"));
    EXPECT_EQ(toggle->statusTip(), QStringLiteral("Visar/döljer panelen Filöverföring (FTP)."));
    EXPECT_EQ(win->Action(QStringLiteral("ASaveToFTP"))->text(),
              QStringLiteral("Spara via FTP..."));
    // Left panel 3; its caption is in its heading bar.
    ASSERT_EQ(win->SideBarL->PanelCount(), 4);
    ASSERT_EQ(win->SideBarL->Panel(3), panel);
    EXPECT_EQ(win->SideBarL->PanelCaption(3)->CaptionText(), QStringLiteral("Filöverföring (FTP)"));

    const QList<QAction*> file = win->Menu(QStringLiteral("Arkiv1"))->actions();
    const auto saveAll = std::find_if(file.begin(), file.end(), [](QAction* a) {
        return a->objectName() == QLatin1String("ASaveAllDocAs");
    });
    ASSERT_TRUE(saveAll != file.end() && saveAll + 1 != file.end());
    EXPECT_EQ((*(saveAll + 1))->objectName(), QStringLiteral("ASaveToFTP"));
    EXPECT_TRUE(win->Menu(QStringLiteral("Visa1"))->actions().contains(toggle));

    // Hidden at first; the command toggles it and its check mark follows.
    EXPECT_FALSE(win->SidePanelVisible(panel));
    win->Commands().Trigger(QStringLiteral("VToggleFTP"));
    win->CentralActionListUpdate();
    EXPECT_TRUE(win->SidePanelVisible(panel));
    EXPECT_TRUE(toggle->isChecked());
    EXPECT_TRUE(win->CurrentSettings().ShowFTP);
    win->Commands().Trigger(QStringLiteral("VToggleFTP"));
    win->CentralActionListUpdate();
    EXPECT_FALSE(toggle->isChecked());
    EXPECT_FALSE(win->CurrentSettings().ShowFTP);

    // The stored setting shows it.
    TSettingsValues v = win->CurrentSettings();
    v.ShowFTP = true;
    win->ApplySettings(v);
    EXPECT_TRUE(win->SidePanelVisible(panel));
}
