#pragma once

#include <QToolBar>

class QAction;
class QLabel;

// The tag strip "Ändrafält" under the tool bars: which tag the caret stands in, and two
// buttons that modify it or look it up.
class TTagStrip : public QToolBar {
public:
    // The buttons show `modify` and `reference`.
    TTagStrip(QAction* modify, QAction* reference, QWidget* parent = nullptr);

    // Shows a tag name, or "Ingen tagg markerad" and no buttons for an empty one.
    void ShowTag(const QString& name);
    // Whether the two buttons are shown.
    bool ActionsShown() const;

    QLabel* lblSelectedTagLabel;
    QLabel* lblSelectedTag;
    QWidget* pnSelectedTagActions;

private:
    // The strip's item of the buttons' panel: a tool bar shows and hides its widgets through it.
    QAction* actionsItem_;
};
