#pragma once

#include <QMenu>
#include <QPointer>
#include <QTabBar>

// The document tab strip: a tab bar with a context menu per tab. currentChanged is its
// OnChange; the program blocks it while it changes the tabs itself.
class TTabControlEx : public QTabBar {
public:
    explicit TTabControlEx(QWidget* parent = nullptr);

    QMenu* TabPopupMenu() const { return popup_; }
    void SetTabPopupMenu(QMenu* menu) { popup_ = menu; }
    // A right click on a tab that is not current first makes it current (firing OnChange).
    bool PopupActivatesTab() const { return activates_; }
    void SetPopupActivatesTab(bool value) { activates_ = value; }

protected:
    void mousePressEvent(QMouseEvent* e) override;

private:
    QPointer<QMenu> popup_;
    bool activates_ = false;
};
