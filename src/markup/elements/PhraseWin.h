#pragma once

#include "markup/common/ElementDialog.h"

class QLineEdit;

// The four dialogs of a phrase element around a text: "Akronym" (ACRONYM) and "Abbreviation"
// (ABBR) with the text and its written-out form (title), "Citat" (CITE) and "Första
// definition" (DFN) with the text alone. "&Generera" is enabled exactly when every field
// holds something; in "Akronym" each change of the written-out form rebuilds the acronym.
class TPhraseWin : public TElementDialog {
public:
    enum class TKind { Acronym, Abbreviation, Cite, Definition };

    TPhraseWin(Tmain& window, TKind kind);

    const TKind Kind;
    QLineEdit* Text;             // pAcronym, pAbbr, pCite or pWord
    QLineEdit* pTitle = nullptr; // "&Utskrift:" (acronym and abbreviation)

    TGeneratedMarkup Generate() const;

private:
    void UpdateOkBtn();
    void TitleChanged();

    // The content read from the element, and how it was shown: written back as it was when the
    // field still shows it.
    QByteArray readContent_;
    QString shownContent_;
};
