#pragma once

#include "app/commands/CommandRegistry.h"
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
class QDockWidget;
class QLabel;
class QMenu;
class QToolBar;
class QVBoxLayout;
class TCSSFormattingProcessor;
class TSearchPanel;
class TBookmarksPanel;
class TWebSitesPanel;
class THexColorDialog;
class TTimesOf;
class Treplaceprogress;
class TPrintProgress;
class TFSControl;
class TPreviewBrowser;
class TPreviewFrm;
class TExportProgressFrm;
class TFormattingProcessor;
class THTMLFormattingProcessor;
class TJSFormattingProcessor;
class TSUBFormattingProcessor;
class TPascalFormattingProcessor;
class TTXTEXFormattingProcessor;
class TCustomFormattingProcessor;
class TTabControlEx;
class THexColorDialog;
class TTextEditorEx;
class TViewModes;

// How a question about unsaved work ended. Saved: nothing is left that the user wants kept
// (the text was saved, was unchanged, or the user answered Nej). Cancelled: the user stopped
// the command. Failed: a save went wrong and was reported. Only Saved lets a close go on.
enum class TSaveResult { Saved, Cancelled, Failed };

// The colouring a document gets from its extension.
enum class TProcessorKind { None, HTML, CSS, JS, SUB, Pascal, DIRUZ, Custom };

