#pragma once

#include <QDialog>
#include <QString>

class QPushButton;
class Tmain;

// "Nytt dokument": chooses how a new document begins: empty, filled by the HTML-ground
// subroutine, or written by the page wizard. Each button closes the chooser; the document is
// made once it has closed.
//
//     Tnewdoc::Execute(window, caption, name); // nothing when the chooser was closed
class Tnewdoc : public QDialog {
public:
    enum class TChoice { None, Empty, HtmlGround, PageWizard };

    explicit Tnewdoc(QWidget* parent = nullptr);

    QPushButton* btnNew = nullptr;
    QPushButton* btnRariViduze = nullptr;
    QPushButton* btnHTMLWiz = nullptr;

    // The button that closed the chooser.
    TChoice Choice() const { return choice_; }

    // Shows a chooser (its caption `caption`, "Nytt dokument" when that is empty) and makes the
    // chosen document named `name`.
    static void Execute(Tmain& window, const QString& caption, const QString& name);
    // Makes a new document named `name` the chosen way.
    static void Make(Tmain& window, TChoice choice, const QString& name);

private:
    TChoice choice_ = TChoice::None;
};
