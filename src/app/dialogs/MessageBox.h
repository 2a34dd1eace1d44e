#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The program's message box: one text and an "OK" button that is both the default and the
// cancel button (result 1); closing the window gives 2. The text decides the width.
class TMessageBox : public QDialog {
    Q_OBJECT
public:
    explicit TMessageBox(QWidget* parent = nullptr);

    void SetText(const QString& text);
    QString Text() const { return text_; }

    QLabel* info;
    QPushButton* Button1;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

public slots:
    void reject() override;

private:
    void AdjustToText();

    QString text_;
};
