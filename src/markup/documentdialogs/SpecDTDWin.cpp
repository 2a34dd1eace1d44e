#include "markup/documentdialogs/SpecDTDWin.h"

#include "app/mainwindow/MainWin.h"
#include "controls/CaptionGroup.h"
#include "markup/tagref/TagRefWin.h"
#include "platform/Dialogs.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

TSpecDTD::TSpecDTD(Tmain& window, QWidget* parent) : QDialog(parent), window_(window) {
    setWindowTitle(QStringLiteral("Dokumenttyp"));
    auto* layout = new QVBoxLayout(this);
    Group = new TCaptionGroup(this);
    Group->SetCaptionText(QStringLiteral(" Information "));
    auto* form = new QFormLayout(Group);
    form->setContentsMargins(8, 28, 8, 8);
    pDOCTYPE = new QComboBox(Group);
    pDOCTYPE->setObjectName(QStringLiteral("pDOCTYPE"));
    pDOCTYPE->setEditable(true);
    pDOCTYPE->setInsertPolicy(QComboBox::NoInsert);
    pDOCTYPE->setMinimumWidth(520);
    pDOCTYPE->addItems(window_.DataFiles.DocTypesList);
    pDOCTYPE->setEditText(DefaultDoctype());
    form->addRow(QStringLiteral("&Dokumenttyp:"), pDOCTYPE);
    layout->addWidget(Group);

    btnRef = TagReferenceButton(window_, QStringLiteral("!DOCTYPE"), this);
    QHBoxLayout* buttons =
        Dialogs::OkCancelRow(this, QStringLiteral("&Generera"), &btnGenerate, &btnCancel);
    buttons->insertWidget(0, btnRef);
    layout->addLayout(buttons);
}

QString TSpecDTD::DefaultDoctype() {
    return QStringLiteral("html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\" "
                          "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\"");
}
