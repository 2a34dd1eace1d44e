#pragma once

#include "markup/common/ElementDialog.h"
#include "markup/elements/ElementMarkup.h"

class QComboBox;
class QLineEdit;

// "Bild": the IMG element.
class TIMG : public TElementDialog {
public:
    explicit TIMG(Tmain& window);

    QLineEdit* pSRC;
    QLineEdit* pAlt;
    QComboBox* pAlign;
    QLineEdit* pWidth;
    QLineEdit* pHeight;
    QLineEdit* pHSPACE;
    QLineEdit* pVSPACE;
    QLineEdit* pBORDER;

    ElementMarkup::TImageFields Fields() const;
    TGeneratedMarkup GeneratePictureCode() const;
};
