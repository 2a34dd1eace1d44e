#pragma once

#include "markup/snippets/SnippetFolder.h"

#include <QDialog>

class QAction;
class QListWidget;
class QMenu;
class QPushButton;
class TDialogEditor;
class TPanelCaption;
class Tmain;

// "Hantera snabbtexter": the snippet list beside an editor of the chosen snippet, with
// creating, saving and deleting. Edits not saved are asked about before they would be lost.
class THandleFastTexts : public QDialog {
public:
    THandleFastTexts(Tmain& window, TSnippetFolder folder, QWidget* parent = nullptr);

    TPanelCaption* ListCaption = nullptr;
    QListWidget* FastTextList = nullptr;
    TPanelCaption* Panel3 = nullptr;
    TDialogEditor* CurrentFastText = nullptr;
    QPushButton* btnNewFastText = nullptr;
    QPushButton* btnSaveFT = nullptr;
    QPushButton* btnClose = nullptr;
    QMenu* fasttextPopup = nullptr;
    QAction* NewItem = nullptr;        // "&Skapa ny snabbtext..."
    QAction* DeleteItems = nullptr;    // "&Ta bort markerade snabbtexter"
    QAction* SelectAllItems = nullptr; // "&Markera alla snabbtexter"

    // The snippet whose text the editor holds; empty when none is chosen.
    QString LoadedName() const { return loaded_; }
    // The editor's text differs from the saved snippet.
    bool Modified() const { return modified_; }

    // Loads the list's current entry into the editor.
    void FastTextListClick();
    void btnNewFastTextClick();
    void btnSaveFTClick();
    // Deletes the selected snippets after the question.
    void abortmarkeradesnabbtexter1Click();
    void fasttextPopupPopup();
    // Closes, after the question about unsaved edits.
    void btnCloseClick();

    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // No snippet chosen: the editor empty and disabled.
    void ChooseNothing();
    // The editor open on a snippet.
    void Choose(const QString& name);
    // Saves or drops unsaved edits as the user answers; false when the user cancelled.
    bool SettleEdits();
    bool Save();
    void SelectRowOf(const QString& name);

    Tmain& window_;
    TSnippetFolder folder_;
    QString loaded_;
    bool modified_ = false;
    bool loading_ = false;
};
