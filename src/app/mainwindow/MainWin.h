#pragma once

#include "app/commands/CommandRegistry.h"
#include "app/commands/FileCommands.h"
#include "app/core/ActionStates.h"
#include "app/core/AppTimer.h"
#include "app/core/Backups.h"
#include "app/core/DataFiles.h"
#include "app/core/DebounceTimers.h"
#include "app/core/FileData.h"
#include "app/core/InstanceMark.h"
#include "app/core/SettingsStore.h"
#include "app/core/StatusTexts.h"
#include "app/core/WebsiteData.h"
#include "app/dialogs/Boxes.h"
#include "editor/text/UndoBudget.h"
#include "platform/Dialogs.h"

#include <QByteArray>
#include <QHash>
#include <QKeySequence>
#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QToolBar;
class QVBoxLayout;
class TCSSFormattingProcessor;
class TSearchPanel;
class TBookmarksPanel;
class TWebSitesPanel;
class TFSControl;
class TPreviewBrowser;
class TPreviewFrm;
class TFormattingProcessor;
class THTMLFormattingProcessor;
class TJSFormattingProcessor;
class TSUBFormattingProcessor;
class TPascalFormattingProcessor;
class TTXTEXFormattingProcessor;
class TCustomFormattingProcessor;
class TTabControlEx;
class TTextEditorEx;
class TViewModes;
class TSidePanelContainer;
class TSearchCommands;
class TInsertCommands;
class TEditCommands;
class TPrintCommands;
class TToolCommands;
class TExternalCommands;
class TBookmarkCommands;
class TWebSiteCommands;
class TMainCommandWindow;

// The colouring a document gets from its extension.
enum class TProcessorKind { None, HTML, CSS, JS, SUB, Pascal, DIRUZ, Custom };

// The main window: one editor for every open document, the document table behind the tab
// strip, and the file commands.
// The main window: one editor for every open document, the document table behind the tab
// strip, the side panels, and the menus and toolbars that run the commands of the registry.
// The commands themselves live in the command units of app/commands.
class Tmain : public QMainWindow {
public:
    explicit Tmain(QWidget* parent = nullptr);
    ~Tmain() override;

    // --- components ------------------------------------------------------------------------
    TTextEditorEx* CodeEditor = nullptr;
    TTabControlEx* FilesList = nullptr;
    QMenu* Arkiv1 = nullptr;
    QMenu* mnuDocTabs = nullptr;
    QMenu* TabsPopup = nullptr;
    QMenu* ReopenPopup = nullptr;
    QToolBar* Toolbar = nullptr;
    // The colouring processors of the main editor.
    THTMLFormattingProcessor* HTMLFormattingProcessor1 = nullptr;
    TCSSFormattingProcessor* CSSFormattingProcessor1 = nullptr;
    TJSFormattingProcessor* JSFormattingProcessor1 = nullptr;
    TSUBFormattingProcessor* SUBFormattingProcessor1 = nullptr;
    TPascalFormattingProcessor* PascalFormattingProcessor1 = nullptr;
    TTXTEXFormattingProcessor* TXTEXFormattingProcessor1 = nullptr;
    TCustomFormattingProcessor* CustomFormattingProcessor1 = nullptr;
    // The four recent-file commands RoAlfa1 .. RoDelta1, shared by the File menu and the open
    // button's drop-down.
    std::array<QAction*, 4> Reopen{};

    // Every command, by its action name ("ASaveDoc"): menus, buttons, subroutines and module
    // calls all run the same command.
    TCommandRegistry& Commands() { return *commands_; }
    QAction* Action(const QString& name) const { return commands_->Find(name); }

    // The command units; they keep the state of their commands (the occurrences window, the
    // last inserted colour, the sites, the progress windows).
    std::unique_ptr<TFileCommands> FileCommands;
    std::unique_ptr<TSearchCommands> SearchCommands;
    std::unique_ptr<TInsertCommands> InsertCommands;
    std::unique_ptr<TEditCommands> EditCommands;
    std::unique_ptr<TPrintCommands> PrintCommands;
    std::unique_ptr<TToolCommands> ToolCommands;
    std::unique_ptr<TExternalCommands> ExternalCommands;
    std::unique_ptr<TBookmarkCommands> BookmarkCommands;
    std::unique_ptr<TWebSiteCommands> WebSites;

    // The subroutine window, when the subroutines are installed.
    QPointer<QWidget> SubroutineWindow;

