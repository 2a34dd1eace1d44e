// Typing: what a typed character, Backspace, Delete, Enter and Tab do to the text, word
// boundaries, and the indentation commands.
#include "editor/model/EditScopes.h"
#include "editor/model/EditorModel.h"
#include "editor/model/Entities.h"

#include <algorithm>

using EditScopes::CaretHidden;
using EditScopes::FlagScope;

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool IsControl(char c) {
    return static_cast<unsigned char>(c) < 32 || c == 127;
}

// The character that AutoCloseQts puts after a typed one; 0 for none.
char ClosingOf(char ch) {
    switch (ch) {
    case '\'':
    case '"':
        return ch;
    case '(':
        return ')';
    case '{':
        return '}';
    case '[':
        return ']';
    default:
        return 0;
    }
}

} // namespace

// --- typing ------------------------------------------------------------------------------------

bool TEditorModel::TypeChar(char ch) {
    if (Settings()->ReadOnly)
        return false;
    // A line never holds a control character: a typed line break is Enter.
    if (ch == '\r' || ch == '\n') {
        InsertLineBreak();
        return false;
    }
    if (IsControl(ch))
        return false;
    if (Settings()->AutoEncode) {
        QByteArray entity;
        if (Entities::TypedEntity(ch, &entity)) {
            FlagScope collapse(ForceCollapse);
            SetSelText(entity);
            return false;
        }
    }
    CaretHidden hidden(this);
    DeleteSelection();
    const int y = Caret.Y;
    QByteArray line = Lines.Get(y);
    const int x = std::clamp(Caret.X, 0, static_cast<int>(line.size()));
    if (Settings()->OverwriteMode() && x < line.size())
        line[x] = ch;
    else
        line.insert(x, ch);
    if (Settings()->AutoCloseQts)
        if (const char closing = ClosingOf(ch))
            line.insert(x + 1, closing);
    // A character typed at the line's end needs only its own cell painted.
    const bool atEnd = x + 1 == line.size();
    Edit(atEnd ? TRepaint::CellsOf(y, x, 1) : TRepaint::TextOf(y), atEnd,
         [&] { Lines.Put(y, line); });
    FlagScope collapse(ForceCollapse);
    Caret.SetX(x + 1);
    return true;
}

void TEditorModel::TypeBackspace(bool wordWise) {
    if (DeleteEntityBack())
        return;
    if (wordWise)
        DeleteWordLeft();
    else
        Backspace();
}

void TEditorModel::TypeDelete(bool wordWise) {
    if (wordWise)
        DeleteWordRight();
    else
        DeleteChar();
}

bool TEditorModel::DeleteEntityBack() {
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
    const QByteArray shorter = line.left(amp) + line.mid(x);
    Edit(TRepaint::Rows(y, y), false, [&] { Lines.Put(y, shorter); });
    FlagScope collapse(ForceCollapse);
    Caret.SetX(amp);
    return true;
}

void TEditorModel::Backspace() {
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
        const QByteArray unindented = line.mid(tab);
        Edit(Updating ? TRepaint() : TRepaint::Rows(y, y), false,
             [&] { Lines.Put(y, unindented); });
        FlagScope collapse(ForceCollapse);
        Caret.SetPosAndNotify(QPoint(x - tab, y));
        return;
    }
    if (x > 0) {
        QByteArray shorter = line;
        shorter.remove(x - 1, 1);
        // At the line's end the two cells the character and the caret stood in are cleared.
        const bool atEnd = x == line.size();
        Edit(atEnd ? TRepaint::CellsOf(y, x - 1, 2) : TRepaint::TextOf(y), false,
             [&] { Lines.Put(y, shorter); });
        FlagScope collapse(ForceCollapse);
        Caret.SetX(x - 1);
    } else if (y > 0) {
        const QByteArray joined = Lines.Get(y - 1) + line;
        {
            FlagScope collapse(ForceCollapse);
            Caret.SetPos(QPoint(Lines.Length(y - 1), y - 1));
        }
        Edit(TRepaint::Everything(), false, [&] { Lines.Replace(y - 1, 2, {joined}); });
    }
}

void TEditorModel::DeleteChar() {
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
        Edit(TRepaint::TextOf(y), false, [&] { Lines.Put(y, shorter); });
    } else if (y < Lines.Count() - 1) {
        const QByteArray joined = line + Lines.Get(y + 1);
        Edit(TRepaint::Everything(), false, [&] { Lines.Replace(y, 2, {joined}); });
    }
}

void TEditorModel::DeleteWordLeft() {
    if (Settings()->ReadOnly)
        return;
    CaretHidden hidden(this);
    const QPoint c = Caret.GetPos();
    const QPoint w = WordLeft(c);
    if (w.y() != c.y() || !RemoveCells(c.y(), w.x(), c.x()))
        return;
    FlagScope collapse(ForceCollapse);
    Caret.SetX(w.x());
}

