// Keyboard editing of the editor control: key dispatch, typing, deletion, line breaks, tabs
// and the indentation commands.
#include "editor/model/EditScopes.h"
#include "editor/model/Entities.h"
#include "editor/view/InteractiveListMenu.h"
#include "editor/view/TextEditorEx.h"
#include "platform/Cp1252.h"
#include "platform/SilentAbort.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <algorithm>

using EditScopes::CaretHidden;
using EditScopes::FlagScope;

namespace {

constexpr int VK_BACK = 8, VK_TAB = 9, VK_RETURN = 13, VK_CONTROL = 17, VK_ESCAPE = 27,
              VK_SPACE = 32, VK_PRIOR = 33, VK_NEXT = 34, VK_END = 35, VK_HOME = 36, VK_LEFT = 37,
              VK_UP = 38, VK_RIGHT = 39, VK_DOWN = 40, VK_INSERT = 45, VK_DELETE = 46, VK_APPS = 93,
              VK_OEM_102 = 226;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

} // namespace

int TTextEditorEx::VirtualKey(const QKeyEvent* e) {
    const int k = e->key();
    if ((k >= Qt::Key_A && k <= Qt::Key_Z) || (k >= Qt::Key_0 && k <= Qt::Key_9))
        return k;
    if (k >= Qt::Key_F1 && k <= Qt::Key_F24)
        return 112 + (k - Qt::Key_F1);
    switch (k) {
    case Qt::Key_Backspace:
        return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return VK_RETURN;
    case Qt::Key_Shift:
        return 16;
    case Qt::Key_Control:
        return VK_CONTROL;
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
        return 18;
    case Qt::Key_Pause:
        return 19;
    case Qt::Key_CapsLock:
        return 20;
    case Qt::Key_Escape:
        return VK_ESCAPE;
    case Qt::Key_Space:
        return VK_SPACE;
    case Qt::Key_PageUp:
        return VK_PRIOR;
    case Qt::Key_PageDown:
        return VK_NEXT;
    case Qt::Key_End:
        return VK_END;
    case Qt::Key_Home:
        return VK_HOME;
    case Qt::Key_Left:
        return VK_LEFT;
    case Qt::Key_Up:
        return VK_UP;
    case Qt::Key_Right:
        return VK_RIGHT;
    case Qt::Key_Down:
        return VK_DOWN;
    case Qt::Key_Print:
        return 44;
    case Qt::Key_Insert:
        return VK_INSERT;
    case Qt::Key_Delete:
        return VK_DELETE;
    case Qt::Key_Meta:
        return 91;
    case Qt::Key_Menu:
        return VK_APPS;
    case Qt::Key_NumLock:
        return 144;
    case Qt::Key_ScrollLock:
        return 145;
    case Qt::Key_Plus:
        return 187;
    case Qt::Key_Comma:
        return 188;
    case Qt::Key_Minus:
        return 189;
    case Qt::Key_Period:
        return 190;
    case Qt::Key_Less:
    case Qt::Key_Greater:
        return VK_OEM_102;
    default:
        return 0;
    }
}

// --- Qt events -------------------------------------------------------------------------------

