#pragma once

#include <QWidget>

// The Subroutines window. For now it offers the program-wide one-line prompt.
class Tcommands : public QWidget {
    Q_OBJECT
public:
    explicit Tcommands(QWidget* parent = nullptr);

    // Asks for one value with the prompt dialog (owned by this window): prompt as the
    // question, the browse button when showBrowse, filterIndex kept for it. True and the typed
    // text when accepted; false and an empty answer for every other way out.
    bool InternalGetInput(const QString& prompt, bool showBrowse, int filterIndex, QString* answer);
};
