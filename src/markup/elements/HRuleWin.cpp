#include "markup/elements/HRuleWin.h"

#include "controls/ColorContainer.h"
#include "markup/common/FieldRows.h"
#include "platform/ColorText.h"
#include "platform/Cp1252.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QVBoxLayout>

THRule::THRule(Tmain& window)
    : TElementDialog(window, QStringLiteral("Horisontell linje"), "hr", false,
                     QStringLiteral("HR")) {
    setObjectName(QStringLiteral("HRule"));
    auto* content = new QVBoxLayout;
    QGridLayout* format = FieldRows::Group(this, content, QStringLiteral(" Formatering "));
    AddFormattingRows(format, 0);
    pWidth = FieldRows::Field(this, format, 2, QStringLiteral("&Bredd:"), QStringLiteral("pWidth"));
    pSIZE = FieldRows::Field(this, format, 3, QStringLiteral("St&orlek:"), QStringLiteral("pSIZE"));
    pAColor = new QCheckBox(QStringLiteral("&Färg:"), this);
    pAColor->setObjectName(QStringLiteral("pAColor"));
    ownColor = new TColorContainer(this);
    ownColor->setObjectName(QStringLiteral("ownColor"));
    ownColor->SetCurrentColor(clWhite);
    ownColor->setMinimumHeight(22);
    ownColor->OnChange = [this](QObject*) { ownColorChange(); };
    format->addWidget(pAColor, 4, 0);
    format->addWidget(ownColor, 4, 1, 1, 2);
    pNOSHADE = new QCheckBox(QStringLiteral("&Ingen skugga"), this);
    pNOSHADE->setObjectName(QStringLiteral("pNOSHADE"));
    format->addWidget(pNOSHADE, 5, 0, 1, 3);
    FinishLayout(content);
    FirstField = pCLASS;
    resize(380, sizeHint().height());
    colorText_ = ColorToHTML(ownColor->CurrentColor()).toLatin1();

    BeginEditMode();
    if (Mode.IsEdit()) {
        pCLASS->setEditText(Cp1252::Decode(Mode.Attribute("class")));
        pSTYLE->setText(Cp1252::Decode(Mode.Attribute("style")));
        pWidth->setText(Cp1252::Decode(Mode.Attribute("width")));
        pSIZE->setText(Cp1252::Decode(Mode.Attribute("size")));
        const QByteArray color = Mode.Attribute("color");
        if (!color.isEmpty()) {
            pAColor->setChecked(true);
            colorText_ = color;
            if (IsColorText(QString::fromLatin1(color)))
                ownColor->SetCurrentColor(
                    HTMLToColor(QString::fromLatin1(color)).value_or(clWhite));
        }
        // A boolean attribute: present is on, with or without a value.
        pNOSHADE->setChecked(Mode.HasAttribute("noshade"));
    }
}

void THRule::ownColorChange() {
    colorText_ = ColorToHTML(ownColor->CurrentColor()).toLatin1();
    pAColor->setChecked(true);
}

ElementMarkup::TRuleFields THRule::Fields() const {
    ElementMarkup::TRuleFields f;
    f.Class = Bytes(pCLASS);
    f.Style = Bytes(pSTYLE);
    f.Width = Bytes(pWidth);
    f.Size = Bytes(pSIZE);
    f.UseColor = pAColor->isChecked();
    f.Color = colorText_;
    f.NoShade = pNOSHADE->isChecked();
    return f;
}

TGeneratedMarkup THRule::GenerateHR() const {
    return ElementMarkup::Rule(Fields(), TagCase(),
                               Carried({"class", "style", "width", "size", "color", "noshade"}));
}
