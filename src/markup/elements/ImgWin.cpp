#include "markup/elements/ImgWin.h"

#include "markup/common/FieldRows.h"
#include "platform/Cp1252.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

TIMG::TIMG(Tmain& window)
    : TElementDialog(window, QStringLiteral("Bild"), "img", false, QStringLiteral("IMG")) {
    setObjectName(QStringLiteral("IMG"));
    auto* content = new QVBoxLayout;
    QGridLayout* path = FieldRows::Group(this, content, QStringLiteral(" Sökväg "));
    pSRC = FieldRows::Field(this, path, 0, QStringLiteral("S&ökväg:"), QStringLiteral("pSRC"));
    QGridLayout* info = FieldRows::Group(this, content, QStringLiteral(" Information "));
    pAlt =
        FieldRows::Field(this, info, 0, QStringLiteral("&Alternativtext:"), QStringLiteral("pAlt"));
    QGridLayout* format = FieldRows::Group(this, content, QStringLiteral(" Formatering "));
    AddFormattingRows(format, 0);
    pAlign = new QComboBox(this);
    pAlign->setObjectName(QStringLiteral("pAlign"));
    pAlign->setEditable(true);
    pAlign->addItems({QString(), QStringLiteral("left"), QStringLiteral("right"),
                      QStringLiteral("top"), QStringLiteral("middle"), QStringLiteral("bottom")});
    auto* alignLabel = new QLabel(QStringLiteral("&Justering:"), this);
    alignLabel->setBuddy(pAlign);
    format->addWidget(alignLabel, 2, 0);
    format->addWidget(pAlign, 2, 1, 1, 2);
    pWidth = FieldRows::Field(this, format, 3, QStringLiteral("&Bredd:"), QStringLiteral("pWidth"));
    pHeight =
        FieldRows::Field(this, format, 4, QStringLiteral("&Höjd:"), QStringLiteral("pHeight"));
    pHSPACE =
        FieldRows::Field(this, format, 5, QStringLiteral("H-a&vstånd:"), QStringLiteral("pHSPACE"));
    pVSPACE =
        FieldRows::Field(this, format, 6, QStringLiteral("V-avs&tånd:"), QStringLiteral("pVSPACE"));
    pBORDER = FieldRows::Field(this, format, 7, QStringLiteral("&Ramtjocklek:"),
                               QStringLiteral("pBORDER"));
    FinishLayout(content);
    FirstField = pSRC;
    resize(420, sizeHint().height());

    BeginEditMode();
    if (Mode.IsEdit()) {
        const auto read = [this](const char* name) { return Cp1252::Decode(Mode.Attribute(name)); };
        pSRC->setText(read("src"));
        pAlt->setText(read("alt"));
        pCLASS->setEditText(read("class"));
        pSTYLE->setText(read("style"));
        pAlign->setEditText(read("align"));
        pWidth->setText(read("width"));
        pHeight->setText(read("height"));
        pHSPACE->setText(read("hspace"));
        pVSPACE->setText(read("vspace"));
        pBORDER->setText(read("border"));
    }
}

ElementMarkup::TImageFields TIMG::Fields() const {
    return {Bytes(pSRC),   Bytes(pAlt),    Bytes(pCLASS),  Bytes(pSTYLE),  Bytes(pAlign),
            Bytes(pWidth), Bytes(pHeight), Bytes(pHSPACE), Bytes(pVSPACE), Bytes(pBORDER)};
}

TGeneratedMarkup TIMG::GeneratePictureCode() const {
    return ElementMarkup::Image(Fields(), TagCase(),
                                Carried({"src", "alt", "class", "style", "align", "width", "height",
                                         "hspace", "vspace", "border"}));
}
