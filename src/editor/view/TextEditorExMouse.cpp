// The mouse in the editor control: placing the caret, selecting, and dragging the selected
// text to move or copy it.
#include "editor/model/EditScopes.h"
#include "editor/view/TextEditorEx.h"
#include "platform/SilentAbort.h"

#include <QCursor>
#include <QGuiApplication>
#include <QMouseEvent>

using EditScopes::CaretHidden;
using EditScopes::FlagScope;

namespace {

void SetShape(QWidget* w, Qt::CursorShape shape) {
    if (w->cursor().shape() != shape)
        w->setCursor(shape);
}

} // namespace

void TTextEditorEx::InitInput() {
    viewport()->setMouseTracking(true);
    installEventFilter(this);
}

bool TTextEditorEx::eventFilter(QObject* watched, QEvent* e) {
    // A drag or a selection whose button release will never come (the focus went to a
    // popup or another window) ends with the text where it was.
    if (watched == this && e->type() == QEvent::FocusOut) {
        ShiftHeld = false;
        if (Dragging || MouseSelecting)
            RunCommand([this] { CancelMouseDrag(); });
    }
    return QAbstractScrollArea::eventFilter(watched, e);
}

void TTextEditorEx::mousePressEvent(QMouseEvent* e) {
    e->accept();
    const QPoint pt = e->position().toPoint();
    const Qt::MouseButton button = e->button();
    const Qt::KeyboardModifiers mods = e->modifiers();
    RunCommand([&] {
        ShiftHeld = mods.testFlag(Qt::ShiftModifier);
        if (OnMouseDown)
            OnMouseDown(this, button, mods, pt.x(), pt.y());
        if (Settings()->HideHelperOnClick)
            HideListMenu();
        if (!Settings()->ReadOnly) {
            if (button != Qt::LeftButton)
                return;
            if (PixelInSelection(pt)) {
                BeginDrag(mods.testFlag(Qt::ControlModifier));
                return;
            }
        }
        {
            CaretHidden hidden(this);
            if (ShiftHeld) {
                SelEnd.SetPos(PixelToPos(pt));
            } else {
                // A click always collapses the selection, also on the caret's own place.
                FlagScope collapse(ForceCollapse);
                Caret.SetPosAndNotify(PixelToPos(pt));
            }
        }
        FocusEditor();
        MouseSelecting = true;
        if (mods.testFlag(Qt::ControlModifier))
            SelectWordAtCaret();
    });
}

void TTextEditorEx::mouseMoveEvent(QMouseEvent* e) {
    e->accept();
    const QPoint pt = e->position().toPoint();
    const Qt::KeyboardModifiers mods = e->modifiers();
    const bool noButton = e->buttons() == Qt::NoButton;
    RunCommand([&] {
        // A move without a button while selecting or dragging: the release was lost.
        if (noButton && (Dragging || MouseSelecting))
            CancelMouseDrag();
        HandleMouseMove(pt, mods);
    });
}

void TTextEditorEx::HandleMouseMove(const QPoint& pt, Qt::KeyboardModifiers shift) {
    if (OnMouseMove)
        OnMouseMove(this, shift, pt.x(), pt.y());
    if (Dragging) {
        CaretHidden hidden(this);
        FlagScope collapse(ForceCollapse);
        Caret.SetPos(PixelToPos(pt));
    } else if (MouseSelecting) {
        CaretHidden hidden(this);
        SelEnd.SetPos(PixelToPos(pt));
    } else if (PixelInSelection(QPoint(pt.x() - CharWidth() / 2, pt.y()))) {
        SetShape(viewport(),
                 shift.testFlag(Qt::ControlModifier) ? Qt::DragCopyCursor : Qt::DragMoveCursor);
    } else {
        SetShape(viewport(), Qt::IBeamCursor);
    }
}

// Ctrl went down or up: the hover cursor switches between moving and copying at once.
void TTextEditorEx::RerunMouseMove(bool ctrl) {
    Qt::KeyboardModifiers mods = QGuiApplication::keyboardModifiers();
    mods.setFlag(Qt::ControlModifier, ctrl);
    HandleMouseMove(viewport()->mapFromGlobal(QCursor::pos()), mods);
}

void TTextEditorEx::mouseReleaseEvent(QMouseEvent* e) {
    e->accept();
    const QPoint pt = e->position().toPoint();
    const Qt::MouseButton button = e->button();
    const Qt::KeyboardModifiers mods = e->modifiers();
    RunCommand([&] {
        // Every release ends selecting, whatever button placed the caret.
        MouseSelecting = false;
        if (button != Qt::LeftButton)
            return;
        if (Dragging)
            Drop(pt);
        Dragging = false;
        if (OnMouseUp)
            OnMouseUp(this, button, mods, pt.x(), pt.y());
    });
}

void TTextEditorEx::BeginDrag(bool copy) {
    QPoint s, e;
    SelectionBounds(&s, &e);
    s.setX(std::clamp(s.x(), 0, Lines.Length(s.y())));
    e.setX(std::clamp(e.x(), 0, Lines.Length(e.y())));
    DragText = GetTextRange(s, e);
    dragFrom_ = s;
    dragTo_ = e;
    dragCopy_ = copy;
    // The text stays until the drop; this tells whether it changed meanwhile.
    dragSnapshot_ = Lines.TakeSnapshot();
    Dragging = true;
    CaretHidden hidden(this);
    FlagScope collapse(ForceCollapse);
    Caret.SetPosAndNotify(s);
}

void TTextEditorEx::CancelMouseDrag() {
    MouseSelecting = false;
    if (!Dragging)
        return;
    Dragging = false;
    DragText.clear();
    const bool unchanged = Lines.TakeSnapshot().SharesAllWith(dragSnapshot_);
    dragSnapshot_ = LineStore::Snapshot();
    SetShape(viewport(), Qt::IBeamCursor);
    if (!unchanged)
        return;
    CaretHidden hidden(this);
    {
        FlagScope collapse(ForceCollapse);
        Caret.SetPosAndNotify(dragFrom_);
    }
    SelEnd.SetPos(dragTo_);
}

// Puts the dragged text at the drop place; a move removes it from where it was only now, so
// an interrupted drag loses nothing.
void TTextEditorEx::Drop(const QPoint& pt) {
    std::vector<QByteArray> text = std::move(DragText);
    DragText.clear();
    Dragging = false;
    const bool unchanged = Lines.TakeSnapshot().SharesAllWith(dragSnapshot_);
    dragSnapshot_ = LineStore::Snapshot();
    if (!unchanged || Settings()->ReadOnly || text.empty())
        return;
    QPoint at = PixelToPos(pt);
    CaretHidden hidden(this);
    if (!dragCopy_) {
        // Into the dragged text itself: nothing moves.
        if (ComparePos(at, dragFrom_) != 0 && ComparePos(at, dragTo_) != 2) {
            FlagScope collapse(ForceCollapse);
            Caret.SetPosAndNotify(at);
            return;
        }
        const int from = PosToOffset(dragFrom_), to = PosToOffset(dragTo_);
        int offset = PosToOffset(at);
        DeleteRange(dragFrom_, dragTo_);
        if (offset > to)
            offset -= to - from;
        if (!OffsetToPos(offset, &at))
            at = dragFrom_;
    }
    InsertLines(at, std::move(text), false);
    {
        FlagScope collapse(ForceCollapse);
        Caret.SetPosAndNotify(at);
    }
    RepaintAll();
}
