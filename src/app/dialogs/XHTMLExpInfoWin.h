#pragma once

#include <QDialog>

class QPushButton;

// The first window of an XHTML export: a complete document (result 6) or body text on the
// clipboard (result 7). It cannot be cancelled.
class TXHTMLExpInfo : public QDialog {
public:
    explicit TXHTMLExpInfo(QWidget* parent = nullptr);

    QPushButton* DocumentBtn = nullptr;  // "&Skapa komplett XHTML-dokument"
    QPushButton* ClipboardBtn = nullptr; // "&Kopiera endast brödtext"

    // Esc and the close box do nothing: one of the buttons must be chosen.
    void reject() override {}

protected:
    void showEvent(QShowEvent* event) override;
};