void TEditorModel::DeleteWordRight() {
    if (Settings()->ReadOnly)
        return;
    CaretHidden hidden(this);
    const QPoint c = Caret.GetPos();
    const QPoint w = WordRight(c);
    if (w.y() == c.y())
        RemoveCells(c.y(), c.x(), w.x());
}

bool TEditorModel::RemoveCells(int y, int from, int to) {
    const QByteArray& line = Lines.Get(y);
    const int length = static_cast<int>(line.size());
    from = std::min(from, length);
    to = std::min(to, length);
    if (from >= to)
        return false;
    const QByteArray shorter = line.left(from) + line.mid(to);
    Edit(TRepaint::Rows(y, y), false, [&] { Lines.Put(y, shorter); });
    return true;
}

void TEditorModel::InsertLineBreak() {
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
    // The lines below move down a row.
    Edit(TRepaint::Rows(y), false, [&] {
        Lines.Replace(y, 1, {std::move(head), std::move(tail)});
    });
    FlagScope collapse(ForceCollapse);
    Caret.SetPos(QPoint(indent, y + 1));
}

void TEditorModel::InsertTab() {
    if (Settings()->ReadOnly)
        return;
    CaretHidden hidden(this);
    for (char space : GetTabSpaces())
        TypeChar(space);
}

// --- word boundaries ---------------------------------------------------------------------------

QPoint TEditorModel::WordLeft(QPoint p) const {
    p.setY(std::clamp(p.y(), 0, Lines.Count() - 1));
    p.setX(std::clamp(p.x(), 0, Lines.Length(p.y())));
    // A loop: a run of empty lines costs no stack.
    while (p.x() == 0 && p.y() > 0)
        p = QPoint(Lines.Length(p.y() - 1), p.y() - 1);
    const QByteArray& line = Lines.Get(p.y());
    const QByteArray& stops = Settings()->ObjStopChars;
    int result = 0;
    bool found = false;
    // The character right before P is skipped.
    for (int i = p.x() - 2; i >= 0; --i) {
        if (IsBlank(line[i]) && (i == 0 || !IsBlank(line[i - 1]))) {
            result = i + 1;
            found = true;
            break;
        }
    }
    const int lowest = found ? result : 0;
    for (int j = p.x() - 2; j >= lowest; --j) {
        if (stops.contains(line[j])) {
            result = j + 1;
            found = true;
            break;
        }
    }
    return QPoint(found ? result : 0, p.y());
}

QPoint TEditorModel::WordRight(QPoint p) const {
    const int last = Lines.Count() - 1;
    p.setY(std::clamp(p.y(), 0, last));
    p.setX(std::clamp(p.x(), 0, Lines.Length(p.y())));
    while (p.x() == Lines.Length(p.y()) && p.y() < last)
        p = QPoint(0, p.y() + 1);
    const QByteArray& line = Lines.Get(p.y());
    const int length = static_cast<int>(line.size());
    const QByteArray& stops = Settings()->ObjStopChars;
    int result = length;
    bool found = false;
    // The two characters after P are skipped.
    if (p.x() <= length - 1) {
        for (int i = p.x() + 2; i < length; ++i) {
            if (IsBlank(line[i]) && (i + 1 >= length || !IsBlank(line[i + 1]))) {
                result = i;
                found = true;
                break;
            }
        }
    }
    const int highest = found ? result : length - 1;
    for (int j = p.x() + 2; j <= highest; ++j) {
        if (stops.contains(line[j])) {
            result = j;
            found = true;
            break;
        }
    }
    return QPoint(found ? result : length, p.y());
}

// --- indentation -------------------------------------------------------------------------------

int TEditorModel::GetIndentLength(int line) const {
    if (line < 0 || line >= Lines.Count())
        return -1;
    const QByteArray& l = Lines.Get(line);
    int n = 0;
    while (n < l.size() && l[n] == ' ')
        ++n;
    return n;
}

QByteArray TEditorModel::GetTabSpaces() const {
    return QByteArray(std::max(Settings()->TabLength(), 0), ' ');
}

void TEditorModel::IndentSelection() {
    ChangeIndentation(TIndentChange::Indent);
}

void TEditorModel::UnindentSelection() {
    ChangeIndentation(TIndentChange::Unindent);
}

void TEditorModel::RemoveIndentation() {
    ChangeIndentation(TIndentChange::Remove);
}

void TEditorModel::ChangeIndentation(TIndentChange mode) {
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
        switch (mode) {
        case TIndentChange::Indent:
            lines.push_back(tabs + l);
            break;
        case TIndentChange::Unindent:
            if (!tabs.isEmpty() && l.startsWith(tabs)) {
                lines.push_back(l.mid(tabs.size()));
                removed += static_cast<int>(tabs.size());
            } else {
                lines.push_back(l);
            }
            break;
        case TIndentChange::Remove: {
            int n = 0;
            while (n < l.size() && IsBlank(l[n]))
                ++n;
            lines.push_back(l.mid(n));
            removed += n;
            break;
        }
        }
    });
    const int added = mode == TIndentChange::Indent
                          ? static_cast<int>(tabs.size()) * (last - first + 1)
                          : -removed;
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
