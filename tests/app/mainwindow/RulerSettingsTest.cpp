// The main window's ruler: beside the editor, and its settings kept through the window.
#include "StartupFixture.h"

#include "editor/view/Ruler.h"
#include "editor/view/TextEditorEx.h"

#include <QAction>
#include <QMenu>

namespace {

TRuler* RulerOf(const Tmain& win) {
    return win.CodeEditor->Ruler();
}

QAction* MenuItem(TRuler* ruler, const QString& caption) {
    for (QAction* a : ruler->PopupMenu()->actions())
        if (a->text() == caption)
            return a;
    return nullptr;
}

} // namespace

TEST_F(StartupTest, RulerStandsLeftOfTheEditor) {
    win = std::make_unique<Tmain>();
    win->show();
    TRuler* ruler = RulerOf(*win);
    ASSERT_NE(ruler, nullptr);
    EXPECT_EQ(ruler->TextEditorEx(), win->CodeEditor);
    EXPECT_TRUE(ruler->isVisible());
    EXPECT_EQ(ruler->parentWidget(), win->CodeEditor->parentWidget());
    EXPECT_EQ(ruler->geometry().right() + 1, win->CodeEditor->x());
    EXPECT_EQ(ruler->y(), win->CodeEditor->y());
    EXPECT_EQ(ruler->height(), win->CodeEditor->height());
    // Defaults of the store: a plain ruler in the control colours.
    EXPECT_EQ(ruler->SurfaceType(), TSurfaceType::stSolid);
    EXPECT_EQ(ruler->Color(), clBtnShadow);
}

struct TRulerSettings {
    bool visible, show, gradient;
    int every;
    TColor color, gradientColor;
};

// Each set of values reaches the ruler and comes back unchanged.
TEST_F(StartupTest, RulerSettingsRoundTrip) {
    win = std::make_unique<Tmain>();
    const TRulerSettings cases[] = {
        {false, false, true, 7, RGBColor(1, 2, 3), RGBColor(250, 251, 252)},
        {true, true, false, 10, 0x444444, clBlack},
        {true, false, true, 1, 0xFF000002, 0xFF00001B},
    };
    for (const TRulerSettings& c : cases) {
        TSettingsValues v = win->CurrentSettings();
        v.RulerVisible = c.visible;
        v.RulerShowLineNumbers = c.show;
        v.RulerGradient = c.gradient;
        v.RulerLineNumberEvery = c.every;
        v.RulerColor = c.color;
        v.RulerGradientColor = c.gradientColor;
        win->ApplySettings(v);
        const TRuler* ruler = RulerOf(*win);
        EXPECT_EQ(ruler->isVisibleTo(win.get()), c.visible);
        EXPECT_EQ(ruler->ShowLineNumbers(), c.show);
        EXPECT_EQ(ruler->SurfaceType() == TSurfaceType::stGradient, c.gradient);
        EXPECT_EQ(ruler->LineNumberEvery(), c.every);
        EXPECT_EQ(ruler->Color(), c.color);
        EXPECT_EQ(ruler->GradientColor(), c.gradientColor);
        const TSettingsValues back = win->CurrentSettings();
        EXPECT_EQ(back.RulerVisible, c.visible);
        EXPECT_EQ(back.RulerShowLineNumbers, c.show);
        EXPECT_EQ(back.RulerGradient, c.gradient);
        EXPECT_EQ(back.RulerLineNumberEvery, c.every);
        EXPECT_EQ(back.RulerColor, c.color);
        EXPECT_EQ(back.RulerGradientColor, c.gradientColor);
    }
}

// What the ruler's menu changes while the program runs is what the close writes.
TEST_F(StartupTest, RulerMenuChangesAreWritten) {
    win = std::make_unique<Tmain>();
    win->show();
    TRuler* ruler = RulerOf(*win);
    MenuItem(ruler, TRuler::EveryCaption(3))->trigger();
    MenuItem(ruler, "Gradient bakgrund")->trigger();
    MenuItem(ruler, "Visa radnummer")->trigger();
    MenuItem(ruler, "Standardfärgschema: Standard (Zaziriziva svart)")->trigger();
    ruler->hide();
    ASSERT_TRUE(win->close());
    EXPECT_EQ(Stored("RulerLineNumberEvery").toInt(), 3);
    EXPECT_EQ(Stored("RulerGradient").toInt(), 1);
    EXPECT_EQ(Stored("RulerShowLineNumbers").toInt(), 0);
    EXPECT_EQ(Stored("RulerColor").toUInt(), 0x444444u);
    EXPECT_EQ(Stored("RulerGradientColor").toUInt(), clBlack);
    EXPECT_EQ(Stored("RulerVisible").toInt(), 0);
}
