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
    const int code = KeyCode::FromQt(e->key());
    int key = code;
    if (key != 0)
        RunCommand([&] { KeyDown(key, mods); });
    // Alt without Ctrl makes menu accelerators, not text (Ctrl+Alt is AltGr).
    const bool alt = mods.testFlag(Qt::AltModifier), ctrl = mods.testFlag(Qt::ControlModifier);
    const QString text = e->text();
    if (text.isEmpty() || (alt && !ctrl))
        return;
    // The text of an editing key is its own control character, already handled as the key:
    // the owner's hook sees it, the text does not get it.
    if (code == KeyCode::Enter || code == KeyCode::Tab || code == KeyCode::Backspace ||
        code == KeyCode::Escape || code == KeyCode::Delete) {
        if (OnKeyPress && text.size() == 1 && text[0].unicode() < 128) {
            char own = static_cast<char>(text[0].unicode());
            RunCommand([&] { OnKeyPress(this, own); });
        }
        return;
    }
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
        RunCommand([&] {
            TypeText(text, Qt::NoModifier);
            // No key is released for committed text.
            AutoPopupAfterTyping(0);
        });
    }
}

QVariant TTextEditorEx::inputMethodQuery(Qt::InputMethodQuery query) const {
    switch (query) {
    case Qt::ImEnabled:
        return !Settings()->ReadOnly;
    case Qt::ImCursorRectangle:
        return CaretRect();
    case Qt::ImFont:
        return DrawingFont();
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
    const auto isControl = [](char b) { return static_cast<unsigned char>(b) < 32 || b == 127; };
    // Ctrl alone makes commands; its control characters (Ctrl+J is a line feed) type nothing.
    if (shift.testFlag(Qt::ControlModifier) && !shift.testFlag(Qt::AltModifier)) {
        if (std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 32; }))
            return;
    }
    QByteArray bytes;
    for (QChar c : text) {
        char b;
        // A line break is Enter; no other control character belongs in a line.
        if (!Cp1252::FromUnicode(c.unicode(), &b) || (isControl(b) && b != '\r' && b != '\n')) {
            QApplication::beep();
            return;
        }
        bytes.append(b);
    }
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        char key = bytes[i];
        if (key == '\n' && i > 0 && bytes[i - 1] == '\r')
            continue;
        if (key == '\r' || key == '\n') {
            int enter = KeyCode::Enter;
            KeyDown(enter, shift);
            continue;
        }
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
    // A list that offers nothing takes no keys: Enter then breaks the line.
    if (list && list->isVisible() && list->Filtered().isEmpty())
        HideListMenu();
    const bool listVisible = list && list->isVisible();
    if (listVisible) {
        switch (key) {
        case KeyCode::Backspace:
            list->SendKey(key);
            break;
        case KeyCode::Enter:
        case KeyCode::Escape:
        case KeyCode::PageUp:
        case KeyCode::PageDown:
        case KeyCode::End:
        case KeyCode::Home:
        case KeyCode::Up:
        case KeyCode::Down:
            list->SendKey(key);
            return;
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
    if (!TypeChar(key))
        return;
    typedBeforeKeyUp_ = key;
    // The completion list narrows to the word typed into the text; a character that no entry
    // continues ends the word and the list.
    TInteractiveListMenu* list = ListMenu();
    if (list && list->isVisible()) {
        list->TypeChar(Cp1252::ToUnicode(static_cast<unsigned char>(key)));
        if (list->Filtered().isEmpty())
            HideListMenu();
    }
}

void TTextEditorEx::KeyUp(int& key, Qt::KeyboardModifiers shift) {
    if (key == KeyCode::Control)
        RerunMouseMove(false);
    AutoPopupAfterTyping(key);
    if (OnKeyUp)
        OnKeyUp(this, key, shift);
}

// The list follows a typed "<", whatever key made it, and the space bar released in a start
// tag.
void TTextEditorEx::AutoPopupAfterTyping(int key) {
    const char typed = typedBeforeKeyUp_;
    typedBeforeKeyUp_ = 0;
    if (!Settings()->ListMenuHelperAutoPopup || !ListMenu())
        return;
    if (typed == '<')
        PopupListMenu();
    else if (key == KeyCode::Space)
        AutoPopupAfterSpace();
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
