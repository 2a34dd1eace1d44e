#include "app/commands/CommandRegistry.h"
#include "app/core/ActionStates.h"
#include "platform/SilentAbort.h"

#include <QAction>
#include <QWidget>
#include <gtest/gtest.h>

TEST(CommandRegistry, ACommandShowsWhatItIsAndRunsWithItsRequest) {
    QWidget owner;
    TCommandRegistry commands(&owner);
    std::vector<int> got;
    QAction* action =
        commands.AddWithRequest(QStringLiteral("RDocFind"),
                                {QStringLiteral("Sök..."),
                                 {QKeySequence("Ctrl+F"), QKeySequence("F12")},
                                 QStringLiteral("Sök|Söker i texten."),
                                 true},
                                [&](const TCommandRequest& r) {
                                    got.push_back(r.has_value() ? std::any_cast<int>(r) : 0);
                                });
    EXPECT_EQ(action->text(), "Sök...");
    EXPECT_EQ(action->shortcuts(),
              (QList<QKeySequence>{QKeySequence("Ctrl+F"), QKeySequence("F12")}));
    EXPECT_EQ(action->toolTip(), "Sök");
    EXPECT_EQ(action->statusTip(), "Sök|Söker i texten.");
    EXPECT_TRUE(action->isCheckable());
    EXPECT_TRUE(owner.actions().contains(action)) << "its shortcuts work in the window";

    EXPECT_TRUE(commands.Run(QStringLiteral("RDocFind"), 7));
    action->trigger(); // a menu item runs it without a request
    EXPECT_EQ(got, (std::vector<int>{7, 0}));
    EXPECT_FALSE(commands.Run(QStringLiteral("RDocReplace")));
}

TEST(CommandRegistry, AMenuPlaceIsFilledWhenItsCommandComes) {
    TCommandRegistry commands(nullptr);
    QAction* slot = commands.Slot(QStringLiteral("IInsertTable"));
    EXPECT_FALSE(slot->isVisible());
    EXPECT_FALSE(slot->isEnabled());
    EXPECT_FALSE(commands.Has(QStringLiteral("IInsertTable")));
    EXPECT_EQ(commands.Find(QStringLiteral("IInsertTable")), nullptr);
    EXPECT_EQ(commands.Unregistered(), QStringList{"IInsertTable"});

    int runs = 0;
    QAction* action = commands.Add(QStringLiteral("IInsertTable"), {QStringLiteral("Tabell...")},
                                   [&] { ++runs; });
    EXPECT_EQ(action, slot) << "the menu keeps its item";
    EXPECT_TRUE(action->isVisible());
    EXPECT_TRUE(commands.Unregistered().isEmpty());
    slot->trigger();
    EXPECT_EQ(runs, 1);
}

TEST(CommandRegistry, ExceptionsReachTheCallerOfRunButStopAtATrigger) {
    TCommandRegistry commands(nullptr);
    commands.Add(QStringLiteral("ADocClose"), {QStringLiteral("Stäng")}, [] { Abort(); });
    EXPECT_THROW(commands.Run(QStringLiteral("ADocClose")), ESilentAbort);
    EXPECT_FALSE(commands.Trigger(QStringLiteral("ADocClose"))) << "the abort ended it";
    commands.Find(QStringLiteral("ADocClose"))->trigger(); // caught at its own boundary
}

TEST(CommandRegistry, StatesComeFromTheActionStateTable) {
    TCommandRegistry commands(nullptr);
    for (const char* name : {"RDocCut", "VToggleSearch", "ASaveDoc"})
        commands.Add(QLatin1String(name), {QLatin1String(name)}, [] {});
    TDocState state;
    state.LeftPanelVisible[1] = true;
    commands.ApplyStates(state);
    EXPECT_FALSE(commands.Find(QStringLiteral("RDocCut"))->isEnabled()) << "no selection";
    EXPECT_TRUE(commands.Find(QStringLiteral("VToggleSearch"))->isChecked());
    EXPECT_TRUE(commands.Find(QStringLiteral("ASaveDoc"))->isEnabled()) << "not in the table";

    state.HasSelection = true;
    state.LeftPanelVisible[1] = false;
    commands.ApplyStates(state);
    EXPECT_TRUE(commands.Find(QStringLiteral("RDocCut"))->isEnabled());
    EXPECT_FALSE(commands.Find(QStringLiteral("VToggleSearch"))->isChecked());
    EXPECT_TRUE(commands.Unregistered().isEmpty()) << "the table makes no placeholders";
}
