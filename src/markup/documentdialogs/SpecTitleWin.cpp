#include "markup/documentdialogs/SpecTitleWin.h"

#include "app/mainwindow/MainWin.h"
#include "controls/CaptionGroup.h"
#include "markup/tagref/TagRefWin.h"
#include "platform/Dialogs.h"

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

    btnRef = TagReferenceButton(window_, QStringLiteral("TITLE"), this);
    QHBoxLayout* buttons =
        Dialogs::OkCancelRow(this, QStringLiteral("&Generera"), &btnGenerate, &btnCancel);
    buttons->insertWidget(0, btnRef);
    layout->addLayout(buttons);
}
