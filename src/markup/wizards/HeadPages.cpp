#include "markup/wizards/HeadPages.h"

#include "controls/ValueListEditor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

THeadPages::THeadPages(QWidget* parent, const QStringList& doctypes) : QObject(parent) {
    General = new QWidget(parent);
    auto* form = new QFormLayout(General);
    pDOCTYPE = new QComboBox(General);
    pDOCTYPE->setObjectName(QStringLiteral("pDOCTYPE"));
    pDOCTYPE->setEditable(true);
    pDOCTYPE->setInsertPolicy(QComboBox::NoInsert);
    pDOCTYPE->addItems(doctypes);
    pDOCTYPE->setMinimumContentsLength(40);
    pDOCTYPE->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    pTITLE = new QLineEdit(General);
    pTITLE->setObjectName(QStringLiteral("pTITLE"));
    pLANG = new QComboBox(General);
    pLANG->setObjectName(QStringLiteral("pLANG"));
    pLANG->setEditable(true);
    pLANG->setInsertPolicy(QComboBox::NoInsert);
    pLANG->addItems({QStringLiteral("sv"), QStringLiteral("en")});
    pAddXMLHeader = new QCheckBox(QStringLiteral("&Infoga XML-deklaration"), General);
    pAddXMLHeader->setObjectName(QStringLiteral("pAddXMLHeader"));
    form->addRow(QStringLiteral("&Dokumenttyp:"), pDOCTYPE);
    form->addRow(QStringLiteral("Sidtit&el:"), pTITLE);
    form->addRow(QStringLiteral("S&pråk:"), pLANG);
    form->addRow(pAddXMLHeader);

    Meta = new QWidget(parent);
    auto* meta = new QVBoxLayout(Meta);
    pMETANAME = new TValueListEditor(Meta);
    pMETANAME->setObjectName(QStringLiteral("pMETANAME"));
    pMETANAME->SetTitles(QStringLiteral("Namn"), QStringLiteral("Värde"));
    pMETAHTTP = new TValueListEditor(Meta);
    pMETAHTTP->setObjectName(QStringLiteral("pMETAHTTP"));
    pMETAHTTP->SetTitles(QStringLiteral("HTTP-EQUIV"), QStringLiteral("Värde"));
    meta->addWidget(pMETANAME, 2);
    meta->addWidget(pMETAHTTP, 1);
}

TPageHead THeadPages::Head() const {
    TPageHead head;
    head.Doctype = pDOCTYPE->currentText();
    head.Title = pTITLE->text();
    head.Language = pLANG->currentText();
    head.AddXmlHeader = pAddXMLHeader->isChecked();
    head.MetaName = Rows(*pMETANAME);
    head.MetaHttp = Rows(*pMETAHTTP);
    return head;
}

void THeadPages::SetHead(const TPageHead& head) {
    pDOCTYPE->setEditText(head.Doctype);
    pDOCTYPE->lineEdit()->setCursorPosition(0); // the beginning of a long type shows
    pTITLE->setText(head.Title);
    pLANG->setEditText(head.Language);
    pAddXMLHeader->setChecked(head.AddXmlHeader);
    SetRows(pMETANAME, head.MetaName);
    SetRows(pMETAHTTP, head.MetaHttp);
}

TKeyValueRows THeadPages::Rows(const TValueListEditor& table) {
    TKeyValueRows rows;
    if (table.IsEmpty())
        return rows;
    for (int row = 0; row < table.RowCount(); ++row)
        rows.push_back({table.Key(row), table.RowValue(row)});
    return rows;
}

void THeadPages::SetRows(TValueListEditor* table, const TKeyValueRows& rows) {
    table->Clear();
    for (const TKeyValue& row : rows)
        table->InsertRow(row.Key, row.Value);
}
