#pragma once

#include "editor/model/EditorModel.h"
#include "editor/text/UndoStore.h"
#include "platform/Graphics.h"

#include <QAbstractScrollArea>
#include <QFont>
#include <QPoint>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

class TFormattingProcessor;
class TInteractiveListMenu;
class TRuler;
struct TPaintCache;
class QPainter;
class QPrinter;
class QWheelEvent;

using TFontSizeChangeEvent = std::function<void(int NewFontSize)>;
using TAlgorithmProgressEvent = std::function<void(int NumTotal, int NumDone, int Progress)>;
// Key hooks of the owner: a key or character set to 0 cancels the default handling.
using TKeyEvent = std::function<void(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift)>;
using TKeyPressEvent = std::function<void(QObject* Sender, char& Key)>;
using TMouseEvent = std::function<void(QObject* Sender, Qt::MouseButton Button,
                                       Qt::KeyboardModifiers Shift, int X, int Y)>;
using TMouseMoveEvent =
    std::function<void(QObject* Sender, Qt::KeyboardModifiers Shift, int X, int Y)>;

enum class TBorderStyle { bsNone, bsSingle };
// Gives a frame the look of a border style: none, or a sunken panel.
void ApplyBorderStyle(QFrame* frame, TBorderStyle style);

// Page layout for printing, in printer pixels.
struct TTextEditorExPrintingSettings {
    int MarginTop = 500;
    int MarginLeft = 250;
    int MarginBottom = 500;
    int MarginRight = 250;
    int HeaderMarginTop = 250;
    int FooterMarginBottom = 250;
    bool ShowHiddenChars = false;
    bool InteractiveFormatting = true;
    QString Header;
    QString Footer;
};

// The program's text-editing control: a grid of fixed character cells over the model's lines.
// It turns key and mouse events into model calls and paints what the model's changes touched.
class TTextEditorEx : public QAbstractScrollArea, public TEditorModel, private TEditorObserver {
public:
    explicit TTextEditorEx(QWidget* parent = nullptr);
    ~TTextEditorEx() override;

