#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>

class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QPushButton;
class QSplitter;
class QTimer;
class QWidget;
class TCommandRegistry;
class TPreviewBrowser;
class TViewModesHost;
struct TSettingsValues;

// The three views of a document, as kept in its record: the editor alone, the rendered page
// alone, or both.
enum TViewModeIndex : quint8 { vmEdit = 0, vmPreview = 1, vmCombination = 2 };

// The view modes of the main window: the area below the tab strip (editor panel, splitter,
// preview browser and the bottom bar), the commands that switch the modes, the preview of the
// document and its automatic update one second after the last edit.
class TViewModes : public QObject {
public:
    // The mode commands are registered in `commands`; without one they go into a registry of
    // their own (view modes without a window).
    TViewModes(TViewModesHost* host, std::unique_ptr<TPreviewBrowser> browser,
               QWidget* parent = nullptr, TCommandRegistry* commands = nullptr);
    ~TViewModes() override;

    // The message when the copy of the text that a preview shows cannot be written.
    static QString CopyNotWrittenText();

    // --- components ----------------------------------------------------------------------
    // The area the window puts below its tab strip; the window fills EditorPn with the ruler
    // and the editor.
    QWidget* Area() const { return area_; }
    QWidget* EditorPn = nullptr;
    QSplitter* EditPreviewSplitter = nullptr;
    QWidget* PreviewIE = nullptr;
    QWidget* Panel6 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label4 = nullptr;
    QPushButton* btnPreviewFullscreen = nullptr;
    // The automatic preview update, one second after the last edit.
    QTimer* APU = nullptr;
    TPreviewBrowser* Browser() const { return browser_.get(); }

    // --- commands (their actions in the registry) ----------------------------------------------
    QAction* VUserGoEditMode = nullptr;
    QAction* VUserGoPreviewPageMode = nullptr;
    QAction* VUserGoCombinationMode = nullptr;
    QAction* VViewPage = nullptr;
    QAction* VSetOrientationH = nullptr;
    QAction* VSetOrientationV = nullptr;
    QAction* VPreviewPage = nullptr;
    QAction* VToggleAutoPreviewUpdate = nullptr;
    QAction* VToggleAutoSaveOnUpdate = nullptr;
    QList<QAction*> Actions() const;

    // --- settings ------------------------------------------------------------------------
    // Combination mode puts the editor beside the page (true) or above it (false).
    bool SplitVertical = false;
    // The file the unsaved text is written to and the file the browser is sent to.
    QString PreviewSaveFileName;
    QString PreviewOpenFileName;

    // Controls that preview mode switches off: the search panel, the insert toolbar's
    // buttons, the main toolbar's editing buttons and the editing menus.
    void AddEditOnly(QWidget* control);
    void AddEditOnly(QMenu* menu);

    // --- modes ---------------------------------------------------------------------------
    // The one layout routine.
    void SetMode(bool edit, bool preview);
    void EditMode() { SetMode(true, false); }
    void PreviewPageMode() { SetMode(false, true); }
    void CombinationMode() { SetMode(true, true); }
    // The user's commands: the mode, then for edit and combination the editor's focus and
    // the selection display.
    void UserGoEditMode();
    void UserGoPreviewPageMode();
    void UserGoCombinationMode();
    // The same modes for the program (the tab switch): no focus, no display.
    void PgmGoEditMode() { EditMode(); }
    void PgmGoPreviewPageMode() { PreviewPageMode(); }
    void PgmGoCombinationMode() { CombinationMode(); }
    // The mode as a record keeps it, and going back to a kept mode (unknown values: edit).
    quint8 ViewMode() const;
    void PgmGoMode(quint8 viewMode);
    bool IsEditMode() const { return ViewMode() == vmEdit; }
    bool IsPreviewMode() const { return ViewMode() == vmPreview; }
    void SetOrientation(bool vertical);

    // --- preview -------------------------------------------------------------------------
    // Shows the document: its own file when that holds the text, else the preview copy.
    void PreviewPage();
    // The handler of APU: saves when asked to, writes the copy and refreshes the page.
    void PreviewPageUpdate();
    void DisableEdit();
    void EnableEdit();
    void SelectCodeEditor();
    // The enabled and checked states of the commands above come from the window's one table
    // of action states; this asks for its update.
    void RequestActionUpdate();

    // --- hooks for the window's document handling ------------------------------------------
    // The document was just marked modified.
    void DocumentMarkedModified();
    // Every change of the editor text: restarts the automatic update when it is armed.
    void EditorChanged();
    // The window calls this before a tab switch, a close and every question about unsaved
    // work: a pending update is dropped.
    void LeaveDocument();

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* NewAction(const QString& name, const QString& caption, const QString& key,
                       bool checkable, std::function<void()> command);
    void BuildArea(QWidget* parent);
    void BuildActions();
    void LayoutCombination();
    void PlaceButton();
    void ShowWarning(bool visible);
    // The document's own file holds the editor's text.
    bool FileIsCurrent() const;
    void Navigate(const QString& target);
    void LoadFailed();
    void ToggleAutoPreviewUpdate();

    TViewModesHost* host_;
    TCommandRegistry* commands_;
    std::unique_ptr<TPreviewBrowser> browser_;
    QPointer<QWidget> area_;
    QActionGroup* modeGroup_ = nullptr;
    QList<QPointer<QWidget>> editOnlyWidgets_;
    QList<QPointer<QMenu>> editOnlyMenus_;
    // The page the browser was last sent to.
    QString lastTarget_;
    bool previewing_ = false;
};

// The stored values of the view modes: the split (LayoutOrientation 2 vertical, any other
// number horizontal; written as 1 or 2), the two automatic switches and the preview files.
void ApplyToViews(const TSettingsValues& values, TViewModes* views);
void TakeFromViews(TSettingsValues* values, const TViewModes& views);
