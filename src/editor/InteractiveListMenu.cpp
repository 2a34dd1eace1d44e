#include "editor/InteractiveListMenu.h"

TInteractiveListMenu::TInteractiveListMenu(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);
    hide();
}

void TInteractiveListMenu::HideList() {
    if (isVisible())
        hide();
}
