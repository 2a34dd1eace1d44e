// Every item of the window's menus, toolbars and tab-strip menu runs a command of the
// registry, with every subsystem installed as the program has them.
#include "app/MainWinFixture.h"
#include "app/mainwindow/MenuLayout.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

namespace {

// The items of a menu and its submenus as "menu/name"; separators, submenu headings and the
// items a menu makes as it opens (documents, clips) are left out.
void Collect(const QMenu* menu, QStringList* items, QStringList* unnamed) {
    for (QAction* a : menu->actions()) {
        if (a->isSeparator() || MenuLayout::IsRunTimeItem(a))
            continue;
        if (a->menu()) {
            Collect(a->menu(), items, unnamed);
            continue;
        }
        if (a->objectName().isEmpty())
            *unnamed << menu->objectName() + QLatin1Char('/') + a->text();
        else
            *items << menu->objectName() + QLatin1Char('/') + a->objectName();
    }
}

} // namespace

TEST_F(MainWinTest, EveryMenuAndToolbarItemNamesARegisteredCommand) {
    // The menus that fill themselves as they open do so first.
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(RunCommand([&] { win->Commands().Run(QStringLiteral("ANewDoc")); }));
    for (QMenu* menu : {win->mnuDocTabs, win->Arkiv1, win->Menu(QStringLiteral("Redigera1")),
                        win->PasteDataPopup, win->ReopenPopup})
        emit menu->aboutToShow();

    QStringList items, unnamed;
    for (QAction* top : win->menuBar()->actions())
        if (top->menu())
            Collect(top->menu(), &items, &unnamed);
    Collect(win->TabsPopup, &items, &unnamed);
    Collect(win->documentPopup, &items, &unnamed);
    Collect(win->ReopenPopup, &items, &unnamed);
    // Every button of a toolbar, also those of the widgets a toolbar holds.
    for (const QToolBar* bar : win->findChildren<QToolBar*>())
        for (const QToolButton* button : bar->findChildren<QToolButton*>())
            if (const QAction* a = button->defaultAction())
                items << bar->objectName() + QLatin1Char('/') + a->objectName();

    EXPECT_TRUE(unnamed.isEmpty())
        << "unnamed: " << unnamed.join(QStringLiteral(", ")).toStdString();
    QStringList dead;
    for (const QString& item : items)
        if (!win->Commands().Has(item.section(QLatin1Char('/'), -1)))
            dead << item;
    EXPECT_TRUE(dead.isEmpty()) << "placed but not registered: "
                                << dead.join(QStringLiteral(", ")).toStdString();
    EXPECT_TRUE(win->Commands().Unregistered().isEmpty())
        << win->Commands().Unregistered().join(QStringLiteral(", ")).toStdString();
    // The table's own entries are among them.
    for (const char* name : {"Arkiv1/ASaveDoc", "Redigera1/VToggleSearch", "Visa1/VShowInBrowser",
                             "Oppna1/RoAlfa1", "Toolbar/RDocPaste", "TabsPopup/ADocClose",
                             "documentPopup/RDocCopy", "documentPopup/subtlb"})
        EXPECT_TRUE(items.contains(QLatin1String(name))) << name;
}