    // A menu of the menu bar or one of its submenus by its object name ("Arkiv1", "Infoga1",
    // "Redigera1", "Verktyg1"); null when there is none.
    QMenu* Menu(const QString& objectName) const;
    // Puts a registered command into a menu (by object name): before the item of the command
    // `before` when that is in the menu, else at the end. A menu that does not exist yet is
    // made on the menu bar with `caption`.
    void AddToMenu(const QString& menu, const QString& command, const QString& before = {},
                   const QString& caption = {});
    void AddMenuSeparator(const QString& menu);

    // --- side panels ---------------------------------------------------------------------------
    // The stacks of side panels: SideBarL on the left (web sites, search, bookmarks, FTP),
    // SideBarR on the right (the tag reference).
    TSidePanelContainer* SideBarL = nullptr;
    TSidePanelContainer* SideBarR = nullptr;
    // Puts a panel into the side-panel stack on the left (or the right); its windowTitle is its
    // caption. It starts hidden; `visibilityChanged` runs whenever it is shown or hidden.
    void AddSidePanel(QWidget* panel, bool right, std::function<void()> visibilityChanged = {});
    void SetSidePanelVisible(QWidget* panel, bool visible);
    bool SidePanelVisible(const QWidget* panel) const;

    // The text of one status-bar panel (0 .. 6).
    QString StatusPanel(int index) const;
    void SetStatusPanel(int index, const QString& text);

    // --- the document table ------------------------------------------------------------------
    // One memory budget for the undo histories of every document (the editor's and those of
    // the documents not on screen).
    TUndoBudget UndoBudget{TUndoStore::DefaultMemoryBudget};
    TOpenFiles OpenFiles;
    int OpenFilesCount() const { return static_cast<int>(OpenFiles.size()); }
    // The record whose document the editor holds; -1 when it holds none (after a close).
    int LastTabIndex = 0;
    bool SwitchingTab = false;
    bool ClosingDocument = false;
    bool StartingUp = false;
    // The answer to the last question box the window or one of its commands built (6, 7 or 2).
    int LastQuestionResult = 0;

    // The current tab and its record.
    int CurrentTab() const;
    TFileData& Current();
    const TFileData& Current() const;

    // --- settings read by these commands ------------------------------------------------------
    QStringList WebExtensionsList;
    bool InteractiveFormattingEnabled = true;
    bool ShowReopenEnabled = true;
    QStringList synHTMLext, synCSSext, synJSext, synSUBext, synPASCALext, synTXTEXext, synCUSText;

    // --- documents and tabs -------------------------------------------------------------------
    // Mode 0: a new empty document named name; mode 1: the file name. A file that cannot be
    // read is reported and ends in a silent abort.
    void NewDocTab(int mode, const QString& name);
    // The tab switch: stores the editor into the record left and loads the current one.
    void UpdateEditor();
    void SetModified();
    void UpdateTab(int index);
    void ChangeAppTitle();
    void InitInteractiveFormatting();
    TProcessorKind ProcessorKindFor(const QString& fileName) const;
    TProcessorKind CurrentProcessorKind() const { return processorKind_; }
    // The processor of a kind; none for plain text.
    TFormattingProcessor* ProcessorFor(TProcessorKind kind) const;
    void ClearDoc();
    void CodeEditorChange();
    void InitDocTabs();
    void GotoTabFromTag(int tag);
    // The open dialog for a file of that name only (a file named at start that is missing).
    void SearchDocument(const QString& fileName);
    // Takes an undo snapshot of the text changed since the last one, so that an undo takes
    // back the coming change alone (dialogs that write into the editor run it first).
    void BeforeEditorChange();
    // File commands for callers that run them directly rather than by name (the benchmarks).
    void PrevDoc();
    void NextDoc();
    void DocClose();
    TSaveResult SaveDoc();

    // --- boxes ------------------------------------------------------------------------------
    // Every message, question and prompt of the window goes through these.
    TBoxes& Boxes() { return boxes_; }
    bool kvMessageBox(const QString& text) { return boxes_.kvMessageBox(text); }
    int kvQuestionBox(const QString& information, const QString& question) {
        return boxes_.kvQuestionBox(information, question);
    }
    bool kvInputBox(const QString& prompt, const QString& defaultText, QString* answer) {
        return boxes_.kvInputBox(prompt, defaultText, answer);
    }
    bool kvInputBoxPsw(const QString& prompt, const QString& defaultText, QString* answer) {
        return boxes_.kvInputBoxPsw(prompt, defaultText, answer);
    }

