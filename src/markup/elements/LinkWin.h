#pragma once

#include "markup/common/ElementDialog.h"
#include "markup/elements/ElementMarkup.h"

class QLineEdit;

// "Länk": the A element. Editing keeps the link's content as it was.
class TLink : public TElementDialog {
public:
    explicit TLink(Tmain& window);

    QLineEdit* pHREF;
    QLineEdit* pTarget;
    QLineEdit* pTitle;

    ElementMarkup::TLinkFields Fields() const;
    TGeneratedMarkup GenerateLinkCode() const;
};