// The main window: one editor for every open document, the document table behind the tab
// strip, and the file commands.
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
    // The four recent-file items, shared by the File menu and the open button's drop-down.
    std::array<QAction*, 4> Reopen{}; // RoAlfa1, RoBeta1, RoGamma1, RoDelta1

    // Every command, by its action name ("ASaveDoc"): menus, buttons, subroutines and module
    // calls all run the same command.
    TCommandRegistry& Commands() { return *commands_; }
    QAction* Action(const QString& name) const { return commands_->Find(name); }

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
    // Puts a panel into the side-panel stack on the left (or the right); its windowTitle is its
    // caption. It starts hidden; `visibilityChanged` runs whenever it is shown or hidden.
    void AddSidePanel(QWidget* panel, bool right, std::function<void()> visibilityChanged = {});
    void SetSidePanelVisible(QWidget* panel, bool visible);
    bool SidePanelVisible(const QWidget* panel) const;

    // The text of one status-bar panel (0 .. 6).
    QString StatusPanel(int index) const;
    void SetStatusPanel(int index, const QString& text);

    // --- the document table ------------------------------------------------------------------
    TOpenFiles OpenFiles;
    int OpenFilesCount() const { return static_cast<int>(OpenFiles.size()); }
    // The record whose document the editor holds; -1 when it holds none (after a close).
    int LastTabIndex = 0;
    bool SwitchingTab = false;
    bool ClosingDocument = false;
    bool StartingUp = false;
    // The answer to the last question box the window built itself (6, 7 or 2).
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

    // --- commands --------------------------------------------------------------------------------
    // A failure is reported before the command ends; the loops and closes end in a silent
    // abort when a document was not saved or the user cancelled. The saves return their result.
    void NewDoc();
    void OpenDoc();
    TSaveResult SaveDoc();
    TSaveResult SaveDocAs();
    void SaveAllDoc();
    void SaveAllDocAs();
    void DocClose();
    void AllDocClose();
    void PrevDoc();
    void NextDoc();

    // --- files ---------------------------------------------------------------------------------
    // The filter index that both file dialogs get for the current document.
    void SetFilterIndex();
    int FilterIndex() const { return filterIndex_; }
    // Asks whether to save the current document when it is modified.
    TSaveResult AskToSave();
    void RegSaveReopen();
    // The recent files, most recent first (what the Reopen store holds).
    QStringList ReopenFiles() const;
    void InitReopenNs();
    void OpenFromReopen(const QString& fileName);
    void SearchDocument(const QString& fileName);

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
    TBackupService Backups;
    bool AutoBackupEnabled = true; // the AutoBackup setting
    void RestartTimer(TAppTimer& timer) { timer.Restart(); }
    void AddManualChangeToUndoData();
    // The editor's undo and redo; the pending undo snapshot is dropped (the text is a restored
    // one).
    void DocUndo();
    void DocRedo();
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

    // --- insert commands (MainWinInsert.cpp) -------------------------------------------------
    QMenu* Infoga1 = nullptr;
    QToolBar* InsertToolbar = nullptr;
    // The text in upper case when TagCase is 1, in lower case when it is 2, else unchanged.
    QByteArray FCC(const QByteArray& text) const;
    void InsertParaP();
    void InsertParaD();
    void InsertRaised();
    void InsertLowered();
    void InsertBold();
    void InsertItalic();
    void InsertUnderlined();
    // The heading level is the sender's tag (its data, 1 .. 6).
    void InsertHeading(QObject* sender);
    void InsertBreakB();
    void InsertHTMLComment();
    void InsertJSComment();
    void InsertVBComment();
    void InsertSpace();
    void InsertAnchor();
    void InsertLinkScript();
    void InsertLinkStyle();
    void InsertBuiltinStyle();
    // The colour command's dialog ("Färg", "&Infoga kod") and the colour it last confirmed.
    THexColorDialog* ColorDialog = nullptr;
    TColor LastColor = clBlack;
    void InsertColor();
    // The insert actions, the "&Infoga" menu and the insert toolbar; run by the constructor.
    void BuildInsertCommands();

    // --- search, replace and go to (MainWinSearch.cpp) ---------------------------------------
    TSearchPanel* searchpn = nullptr;
    QDockWidget* SearchDock = nullptr;           // holds searchpn until the side-panel stack does
    TTimesOf* TimesOf = nullptr;                 // the occurrences window, made on first use
    Treplaceprogress* replaceprogress = nullptr; // exists while a replace-all shows progress
    bool OccurrencesSpanAllDocuments = false;
    std::function<void()> AdvancedReplaceHook; // "Avancerad ersättning i filer"
    void CreateSearchPanel();
    void ApplySearchSettings(const TSettingsValues& values);
    void TakeSearchSettings(TSettingsValues* values) const;
    bool SearchPanelVisible() const;
    void ToggleSearch();
    void DocFind();
    void DocReplace();
    void DocGoTo();
    void DocFindNext();
    void SearchNext();
    void ReplaceCurrent();
    void ReplaceAllOccurrences();
    void ReplaceAllOccurrencesAll();
    void ShowOccurrences();
    void ShowOccurrencesAll();
    void GotoOccurrence(int row);
    void GotoSpecified();
    void TestSearchButtonsEnabled();
    void CodeEditorReplaceProgress(int numTotal, int numDone, int progress);

    // --- bookmarks (MainWinBookmarks.cpp) ------------------------------------------------------
    TBookmarksPanel* bmpn = nullptr;
    QDockWidget* BookmarksDock = nullptr; // holds bmpn until the side-panel stack does
    void CreateBookmarksPanel();
    void ApplyBookmarksSettings(const TSettingsValues& values);
    void TakeBookmarksSettings(TSettingsValues* values) const;
    bool BookmarksPanelVisible() const;
    // The list's entries; the tab switch keeps them in the document's record.
    QStringList BookmarksEntries() const;
    void SetBookmarksEntries(const QStringList& entries);
    void ToggleBookmarks();
    void btnAddBookmarkClick();
    void bookmarksClick(int row);
    void abortmarkeradebokmrken1Click();
    void Markeraallabokmrken1Click();
    void bmPopupPopup();

    // --- web sites (MainWinWebSites.cpp) -----------------------------------------------------
    TWebSitesPanel* projectpn = nullptr;
    QDockWidget* WebSitesDock = nullptr; // holds projectpn until the side-panel stack does
    TWebsitesData WebsitesData;
    QString SiteFilterPattern = QStringLiteral("*.*");
    void CreateWebSitesPanel();
    void ApplyWebSitesSettings(const TSettingsValues& values);
    void TakeWebSitesSettings(TSettingsValues* values) const;
    bool WebSitesPanelVisible() const;
    void ToggleCommonDocs();
    QString WebSitesFolder() const; // "Webbplatser" in the data folder
    void LoadWebSites();            // start
    void SaveWebSites();            // close
    void AddSite(const QString& localPath, const QStringList& properties);
    void RemoveSite();
    void UpdateWebSiteListFromArray();
    void UpdateWebsite();
    void WebsiteDataViewStringsChange();
    void WebsiteDataViewDblClick();
    void UpdateWebPagesFilter();
    QString GetSelectedFileName() const; // empty without a selected site and node
    void WebpagePopupPopup();
    void OpenExternalFile();

    // --- edit commands and the clipboard history (MainWinEdit.cpp) ---------------------------
    QMenu* mnuPaste = nullptr;       // "K&listra in" on "&Redigera", rebuilt as it opens
    QMenu* PasteDataPopup = nullptr; // the toolbar paste button's drop-down
    // The actions, their items on "&Redigera" and "&Format" and the paste button.
    void BuildEditCommands();
    // Takes an undo snapshot of text changed since the last one, so that an undo takes back
    // the coming command alone.
    void BeforeEditorChange();
    // The selection as the newest clip.
    void AddToClipboardHistory();
    void DocCut();
    void DocCopy();
    void DocPaste();
    void DocDelSel();
    void ExportText();
    void ImportText();
    void SelectCurrentTag();
    void SelectAll();
    void CopyAll();
    void ClearAll();
    // A clip shown in a menu: whole in quotes below 31 characters, else its first 30 and "...".
    static QString ClipCaption(const QString& text);
    void InitPastes();
    void InitPastes2();
    // Puts history entry `tag` on the system clipboard and pastes it.
    void PasteItem(int tag);

    // --- printing and XHTML export (MainWinPrint.cpp) ------------------------------------------
    TPrintProgress* PrintProgress = nullptr;         // exists while a print shows progress
    TExportProgressFrm* ExportProgressFrm = nullptr; // exists while an export shows progress
    // Opens an exported file with the system's default handler (tests replace it).
    std::function<void(const QString& fileName)> OpenWithSystemHandler;
    void BuildPrintCommands();
    void PrintDoc();
    void PrinterSettings();
    void ExportToXHTML();
    void CodeEditorPrintProgress(int numTotal, int numDone, int progress);
    void CodeEditorXHTMLExportProgress(int numTotal, int numDone, int progress);
    // --- document tools (MainWinTools.cpp) ----------------------------------------------------
    QMenu* Verktyg1 = nullptr; // "&Verktyg"
    void BuildToolCommands();
    void ShowStatistics();
    void SortRows();
    void DocProperties();
    void CompareFiles();

    // --- full-screen preview and external programs (MainWinExternal.cpp) ----------------------
    TFSControl* FSControl = nullptr; // the full-screen preview's panel, made at start
    TPreviewFrm* PreviewFrm() const; // the full-screen preview while it is up, else null
    // The full-screen preview's browser, and how other programs are started (tests replace them).
    std::function<std::unique_ptr<TPreviewBrowser>()> MakePreviewBrowser;
    std::function<bool(const QString& program, const QStringList& arguments)> StartProgram;
    void BuildExternalCommands();
    void FullscreenPreview();
    void ShowInBrowser();
    void AdvancedReplace();

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
    void CloseMain() { close(); }
    // Gives the running program a full set of values (all of them are kept for writing).
    void ApplySettings(const TSettingsValues& values);
    // Settings with the running program's state taken into it: what the end writes.
    TSettingsValues CurrentSettings() const;

