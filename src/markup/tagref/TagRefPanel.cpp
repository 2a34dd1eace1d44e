#include "markup/tagref/TagRefPanel.h"

#include "controls/PanelCaption.h"
#include "markup/tagref/ReferenceBox.h"

#include <QMenu>
#include <QVBoxLayout>

TTagRefPanel::TTagRefPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("refpanel"));
    setWindowTitle(QStringLiteral("Taggreferens"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    refmemo = new TReferenceBox(this);
    refmemo->setObjectName(QStringLiteral("refmemo"));
    TagRefPopup = new QMenu(this);
    TagRefPopup->setObjectName(QStringLiteral("TagRefPopup"));
    Slupptagg1 = TagRefPopup->addAction(QStringLiteral("&Slå upp tagg..."));
    Slupptagg1->setObjectName(QStringLiteral("Slupptagg1"));
    Slupptagg1->setStatusTip(QStringLiteral("|Visar information om en specifik tagg."));
    Omreferensdatabasen1 = TagRefPopup->addAction(QStringLiteral("&Om referensdatabasen"));
    Omreferensdatabasen1->setObjectName(QStringLiteral("Omreferensdatabasen1"));
    Omreferensdatabasen1->setStatusTip(QStringLiteral("|Visar information om referensdatabasen."));
    refmemo->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(refmemo, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { TagRefPopup->popup(refmemo->mapToGlobal(at)); });
    Caption = new TPanelCaption(this);
    Caption->SetCaptionText(QStringLiteral("Taggreferens"));
    layout->addWidget(refmemo, 1);
    layout->addWidget(Caption);
}
