#pragma once

#include <QDialog>

class QLineEdit;
class QRadioButton;

// The properties of an exported XHTML document: its title, header and footer.
class TXHTMLExpProp : public QDialog {
public:
    explicit TXHTMLExpProp(QWidget* parent = nullptr);

    QLineEdit* ePageTitle = nullptr;
    QLineEdit* eHeader = nullptr;
    QRadioButton* HeaderHeading = nullptr; // "Texttyp": "Rubrik 1"
    QRadioButton* HeaderBody = nullptr;    // "Texttyp": "Brödtext"
    QRadioButton* HeaderLeft = nullptr;    // "Justering": "Vänster"
    QRadioButton* HeaderRight = nullptr;   // "Justering": "Höger"
    QLineEdit* eFooter = nullptr;
    QRadioButton* FooterLeft = nullptr;
    QRadioButton* FooterRight = nullptr;

    // The header and footer markup as typed (not escaped); empty for an empty text.
    QString HeaderHTML() const;
    QString FooterHTML() const;

private:
    void UpdateHeaderAlignment();

    QWidget* headerAlignment_ = nullptr;
};
