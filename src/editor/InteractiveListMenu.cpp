#include "editor/InteractiveListMenu.h"

TInteractiveListMenu::TInteractiveListMenu(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);
    hide();
}

void TInteractiveListMenu::HideList() {
    if (isVisible())
        hide();
}

void TInteractiveListMenu::Popup(TPopupKind kind) {
    ++PopupCount;
    LastPopupKind = kind;
    TypedText.clear();
}

void TInteractiveListMenu::KeyDown(int key) {
    if (key == 27 && CloseOnEsc)
        HideList();
}

void TInteractiveListMenu::KeyPress(char ch) {
    TypedText.append(ch);
}