    // Properties.
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle style);
    TFormattingProcessor* FormattingProcessor() const { return processor_; }
    // Throws EKelvoraError unless the processor's TextEditorEx is this editor.
    void SetFormattingProcessor(TFormattingProcessor* processor);
    int TextXSpace() const { return textXSpace_; }
    void SetTextXSpace(int value);
    int TextYSpace() const { return textYSpace_; }
    void SetTextYSpace(int value);
    TRuler* Ruler() const { return ruler_; }
    void SetRuler(TRuler* ruler);
    TTextEditorExPrintingSettings PrintingSettings;

    // The editor's font as named; after changing it call UpdateFont.
    QFont EditorFont;
    // The face the cells are measured and drawn in: EditorFont, or a fixed-pitch face of its
    // size and style when the system lacks the named family.
    const QFont& DrawingFont() const;
    TColor FontColor = clWindowText;
    // The control's background colour (follows Settings()->BkColor()).
    TColor Color() const { return color_; }
    void SetColor(TColor color);

    // Events.
    TNotifyEvent OnCaretModeChange;
    TFontSizeChangeEvent OnFontSizeChange;
    TAlgorithmProgressEvent OnPrintProgress;
    TAlgorithmProgressEvent OnReplaceProgress;
    TAlgorithmProgressEvent OnXHTMLExportProgress;
    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyUp;

    // Owned members.
    TInteractiveListMenu* ListMenu() const { return listMenu_; }
    // One row per element: name=attributes separated by '&'.
    QStringList ElementTable;
    QTimer* ScrollTimer() const { return scrollTimer_; }

    // Cell metrics.
    int CharWidth() const { return charWidth_; }
    int LineHeight() const { return lineHeight_; }
    void UpdateMetrics();

    void UpdateFont();
    void ZoomIn();
    void ZoomOut();
    void UpdateCaret();
    void FocusEditor();
    void PlaceRuler();

    // The window messages the control answers.
    void WMCut() { CutToClipboard(); }
    void WMPaste() { PasteFromClipboard(); }
    void WMClear() { DeleteSelection(); }

    // Geometry.
    QPoint PosToPixel(const QPoint& pos) const;
    QPoint PixelToPos(const QPoint& pixel) const;
    bool PixelInSelection(const QPoint& pixel) const { return InSelection(PixelToPos(pixel)); }
    int ClientColumns() const;
    int ClientRows() const;

    // The system caret.
    bool CaretCreated() const { return caretCreated_; }
    QRect CaretRect() const;
    bool CaretShown() const { return caretCreated_ && caretHide_ == 0; }

    // Scrolling.
    void ScrollBy(int columns, int lines);
    bool RulerFastMode = false;

    // Repaints of this view: each updates exactly the region it names, which Qt paints in
    // paintEvent. (The model's functions of the same names ask every view.)
    void RepaintAll();
    void PaintVisibleLines();
    // The characters of a line and the two cells after its end.
    void PaintLine(int line);
    void RepaintLineArea(int line);
    void RepaintLines(int from, int to);
    void UpdateScrollBars();
    void ScrollIntoView(const QPoint& p);
    void HideSystemCaret();
    void ShowSystemCaret();
    void PlaceSystemCaret();
    void HideListMenu();

    // The markup list helper: element names after a '<', the attributes of the element being
    // typed after a blank inside its start tag, else nothing.
    QStringList GetListMenuItems() const;
    // Shows the list one row below the caret, at its column, 300 x 100 pixels, unfiltered.
    void ShowListMenu(const QStringList& list);
    // Inserts the chosen entry, or only its untyped part when the typing went to the text.
    void ListMenuSelect(const QString& item, const QString& unTypedPart);
    void VisibleLines(int* first, int* last) const;
    // The text before a replace all is a snapshot of its own, so that one undo step takes
    // back the whole replacement and nothing typed before it.
    void BeforeReplaceAll() override {
        if (UndoStore.Count() == 0 || UndoStore.ChangedSinceShown(*this))
            AddUndoData();
    }
    // ReplaceAll's progress goes to OnReplaceProgress.
    void ReplaceProgress(int numTotal, int numDone, int progress) override {
        if (OnReplaceProgress)
            OnReplaceProgress(numTotal, numDone, progress);
    }

    // --- painting, colouring and scrolling ---------------------------------------------
    // Set by the key handling when a character was typed at the end of its line; the next
    // paint hands it to the colouring processor for that character and clears it.
    bool JustTyped = false;
    // Draws the sample points of Settings()->SpeedJump until the next repaint of them.
    void ShowControlPoints();
    void ScrollTimerTimer();
    // A scroll-bar request (QAbstractSlider::SliderAction) for either bar.
    void ScrollBarAction(Qt::Orientation orientation, int action);
    // Called by a processor that is being destroyed.
    void DetachFormattingProcessor();

    // --- keyboard, caret moves, mouse and undo -------------------------------------------
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;

    // One key (codes of platform/KeyCodes.h): the key-down part, each typed character, the
    // key-up part. The owner's hooks run first (last for the key-up); a key they set to 0
    // stops the editor's handling. What a key does to the text is the model's typing.
    void KeyDown(int& key, Qt::KeyboardModifiers shift);
    void KeyPress(char& key, Qt::KeyboardModifiers shift);
    void KeyUp(int& key, Qt::KeyboardModifiers shift);
    // Typed text from a key or an input method: each character through the codec; CR, LF and
    // CR LF are the Enter key. Text with a character that Windows-1252 cannot hold or another
    // control character only beeps.
    void TypeText(const QString& text, Qt::KeyboardModifiers shift);
    // The Insert key: overwrite mode on or off, then OnCaretModeChange.
    void ToggleOverwriteMode();

    // Moves of the caret, or of the selection end when `shift` is set.
    void MoveLeft(bool shift);
    void MoveRight(bool shift);
    void MoveWordLeft(bool shift);
    void MoveWordRight(bool shift);
    void MoveUp(bool shift);
    void MoveDown(bool shift);
    void PageUp(bool shift);
    void PageDown(bool shift);
    void MoveLineStart(bool shift);
    void MoveLineEnd(bool shift);
    void MoveDocStart(bool shift);
    void MoveDocEnd(bool shift);
    void SelectWordAtCaret();

    // Mouse selection and dragging of the selected text.
    bool MouseSelecting = false;
    bool Dragging = false;
    std::vector<QByteArray> DragText;
    // Ends a drag (Esc, a lost grab) with the text where it was and the selection back.
    void CancelMouseDrag();

    // Undo snapshots.
    TUndoStore UndoStore;
    void AddUndoData() { UndoStore.Add(*this); }
    void Undo() { UndoStore.Undo(*this); }
    void Redo() { UndoStore.Redo(*this); }
    void ClearUndoData() { UndoStore.Clear(); }
    bool CanUndo() const { return UndoStore.CanUndo(); }
    bool CanRedo() const { return UndoStore.CanRedo(); }

    // --- printing and XHTML export ------------------------------------------------------
    // Prints the whole text as one job on Printer() (or on `printer`): fixed cells in the
    // processor's colours, a row for every line, the header and footer of PrintingSettings on
    // every page. Margins that leave less than one row throw EKelvoraError "EPrintArea" with
    // the sentence to show, before the job starts.
    void Print(const QString& FileName, const QString& TitleTemplate);
    void Print(const QString& FileName, const QString& TitleTemplate, QPrinter& printer);
    // The coloured text as XHTML: a whole document in Windows-1252 (so declared) saved to
    // FileName, or only the <pre> block put on the clipboard (FileName unused). Every text is
    // escaped for XML and a control character XML forbids is written as its visible picture.
    // A file that cannot be written throws EKelvoraError "EFCreateError" with the sentence to
    // show; no part of the new file is left and the old file stays as it was.
    void ExportXHTML(const QString& Title, const QString& HeaderHTML, bool FullDocument,
                     const QString& FileName, const QString& FooterHTML);
    // "#RRGGBB" of a colour's red, green and blue bytes.
    static QByteArray ColorToHTML(TColor Color);
    // System colours resolved to plain RGB.
    static TColor NormalizeColor(TColor Color);

    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    // ---------------------------------------------------------------------------------------

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void moveEvent(QMoveEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void changeEvent(QEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;
    bool focusNextPrevChild(bool next) override;
    void keyPressEvent(QKeyEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

    // Fills a rectangle of the viewport's rows for later painting.
    QRect LineRect(int line) const;

private:
    // Keyboard, moves and mouse.
    void InitInput();
    void MoveTo(bool shift, const QPoint& p);
    QPoint MoveOrigin(bool shift) const;
    void UpdateCells(int line, int column, int count);
    // The Tab key: each space of an indent step through KeyPress, the owner's hook included.
    void TabKey(Qt::KeyboardModifiers shift);
    void AutoPopupAfterTyping(int key);
    void AutoPopupAfterSpace();
    // The character typed since the last key-up; 0 for none.
    char typedBeforeKeyUp_ = 0;
    void CreateListMenu();
    void PopupListMenu();
    void HandleMouseMove(const QPoint& pt, Qt::KeyboardModifiers shift);
    void RerunMouseMove(bool ctrl);
    void BeginDrag(bool copy);
    void Drop(const QPoint& pt);
    QPoint dragFrom_, dragTo_;
    bool dragCopy_ = false;
    LineStore::Snapshot dragSnapshot_;

    void CreateSystemCaret();
    void DestroySystemCaret();
    void UpdateCaretRect();

    TBorderStyle borderStyle_ = TBorderStyle::bsSingle;
    TFormattingProcessor* processor_ = nullptr;
    TRuler* ruler_ = nullptr;
    TInteractiveListMenu* listMenu_ = nullptr;
    QTimer* scrollTimer_ = nullptr;
    QTimer* blinkTimer_ = nullptr;
    TColor color_ = clWindow;
    int textXSpace_ = 1;
    int textYSpace_ = 0;
    int charWidth_ = 8;
    int lineHeight_ = 16;
    int charAscent_ = 12;
    mutable QFont drawingFont_;
    mutable QFont drawingFontOf_; // the EditorFont drawingFont_ was matched for
    mutable bool drawingFontValid_ = false;
    bool caretCreated_ = false;
    int caretHide_ = 0;
    bool caretBlinkOn_ = true;
    QRect caretRect_;
    QPoint lastScroll_{0, 0};
    bool settingScrollBars_ = false;

    // What the model tells this view.
    void TextChanged(const TTextChange& change) override;
    void CaretMoved(bool scrollIntoView) override;
    void SelectionChanged(const TSelectionChange& change) override;
    void ScrollChanged(const QPoint& scrollPos) override;
    void RepaintRequested(const TRepaint& what) override;
    void CaretVisibility(bool visible) override;
    bool ShownLines(int* first, int* last) const override;
    void Repaint(const TRepaint& what);

    // Painting state.
    void InstallScrollBarActions();
    void PaintRows(QPainter& p, const QRect& rect);
    void WheelCaretMove(int lines, bool extend);
    std::shared_ptr<TPaintCache> paintCache_;
    QPoint typedCell_{-1, -1}; // the cell JustTyped names
    int wheelAccum_ = 0;
    bool showControlPoints_ = false;
    bool inBarAction_ = false;
};

// The application's printer, on which Print prints; created on first use.
QPrinter& Printer();
