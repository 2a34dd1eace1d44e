// The keyboard of the editor control: key events to key codes, the owner's key hooks, the
// completion list's keys, and the dispatch of each key to a caret move or to the model's
// typing.
#include "editor/model/EditScopes.h"
#include "editor/view/InteractiveListMenu.h"
#include "editor/view/TextEditorEx.h"
#include "platform/Cp1252.h"
#include "platform/KeyCodes.h"
#include "platform/SilentAbort.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <algorithm>

using EditScopes::CaretHidden;

// --- Qt events -------------------------------------------------------------------------------

void TTextEditorEx::keyPressEvent(QKeyEvent* e) {
    // Every key belongs to the editor, so that no dialog takes Tab, Esc or Enter.
    e->accept();
    const Qt::KeyboardModifiers mods = e->modifiers();
    ShiftHeld = mods.testFlag(Qt::ShiftModifier);
    int key = KeyCode::FromQt(e->key());
    if (key != 0)
        RunCommand([&] { KeyDown(key, mods); });
    // Alt without Ctrl makes menu accelerators, not text (Ctrl+Alt is AltGr).
    const bool alt = mods.testFlag(Qt::AltModifier), ctrl = mods.testFlag(Qt::ControlModifier);
    const QString text = e->text();
    if (!text.isEmpty() && !(alt && !ctrl))
        RunCommand([&] { TypeText(text, mods); });
}

void TTextEditorEx::keyReleaseEvent(QKeyEvent* e) {
    e->accept();
    // The release of an auto-repeated key is followed by another press, not a key-up.
    if (e->isAutoRepeat())
        return;
    const Qt::KeyboardModifiers mods = e->modifiers();
    // Platforms differ in whether the release of Shift still reports Shift.
    ShiftHeld = mods.testFlag(Qt::ShiftModifier) && e->key() != Qt::Key_Shift;
    int key = KeyCode::FromQt(e->key());
    if (key != 0)
        RunCommand([&] { KeyUp(key, mods); });
}

void TTextEditorEx::inputMethodEvent(QInputMethodEvent* e) {
    e->accept();
    const QString text = e->commitString();
    if (!text.isEmpty()) {
        ShiftHeld = false;
        RunCommand([&] { TypeText(text, Qt::NoModifier); });
    }
}

QVariant TTextEditorEx::inputMethodQuery(Qt::InputMethodQuery query) const {
    switch (query) {
    case Qt::ImEnabled:
        return !Settings()->ReadOnly;
    case Qt::ImCursorRectangle:
        return CaretRect();
    case Qt::ImFont:
        return EditorFont;
    case Qt::ImCursorPosition:
    case Qt::ImAnchorPosition:
        return Caret.X;
    case Qt::ImSurroundingText:
        return Cp1252::Decode(Lines.Get(Caret.Y));
    default:
        return QAbstractScrollArea::inputMethodQuery(query);
    }
}

void TTextEditorEx::TypeText(const QString& text, Qt::KeyboardModifiers shift) {
    QByteArray bytes;
    for (QChar c : text) {
        char b;
        if (!Cp1252::FromUnicode(c.unicode(), &b)) {
            QApplication::beep();
            return;
        }
        bytes.append(b);
    }
    for (char b : bytes) {
        char key = b;
        KeyPress(key, shift);
    }
}

// --- the three handlers ----------------------------------------------------------------------

