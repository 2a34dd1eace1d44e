#pragma once

#include "editor/EditorModel.h"
#include "platform/Graphics.h"

#include <QAbstractScrollArea>
#include <QFont>
#include <QPoint>
#include <QTimer>
#include <functional>

class TFormattingProcessor;
class TInteractiveListMenu;
class TRuler;

using TFontSizeChangeEvent = std::function<void(int NewFontSize)>;
using TAlgorithmProgressEvent = std::function<void(int NumTotal, int NumDone, int Progress)>;
// Key hooks of the owner: a key or character set to 0 cancels the default handling.
using TKeyEvent = std::function<void(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift)>;
using TKeyPressEvent = std::function<void(QObject* Sender, char& Key)>;

enum class TBorderStyle { bsNone, bsSingle };

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
class TTextEditorEx : public QAbstractScrollArea, public TEditorModel {
public:
    explicit TTextEditorEx(QWidget* parent = nullptr);
    ~TTextEditorEx() override;

    // Properties.
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle style);
    TFormattingProcessor* FormattingProcessor() const { return processor_; }
    void SetFormattingProcessor(TFormattingProcessor* processor);
    int TextXSpace() const { return textXSpace_; }
    void SetTextXSpace(int value);
    int TextYSpace() const { return textYSpace_; }
    void SetTextYSpace(int value);
    TRuler* Ruler() const { return ruler_; }
    void SetRuler(TRuler* ruler);
    TTextEditorExPrintingSettings PrintingSettings;

    // The editor's font; after changing it call UpdateFont.
    QFont EditorFont;
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
    void WMCopy() { CopyToClipboard(); }
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

    // Repaints (the view hooks of the model).
    void RepaintAll() override;
    void PaintVisibleLines() override;
    void PaintLine(int line) override;
    void RepaintLineArea(int line) override;
    void RepaintLines(int from, int to);
    void UpdateScrollBars() override;
    void ScrollIntoView(const QPoint& p) override;
    void HideSystemCaret() override;
    void ShowSystemCaret() override;
    void PlaceSystemCaret() override;
    void UpdateCaretPos() { PlaceSystemCaret(); }
    void HideListMenu() override;
    void VisibleLines(int* first, int* last) const override;
    void ScrollChanged(const QPoint& p) override;
    QObject* SenderObject() override { return this; }
    // ReplaceAll's progress goes to OnReplaceProgress.
    void ReplaceProgress(int numTotal, int numDone, int progress) override {
        if (OnReplaceProgress)
            OnReplaceProgress(numTotal, numDone, progress);
    }

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

    // Fills a rectangle of the viewport's rows for later painting.
    QRect LineRect(int line) const;

private:
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
    bool caretCreated_ = false;
    int caretHide_ = 0;
    bool caretBlinkOn_ = true;
    QRect caretRect_;
    QPoint lastScroll_{0, 0};
    bool settingScrollBars_ = false;
};
