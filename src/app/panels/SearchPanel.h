#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

class QAction;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QMenu;
class QPushButton;

// The search, replace and go-to panel "Kodsökning". It owns its controls, the two histories,
// the default buttons and the context menu of the text boxes; the main window connects the
// buttons and menu items to its commands.
class TSearchPanel : public QWidget {
public:
    // A history never holds more entries than this.
    static constexpr int MaxHistory = 51;

    explicit TSearchPanel(QWidget* parent = nullptr);

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

    // "\n" becomes CR LF, then "\t" a tab; nothing else is an escape.
    static QString Unescape(const QString& text);

    // The search flags of the check boxes: 2 match case, 1 whole word, 4 from the start (only
    // when withStart is set).
    quint8 Flags(bool withStart) const;

    // The button that Enter presses: "Sök nästa" while the search box or one of the check
    // boxes has the focus, "Gå till" while the go-to boxes have it, else none.
    QPushButton* DefaultButton() const { return defaultButton_; }
    // Sets the states of the context menu's items for SearchComboTarget (run as it opens).
    void PreparePatternMenu();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildMenus();
    void FocusChanged(QWidget* now);
    void SetDefaultButton(QPushButton* button);
    void OpenPatternMenu(QComboBox* box, const QPoint& pos);
    QLineEdit* TargetEdit() const;

    QPushButton* defaultButton_ = nullptr;
};
