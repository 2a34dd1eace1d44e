#pragma once

#include <QDialog>

class QAction;
class QLabel;
class QPushButton;
class QTextBrowser;

// The welcome window "Kelvora": a heading, the introduction text and one button. It greets a
// new user ("Starta Kelvora") and is the introduction of the Help menu ("OK").
class Twelcome : public QDialog {
    Q_OBJECT

public:
    explicit Twelcome(QWidget* parent = nullptr);

    QLabel* Heading = nullptr;
    QTextBrowser* IntroText = nullptr;
    QPushButton* btnStartECNow = nullptr;
    QAction* CopyAllItem = nullptr;

    // Loads the introduction from an HTML file; false when it cannot be read.
    bool LoadIntroduction(const QString& fileName);
    // What "&Kopiera all text" puts on the clipboard: the text, an empty line and a notice.
    QString CopyText() const;
    void CopyAll();
};
