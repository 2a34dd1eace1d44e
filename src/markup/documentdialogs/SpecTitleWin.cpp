#include "markup/documentdialogs/SpecTitleWin.h"

#include "app/mainwindow/MainWin.h"
#include "controls/CaptionGroup.h"
#include "markup/tagref/TagRefWin.h"
#include "platform/Dialogs.h"
#include "platform/SilentAbort.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TSpecTitle::TSpecTitle(Tmain& window, QWidget* parent) : QDialog(parent), window_(window) {
    setWindowTitle(QStringLiteral("Sidtitel"));
    auto* layout = new QVBoxLayout(this);
    Group = new TCaptionGroup(this);
    Group->SetCaptionText(QStringLiteral(" Information "));
    auto* form = new QFormLayout(Group);
    form->setContentsMargins(8, 28, 8, 8);
    pTITLE = new QLineEdit(Group);
    pTITLE->setObjectName(QStringLiteral("pTITLE"));
    pTITLE->setMinimumWidth(360);
    form->addRow(QStringLiteral("&Sidtitel:"), pTITLE);
    layout->addWidget(Group);

    auto* buttons = new QHBoxLayout;
    btnRef = new QPushButton(QStringLiteral("&Taggreferens"), this);
    buttons->addWidget(btnRef);
    buttons->addStretch();
    btnGenerate = new QPushButton(QStringLiteral("&Generera"), this);
    btnGenerate->setObjectName(QStringLiteral("okBtn"));
    btnGenerate->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("Avbryt"), this);
    btnCancel->setObjectName(QStringLiteral("cancelBtn"));
    buttons->addWidget(btnGenerate);
    buttons->addWidget(btnCancel);
    layout->addLayout(buttons);
    connect(btnGenerate, &QPushButton::clicked, this, [this] { done(Dialogs::mrOk); });
    connect(btnCancel, &QPushButton::clicked, this, [this] { done(Dialogs::mrCancel); });
    connect(btnRef, &QPushButton::clicked, this,
            [this] { RunCommand([this] { ShowTagReference(window_, QStringLiteral("TITLE")); }); });
}