void TTextEditorEx::keyPressEvent(QKeyEvent* e) {
    // Every key belongs to the editor, so that no dialog takes Tab, Esc or Enter.
    e->accept();
    const Qt::KeyboardModifiers mods = e->modifiers();
    ShiftHeld = mods.testFlag(Qt::ShiftModifier);
    int key = VirtualKey(e);
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
    int key = VirtualKey(e);
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
    if (Dragging && key == VK_ESCAPE) {
        CancelMouseDrag();
        return;
    }
    TInteractiveListMenu* list = ListMenu();
    const bool listVisible = list && list->isVisible();
    if (listVisible) {
        switch (key) {
        case VK_BACK:
        case VK_RETURN:
        case VK_ESCAPE:
        case VK_PRIOR:
        case VK_NEXT:
        case VK_END:
        case VK_HOME:
        case VK_UP:
        case VK_DOWN:
            list->SendKey(key);
            if (key != VK_BACK)
                return;
            break;
        default:
            break;
        }
    } else if (key == VK_APPS && ctrl && Settings()->ListMenuHelper) {
        if (list)
            PopupListMenu();
        return;
    }
    switch (key) {
    case VK_BACK:
        if (DeleteEntityBack())
            break;
        if (ctrl)
            DeleteWordLeft();
        else
            Backspace();
        break;
    case VK_TAB:
        InsertTab(shift);
        break;
    case VK_RETURN:
        InsertLineBreak();
        break;
    case VK_CONTROL:
        RerunMouseMove(true);
        break;
    case VK_PRIOR:
        PageUp(sh);
        break;
    case VK_NEXT:
        PageDown(sh);
        break;
    case VK_HOME:
        if (ctrl)
            MoveDocStart(sh);
        else
            MoveLineStart(sh);
        break;
    case VK_END:
        if (ctrl)
            MoveDocEnd(sh);
        else
            MoveLineEnd(sh);
        break;
    case VK_LEFT:
        if (ctrl)
            MoveWordLeft(sh);
        else
            MoveLeft(sh);
        break;
    case VK_RIGHT:
        if (ctrl)
            MoveWordRight(sh);
        else
            MoveRight(sh);
        break;
    case VK_UP:
        MoveUp(sh);
        break;
    case VK_DOWN:
        MoveDown(sh);
        break;
    case VK_INSERT:
        ToggleOverwriteMode();
        break;
    case VK_DELETE:
        if (ctrl)
            DeleteWordRight();
        else
            DeleteChar();
        break;
    default:
        break;
    }
}

void TTextEditorEx::KeyPress(char& key, Qt::KeyboardModifiers shift) {
    if (OnKeyPress)
        OnKeyPress(this, key);
    if (key == 0 || Settings()->ReadOnly)
        return;
    if (key == '\b' || key == '\t' || key == '\r' || key == 27 || key == 127)
        return;
    if (shift.testFlag(Qt::ControlModifier) && !shift.testFlag(Qt::AltModifier))
        return;
    if (Settings()->AutoEncode) {
        QByteArray entity;
        if (Entities::TypedEntity(key, &entity)) {
            FlagScope collapse(ForceCollapse);
            SetSelText(entity);
            return;
        }
    }
    CaretHidden hidden(this);
    DeleteSelection();
    const int y = Caret.Y;
    QByteArray line = Lines.Get(y);
    const int x = std::clamp(Caret.X, 0, static_cast<int>(line.size()));
    if (Settings()->OverwriteMode() && x < line.size())
        line[x] = key;
    else
        line.insert(x, key);
    if (Settings()->AutoCloseQts) {
        char closing = 0;
        switch (key) {
        case '\'':
        case '"':
            closing = key;
            break;
        case '(':
            closing = ')';
            break;
        case '{':
            closing = '}';
            break;
        case '[':
            closing = ']';
            break;
        default:
            break;
        }
        if (closing)
            line.insert(x + 1, closing);
    }
    Lines.Put(y, line);
    if (ListMenu() && ListMenu()->isVisible())
        ListMenu()->TypeChar(Cp1252::ToUnicode(static_cast<unsigned char>(key)));
    {
        FlagScope collapse(ForceCollapse);
        Caret.SetX(x + 1);
    }
    if (Caret.X == static_cast<int>(line.size())) {
        JustTyped = true;
        UpdateCells(y, x, 1);
    } else {
        PaintLine(y);
    }
}

