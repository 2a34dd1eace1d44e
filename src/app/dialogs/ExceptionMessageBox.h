#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// The box shown for an unexpected exception: its class name, message and running number,
// whether the documents were backed up, and the choice between going on ("Fortsätt
// session", result 1) and restarting the program ("Avbryt Kelvora", result 3). Closing the
// window gives 2.
class TExceptionMessageBox : public QDialog {
    Q_OBJECT
public:
    explicit TExceptionMessageBox(QWidget* parent = nullptr);

    void SetException(const QString& className, const QString& message, int number);
    void SetBackedUp(bool backedUp);

    QLineEdit* exceptionclassname;
    QLineEdit* exceptionmessage;
    QLabel* exceptionnumber;
    QLabel* AddLbl;
    QPushButton* btnClose;
    QPushButton* btnTerminate;

protected:
    void showEvent(QShowEvent* event) override;

public slots:
    void reject() override;
};
