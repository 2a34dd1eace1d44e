#pragma once

#include <QDialog>
#include <QString>
#include <functional>

class QPushButton;
class Tmain;
class TPanelCaption;
class TReferenceBox;

// The reference window "Taggreferens" of the element dialogs: the entry of one element,
// filled when it is shown. Unknown names give empty values.
class Ttagref : public QDialog {
public:
    // `report` shows a failure to read the reference.
    Ttagref(const QString& tagName, std::function<void(const QString&)> report,
            QWidget* parent = nullptr);

    QString TagRefTagName;
    TPanelCaption* Caption;
    TReferenceBox* refmemo;

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::function<void(const QString&)> report_;
};

// Shows the reference window of an element modally over the main window.
void ShowTagReference(Tmain& window, const QString& tagName);

// A "&Taggreferens" button that shows the reference of `tagName` at a command boundary.
QPushButton* TagReferenceButton(Tmain& window, const QString& tagName, QWidget* parent);