void TTextEditorEx::KeyUp(int& key, Qt::KeyboardModifiers shift) {
    if (key == VK_CONTROL)
        RerunMouseMove(false);
    if (Settings()->ListMenuHelperAutoPopup && ListMenu()) {
        if (key == VK_OEM_102 && !shift.testFlag(Qt::ShiftModifier) &&
            !shift.testFlag(Qt::ControlModifier))
            PopupListMenu();
        else if (key == VK_SPACE)
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

// --- editing operations ----------------------------------------------------------------------

void TTextEditorEx::UpdateCells(int line, int column, int count) {
    const QPoint px = PosToPixel(QPoint(column, line));
    viewport()->update(QRect(px.x(), px.y(), CharWidth() * count, LineHeight()));
}

bool TTextEditorEx::DeleteEntityBack() {
    if (Settings()->ReadOnly || HasSelection())
        return false;
    const int y = Caret.Y;
    const QByteArray& line = Lines.Get(y);
    const int x = Caret.X;
    if (x <= 2 || x > line.size() || line[x - 1] != ';')
        return false;
    // No entity is longer than the longest name or number: the look-back stops there.
    const int from = std::max(x - 2 - Entities::MaxEntityBodyLength(), 0);
    const int amp =
        static_cast<int>(QByteArrayView(line).sliced(from, x - 2 - from).lastIndexOf('&')) + from;
    if (amp < from || !Entities::IsEntityBody(QByteArrayView(line).sliced(amp + 1, x - amp - 2)))
        return false;
    CaretHidden hidden(this);
    Lines.Put(y, line.left(amp) + line.mid(x));
    RepaintLineArea(y);
    FlagScope collapse(ForceCollapse);
    Caret.SetX(amp);
    return true;
}

void TTextEditorEx::Backspace() {
    if (Settings()->ReadOnly)
        return;
    CaretHidden hidden(this);
    if (DeleteSelection())
        return;
    const int y = Caret.Y;
    const QByteArray& line = Lines.Get(y);
    const int x = std::min(Caret.X, static_cast<int>(line.size()));
    const int tab = Settings()->TabLength();
    if (tab > 0 && x >= tab && x % tab == 0 &&
        std::all_of(line.begin(), line.begin() + x, [](char c) { return c == ' '; })) {
        Lines.Put(y, line.mid(tab));
        if (!Updating)
            RepaintLineArea(y);
        FlagScope collapse(ForceCollapse);
        Caret.SetPosAndNotify(QPoint(x - tab, y));
        return;
    }
    if (x > 0) {
        QByteArray shorter = line;
        shorter.remove(x - 1, 1);
        const bool atEnd = x == line.size();
        Lines.Put(y, shorter);
        {
            FlagScope collapse(ForceCollapse);
            Caret.SetX(x - 1);
        }
        if (atEnd)
            UpdateCells(y, x - 1, 2);
        else
            PaintLine(y);
    } else if (y > 0) {
        const QByteArray joined = Lines.Get(y - 1) + line;
        {
            FlagScope collapse(ForceCollapse);
            Caret.SetPos(QPoint(Lines.Length(y - 1), y - 1));
        }
        Lines.Replace(y - 1, 2, {joined});
        RepaintAll();
    }
}

void TTextEditorEx::DeleteChar() {
    if (Settings()->ReadOnly)
        return;
    CaretHidden hidden(this);
    if (DeleteSelection())
        return;
    const int y = Caret.Y;
    const QByteArray& line = Lines.Get(y);
    const int x = Caret.X;
    if (x >= 0 && x < line.size()) {
        QByteArray shorter = line;
        shorter.remove(x, 1);
        Lines.Put(y, shorter);
        PaintLine(y);
    } else if (y < Lines.Count() - 1) {
        const QByteArray joined = line + Lines.Get(y + 1);
        Lines.Replace(y, 2, {joined});
        RepaintAll();
    }
}

void TTextEditorEx::DeleteWordLeft() {
    if (Settings()->ReadOnly)
        return;
    CaretHidden hidden(this);
    const QPoint c = Caret.GetPos();
    const QPoint w = WordLeft(c);
    if (w.y() != c.y())
        return;
    const QByteArray& line = Lines.Get(c.y());
    const int to = std::min(c.x(), static_cast<int>(line.size()));
    if (w.x() >= to)
        return;
    Lines.Put(c.y(), line.left(w.x()) + line.mid(to));
    RepaintLineArea(c.y());
    FlagScope collapse(ForceCollapse);
    Caret.SetX(w.x());
}

void TTextEditorEx::DeleteWordRight() {
    if (Settings()->ReadOnly)
        return;
    CaretHidden hidden(this);
    const QPoint c = Caret.GetPos();
    const QPoint w = WordRight(c);
    if (w.y() != c.y())
        return;
    const QByteArray& line = Lines.Get(c.y());
    const int from = std::min(c.x(), static_cast<int>(line.size()));
    if (w.x() <= from)
        return;
    Lines.Put(c.y(), line.left(from) + line.mid(w.x()));
    RepaintLineArea(c.y());
}

void TTextEditorEx::InsertLineBreak() {
    if (Settings()->ReadOnly)
        return;
    CaretHidden hidden(this);
    DeleteSelection();
    ScrollPos.SetX(0);
    const int y = Caret.Y;
    const QByteArray& line = Lines.Get(y);
    const int x = std::clamp(Caret.X, 0, static_cast<int>(line.size()));
    QByteArray head = line.left(x);
    QByteArray tail = line.mid(x);
    int indent = 0;
    if (Settings()->AutoIndent) {
        while (indent < head.size() && head[indent] == ' ')
            ++indent;
        tail.prepend(QByteArray(indent, ' '));
    }
    Lines.Replace(y, 1, {std::move(head), std::move(tail)});
    RepaintLines(y, Lines.Count() - 1);
    FlagScope collapse(ForceCollapse);
    Caret.SetPos(QPoint(indent, y + 1));
}

void TTextEditorEx::InsertTab(Qt::KeyboardModifiers shift) {
    if (Settings()->ReadOnly)
        return;
    CaretHidden hidden(this);
    // Ctrl+Tab types too: the spaces are not Ctrl characters.
    const Qt::KeyboardModifiers mods = shift & ~Qt::ControlModifier;
    for (int i = 0; i < Settings()->TabLength(); ++i) {
        char space = ' ';
        KeyPress(space, mods);
    }
}

void TTextEditorEx::ToggleOverwriteMode() {
    Settings()->SetOverwriteMode(!Settings()->OverwriteMode());
    if (OnCaretModeChange)
        OnCaretModeChange(this);
}

// --- indentation -----------------------------------------------------------------------------

int TTextEditorEx::GetIndentLength(int line) const {
    if (line < 0 || line >= Lines.Count())
        return -1;
    const QByteArray& l = Lines.Get(line);
    int n = 0;
    while (n < l.size() && l[n] == ' ')
        ++n;
    return n;
}

QByteArray TTextEditorEx::GetTabSpaces() const {
    return QByteArray(std::max(Settings()->TabLength(), 0), ' ');
}

void TTextEditorEx::IndentSelection() {
    ChangeIndentation(0);
}
void TTextEditorEx::UnindentSelection() {
    ChangeIndentation(1);
}
void TTextEditorEx::RemoveIndentation() {
    ChangeIndentation(2);
}

// mode 0 indents, 1 unindents, 2 removes all leading blanks.
void TTextEditorEx::ChangeIndentation(int mode) {
    if (Settings()->ReadOnly || Lines.Count() < 2)
        return;
    int first, last;
    GetLineSpan(Caret.GetPos(), SelEnd.GetPos(), &first, &last);
    first = std::clamp(first, 0, Lines.Count() - 1);
    last = std::clamp(last, first, Lines.Count() - 1);
    const int start = GetSelStart();
    const int length = GetSelLength();
    const QByteArray tabs = GetTabSpaces();
    std::vector<QByteArray> lines;
    lines.reserve(static_cast<size_t>(last - first + 1));
    int removed = 0;
    Lines.ForEach(first, last, [&](int, const QByteArray& l) {
        if (mode == 0) {
            lines.push_back(tabs + l);
        } else if (mode == 1) {
            if (!tabs.isEmpty() && l.startsWith(tabs)) {
                lines.push_back(l.mid(tabs.size()));
                removed += static_cast<int>(tabs.size());
            } else {
                lines.push_back(l);
            }
        } else {
            int n = 0;
            while (n < l.size() && IsBlank(l[n]))
                ++n;
            lines.push_back(l.mid(n));
            removed += n;
        }
    });
    const int added = mode == 0 ? static_cast<int>(tabs.size()) * (last - first + 1) : -removed;
    if (added == 0)
        return;
    BeginUpdate();
    try {
        Lines.Replace(first, last - first + 1, std::move(lines));
        SetSelStart(start);
        SetSelLength(length + added);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
    RepaintLines(first, last);
}
