#pragma once

#include <QWidget>
#include <functional>

class QAction;
class QLineEdit;
class QMenu;
class QPushButton;
class TSpecialChartersCombo;
class Tmain;

// "Infoga specialtecken": a palette that stays open beside the main window and writes the
// entity of the chosen character in place of the main editor's selection.
class Talpha : public QWidget {
public:
    explicit Talpha(Tmain& window, QWidget* parent = nullptr);

    TSpecialChartersCombo* Caps = nullptr;  // "&Versala landstecken:"
    TSpecialChartersCombo* Small = nullptr; // "G&emena landstecken:"
    TSpecialChartersCombo* Text = nullptr;  // "V&anliga tecken:"
    TSpecialChartersCombo* Math = nullptr;  // "&Matematiska tecken:"
    TSpecialChartersCombo* Greek = nullptr; // "&Grekiska tecken:"
    QLineEdit* Edit1 = nullptr;             // "Tecken:"
    QLineEdit* Edit2 = nullptr;             // "Kod:"
    QPushButton* Button1 = nullptr;         // "&Infoga"
    QPushButton* Button2 = nullptr;         // "Stäng"
    QMenu* FontPopup = nullptr;             // on the three letter lists
    QAction* Teckensnitt1 = nullptr;

    // Run when the window is closed ("Stäng" or the window's own close): the opener lets go
    // of it.
    std::function<void()> OnClosed;

    // Selects, in every list that holds it, the character selected in the main editor (any
    // case), or the list entry whose entity it is.
    void SelectSelected();
    // A character chosen in a list: shows it and its code.
    void AssignInfo(TSpecialChartersCombo* sender, const char* code);
    // "&Infoga": the code in place of the main editor's selection; the window stays.
    void Button1Click();
    // "&Teckensnitt...": a font for the three letter lists.
    void Teckensnitt1Click();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    Tmain& window_;
};
