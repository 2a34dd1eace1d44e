#pragma once

#include "app/commands/SearchForm.h"

#include <QString>
#include <QStringList>
#include <QWidget>

class QAction;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QMenu;
class QPushButton;
class TCommandRegistry;

// The search, replace and go-to panel "Kodsökning". It owns its controls, the two histories,
// the default buttons and the context menu of the text boxes. Its buttons and menu items fill
// a request from the controls and run their command by name.
class TSearchPanel : public QWidget, public TSearchForm {
public:
    // A history never holds more entries than this.
    static constexpr int MaxHistory = 51;

    explicit TSearchPanel(QWidget* parent = nullptr);

    // The registry the buttons and menu items run their commands in.
    void SetCommands(TCommandRegistry* commands) { commands_ = commands; }

    // --- the requests (TSearchForm) -------------------------------------------------------------
    QWidget* Panel() override { return this; }
    TSearchRequest TakeSearchRequest(TSearchUse use) override;
    TGotoRequest GotoRequest() const override;
    bool HasSearchText() const override;
    void FocusBox(TSearchBox box) override;
    // Puts a search into the controls as if it was typed there (a subroutine's "find next").
    void SetSearch(const QString& text, bool matchCase, bool wholeWords);
    // "&Ersätt" is enabled iff the replacement box holds text and the editor has a selection;
    // "Ersätt a&lla" iff the search box holds text.
    void UpdateButtons(bool editorHasSelection);

    // --- controls ---------------------------------------------------------------------------
    QComboBox* searchtext = nullptr;
    QComboBox* ReplaceText = nullptr;
    QCheckBox* vers = nullptr;      // match case
    QCheckBox* whwo = nullptr;      // whole words only
    QCheckBox* startover = nullptr; // the next find starts at the top
    QPushButton* SearchBtn = nullptr;
    QPushButton* Replace = nullptr;
    QPushButton* ReplaceAll = nullptr; // opens replacePopup
    QPushButton* OccurBtn = nullptr;   // opens occurPopup
    QPushButton* btnAdvReplace = nullptr;
    QComboBox* name = nullptr;  // "rad" or "tecken"
    QLineEdit* value = nullptr; // the go-to number
    QPushButton* GotoBtn = nullptr;
    QPushButton* GotoFocusBtn = nullptr; // always hidden

    // --- menus ------------------------------------------------------------------------------
    QMenu* replacePopup = nullptr;
    QAction* ReplaceInCurrent = nullptr;
    QAction* ReplaceInAll = nullptr;
    QMenu* occurPopup = nullptr;
    QAction* OccurInCurrent = nullptr;
    QAction* OccurInAll = nullptr;
    // The context menu of both text boxes; its items act on SearchComboTarget.
    QMenu* patterneditPopup = nullptr;
    QAction* PatternUndo = nullptr;
    QAction* PatternCut = nullptr;
    QAction* PatternCopy = nullptr;
    QAction* PatternPaste = nullptr;
    QAction* PatternDelete = nullptr;
    QAction* PatternSelectAll = nullptr;
    QAction* PatternNewLine = nullptr;
    QAction* PatternTab = nullptr;
    QComboBox* SearchComboTarget = nullptr;

    // --- histories --------------------------------------------------------------------------
    // Puts a box's text first in its list unless it is empty or already there (compared
    // without regard to Windows-1252 letter case); the last entry goes when the list is full.
    // Existing entries do not move.
    static void AddToHistory(QComboBox* box);
    // A box's list, and a stored list put into a box (cut to MaxHistory; the text is kept).
    static QStringList History(const QComboBox* box);
    static void SetHistory(QComboBox* box, const QStringList& items);

    // The button that Enter presses: "Sök nästa" while the search box or one of the check
    // boxes has the focus, "Gå till" while the go-to boxes have it, else none.
    QPushButton* DefaultButton() const { return defaultButton_; }
    // Sets the states of the context menu's items for SearchComboTarget (run as it opens).
    void PreparePatternMenu();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildMenus();
    // Runs a command with the request of the controls, at a command boundary of its own.
    void RunSearch(const char* command, TSearchUse use, TSearchScope scope);
    void FocusChanged(QWidget* now);
    void SetDefaultButton(QPushButton* button);
    void OpenPatternMenu(QComboBox* box, const QPoint& pos);
    QLineEdit* TargetEdit() const;

    QPushButton* defaultButton_ = nullptr;
    TCommandRegistry* commands_ = nullptr;
};
