#include "controls/SidePanelContainer.h"
#include "controls/GradientControl.h"
#include "controls/PanelCaption.h"
#include "platform/Dialogs.h"
#include "platform/SilentAbort.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

struct SideStack : ::testing::Test {
    void SetUp() override {
        window.resize(800, 600);
        stack = new TSidePanelContainer(&window);
        stack->setGeometry(0, 0, 200, 600);
        stack->SetAlign(alLeft);
        window.show();
    }

    QWidget* NewPanel(const QString& name, const QString& caption) {
        auto* panel = new QWidget;
        panel->setObjectName(name);
        panel->setWindowTitle(caption);
        return panel;
    }
    void AddThree() {
        stack->AddPanel(NewPanel("WebsitePanel", "Webbplatser"));
        stack->AddPanel(NewPanel("BookmarkPanel", "Bokmärken"));
        stack->AddPanel(NewPanel("TagPanel", "Taggar"));
    }

    QWidget window;
    TSidePanelContainer* stack = nullptr;
    QStringList messages;
    Dialogs::ScopedModalHandler boxes{[this](QDialog* d) {
        if (auto* box = qobject_cast<QMessageBox*>(d))
            messages << box->text();
        return int(QMessageBox::Ok);
    }};
};

} // namespace

TEST_F(SideStack, ThreePanelsShareTheHeightAndTheLastTakesTheRest) {
    AddThree();
    ASSERT_EQ(stack->PanelCount(), 3);
    EXPECT_EQ(stack->Panel(0)->geometry(), QRect(0, 0, 200, 200));
    EXPECT_EQ(stack->ChildAlign(stack->Panel(0)), alTop);
    EXPECT_EQ(stack->Panel(1)->height(), 200);
    EXPECT_EQ(stack->ChildAlign(stack->Panel(2)), alClient);
    const QList<TSidePanelContainer::Splitter*> splitters = stack->Splitters();
    ASSERT_EQ(splitters.size(), 2);
    EXPECT_EQ(splitters[0]->objectName(), QStringLiteral("splitter1"));
    EXPECT_EQ(splitters[1]->objectName(), QStringLiteral("splitter2"));
    EXPECT_EQ(splitters[0]->Tag(), 1);
    EXPECT_EQ(splitters[1]->Tag(), 2);
    EXPECT_EQ(splitters[0]->statusTip(), QStringLiteral("Drag för att ändra storlek på panelen."));
    // From the top: panel, splitter, panel, splitter, panel filling the rest.
    EXPECT_EQ(splitters[0]->y(), 200);
    EXPECT_EQ(stack->Panel(1)->y(), 200 + splitters[0]->height());
    EXPECT_EQ(splitters[1]->y(), stack->Panel(1)->geometry().bottom() + 1);
    EXPECT_EQ(stack->Panel(2)->geometry().bottom(), 599);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(SideStack, EachPanelGetsAHeadingBarWithItsOwnCaption) {
    AddThree();
    TPanelCaption* bar = stack->PanelCaption(1);
    EXPECT_EQ(bar->parentWidget(), stack->Panel(1));
    EXPECT_EQ(bar->CaptionText(), QStringLiteral("Bokmärken"));
    EXPECT_TRUE(stack->Panel(1)->windowTitle().isEmpty());
    EXPECT_EQ(bar->geometry(), QRect(0, -1, 200, 23));
    stack->resize(250, 600);
    EXPECT_EQ(bar->width(), 250);
    QMenu* menu = stack->PanelMenu(1);
    EXPECT_EQ(menu->parent(), stack);
    ASSERT_EQ(menu->actions().size(), 1);
    EXPECT_EQ(menu->actions()[0]->text(), QStringLiteral("Stäng panel"));
    EXPECT_EQ(menu->actions()[0]->statusTip(), QStringLiteral("Stänger sidopanelen."));
}

TEST_F(SideStack, CloseEntryHidesExactlyItsOwnPanel) {
    AddThree();
    stack->PanelMenu(1)->actions()[0]->trigger();
    EXPECT_TRUE(stack->PanelVisible(0));
    EXPECT_FALSE(stack->PanelVisible(1));
    EXPECT_TRUE(stack->PanelVisible(2));
    EXPECT_TRUE(stack->Splitters()[0]->isHidden());
    EXPECT_FALSE(stack->Splitters()[1]->isHidden());
    EXPECT_EQ(stack->Panel(2)->y(), 200 + stack->Splitters()[1]->height());
}

TEST_F(SideStack, HidingTheLastPanelLetsTheOneBeforeItTakeTheRest) {
    AddThree();
    stack->HidePanel(2);
    EXPECT_EQ(stack->ChildAlign(stack->Panel(1)), alClient);
    EXPECT_EQ(stack->Panel(1)->geometry().bottom(), 599);
    EXPECT_TRUE(stack->Splitters()[1]->isHidden());
    stack->ShowPanel(2);
    EXPECT_EQ(stack->ChildAlign(stack->Panel(1)), alTop);
    EXPECT_EQ(stack->Panel(1)->height(), 200);
    EXPECT_EQ(stack->Panel(2)->geometry().bottom(), 599);
}

TEST_F(SideStack, HidingEveryPanelHidesTheStackAndItsSplitter) {
    auto* vsplitter = new TSidePanelContainer::Splitter(&window);
    stack->SetVSplitter(vsplitter);
    AddThree();
    EXPECT_EQ(vsplitter->Align(), alLeft);
    EXPECT_EQ(vsplitter->x(), 201);
    for (int i = 0; i < 3; ++i)
        stack->TogglePanel(i);
    EXPECT_TRUE(stack->isHidden());
    EXPECT_TRUE(vsplitter->isHidden());
    stack->SetPanelVisible(1, true);
    EXPECT_FALSE(stack->isHidden());
    EXPECT_FALSE(vsplitter->isHidden());
    // The splitter above the panel comes back with it, even with nothing above it.
    EXPECT_FALSE(stack->Splitters()[0]->isHidden());
    EXPECT_EQ(stack->Panel(1)->geometry(), QRect(0, 3, 200, 597));

    stack->SetAlign(alRight);
    stack->move(600, 0);
    stack->SetPanelVisible(0, true);
    EXPECT_EQ(vsplitter->Align(), alRight);
    EXPECT_EQ(vsplitter->x(), 599);
}

TEST_F(SideStack, DuplicateNameIsRefusedWithAMessage) {
    stack->AddPanel(NewPanel("WebsitePanel", "Webbplatser"));
    QWidget* twin = NewPanel("WebsitePanel", "Igen");
    EXPECT_THROW(stack->AddPanel(twin), ESilentAbort);
    EXPECT_EQ(messages, QStringList{"SidePanelContainer: Sidopanelen är redan integrerad."});
    EXPECT_EQ(stack->PanelCount(), 1);
    EXPECT_TRUE(stack->Splitters().isEmpty());
    EXPECT_EQ(twin->parent(), nullptr);
    delete twin;
}

TEST_F(SideStack, IndexOutsideTheListChangesNothing) {
    AddThree();
    stack->ShowPanel(3);
    stack->HidePanel(-1);
    stack->TogglePanel(7);
    EXPECT_EQ(messages.size(), 3);
    EXPECT_EQ(
        messages[0],
        QStringLiteral("SidePanelContainer: Det finns ingen sidopanel med angivet matrisindex."));
    EXPECT_FALSE(stack->PanelVisible(3));
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(stack->PanelVisible(i));
}

TEST_F(SideStack, DraggingASplitterResizesThePanelAboveIt) {
    AddThree();
    TSidePanelContainer::Splitter* s = stack->Splitters()[1];
    ASSERT_TRUE(s->OnMoved);
    s->OnMoved(50);
    EXPECT_EQ(stack->Panel(1)->height(), 250);
    EXPECT_EQ(stack->Panel(2)->geometry().bottom(), 599);
    s->OnMoved(-1000);
    EXPECT_EQ(stack->Panel(1)->height(), 30);
    s->OnMoved(1000);
    EXPECT_EQ(stack->Panel(2)->height(), 30);
}

TEST_F(SideStack, TheHeadingBarStandsAboveThePanelsControls) {
    QWidget* panel = NewPanel("SearchPanel", "Kodsökning");
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(6, 6, 6, 6);
    auto* first = new QLabel(QStringLiteral("Sök efter:"), panel);
    layout->addWidget(first);
    layout->addStretch(1);
    stack->AddPanel(panel);
    layout->activate();
    const TPanelCaption* bar = stack->PanelCaption(0);
    EXPECT_GE(first->geometry().top(), bar->geometry().bottom() + 1);
    EXPECT_EQ(layout->contentsMargins().left(), 6) << "only the top margin grows";
}
