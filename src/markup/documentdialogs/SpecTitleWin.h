#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;
class TCaptionGroup;
class Tmain;

// "Sidtitel": the page title to write. "&Generera" closes with 1, "Avbryt" with 2; the opener
// writes the title.
class TSpecTitle : public QDialog {
public:
    explicit TSpecTitle(Tmain& window, QWidget* parent = nullptr);

    TCaptionGroup* Group = nullptr;
    QLineEdit* pTITLE = nullptr;
    QPushButton* btnGenerate = nullptr;
    QPushButton* btnCancel = nullptr;
    QPushButton* btnRef = nullptr;

private:
    Tmain& window_;
};