    // --- timers, backups, data files (MainWinTimers.cpp) -----------------------------------------
    TDataFiles DataFiles;     // AutoCloseTagsList, DocTypesList, ClipboardHistory
    TDebounceTimers Debounce; // ASU (selected tag), AUU (undo snapshot)
    TAppTimer BackupTimer{60000, true};
    TAppTimer NormalizeAdditionalPanelTimer{2000, false};
    // Clears the status bar's simple text; the wizards start it after writing one.
    TAppTimer StatusFix{2000, false};
    TBackupService Backups;
    bool AutoBackupEnabled = true; // the AutoBackup setting
    void AddManualChangeToUndoData();
    // Backs up the open documents; false when that failed or could not run now.
    bool BackupDoc();
    // Clears status panel 6 after a number of seconds.
    void NormalizeAdditionalPanel(int seconds);
    // The steps of start, first show and close that the timers and data files own: the
    // first show offers the backups of a run that did not end and starts the backup timer.
    void CreateTimersAndData();
    void ShowTimersAndData();
    void OfferBackups();
    void CloseTimersAndData();

    // --- status bar, hints and action states (MainWinStatus.cpp)
    // ----------------------------------
    int HintTabIndex = -1;
    bool ShowToolExpEnabled = true;
    // The style- and class-attribute dialogs, run by "=" after " STYLE" / " CLASS".
    std::function<void()> InsertCSSXStyle, InsertCSSClass;
    void CreateStatusBar();
    void SelectionChange();
    void CodeEditorCaretModeChange();
    void CodeEditorFontSizeChange(int newFontSize);
    void FilesListMouseMove(const QPoint& pos);
    void CodeEditorMouseMove();
    void ApplicationEvents1Hint(const QString& hint);
    // Sets every action state at once; RequestActionUpdate runs it once per event-loop turn.
    void CentralActionListUpdate();
    void RequestActionUpdate() { actionUpdate_.Request(); }
    TDocState CurrentDocState() const;
    // "=" typed: true when it opened a dialog and the key is swallowed.
    bool VerifyDefTagActions(char key);
    // --- view modes (MainWinViews.cpp) -------------------------------------------------------
    TViewModes* Views = nullptr;
    // Extensions (without dot) whose files open in edit, preview or combination mode.
    QStringList caEdit, caPreview, caCombination;
    void PreviewPage();
    void SelectCodeEditor();

    // --- menus and toolbars (MainWinMenus.cpp) -------------------------------------------------
    QMenu* Infoga1 = nullptr;
    QToolBar* InsertToolbar = nullptr;
    QMenu* Verktyg1 = nullptr;       // "&Verktyg"
    QMenu* mnuPaste = nullptr;       // "K&listra in" on "&Redigera", rebuilt as it opens
    QMenu* PasteDataPopup = nullptr; // the toolbar paste button's drop-down
    // The text in upper case when TagCase is 1, in lower case when it is 2, else unchanged.
    QByteArray FCC(const QByteArray& text) const;
    // A clip shown in a menu: whole in quotes below 31 characters, else its first 30 and "...".
    static QString ClipCaption(const QString& text);
    // The paste menus: the system clipboard and the clips of the history.
    void InitPastes();
    void InitPastes2();
    // The recent-file items of the File menu and the open button.
    void InitReopenNs();
    // The editor's context menu; as it opens it gains "Ändra färgvärde" for a selected colour
    // value or "Ändra specialtecken" for a selected entity, and loses them for anything else.
    QMenu* documentPopup = nullptr;
    void SetupExtMenuItems();
    // The character at a linear offset of the editor's text ('\r' in a line break, 0 outside).
    char CharAtOffset(int offset) const;

    // --- side panels (MainWinPanels.cpp) --------------------------------------------------------
    TSearchPanel* searchpn = nullptr;
    TBookmarksPanel* bmpn = nullptr;
    TWebSitesPanel* projectpn = nullptr;
    // The search panel's buttons follow the texts and the editor's selection.
    void TestSearchButtonsEnabled();

    // --- external programs (MainWinPanels.cpp) --------------------------------------------------
    TFSControl* FSControl = nullptr; // the full-screen preview's panel, made at start
    TPreviewFrm* PreviewFrm() const; // the full-screen preview while it is up, else null
    // The full-screen preview's browser, and how other programs and files are started (tests
    // replace them).
    std::function<std::unique_ptr<TPreviewBrowser>()> MakePreviewBrowser;
    std::function<bool(const QString& program, const QStringList& arguments)> StartProgram;
    std::function<void(const QString& fileName)> OpenWithSystemHandler;

