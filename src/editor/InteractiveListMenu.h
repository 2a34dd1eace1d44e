#pragma once

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
};
