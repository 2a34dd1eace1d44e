// The main window's side panels in their two stacks: web sites, search and bookmarks on the
// left, and what the subsystems add.
#include "app/mainwindow/MainWin.h"

#include "app/mainwindow/SidePanelArea.h"
#include "app/panels/BookmarksPanel.h"
#include "app/panels/SearchPanel.h"
#include "app/panels/WebSitesPanel.h"
#include "app/preview/FSControlWin.h"
#include "app/preview/PreviewWin.h"
#include "app/preview/ViewModes.h"
#include "controls/SidePanelContainer.h"
#include "editor/view/TextEditorEx.h"
#include "platform/SilentAbort.h"

#include <QEvent>

namespace {

// Runs a function whenever a panel is shown or hidden (also by its own "Stäng panel").
class TVisibilityWatch : public QObject {
public:
    TVisibilityWatch(QWidget* panel, std::function<void()> changed)
        : QObject(panel), changed_(std::move(changed)) {
        panel->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent)
            RunCommand(changed_);
        return false;
    }

private:
    std::function<void()> changed_;
};

// The stack holding a panel and the panel's index there; null when no stack holds it.
std::pair<TSidePanelContainer*, int> Place(TSidePanelContainer* left, TSidePanelContainer* right,
                                           const QWidget* panel) {
    for (TSidePanelContainer* stack : {left, right})
        for (int i = 0; stack && panel && i < stack->PanelCount(); ++i)
            if (stack->Panel(i) == panel)
                return {stack, i};
    return {nullptr, -1};
}

} // namespace

void Tmain::BuildSidePanels(QWidget* centre) {
    auto* area = new TSidePanelArea(centre, this);
    area->setObjectName(QStringLiteral("SidePanelArea"));
    SideBarL = area->Left();
    SideBarR = area->Right();
    setCentralWidget(area);

    // Left panels 0, 1 and 2; the FTP panel comes as 3 and the tag reference as the right
    // one when their subsystems install them.
    projectpn = new TWebSitesPanel(this);
    searchpn = new TSearchPanel(this);
    bmpn = new TBookmarksPanel(this);
    AddSidePanel(projectpn, false, [this] { RequestActionUpdate(); });
    AddSidePanel(searchpn, false, [this] {
        RequestActionUpdate();
        TestSearchButtonsEnabled();
    });
    AddSidePanel(bmpn, false, [this] { RequestActionUpdate(); });
    for (QWidget* panel : {static_cast<QWidget*>(projectpn), static_cast<QWidget*>(searchpn),
                           static_cast<QWidget*>(bmpn)})
        Views->AddEditOnly(panel);
}

void Tmain::AddSidePanel(QWidget* panel, bool right, std::function<void()> visibilityChanged) {
    TSidePanelContainer* stack = right ? SideBarR : SideBarL;
    panel->hide();
    stack->AddPanel(panel);
    if (visibilityChanged)
        new TVisibilityWatch(panel, std::move(visibilityChanged));
}

void Tmain::SetSidePanelVisible(QWidget* panel, bool visible) {
    const auto [stack, index] = Place(SideBarL, SideBarR, panel);
    if (stack && stack->PanelVisible(index) != visible)
        stack->SetPanelVisible(index, visible);
}

bool Tmain::SidePanelVisible(const QWidget* panel) const {
    const auto [stack, index] = Place(SideBarL, SideBarR, panel);
    return stack && stack->PanelVisible(index);
}

void Tmain::TestSearchButtonsEnabled() {
    if (!searchpn || !SidePanelVisible(searchpn) || !searchpn->isEnabled())
        return;
    searchpn->UpdateButtons(CodeEditor->HasSelection());
}

TPreviewFrm* Tmain::PreviewFrm() const {
    return FSControl ? FSControl->Preview() : nullptr;
}
