#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The window that follows a replace-all: shown without blocking while the editor replaces,
// then run modally with its "Stäng" button until the user closes it.
class Treplaceprogress : public QDialog {
public:
    explicit Treplaceprogress(QWidget* parent = nullptr);

    QLabel* PanelCaption1 = nullptr;
    // The value labels of "Process:", "Söktext:", "Ersättningstext:", "Sökalternativ:",
    // "Förekomster:", "Varav ersatta:" and "Progress:".
    QLabel* ProcessValue = nullptr;
    QLabel* SearchValue = nullptr;
    QLabel* ReplaceValue = nullptr;
    QLabel* OptionsValue = nullptr;
    QLabel* TotalValue = nullptr;
    QLabel* DoneValue = nullptr;
    QLabel* ProgressValue = nullptr;
    QPushButton* CloseBtn = nullptr; // "Stäng", default and Esc

    // Gives a value label its text and paints it at once (the replace runs without the event
    // loop).
    static void SetValue(QLabel* label, const QString& text);
};
