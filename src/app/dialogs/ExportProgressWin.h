#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The window of an XHTML export: shown without blocking while the editor exports, then run
// modally once "Stäng" is shown.
class TExportProgressFrm : public QDialog {
public:
    explicit TExportProgressFrm(QWidget* parent = nullptr);

    QLabel* lblOp = nullptr;       // "Operation:"
    QLabel* lblProgress = nullptr; // "Procent klart:"
    QPushButton* CloseBtn = nullptr;

    // Writes a percentage to lblProgress, painting it only when the text changes.
    void SetProgress(int percent);
};
