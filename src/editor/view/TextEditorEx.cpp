#include "editor/view/TextEditorEx.h"

#include "editor/colouring/FormattingProcessor.h"
#include "editor/view/FixedPitchFont.h"
#include "editor/view/InteractiveListMenu.h"
#include "editor/view/Ruler.h"
#include "platform/SilentAbort.h"

#include <QApplication>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QScrollBar>
#include <algorithm>

TTextEditorEx::TTextEditorEx(QWidget* parent) : QAbstractScrollArea(parent) {
    Creating = true;
    SetSenderObject(this);
    AddObserver(this);
    Updating = PendingChange = PendingScroll = false;

    scrollTimer_ = new QTimer(this);
    scrollTimer_->setInterval(1000);
    scrollTimer_->setSingleShot(false);
    connect(scrollTimer_, &QTimer::timeout, this, [this] { ScrollTimerTimer(); });

    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAutoFillBackground(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    SetBorderStyle(TBorderStyle::bsSingle);

    textYSpace_ = 0;
    textXSpace_ = 1;

    EditorFont = QFont(QStringLiteral("Courier New"), 12);
    EditorFont.setStyleHint(QFont::TypeWriter);
    EditorFont.setFixedPitch(true);
    FontColor = clWindowText;
    setFont(EditorFont);

    Settings()->TextEditorEx = this;
    Settings()->SetBkColor(clWindow);
    Settings()->SetOverwriteMode(false);

    UpdateMetrics();

    viewport()->setCursor(Qt::IBeamCursor);
    InitInput();

    CreateListMenu();

    blinkTimer_ = new QTimer(this);
    const int flash = QApplication::cursorFlashTime();
    blinkTimer_->setInterval(flash > 0 ? flash / 2 : 500);
    connect(blinkTimer_, &QTimer::timeout, this, [this] {
        caretBlinkOn_ = !caretBlinkOn_;
        viewport()->update(caretRect_);
    });

    Clear();
    InstallScrollBarActions();
    Creating = false;
    UpdateScrollBars();
}

TTextEditorEx::~TTextEditorEx() {
    // The colouring processors hear ModelDestroyed when the model goes.
    RemoveObserver(this);
    Settings()->TextEditorEx = nullptr;
    OnChange = nullptr;
    OnSelChange = nullptr;
}

// --- properties --------------------------------------------------------------------------

void ApplyBorderStyle(QFrame* frame, TBorderStyle style) {
    if (style == TBorderStyle::bsNone) {
        frame->setFrameShape(QFrame::NoFrame);
    } else {
        frame->setFrameShape(QFrame::StyledPanel);
        frame->setFrameShadow(QFrame::Sunken);
    }
}

void TTextEditorEx::SetBorderStyle(TBorderStyle style) {
    borderStyle_ = style;
    ApplyBorderStyle(this, style);
}

void TTextEditorEx::SetFormattingProcessor(TFormattingProcessor* processor) {
    // A processor colours the lines of its own editor only: one without an editor, or with
    // another, is refused here, not later from a paint.
    if (processor && processor->TextEditorEx() != this)
        throw EKelvoraError(QStringLiteral("Exception"),
                            QString::fromUtf8(TFormattingProcessor::NoEditorMessage()));
    processor_ = processor;
    if (processor_)
        processor_->LinesChanged(0);
    RepaintAll();
}

void TTextEditorEx::SetTextXSpace(int value) {
    textXSpace_ = value;
    UpdateMetrics();
    RepaintAll();
    if (ruler_)
        ruler_->RepaintNumbers();
}

void TTextEditorEx::SetTextYSpace(int value) {
    textYSpace_ = value;
    UpdateMetrics();
    RepaintAll();
    if (ruler_)
        ruler_->RepaintNumbers();
}

void TTextEditorEx::SetRuler(TRuler* ruler) {
    ruler_ = ruler;
    PlaceRuler();
}

void TTextEditorEx::SetColor(TColor color) {
    color_ = color;
    RepaintAll();
}

const QFont& TTextEditorEx::DrawingFont() const {
    if (!drawingFontValid_ || !(drawingFontOf_ == EditorFont) ||
        drawingFontOf_.pointSize() != EditorFont.pointSize()) {
        drawingFont_ = FixedPitchFont(EditorFont);
        drawingFontOf_ = EditorFont;
        drawingFontValid_ = true;
    }
    return drawingFont_;
}

void TTextEditorEx::UpdateMetrics() {
    const QFontMetrics fm(DrawingFont());
    // A cell is never smaller than one pixel, whatever the spacing says.
    charWidth_ = std::max(1, fm.horizontalAdvance(QLatin1Char('M')) + textXSpace_);
    lineHeight_ = std::max(1, fm.height() + textYSpace_);
    charAscent_ = fm.ascent();
}

void TTextEditorEx::UpdateFont() {
    setFont(DrawingFont());
    UpdateMetrics();
    UpdateCaret();
    if (ruler_)
        ruler_->RepaintNumbers();
}

void TTextEditorEx::ZoomIn() {
    const int size = EditorFont.pointSize();
    if (size + 2 > 100)
        return;
    EditorFont.setPointSize(size + 2);
    UpdateFont();
    UpdateScrollBars();
    RepaintAll();
    if (OnFontSizeChange)
        OnFontSizeChange(size + 2);
}

void TTextEditorEx::ZoomOut() {
    const int size = EditorFont.pointSize();
    if (size - 2 < 4)
        return;
    EditorFont.setPointSize(size - 2);
    UpdateFont();
    UpdateScrollBars();
    RepaintAll();
    if (OnFontSizeChange)
        OnFontSizeChange(size - 2);
}

void TTextEditorEx::FocusEditor() {
    if (isVisible() && isEnabled() && window()->isVisible())
        setFocus(Qt::OtherFocusReason);
}

void TTextEditorEx::PlaceRuler() {
    if (!ruler_)
        return;
    ruler_->setGeometry(x() - ruler_->width(), y(), ruler_->width(), height());
}

// --- the system caret ------------------------------------------------------------------------

QRect TTextEditorEx::CaretRect() const {
    return caretRect_;
}

void TTextEditorEx::UpdateCaretRect() {
    const QRect old = caretRect_;
    const QPoint px = PosToPixel(Caret.GetPos());
    const int w = Settings()->OverwriteMode() ? charWidth_ : 2;
    caretRect_ = QRect(px.x(), px.y(), w, lineHeight_);
    if (old != caretRect_) {
        viewport()->update(old);
        viewport()->update(caretRect_);
    }
}

void TTextEditorEx::CreateSystemCaret() {
    caretCreated_ = true;
    caretHide_ = 0;
    caretBlinkOn_ = true;
    UpdateCaretRect();
    blinkTimer_->start();
    viewport()->update(caretRect_);
}

void TTextEditorEx::DestroySystemCaret() {
    caretCreated_ = false;
    blinkTimer_->stop();
    viewport()->update(caretRect_);
}

void TTextEditorEx::UpdateCaret() {
    if (!hasFocus())
        return;
    DestroySystemCaret();
    CreateSystemCaret();
}

void TTextEditorEx::HideSystemCaret() {
    ++caretHide_;
    viewport()->update(caretRect_);
}

void TTextEditorEx::ShowSystemCaret() {
    if (caretHide_ > 0)
        --caretHide_;
    caretBlinkOn_ = true;
    viewport()->update(caretRect_);
}

void TTextEditorEx::CaretVisibility(bool visible) {
    if (visible)
        ShowSystemCaret();
    else
        HideSystemCaret();
}

void TTextEditorEx::CaretMoved(bool scrollIntoView) {
    if (scrollIntoView)
        ScrollIntoView(Caret.GetPos());
    PlaceSystemCaret();
}

void TTextEditorEx::PlaceSystemCaret() {
    const QPoint px = PosToPixel(Caret.GetPos());
    if (listMenu_ && listMenu_->isVisible()) {
        const QRect r = listMenu_->geometry();
        if (px.x() >= r.left() && px.x() <= r.left() + r.width() && px.y() >= r.top() &&
            px.y() <= r.top() + r.height())
            HideListMenu();
    }
    UpdateCaretRect();
    ShowSystemCaret();
}

// --- events ----------------------------------------------------------------------------------

bool TTextEditorEx::event(QEvent* e) {
    if (e->type() == QEvent::ShortcutOverride) {
        // The keys a dialog would take for itself belong to the editor.
        auto* k = static_cast<QKeyEvent*>(e);
        switch (k->key()) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Escape:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            e->accept();
            return true;
        default:
            break;
        }
    }
    return QAbstractScrollArea::event(e);
}

bool TTextEditorEx::focusNextPrevChild(bool) {
    return false;
}

void TTextEditorEx::resizeEvent(QResizeEvent* e) {
    QAbstractScrollArea::resizeEvent(e);
    PlaceRuler();
    UpdateScrollBars();
}

void TTextEditorEx::moveEvent(QMoveEvent* e) {
    QAbstractScrollArea::moveEvent(e);
    PlaceRuler();
}

void TTextEditorEx::focusInEvent(QFocusEvent* e) {
    QAbstractScrollArea::focusInEvent(e);
    CreateSystemCaret();
}

void TTextEditorEx::focusOutEvent(QFocusEvent* e) {
    QAbstractScrollArea::focusOutEvent(e);
    DestroySystemCaret();
}

void TTextEditorEx::changeEvent(QEvent* e) {
    QAbstractScrollArea::changeEvent(e);
    if (e->type() == QEvent::EnabledChange)
        RepaintAll();
}
