#include "MarkupFixture.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

namespace {

TEST_F(MarkupTest, TheCommandsAreRegisteredAndInTheirMenus) {
    const struct {
        const char* name;
        const char* caption;
        const char* key;
        const char* menu;
    } commands[] = {
        {"IInsertDoctype", "Ange dokumenttyp...", "", "Infoga1"},
        {"IInsertHTMLTitle", "Ange sidtitel...", "", "Infoga1"},
        {"IInsertDate", "Datum och tid...", "", "Infoga1"},
        {"IInsertAlpha", "Specialtecken...", "Ctrl+T", "Infoga1"},
        {"IInsertCSSBlock", "Stilmallsgrupp (inom STYLE)...", "", "Infoga1"},
        {"IInsertCSSSpanStyle", "Stilmallsattribut (SPAN STYLE)...", "", "Infoga1"},
        {"IInsertCSSXStyle", "Stilmallsattribut (X STYLE)...", "", "Infoga1"},
        {"IInsertJavaScript", "Skapa nytt skript...", "Ctrl+J", "Infoga1"},
        {"IImplementJavaScript", "Infoga färdigt skript...", "", "Infoga1"},
        {"RPasteInFormatIndex", "Klistra in som...", "Ctrl+Ins", "Redigera1"},
        {"HandleFastTexts", "Texter", "", ""},
        {"InsertFastText", "Infoga snabbtext", "", ""},
        {"PasteInFormat", "Klistra in i format", "", ""},
    };
    for (const auto& c : commands) {
        QAction* action = win->Action(QLatin1String(c.name));
        ASSERT_NE(action, nullptr) << c.name;
        EXPECT_EQ(action->text(), QString::fromUtf8(c.caption));
        EXPECT_EQ(action->shortcut(), QKeySequence(QLatin1String(c.key))) << c.name;
        if (*c.menu) {
            QMenu* menu = win->Menu(QLatin1String(c.menu));
            ASSERT_NE(menu, nullptr) << c.menu;
            EXPECT_TRUE(menu->actions().contains(action)) << c.name;
        }
    }
    // The menus are the window's own, not new ones beside them.
    int insertMenus = 0;
    for (QAction* a : win->menuBar()->actions())
        if (a->menu() && a->menu()->objectName() == QLatin1String("Infoga1"))
            ++insertMenus;
    EXPECT_EQ(insertMenus, 1);
    // "Klistra in som..." comes right after the clips.
    const QList<QAction*> edit = win->Menu(QStringLiteral("Redigera1"))->actions();
    const qsizetype clips = edit.indexOf(win->Menu(QStringLiteral("mnuPaste"))->menuAction());
    ASSERT_GE(clips, 0);
    EXPECT_EQ(edit.value(clips + 1), win->Action(QStringLiteral("RPasteInFormatIndex")));
    // The snippets: the toolbar's "Texter" button drops them down, and so does "&Infoga".
    auto* button = win->Toolbar->findChild<QToolButton*>(QStringLiteral("btnFT"));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->menu(), win->findChild<QMenu*>(QStringLiteral("FTPopup")));
    EXPECT_TRUE(
        win->Menu(QStringLiteral("Infoga1"))->actions().contains(button->menu()->menuAction()));
}

} // namespace
