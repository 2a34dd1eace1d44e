// The main window's bookmarks panel "Bokmärken": the list of line bookmarks of the current
// document.
#include "app/mainwindow/MainWin.h"

#include "app/panels/BookmarksPanel.h"
#include "app/preview/ViewModes.h"
#include "editor/view/TextEditorEx.h"
#include "platform/SilentAbort.h"

#include <QAction>
#include <QDockWidget>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

void Tmain::CreateBookmarksPanel() {
    BookmarksDock = new QDockWidget(QStringLiteral("Bokmärken"), this);
    BookmarksDock->setObjectName(QStringLiteral("BookmarksDock"));
    BookmarksDock->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    BookmarksDock->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
    bmpn = new TBookmarksPanel(BookmarksDock);
    BookmarksDock->setWidget(bmpn);
    addDockWidget(Qt::LeftDockWidgetArea, BookmarksDock);
    BookmarksDock->hide();
    Views->AddEditOnly(bmpn);
    connect(BookmarksDock, &QDockWidget::visibilityChanged, this,
            [this](bool) { RequestActionUpdate(); });

    QAction* toggle = AddAction(QStringLiteral("VToggleBookmarks"), QStringLiteral("Bokmärken"), {},
                                [this] { ToggleBookmarks(); });
    toggle->setCheckable(true);
    if (auto* view =
            menuBar()->findChild<QMenu*>(QStringLiteral("Visa1"), Qt::FindDirectChildrenOnly)) {
        view->addSeparator();
        view->addAction(toggle);
    }

    const auto command = [this](auto* sender, auto signal, void (Tmain::*handler)()) {
        connect(sender, signal, this,
                [this, handler] { RunCommand([this, handler] { (this->*handler)(); }); });
    };
    command(bmpn->btnAddBookmark, &QPushButton::clicked, &Tmain::btnAddBookmarkClick);
    command(bmpn->Laggtillaktuellrad1, &QAction::triggered, &Tmain::btnAddBookmarkClick);
    command(bmpn->Taborttmarkeradebokmrken1, &QAction::triggered,
            &Tmain::abortmarkeradebokmrken1Click);
    command(bmpn->Markeraallabokmrken1, &QAction::triggered, &Tmain::Markeraallabokmrken1Click);
    command(bmpn->bmPopup, &QMenu::aboutToShow, &Tmain::bmPopupPopup);
    connect(bmpn->bookmarks, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        const int row = bmpn->bookmarks->row(item);
        RunCommand([this, row] { bookmarksClick(row); });
    });
}

void Tmain::ApplyBookmarksSettings(const TSettingsValues& values) {
    BookmarksDock->setVisible(values.ShowBookmarks);
}

void Tmain::TakeBookmarksSettings(TSettingsValues* values) const {
    values->ShowBookmarks = BookmarksPanelVisible();
}

bool Tmain::BookmarksPanelVisible() const {
    return BookmarksDock && BookmarksDock->isVisibleTo(this);
}

QStringList Tmain::BookmarksEntries() const {
    return bmpn->Entries();
}

void Tmain::SetBookmarksEntries(const QStringList& entries) {
    bmpn->SetEntries(entries);
}

void Tmain::ToggleBookmarks() {
    BookmarksDock->setVisible(!BookmarksPanelVisible());
    RequestActionUpdate();
}

void Tmain::btnAddBookmarkClick() {
    const int line = CodeEditor->GetCaretPos().y();
    bmpn->AddEntry(TBookmarksPanel::EntryText(line, CodeEditor->Lines[line]));
}

void Tmain::bookmarksClick(int row) {
    if (row < 0 || row >= bmpn->bookmarks->count())
        return;
    const int n = TBookmarksPanel::EntryLine(bmpn->bookmarks->item(row)->text());
    if (n > 0)
        CodeEditor->SelectLine(n - 1);
}

void Tmain::abortmarkeradebokmrken1Click() {
    bmpn->DeleteSelected();
}

void Tmain::Markeraallabokmrken1Click() {
    bmpn->SelectAll();
}

void Tmain::bmPopupPopup() {
    bmpn->PreparePopup();
}
