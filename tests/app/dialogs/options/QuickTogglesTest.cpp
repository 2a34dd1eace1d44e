// The quick toggles of the "Inst&ällningar" menu and the hidden-characters toggle.
#include "MainWinFixture.h"

#include "app/dialogs/options/OptionsCommands.h"

#include <QAction>
#include <QMenu>

namespace {

class QuickTogglesTest : public MainWinTest {
protected:
    void SetUp() override {
        MainWinTest::SetUp();
        win->NormalizeAdditionalPanelTimer.SetClock(&clock);
    }
    void TearDown() override {
        win->NormalizeAdditionalPanelTimer.SetClock(nullptr);
        MainWinTest::TearDown();
    }
    void Wait(int ms) {
        clock.Advance(ms);
        win->NormalizeAdditionalPanelTimer.Poll();
    }
    bool Setting(bool TSettingsValues::*field) const { return win->CurrentSettings().*field; }

    TManualClock clock;
};

TEST_F(QuickTogglesTest, EachToggleFlipsItsSettingAndSaysSoForTwoSeconds) {
    const struct {
        const char* name;
        bool TSettingsValues::*field;
        const char* on;
        const char* off;
    } cases[] = {
        {"ChSettA", &TSettingsValues::AutoCode, "Automatisk teckenkodning aktiverad",
         "Automatisk teckenkodning inaktiverad"},
        {"ChSettB", &TSettingsValues::AutoIndent, "Automatisk indentering aktiverad",
         "Automatisk indentering inaktiverad"},
        {"ChSettC", &TSettingsValues::AutoWiz, "Automatiska kodguider aktiverade",
         "Automatiska kodguider inaktiverade"},
        {"ChSettD", &TSettingsValues::AutoClose, "Automatisk taggstängning aktiverad",
         "Automatisk taggstängning inaktiverad"},
        {"ChSettE", &TSettingsValues::AutoCloseQts, "Automatisk citatstängning aktiverad",
         "Automatisk citatstängning inaktiverad"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const TSettingsValues before = win->CurrentSettings();
        ASSERT_TRUE(before.*c.field); // every one starts switched on
        ASSERT_TRUE(Run(c.name));
        EXPECT_FALSE(Setting(c.field));
        EXPECT_EQ(win->StatusPanel(6), QString::fromUtf8(c.off));
        // Nothing else changed.
        TSettingsValues expected = before;
        expected.*c.field = false;
        EXPECT_TRUE(win->CurrentSettings() == expected);

        Wait(1000);
        ASSERT_TRUE(Run(c.name)); // a second press restores it and starts the two seconds anew
        EXPECT_TRUE(Setting(c.field));
        EXPECT_EQ(win->StatusPanel(6), QString::fromUtf8(c.on));
        Wait(1999);
        EXPECT_EQ(win->StatusPanel(6), QString::fromUtf8(c.on));
        Wait(1);
        EXPECT_EQ(win->StatusPanel(6), QString());
    }
    // The toggles reach the running program, not only the stored values.
    ASSERT_TRUE(Run("ChSettD"));
    EXPECT_FALSE(win->AutoCloseEnabled);
}

TEST_F(QuickTogglesTest, HiddenCharactersToggleSilently) {
    ASSERT_FALSE(win->CodeEditor->Settings()->ShowHiddenChars);
    ASSERT_TRUE(Run("FToggleShowHiddenChars"));
    EXPECT_TRUE(win->CodeEditor->Settings()->ShowHiddenChars);
    EXPECT_EQ(win->StatusPanel(6), QString());
    win->CentralActionListUpdate();
    EXPECT_TRUE(win->Action(QStringLiteral("FToggleShowHiddenChars"))->isChecked());
}

TEST_F(QuickTogglesTest, TheSettingsMenuChecksItsItemsAsItOpens) {
    QMenu* menu = win->Menu(QStringLiteral("Instllningar1"));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->title(), QStringLiteral("Inst&ällningar"));
    QStringList items;
    for (QAction* a : menu->actions())
        items << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
    EXPECT_EQ(items, (QStringList{"IShowOptions", "-", "ChSettA", "ChSettB", "ChSettC", "ChSettD",
                                  "ChSettE"}));
    EXPECT_EQ(win->Action(QStringLiteral("ChSettC"))->shortcut(),
              QKeySequence(QStringLiteral("Ctrl+Shift+Alt+3")));

    TSettingsValues v = win->CurrentSettings();
    v.AutoIndent = false;
    v.AutoCloseQts = false;
    win->ApplySettings(v);
    emit menu->aboutToShow();
    QStringList checked;
    for (const char* name : {"ChSettA", "ChSettB", "ChSettC", "ChSettD", "ChSettE"})
        if (win->Action(QLatin1String(name))->isChecked())
            checked << QLatin1String(name);
    EXPECT_EQ(checked, (QStringList{"ChSettA", "ChSettC", "ChSettD"}));
}

} // namespace
