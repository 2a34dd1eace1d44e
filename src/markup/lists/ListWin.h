#pragma once

#include "markup/common/ElementDialog.h"
#include "markup/lists/ListMarkup.h"

class QComboBox;
class TTextEditorEx;

// "Punktlista" (UL) and "Numrerad lista" (OL): the type, the class and local style, and the
// items, one per line of the item editor. Each item read back keeps the text between "<li"
// and ">" at its index.
class TListWin : public TElementDialog {
public:
    TListWin(Tmain& window, ListMarkup::TListKind kind);

    const ListMarkup::TListKind Kind;
    QComboBox* pTYPE;
    TTextEditorEx* Items;
    // The attribute text of each item read back, by index.
    QByteArrayList ItemAttributes;

    TGeneratedMarkup Generate() const;

protected:
    void showEvent(QShowEvent* event) override;
};
