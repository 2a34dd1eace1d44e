#pragma once

#include "markup/common/ElementEditMode.h"
#include "markup/scripts/ScriptText.h"

#include <QDialog>

class QAction;
class QComboBox;
class QMenu;
class QPushButton;
class TDialogEditor;
class Tmain;

// "Skript": a script written in a JavaScript-coloured editor, with statement templates, and
// written as a SCRIPT element with its language and content type. On a SCRIPT element it
// edits that element (found and selected whole when the dialog is made); inside any other tag
// it refuses and hides "&Generera". "&Generera" closes with 1, "Avbryt" with 2; the opener then
// writes Generate().
class Tscript : public QDialog {
public:
    explicit Tscript(Tmain& window, QWidget* parent = nullptr);

    QComboBox* pLANG = nullptr;
    QComboBox* pTYPE = nullptr;
    QPushButton* btnInsertStateMenuOpener = nullptr; // "I&nfoga sats"
    TDialogEditor* scriptEditor = nullptr;
    QPushButton* btnRef = nullptr;
    QPushButton* btnGenerate = nullptr;
    QPushButton* btnCancel = nullptr;
    // The statement menu of "I&nfoga sats" and the editor's "Infoga" and "Format" submenus.
    QMenu* pSTATE = nullptr;
    QMenu* InsertMenu = nullptr;
    QMenu* FormatMenu = nullptr;
    QAction* FunctionItem = nullptr;  // "Funktion", Ctrl+F
    QAction* ConditionItem = nullptr; // "Villkor", Ctrl+I
    QAction* ForItem = nullptr;       // "Stegningsrepetition (FOR)", Ctrl+R
    QAction* WhileItem = nullptr;     // "Villkorsrepetition (WHILE)", Ctrl+W
    QAction* IndentItem = nullptr;    // "Indentera markering", Ctrl+Alt+Space
    QAction* UnindentItem = nullptr;  // "Avindentera markering", Ctrl+Alt+Backspace

    const TElementEditMode& EditMode() const { return editMode_; }

    // The statement templates: the prompts, then the text at the editor's caret with the
    // caret on the middle empty line of the body. A cancelled prompt writes nothing.
    void scriptInsertFunction();
    void scriptInsertConditional();
    void scriptInsertRepetition();
    void scriptInsertRepetitionW();
    // Indents or unindents the selected lines and selects them again.
    void FormatIndentSelection();
    void FormatUnindentSelection();
    // The statements are offered for JavaScript and JScript only.
    bool StatementsAvailable() const;
    // The context menu's enabled states.
    void sePopupPopup();
    // "I&nfoga sats": the message for other languages, then the statement menu.
    void btnInsertStateMenuOpenerClick();

    // The SCRIPT element to write: the element as it was when nothing was changed.
    QByteArray Generate() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    // The prompt's answers, in order; false when one was cancelled.
    bool Ask(std::initializer_list<const char*> questions, QList<QByteArray>* answers);
    void WriteTemplate(const QByteArray& text);
    void UpdateStatementItems();

    Tmain& window_;
    TElementEditMode editMode_;
    // Edit mode: the element and its parts as they were read.
    QByteArray original_;
    ScriptText::TBody readBody_;
    QString readLanguage_, readType_;
};
