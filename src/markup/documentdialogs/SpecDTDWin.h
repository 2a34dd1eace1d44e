#pragma once

#include <QDialog>

class QComboBox;
class QPushButton;
class TCaptionGroup;
class Tmain;

// "Dokumenttyp": the document type to declare, chosen from the list of "doctypes.dat" or
// typed. "&Generera" closes with 1, "Avbryt" with 2; the opener writes the declaration.
class TSpecDTD : public QDialog {
public:
    explicit TSpecDTD(Tmain& window, QWidget* parent = nullptr);

    // XHTML 1.0 Strict, the text the field starts with.
    static QString DefaultDoctype();

    TCaptionGroup* Group = nullptr;
    QComboBox* pDOCTYPE = nullptr;
    QPushButton* btnGenerate = nullptr;
    QPushButton* btnCancel = nullptr;
    QPushButton* btnRef = nullptr;

private:
    Tmain& window_;
};
