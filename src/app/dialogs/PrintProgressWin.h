#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The window of a print: shown without blocking while the editor prints, then run modally
// with its "&Stäng" button until the user closes it.
class TPrintProgress : public QDialog {
public:
    explicit TPrintProgress(QWidget* parent = nullptr);

    // The values of "Process:", "Antal sidor:", "Färdigställda:" and "Progress:".
    QLabel* ProcessValue = nullptr;
    QLabel* PagesValue = nullptr;
    QLabel* DoneValue = nullptr;
    QLabel* ProgressValue = nullptr;
    QPushButton* CloseBtn = nullptr;

    // Gives a value label its text and paints it at once (printing runs without the event loop).
    static void SetValue(QLabel* label, const QString& text);
};
