#include "modules/ModulesListWin.h"

#include "controls/PanelCaption.h"
#include "platform/Dialogs.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TModulesList::TModulesList(const QStringList& paths, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ModulesList"));
    setWindowTitle(QStringLiteral("Tilläggsmoduler"));
    auto* layout = new QVBoxLayout(this);

    Caption = new TPanelCaption(this);
    Caption->SetCaptionText(QStringLiteral("Laddade tilläggsmoduler"));
    Caption->setFixedHeight(23);
    layout->addWidget(Caption);

    ModulesListBox = new QListWidget(this);
    ModulesListBox->setObjectName(QStringLiteral("ModulesListBox"));
    ModulesListBox->setStatusTip(QStringLiteral("Listar alla laddade tilläggsmoduler."));
    ModulesListBox->setSelectionMode(QAbstractItemView::SingleSelection);
    ModulesListBox->addItems(paths);
    layout->addWidget(ModulesListBox);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    btnDisconnect = new QPushButton(QStringLiteral("&Frånkoppla"), this);
    btnDisconnect->setObjectName(QStringLiteral("btnDisconnect"));
    btnDisconnect->setStatusTip(QStringLiteral("Frånkopplar markerad tilläggsmodul."));
    btnDisconnect->setDefault(true);
    btnDisconnect->setEnabled(false);
    btnClose = new QPushButton(QStringLiteral("&Stäng"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    btnClose->setStatusTip(QStringLiteral("Stänger dialogrutan."));
    buttons->addWidget(btnDisconnect);
    buttons->addWidget(btnClose);
    layout->addLayout(buttons);

    connect(ModulesListBox, &QListWidget::itemSelectionChanged, this,
            [this] { btnDisconnect->setEnabled(SelectedIndex() >= 0); });
    connect(btnDisconnect, &QPushButton::clicked, this, [this] { done(Dialogs::mrOk); });
    connect(btnClose, &QPushButton::clicked, this, [this] { done(Dialogs::mrCancel); });
    resize(360, 260);
}

int TModulesList::SelectedIndex() const {
    const QList<QListWidgetItem*> selected = ModulesListBox->selectedItems();
    return selected.isEmpty() ? -1 : ModulesListBox->row(selected.first());
}