void TTextEditorEx::KeyDown(int& key, Qt::KeyboardModifiers shift) {
    if (OnKeyDown)
        OnKeyDown(this, key, shift);
    if (key == 0)
        return;
    const bool ctrl = shift.testFlag(Qt::ControlModifier);
    const bool sh = shift.testFlag(Qt::ShiftModifier);
    if (Dragging && key == KeyCode::Escape) {
        CancelMouseDrag();
        return;
    }
    TInteractiveListMenu* list = ListMenu();
    const bool listVisible = list && list->isVisible();
    if (listVisible) {
        switch (key) {
        case KeyCode::Backspace:
        case KeyCode::Enter:
        case KeyCode::Escape:
        case KeyCode::PageUp:
        case KeyCode::PageDown:
        case KeyCode::End:
        case KeyCode::Home:
        case KeyCode::Up:
        case KeyCode::Down:
            list->SendKey(key);
            if (key != KeyCode::Backspace)
                return;
            break;
        default:
            break;
        }
    } else if (key == KeyCode::Apps && ctrl && Settings()->ListMenuHelper) {
        if (list)
            PopupListMenu();
        return;
    }
    switch (key) {
    case KeyCode::Backspace:
        TypeBackspace(ctrl);
        break;
    case KeyCode::Tab:
        TabKey(shift);
        break;
    case KeyCode::Enter:
        InsertLineBreak();
        break;
    case KeyCode::Control:
        RerunMouseMove(true);
        break;
    case KeyCode::PageUp:
        PageUp(sh);
        break;
    case KeyCode::PageDown:
        PageDown(sh);
        break;
    case KeyCode::Home:
        if (ctrl)
            MoveDocStart(sh);
        else
            MoveLineStart(sh);
        break;
    case KeyCode::End:
        if (ctrl)
            MoveDocEnd(sh);
        else
            MoveLineEnd(sh);
        break;
    case KeyCode::Left:
        if (ctrl)
            MoveWordLeft(sh);
        else
            MoveLeft(sh);
        break;
    case KeyCode::Right:
        if (ctrl)
            MoveWordRight(sh);
        else
            MoveRight(sh);
        break;
    case KeyCode::Up:
        MoveUp(sh);
        break;
    case KeyCode::Down:
        MoveDown(sh);
        break;
    case KeyCode::Insert:
        ToggleOverwriteMode();
        break;
    case KeyCode::Delete:
        TypeDelete(ctrl);
        break;
    default:
        break;
    }
}

void TTextEditorEx::KeyPress(char& key, Qt::KeyboardModifiers shift) {
    if (OnKeyPress)
        OnKeyPress(this, key);
    if (key == 0)
        return;
    // Characters made with Ctrl alone are commands; Ctrl+Alt (AltGr) types.
    if (shift.testFlag(Qt::ControlModifier) && !shift.testFlag(Qt::AltModifier))
        return;
    // The completion list narrows to what is typed into the text.
    if (TypeChar(key) && ListMenu() && ListMenu()->isVisible())
        ListMenu()->TypeChar(Cp1252::ToUnicode(static_cast<unsigned char>(key)));
}

void TTextEditorEx::KeyUp(int& key, Qt::KeyboardModifiers shift) {
    if (key == KeyCode::Control)
        RerunMouseMove(false);
    if (Settings()->ListMenuHelperAutoPopup && ListMenu()) {
        if (key == KeyCode::LessGreater && !shift.testFlag(Qt::ShiftModifier) &&
            !shift.testFlag(Qt::ControlModifier))
            PopupListMenu();
        else if (key == KeyCode::Space)
            AutoPopupAfterSpace();
    }
    if (OnKeyUp)
        OnKeyUp(this, key, shift);
}

// Looks back from the caret through at most 501 characters (line breaks count as CR LF): a
// "<" before any ">" starts a tag whose attributes the list offers.
void TTextEditorEx::AutoPopupAfterSpace() {
    int y = std::clamp(Caret.Y, 0, Lines.Count() - 1);
    int x = std::clamp(Caret.X, 0, Lines.Length(y));
    int budget = 501;
    while (budget > 0) {
        const QByteArray& line = Lines.Get(y);
        for (int i = x - 1; i >= 0 && budget > 0; --i, --budget) {
            const char c = line[i];
            if (c == '>')
                return;
            if (c == '<') {
                const char next = i + 1 < line.size() ? line[i + 1] : '\r';
                if (next != '!' && next != '%' && next != '?')
                    PopupListMenu();
                return;
            }
        }
        if (y == 0 || budget <= 2)
            return;
        budget -= 2;
        --y;
        x = Lines.Length(y);
    }
}

void TTextEditorEx::UpdateCells(int line, int column, int count) {
    const QPoint px = PosToPixel(QPoint(column, line));
    viewport()->update(QRect(px.x(), px.y(), CharWidth() * count, LineHeight()));
}

void TTextEditorEx::TabKey(Qt::KeyboardModifiers shift) {
    if (Settings()->ReadOnly)
        return;
    CaretHidden hidden(this);
    // Ctrl+Tab types too: the spaces are not Ctrl characters.
    const Qt::KeyboardModifiers mods = shift & ~Qt::ControlModifier;
    for (char space : GetTabSpaces())
        KeyPress(space, mods);
}

void TTextEditorEx::ToggleOverwriteMode() {
    Settings()->SetOverwriteMode(!Settings()->OverwriteMode());
    if (OnCaretModeChange)
        OnCaretModeChange(this);
}
