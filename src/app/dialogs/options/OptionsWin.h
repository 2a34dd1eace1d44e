#pragma once

#include "app/core/SettingsStore.h"

#include <QByteArray>
#include <QDialog>
#include <QHash>
#include <QPlainTextEdit>
#include <QVariant>
#include <vector>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTabBar;
class QTabWidget;
class TColorContainer;
class TIntegerEdit;
class TRuler;
class TSUBFormattingProcessor;
class TSerieEdit;
class TTextEditorEx;
class Tmain;

// A memo whose typed letters become capitals (the tags closed automatically).
class TUpperCaseMemo : public QPlainTextEdit {
public:
    using QPlainTextEdit::QPlainTextEdit;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// "Alternativ": the one dialog in which the user edits the program's settings. It is made once
// and kept; every showing loads the running program's state into its controls, and OK or
// "&Verkställ" gives them back through Tmain::ApplySettings. A control the user left as it was
// loaded gives back the value it was loaded with (a system colour stays a system colour, tag
// names as written stay so). It also holds the HTML-ground subroutine, loaded from
// "RariViduze.sub" when it is made and saved there when the program ends.
class Toptions : public QDialog {
    Q_OBJECT

public:
    explicit Toptions(Tmain& main, QWidget* parent = nullptr);

    // The page list and the fourteen pages.
    QListWidget* PageList = nullptr;
    QStackedWidget* PageControl1 = nullptr;
    QWidget *Allmant = nullptr, *Verktygsflt = nullptr, *KodInstallningar = nullptr,
            *KodFormatering = nullptr, *KodInteraktiv = nullptr, *DTDs = nullptr,
            *Formateringstaggar = nullptr, *TagClosing = nullptr, *HtmlGrund = nullptr,
            *Webblasare = nullptr, *Subrutiner = nullptr, *Arbetsytor = nullptr,
            *Forhandsgranskning = nullptr, *Prestanda = nullptr;

    QPushButton* btnClearFileMRU = nullptr;
    QPushButton* btnClearBackup = nullptr;
    QComboBox* DefECC = nullptr;
    QPushButton* btnZaziriziva = nullptr;
    QPushButton* btnWinDefault = nullptr;
    QTabWidget* SynPages = nullptr;
    // The keyword groups: their number, one tab per group and the editors of the selected one.
    TIntegerEdit* psynCUSTNumTabs = nullptr;
    QTabBar* CustomTabs = nullptr;
    TSerieEdit* pCUSTKeywords = nullptr;
    TColorContainer* pCUSTColor = nullptr;
    QCheckBox *pCUSTBold = nullptr, *pCUSTItalic = nullptr, *pCUSTUnderline = nullptr;
    QPlainTextEdit* DTDlist = nullptr;
    TUpperCaseMemo* OptionTagClosing = nullptr;
    TTextEditorEx* RARIVIDUZE = nullptr;
    TRuler* RariViduzeRuler = nullptr;
    TSUBFormattingProcessor* RariViduzeProcessor = nullptr;
    QMenu* RariViduzeMenu = nullptr;
    QPushButton* btnBrowseSave = nullptr;
    QPushButton* btnBrowseOpen = nullptr;
    QPushButton* btnResetPreview = nullptr;
    QPushButton* btnShowControlPoints = nullptr;
    QPushButton* btnResetEditor = nullptr;
    QPushButton* btnOk = nullptr;
    QPushButton* btnCancel = nullptr;
    QPushButton* btnApply = nullptr;

    // The working copy of the keyword groups, one record per tab.
    std::vector<TCustomKeywordGroup> CustomGroupsEdit;

    // Loads the running program's state into every control; "&Verkställ" is disabled.
    void FormShow();
    // Shows the dialog modally on a page; true when it was closed with OK (and so applied).
    bool Execute(QWidget* page);
    void ShowPage(QWidget* page);
    QWidget* CurrentPage() const;

    // Checks every number box, then gives every control to the running program. A box that
    // holds no valid number is named in a message and shown, and nothing is applied.
    bool ApplyToMain();
    void btnApplyClick();
    void AllowApply();

    // The two colour schemes (they change the four editor colours, nothing is applied yet).
    void SetWinDefColors();
    void SetZaziRizivaColors();
    // Forgets the recent files; deletes every backup file.
    void btnClearFileMRUClick();
    void btnClearBackupClick();
    // The preview paths: a folder chosen for one of them, or both back to the default.
    void BrowsePreviewPath(QLineEdit* edit);
    void ResetPreviewPaths();
    // Draws the main editor's control points for the box's jump and repaints it.
    void ShowControlPoints();
    void ResetEditor();

    // Changing the number of keyword groups and switching between their tabs.
    void psynCUSTNumTabsChange();
    void SaveCustomSynData();
    void ShowCustomSynData();

    // The HTML-ground subroutine: its text, and saving it to "RariViduze.sub". A text that
    // could not be loaded is never written back empty, and an unchanged one is not rewritten.
    QByteArray HtmlGroundText() const;
    bool HtmlGroundLoaded() const { return htmlGroundLoaded_; }
    void SaveHtmlGround();
    static QString HtmlGroundFile();
    // The HTML-ground editor takes over the main editor's settings, font and colours.
    void TakeMainEditorLook();

    QLineEdit* PreviewSaveFile = nullptr;
    QLineEdit* PreviewOpenFile = nullptr;

protected:
    // OK applies first; a wrong number box keeps the dialog open.
    void accept() override;
    void showEvent(QShowEvent* event) override;

private:
    void BuildPages();
    void LoadHtmlGround();
    void PrepareRariViduzeMenu();
    // The caption of a control (its label's text or its own), for messages.
    QString CaptionOf(const QWidget* control) const;
    // Remembers what every control shows now, as loaded.
    void RememberShown();
    bool Changed(const QWidget* control) const;
    // The first number box whose text is no valid number, with its message.
    QWidget* WrongNumberBox(QString* message) const;
    void ResizeCustomGroups(int count);

    Tmain& main_;
    QHash<const QWidget*, QVariant> loaded_;
    // The tag case as loaded (0 stays 0 while the box is not changed).
    int loadedTagCase_ = 1;
    std::vector<TCustomKeywordGroup> loadedGroups_;
    int shownGroup_ = -1;
    bool loading_ = false;
    bool htmlGroundLoaded_ = false;
    QByteArray htmlGroundOnDisk_;
};
