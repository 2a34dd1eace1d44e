#pragma once

#include <QWidget>

class QAction;
class QMenu;
class TPanelCaption;
class TReferenceBox;

// The side panel "Taggreferens": the reference box, its popup menu with "&Slå upp tagg..."
// and "&Om referensdatabasen", and a caption bar at its bottom.
class TTagRefPanel : public QWidget {
public:
    explicit TTagRefPanel(QWidget* parent = nullptr);

    TReferenceBox* refmemo;
    QMenu* TagRefPopup;
    QAction* Slupptagg1;
    QAction* Omreferensdatabasen1;
    TPanelCaption* Caption;
};
