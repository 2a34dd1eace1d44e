#include "app/core/ActionStates.h"

#include <QCoreApplication>
#include <QSet>
#include <gtest/gtest.h>
#include <map>

namespace {

std::map<QString, TActionState> ByName(const TDocState& s) {
    std::map<QString, TActionState> out;
    for (const TActionState& a : ActionStates(s))
        EXPECT_TRUE(out.emplace(a.Name, a).second) << a.Name.toStdString() << " twice";
    return out;
}

TEST(ActionStatesTest, EnabledStatesFollowTheDocument) {
    TDocState plain;
    TDocState saved = plain;
    saved.HasFile = true;
    TDocState changed = saved;
    changed.Modified = true;
    TDocState editing = changed;
    editing.HasSelection = editing.HasText = editing.CanUndo = editing.CanRedo = true;
    TDocState preview = editing;
    preview.PreviewMode = true;

    struct Case {
        const char* what;
        TDocState state;
        bool del, recreate, undo, cut, selectAll, previewPage;
    };
    const Case cases[] = {
        {"new empty document", plain, false, false, false, false, false, false},
        {"saved file", saved, true, false, false, false, false, false},
        {"modified file", changed, true, true, false, false, false, false},
        {"text, selection and undo", editing, true, true, true, true, true, false},
        {"preview mode", preview, true, true, false, false, false, true},
    };
    for (const Case& c : cases) {
        auto a = ByName(c.state);
        EXPECT_EQ(a["ADocDel"].Enabled, c.del) << c.what;
        EXPECT_EQ(a["AOpenFileFolder"].Enabled, c.del) << c.what;
        EXPECT_EQ(a["ARecreateDoc"].Enabled, c.recreate) << c.what;
        EXPECT_EQ(a["RDocUndo"].Enabled, c.undo) << c.what;
        EXPECT_EQ(a["RDocRedo"].Enabled, c.undo) << c.what;
        for (const char* n : {"RDocCut", "RDocCopy", "FEncodeOmega", "VApplyROT13"})
            EXPECT_EQ(a[n].Enabled, c.cut) << c.what << " " << n;
        for (const char* n : {"RSelectAll", "RClearAll", "VSortRows"})
            EXPECT_EQ(a[n].Enabled, c.selectAll) << c.what << " " << n;
        EXPECT_EQ(a["VPreviewPage"].Enabled, c.previewPage) << c.what;
        EXPECT_FALSE(a["RDocCut"].Checked.has_value());
    }
}

TEST(ActionStatesTest, CheckedStatesFollowTheWindow) {
    TDocState s;
    s.CombinationMode = true;
    s.SplitVertical = true;
    s.RulerVisible = true;
    s.LeftPanelVisible[2] = true;
    s.ShowHiddenChars = true;
    auto a = ByName(s);
    EXPECT_EQ(a["VSetOrientationH"].Enabled, true);
    EXPECT_EQ(a["VSetOrientationH"].Checked, false);
    EXPECT_EQ(a["VSetOrientationV"].Checked, true);
    EXPECT_EQ(a["VToggleRuler"].Checked, true);
    EXPECT_EQ(a["VToggleBookmarks"].Checked, true);
    EXPECT_EQ(a["VToggleSearch"].Checked, false);
    EXPECT_EQ(a["FToggleShowHiddenChars"].Checked, true);
    EXPECT_EQ(a["VToggleAutoSaveOnUpdate"].Enabled, true);
    EXPECT_FALSE(a["VToggleRuler"].Enabled.has_value());

    s.CombinationMode = false;
    a = ByName(s);
    EXPECT_EQ(a["VSetOrientationV"].Enabled, false);
    EXPECT_EQ(a["VToggleAutoPreviewUpdate"].Enabled, false);
}

TEST(ActionStatesTest, UpdatesAreCoalescedIntoOnePerEventLoopTurn) {
    int calls = 0;
    TCoalescedCall* self = nullptr;
    TCoalescedCall update([&] {
        if (++calls == 1)
            self->Request(); // a change made by the update itself waits for the next turn
    });
    self = &update;
    update.Request();
    update.Request();
    update.Request();
    EXPECT_EQ(calls, 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(calls, 1);
    QCoreApplication::processEvents();
    EXPECT_EQ(calls, 2);
    QCoreApplication::processEvents();
    EXPECT_EQ(calls, 2);
    EXPECT_FALSE(update.IsPending());
}

} // namespace
