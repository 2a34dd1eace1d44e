#include "editor/model/EditScopes.h"
#include "editor/model/EditorModel.h"
#include "editor/model/Entities.h"
#include "platform/Cp1252.h"

#include <algorithm>
#include <array>

using EditScopes::CaretHidden;
using EditScopes::FlagScope;

namespace {

using TConverter = QByteArray (*)(const QByteArray&);

// Where the selection is after a conversion.
enum class TSelAfter {
    CaretAfter,     // collapsed after the new text
    SameRange,      // the same offsets selected, the caret at the start
    ResultSelected, // the new text selected, the caret at its end
};

using TByteTable = std::array<unsigned char, 256>;

template <typename F> TByteTable MakeTable(F f) {
    TByteTable t{};
    for (int b = 0; b < 256; ++b)
        t[b] = f(static_cast<unsigned char>(b));
    return t;
}

const TByteTable& UpperTable() {
    static const TByteTable t = MakeTable([](unsigned char b) { return Cp1252::ToUpper(b); });
    return t;
}

const TByteTable& LowerTable() {
    static const TByteTable t = MakeTable([](unsigned char b) { return Cp1252::ToLower(b); });
    return t;
}

const TByteTable& InvertTable() {
    static const TByteTable t = MakeTable([](unsigned char b) {
        const unsigned char lower = Cp1252::ToLower(b);
        return lower == b ? Cp1252::ToUpper(b) : lower;
    });
    return t;
}

const TByteTable& Rot13Table() {
    static const TByteTable t = MakeTable([](unsigned char b) -> unsigned char {
        if (b >= 'A' && b <= 'Z')
            return static_cast<unsigned char>('A' + (b - 'A' + 13) % 26);
        if (b >= 'a' && b <= 'z')
            return static_cast<unsigned char>('a' + (b - 'a' + 13) % 26);
        return b;
    });
    return t;
}

// `text` with every byte through the table; `text` itself, shared, when no byte changes.
QByteArray MapBytes(const TByteTable& table, const QByteArray& text) {
    const auto* d = reinterpret_cast<const unsigned char*>(text.constData());
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n && table[d[i]] == d[i])
        ++i;
    if (i == n)
        return text;
    QByteArray out = text;
    auto* o = reinterpret_cast<unsigned char*>(out.data());
    for (; i < n; ++i)
        o[i] = table[o[i]];
    return out;
}

QByteArray Upper(const QByteArray& s) {
    return MapBytes(UpperTable(), s);
}
QByteArray Lower(const QByteArray& s) {
    return MapBytes(LowerTable(), s);
}
QByteArray Invert(const QByteArray& s) {
    return MapBytes(InvertTable(), s);
}
QByteArray Rot13(const QByteArray& s) {
    return MapBytes(Rot13Table(), s);
}

// The common frame: the selected part of each selected line converted (no conversion joins
// or splits lines, so a line at a time gives what the selected text as a whole would), the
// lines put back in one splice under BeginUpdate, the selection set, and the lines repainted.
void ConvertSelection(TEditorModel& m, TConverter convert, TSelAfter after) {
    if (m.Settings()->ReadOnly || !m.HasSelection())
        return;
    QPoint s, e;
    m.SelectionBounds(&s, &e);
    const int count = m.Lines.Count();
    if (count == 0 || s.y() < 0 || s.y() >= count)
        return;
    // Columns past a line's end, and an end past the last line, mean the end of that line.
    if (e.y() >= count)
        e = QPoint(m.Lines.Length(count - 1), count - 1);
    s.setX(std::clamp(s.x(), 0, m.Lines.Length(s.y())));
    e.setX(std::clamp(e.x(), 0, m.Lines.Length(e.y())));
    if (s.y() == e.y() && s.x() >= e.x())
        return;
    const int start = m.GetSelStart();
    const int length = m.GetSelLength();

    // Each line is converted as the store rewrites it; chunks of lines that stay as they were
    // are kept (and stay shared with the undo snapshots).
    int endX = e.x();
    const auto convertLine = [&](int y, LineView line, QByteArray* out) {
        const int from = y == s.y() ? s.x() : 0;
        const int to = y == e.y() ? e.x() : static_cast<int>(line.size());
        const QByteArray raw = line.Raw();
        QByteArray result;
        if (from == 0 && to == raw.size()) {
            result = convert(raw);
        } else {
            const QByteArray piece = raw.mid(from, to - from);
            const QByteArray converted = convert(piece);
            result = converted.isSharedWith(piece) ? raw : raw.left(from) + converted + raw.mid(to);
        }
        if (y == e.y())
            endX = static_cast<int>(result.size()) - (static_cast<int>(raw.size()) - to);
        if (result.isSharedWith(raw))
            return false;
        *out = std::move(result);
        return true;
    };

    CaretHidden hidden(&m);
    m.BeginUpdate();
    try {
        m.Lines.TransformLines(s.y(), e.y(), convertLine);
        switch (after) {
        case TSelAfter::CaretAfter: {
            FlagScope collapse(m.ForceCollapse);
            m.Caret.SetPosAndNotify(QPoint(endX, e.y()));
            break;
        }
        case TSelAfter::SameRange:
            m.SetSelStart(start);
            m.SetSelLength(length);
            break;
        case TSelAfter::ResultSelected: {
            {
                FlagScope collapse(m.ForceCollapse);
                m.Caret.SetPosAndNotify(QPoint(endX, e.y()));
            }
            m.SetSelLength(-length);
            break;
        }
        }
    } catch (...) {
        m.EndUpdate();
        throw;
    }
    m.EndUpdate();
    // Only the visible ones of the changed lines need painting.
    int first, last;
    m.VisibleLines(&first, &last);
    first = std::max(first, s.y());
    last = std::min(last, e.y());
    for (int line = first; line <= last; ++line)
        m.RepaintLineArea(line);
    if (m.OnSelChange)
        m.OnSelChange(m.SenderObject());
}

} // namespace

void TEditorModel::EncodeAlpha() {
    ConvertSelection(*this, Entities::EncodeAlpha, TSelAfter::CaretAfter);
}

void TEditorModel::DecodeAlpha() {
    ConvertSelection(*this, Entities::DecodeAlpha, TSelAfter::CaretAfter);
}

void TEditorModel::EncodeOmega() {
    ConvertSelection(*this, Entities::EncodeOmega, TSelAfter::CaretAfter);
}

void TEditorModel::DecodeOmega() {
    ConvertSelection(*this, Entities::DecodeOmega, TSelAfter::CaretAfter);
}

void TEditorModel::UpperCaseSelection() {
    ConvertSelection(*this, Upper, TSelAfter::SameRange);
}

void TEditorModel::LowerCaseSelection() {
    ConvertSelection(*this, Lower, TSelAfter::SameRange);
}

void TEditorModel::InvertCaseSelection() {
    ConvertSelection(*this, Invert, TSelAfter::SameRange);
}

void TEditorModel::ROT13() {
    ConvertSelection(*this, Rot13, TSelAfter::ResultSelected);
}

QByteArray TEditorModel::ROT13Str(const QByteArray& s) {
    return Rot13(s);
}

QString TEditorModel::ROT13Str(const QString& s) {
    QString out = s;
    for (QChar& c : out) {
        const char16_t u = c.unicode();
        if (u < 0x80)
            c = QChar(Rot13Table()[u]);
    }
    return out;
}
