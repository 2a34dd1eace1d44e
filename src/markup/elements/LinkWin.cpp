#include "markup/elements/LinkWin.h"

#include "markup/common/FieldRows.h"
#include "platform/Cp1252.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QVBoxLayout>

TLink::TLink(Tmain& window)
    : TElementDialog(window, QStringLiteral("Länk"), "a", true, QStringLiteral("A")) {
    setObjectName(QStringLiteral("Link"));
    auto* content = new QVBoxLayout;
    QGridLayout* target = FieldRows::Group(this, content, QStringLiteral(" Mål "));
    pHREF = FieldRows::Field(this, target, 0, QStringLiteral("&URL:"), QStringLiteral("pHREF"));
    pTarget =
        FieldRows::Field(this, target, 1, QStringLiteral("&Målram:"), QStringLiteral("pTarget"));
    QGridLayout* info = FieldRows::Group(this, content, QStringLiteral(" Information "));
    pTitle =
        FieldRows::Field(this, info, 0, QStringLiteral("&Titeltext:"), QStringLiteral("pTitle"));
    AddFormattingRows(FieldRows::Group(this, content, QStringLiteral(" Formatering ")), 0);
    FinishLayout(content);
    FirstField = pHREF;
    resize(420, sizeHint().height());

    BeginEditMode();
    if (Mode.IsEdit()) {
        pHREF->setText(Cp1252::Decode(Mode.Attribute("href")));
        pTarget->setText(Cp1252::Decode(Mode.Attribute("target")));
        pTitle->setText(Cp1252::Decode(Mode.Attribute("title")));
        pCLASS->setEditText(Cp1252::Decode(Mode.Attribute("class")));
        pSTYLE->setText(Cp1252::Decode(Mode.Attribute("style")));
    }
}

ElementMarkup::TLinkFields TLink::Fields() const {
    return {Bytes(pHREF),  Bytes(pTarget), Bytes(pTitle),
            Bytes(pCLASS), Bytes(pSTYLE),  Mode.IsEdit() ? Mode.Content() : QByteArray()};
}

TGeneratedMarkup TLink::GenerateLinkCode() const {
    return ElementMarkup::Link(Fields(), TagCase(),
                               Carried({"href", "target", "title", "class", "style"}));
}
