#pragma once

#include "markup/common/ElementDialog.h"
#include "markup/elements/ElementMarkup.h"

class QCheckBox;
class QLineEdit;
class TColorContainer;

// "Horisontell linje": the HR element. A colour the swatch cannot show ("red") is kept as
// written until the user picks another.
class THRule : public TElementDialog {
public:
    explicit THRule(Tmain& window);

    QLineEdit* pWidth;
    QLineEdit* pSIZE;
    QCheckBox* pAColor;
    TColorContainer* ownColor;
    QCheckBox* pNOSHADE;

    // The colour text written while "&Färg:" is ticked.
    QByteArray ColorText() const { return colorText_; }

    ElementMarkup::TRuleFields Fields() const;
    TGeneratedMarkup GenerateHR() const;

private:
    void ownColorChange();

    QByteArray colorText_;
};
