#pragma once

#include <QWidget>

class TSidePanelContainer;

// The main window's central area: the side-panel stack SideBarL with its splitter RS on the
// left, the documents in the middle, and the stack SideBarR with its splitter RS2 on the
// right. A stack takes room only while one of its panels is visible; dragging its splitter
// makes it wider or narrower.
class TSidePanelArea : public QWidget {
public:
    // The width a stack starts with, and the least room it leaves to the documents.
    static constexpr int DefaultStackWidth = 230;
    static constexpr int MinStackWidth = 60;
    static constexpr int MinCentreWidth = 120;

    // `centre` (the tab strip and the editor) is put between the stacks.
    TSidePanelArea(QWidget* centre, QWidget* parent = nullptr);

    TSidePanelContainer* Left() const { return left_; }
    TSidePanelContainer* Right() const { return right_; }
    QWidget* Centre() const { return centre_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Places the stacks, their splitters and the documents side by side.
    void Arrange();
    int StackWidth(const TSidePanelContainer* stack) const;

    TSidePanelContainer* left_;
    TSidePanelContainer* right_;
    QWidget* centre_;
    bool arranging_ = false;
};
