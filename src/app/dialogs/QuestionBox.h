#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QWidget;

// The program's question box: an information text, a question and the buttons "&Ja" (6,
// default), "&Nej" (7) and "Avbryt" (2, also Esc and closing the window).
class TQuestionBox : public QDialog {
    Q_OBJECT
public:
    explicit TQuestionBox(QWidget* parent = nullptr);

    void SetTexts(const QString& information, const QString& questionText);

    QLabel* info;
    QLabel* question;
    QWidget* btnPanel;
    QPushButton* btnYes;
    QPushButton* btnNo;
    QPushButton* btnCancel;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

public slots:
    void reject() override;

private:
    void AdjustToText();

    QString info_, question_;
};
