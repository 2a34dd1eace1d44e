#pragma once

#include <QByteArray>
#include <QWidget>

// The completion list that the editor shows inside itself. Created hidden by the editor's
// constructor, so that every key and mouse handler can rely on it.
class TInteractiveListMenu : public QWidget {
public:
    explicit TInteractiveListMenu(QWidget* parent);

    bool CloseOnEsc = true;
    int Indent = 6;
    int LineSpacing = 3;

    // Hides the list; the editor repaints what it covered.
    void HideList();

    // What the editor asks the list to show for its caret's place.
    enum class TPopupKind { AtCaret, Elements, Attributes };
    void Popup(TPopupKind kind);
    // A key the editor passes on while the list is visible (Windows virtual-key code).
    void KeyDown(int key);
    // A character typed into the editor while the list is visible.
    void KeyPress(char ch);

    // The requests received so far (the list's items are filled in elsewhere).
    int PopupCount = 0;
    TPopupKind LastPopupKind = TPopupKind::AtCaret;
    QByteArray TypedText;
};
