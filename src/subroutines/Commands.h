#pragma once

#include <QString>
#include <QWidget>
#include <memory>

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QTimer;
class TCaptionGroup;
class TPanelCaption;
class TRuler;
class TSUBFormattingProcessor;
class TSubroutineRunner;
class TTextEditorEx;
class Tmain;

// The Subroutines window: a tool window over the main window in which the user writes, opens,
// saves and runs subroutines, and the owner of the program-wide one-line prompt. It lives as
// long as its main window; F12, Esc and runs only show or hide it.
class Tcommands : public QWidget {
    Q_OBJECT
public:
    // The main window is the parent; without one the window offers only the prompt.
    explicit Tcommands(QWidget* parent = nullptr);
    ~Tcommands() override;

    // Asks for one value with the prompt dialog (owned by this window): prompt as the
    // question, the browse button when showBrowse, filterIndex kept for it. True and the typed
    // text when accepted; false and an empty answer for every other way out.
    bool InternalGetInput(const QString& prompt, bool showBrowse, int filterIndex, QString* answer);

    // --- components ----------------------------------------------------------------------------
    TTextEditorEx* CurrentSubroutine = nullptr;
    TSUBFormattingProcessor* SUBFormattingProcessor1 = nullptr;
    TRuler* Ruler1 = nullptr;
    QMenu* SubEdPopup = nullptr;
    TPanelCaption* CaptionBar = nullptr; // "Aktuell subrutin"
    TCaptionGroup* LoadSaveGroup = nullptr;
    TCaptionGroup* ExecuteGroup = nullptr;
    QPushButton* Button1 = nullptr; // "&Ny"
    QPushButton* Button2 = nullptr; // "&Öppna"
    QPushButton* Button3 = nullptr; // "&Spara"
    QPushButton* Button5 = nullptr; // "&Exekvera"
    QLabel* kvlogo = nullptr;
    // Clears the main status bar once, after "normalize status after".
    QTimer* NeutralizeStatusTimer = nullptr;
    // The context menu's items.
    QAction *UndoItem = nullptr, *CutItem = nullptr, *CopyItem = nullptr, *PasteItem = nullptr,
            *DeleteItem = nullptr, *SelectAllItem = nullptr, *OpenInMainItem = nullptr;

    // The window's text came from a file (opened here, or copied from a saved document):
    // "&Spara" then proposes that file.
    bool SubroutineFileKnown = false;
    // The file of the open dialog, and the name the save dialog proposes.
    QString OpenDialogFileName;
    QString SaveDialogFileName;

    // The runs; none without a main window.
    TSubroutineRunner* Runner() const { return runner_.get(); }
    Tmain* MainWindow() const { return main_; }

    // The folder both file dialogs start in.
    static QString SubroutineFolder();

    // --- commands --------------------------------------------------------------------------
    void Button1Click(); // "&Ny"
    void Button2Click(); // "&Öppna"
    void Button3Click(); // "&Spara"
    void Button5Click(); // "&Exekvera"
    // "&Öppna i huvudeditor...": a new document "subrutin.sub" without a file gets the lines.
    void OpenInMainEditor();
    // Copies the main window's current document into the window (asks before replacing a
    // text of another file) and shows the window.
    void CopyFromDocument();
    // The four buttons, disabled while an event or line-list run borrows the editor.
    void SetButtonsEnabled(bool enabled);
    // The editor takes over the main editor's settings, font, spacing and colours.
    void TakeMainEditorLook();
    // Puts the context menu's states (as it opens).
    void PrepareSubEdPopup();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The proposed name of the save dialog: the opened file when known.
    void ProposeSaveName();
    // Asks "Den aktuella subrutinen kommer att raderas." / "Vill du fortsätta?": true on Ja.
    bool ConfirmReplace();
    // Esc and the Shift+Ctrl+Alt toggles; true when the key was used.
    bool HandleKey(QKeyEvent* event);
    // The context menu's item whose shortcut the key is, or null.
    QAction* OwnShortcut(const QKeyEvent* event) const;

    Tmain* main_ = nullptr;
    std::unique_ptr<TSubroutineRunner> runner_;
    bool placed_ = false; // centred on the screen at the first show
};