    // --- start, settings and shut-down (MainWinStartup.cpp, MainWinSettings.cpp) ------------
    // Every stored setting as read at start. Values whose owner the window does not have yet
    // are kept here unchanged and written back at the end.
    TSettingsValues Settings;
    bool SettingsReadFailed = false;
    bool IsFirstRun = false;
    bool PreviousRunUnfinished = false;
    // This instance's slot in the Running list and its lock; its backups are the slot's.
    TInstanceMark Instance;
    // Program-wide settings state.
    int TagCase = 1; // 1 upper case, 2 lower case, any other value: names as written
    QString ItalicTagName, BoldTagName;
    bool AutoWizEnabled = true, AutoCloseEnabled = true, ChangeElementsEnabled = true;
    bool UseOtherBrowser = false;
    QString BrowserFileName, WinTempDir, TextToolPath, EditorFontName;
    int EditorFontSize = 10;
    // The command-line arguments after the program's name; the first names a file to open.
    QStringList CommandLineArguments;
    // The user chose to end the program at start: the caller ends it without a message loop.
    bool Terminated = false;
    // Steps of start and shut-down that other units fill in; an empty hook is skipped, and a
    // hook that fails does not stop the start or the close.
    struct TLifecycleHooks {
        std::function<void()> OfferBackups;  // first show, after a run that did not end normally
        std::function<void()> SaveDataFiles; // close, after the settings
        std::function<void()> UnloadModules; // close, before the document table is emptied
        std::function<void()> StartEvent;    // first show, before the backup offer
        std::function<void()> EndEvent;      // close, first step, before the settings
        // The installed subsystems' own settings and action states: each runs at the end of
        // ApplySettings, of CurrentSettings and of CurrentDocState.
        std::vector<std::function<void(const TSettingsValues&)>> ApplySettings;
        std::vector<std::function<void(TSettingsValues&)>> TakeSettings;
        std::vector<std::function<void(TDocState&)>> DocState;
        // close, once it is allowed and before anything is written: background work stops.
        std::vector<std::function<void()>> StopWork;
    } Hooks;
    // The HTML-ground subroutine that fills a new page (the options dialog holds it); unset,
    // the subroutines read "RariViduze.sub" of the data folder.
    std::function<QByteArray()> HtmlGroundText;

    // Run by the constructor.
    void FormCreate();
    // Run on the first show only, once the window is on the screen.
    void FormShow();
    void setVisible(bool visible) override;
    // Asks about every modified document; false when the user cancelled.
    bool FormCloseQuery();
    void FormClose();
    // Gives the running program a full set of values (all of them are kept for writing).
    void ApplySettings(const TSettingsValues& values);
    // Settings with the running program's state taken into it: what the end writes.
    TSettingsValues CurrentSettings() const;

protected:
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class TMainCommandWindow;

    // The command units, registered and wired to the panels and the editor.
    void BuildCommands();
    // The menus, toolbars and the tab strip's menu from the menu layout table.
    void BuildMenus();
    // The side-panel stacks and the panels of the window.
    void BuildSidePanels(QWidget* centre);
    // Makes a tab current without the tab strip's change signal.
    void SelectTab(int index);
    void AddDocumentTab(const QString& fileName);
    // Puts a record's text and selection into the editor.
    void LoadRecord(TFileData& record);
    // Closes the current document, or all of them, without asking; a new document follows
    // when none is left.
    void CloseCurrentDocument();
    void CloseAllDocuments();
    // The view area in place of the bare editor, and the mode commands.
    void BuildViews(QVBoxLayout* layout);
    // A newly opened file's mode from the extension lists.
    void ViewModeFromExtension(const QString& fileName);

    TBoxes boxes_{this};
    TCommandRegistry* commands_ = nullptr;
    std::unique_ptr<TMainCommandWindow> link_;
    std::array<QLabel*, 7> panels_{};
    TProcessorKind processorKind_ = TProcessorKind::HTML;
    TCoalescedCall actionUpdate_{[this] { CentralActionListUpdate(); }};
    std::unique_ptr<Dialogs::ScopedClosedHandler> focusAfterDialogs_;
    bool shown_ = false;
};
