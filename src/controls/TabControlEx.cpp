#include "controls/TabControlEx.h"

#include <QMenu>
#include <QMouseEvent>

TTabControlEx::TTabControlEx(QWidget* parent) : QTabBar(parent) {
    setDocumentMode(true);
    setExpanding(false);
    setUsesScrollButtons(true);
    setElideMode(Qt::ElideNone);
}

void TTabControlEx::mousePressEvent(QMouseEvent* e) {
    QTabBar::mousePressEvent(e);
    if (e->button() != Qt::RightButton || !popup_)
        return;
    const int tab = tabAt(e->position().toPoint());
    if (tab < 0)
        return;
    if (activates_ && tab != currentIndex())
        setCurrentIndex(tab);
    e->accept();
    popup_->popup(e->globalPosition().toPoint());
}