protected:
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* AddAction(const QString& name, const QString& caption, const QKeySequence& key,
                       std::function<void()> command);
    void BuildActions();
    void BuildMenus();
    // Makes a tab current without the tab strip's change signal.
    void SelectTab(int index);
    void AddDocumentTab(const QString& fileName);
    // Puts a record's text and selection into the editor.
    void LoadRecord(TFileData& record);
    // Writes the editor text to a file; reports a failure and returns false.
    bool WriteCurrent(const QString& fileName, bool quoted);
    // The open dialog with one filter list: the chosen file, empty on cancel.
    QString RunOpenDialog(const QString& fileName, const QStringList& filters, int index);
    // The loop of the save-all commands.
    void ForEachDocument(const std::function<TSaveResult()>& command);
    // The view area in place of the bare editor, and the mode commands.
    void BuildViews(QVBoxLayout* layout);
    // The "&Visa" menu with the view commands.
    void BuildViewMenu();
    // A newly opened file's mode from the extension lists.
    void ViewModeFromExtension(const QString& fileName);

    TBoxes boxes_{this};
    TCommandRegistry* commands_ = nullptr;
    std::array<QLabel*, 7> panels_{};
    TProcessorKind processorKind_ = TProcessorKind::HTML;
    int filterIndex_ = 11;
    QString openDialogFile_;
    TCoalescedCall actionUpdate_{[this] { CentralActionListUpdate(); }};
    bool shown_ = false;
};
