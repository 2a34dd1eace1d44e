#include "editor/model/EditorModel.h"
#include "editor/text/TextFormReader.h"

#include "platform/Cp1252.h"
#include "platform/FlagScope.h"
#include "platform/SilentAbort.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <algorithm>

namespace {

// The text cannot hold a NUL byte: drop the NULs and keep everything else.
QByteArray WithoutNul(const QByteArray& s) {
    if (!s.contains('\0'))
        return s;
    QByteArray out = s;
    out.removeIf([](char c) { return c == '\0'; });
    return out;
}

// A position past the last line is the end of the text.
void ClampToText(const LineStore& lines, QPoint* p) {
    if (p->y() >= lines.Count())
        *p = QPoint(lines.Length(lines.Count() - 1), lines.Count() - 1);
}

// Reads a file into `lines`; a failure throws the program's error naming the file.
void LoadOrThrow(LineStore& lines, const QString& fileName) {
    QString error;
    if (!lines.LoadFromFile(fileName, &error))
        throw EKelvoraError(
            QStringLiteral("EFOpenError"),
            QStringLiteral("Det går inte att öppna filen \"%1\". %2").arg(fileName, error));
}

} // namespace

TEditorModel::TEditorModel() : settings_(std::make_unique<TTextEditorExSettings>()) {
    Creating = true;
    Caret.OnChange = [this](const QPoint& p) { CaretChanged(p); };
    SelEnd.OnChange = [this](const QPoint& p) { SelEndChanged(p); };
    ScrollPos.OnChange = [this](const QPoint& p) { ScrollPosChanged(p); };
    Clear();
    Lines.OnChange = [this] { LinesChange(&Lines); };
    Creating = false;
}

TEditorModel::~TEditorModel() {
    Lines.OnChange = nullptr;
    Caret.OnChange = nullptr;
    SelEnd.OnChange = nullptr;
    ScrollPos.OnChange = nullptr;
    std::vector<TEditorObserver*> observers;
    observers.swap(observers_);
    for (TEditorObserver* o : observers)
        if (o)
            o->ModelDestroyed(this);
}

// --- observers ---------------------------------------------------------------------------

void TEditorModel::AddObserver(TEditorObserver* observer) {
    if (observer && std::find(observers_.begin(), observers_.end(), observer) == observers_.end())
        observers_.push_back(observer);
}

void TEditorModel::RemoveObserver(TEditorObserver* observer) {
    const auto it = std::find(observers_.begin(), observers_.end(), observer);
    if (it == observers_.end())
        return;
    // While the observers are being told, the list keeps its places.
    if (notifying_ > 0) {
        *it = nullptr;
        removedWhileNotifying_ = true;
    } else {
        observers_.erase(it);
    }
}

// Each observer present when it is its turn is told once; one removed meanwhile is not.
template <typename Fn> void TEditorModel::Notify(Fn fn) const {
    struct Depth {
        const TEditorModel& m;
        explicit Depth(const TEditorModel& model) : m(model) { ++m.notifying_; }
        ~Depth() {
            if (--m.notifying_ == 0 && m.removedWhileNotifying_) {
                m.removedWhileNotifying_ = false;
                std::erase(m.observers_, nullptr);
            }
        }
    } depth(*this);
    for (size_t i = 0; i < observers_.size(); ++i)
        if (TEditorObserver* o = observers_[i])
            fn(*o);
}

void TEditorModel::RequestRepaint(const TRepaint& what) {
    Notify([&](TEditorObserver& o) { o.RepaintRequested(what); });
}

void TEditorModel::RepaintAll() {
    RequestRepaint(TRepaint::Everything());
}

void TEditorModel::RepaintLineArea(int line) {
    RepaintLines(line, line);
}

void TEditorModel::RepaintLines(int from, int to) {
    RequestRepaint(TRepaint::Rows(from, to));
}

void TEditorModel::HideSystemCaret() {
    Notify([](TEditorObserver& o) { o.CaretVisibility(false); });
}

void TEditorModel::ShowSystemCaret() {
    Notify([](TEditorObserver& o) { o.CaretVisibility(true); });
}

void TEditorModel::VisibleLines(int* first, int* last) const {
    // Without a view no line is visible, so nothing is painted.
    *first = 0;
    *last = -1;
    bool any = false;
    Notify([&](TEditorObserver& o) {
        int f, l;
        if (!o.ShownLines(&f, &l) || f > l)
            return;
        *first = any ? std::min(*first, f) : f;
        *last = any ? std::max(*last, l) : l;
        any = true;
    });
}

// --- positions ---------------------------------------------------------------------------

int TEditorModel::ComparePos(const QPoint& a, const QPoint& b) {
    if (a.y() < b.y())
        return 0;
    if (a.y() > b.y())
        return 2;
    if (a.x() < b.x())
        return 0;
    return a.x() == b.x() ? 1 : 2;
}

void TEditorModel::SelectionBounds(QPoint* start, QPoint* end) const {
    const QPoint c = Caret.GetPos(), e = SelEnd.GetPos();
    if (ComparePos(c, e) == 2) {
        *start = e;
        *end = c;
    } else {
        *start = c;
        *end = e;
    }
}

bool TEditorModel::InSelection(const QPoint& p) const {
    QPoint s, e;
    SelectionBounds(&s, &e);
    if (s == e)
        return false;
    if (p.y() > s.y() && p.y() < e.y())
        return true;
    if (p.y() == s.y() && p.y() == e.y())
        return p.x() >= s.x() && p.x() < e.x();
    if (p.y() == s.y())
        return p.x() >= s.x();
    if (p.y() == e.y())
        return p.x() < e.x();
    return false;
}

void TEditorModel::GetLineSpan(const QPoint& a, const QPoint& b, int* first, int* last) const {
    *first = std::min(a.y(), b.y());
    *last = std::max(a.y(), b.y());
}

int TEditorModel::PosToOffset(const QPoint& p) const {
    if (p.y() < 0)
        return 0;
    if (p.y() >= Lines.Count())
        return std::max(TextLength() - 2, 0);
    const int x = std::clamp(p.x(), 0, Lines.Length(p.y()));
    return static_cast<int>(Lines.LineStart(p.y())) + x;
}

bool TEditorModel::OffsetToPos(qint64 offset, QPoint* p) const {
    if (offset < 0 || offset > Lines.TextLength() - 2)
        return false;
    const int line = Lines.LineAtOffset(offset);
    if (line < 0)
        return false;
    const int column = static_cast<int>(offset - Lines.LineStart(line));
    *p = QPoint(std::min(column, Lines.Length(line)), line);
    return true;
}

// --- selection ---------------------------------------------------------------------------

int TEditorModel::GetSelStart() const {
    QPoint s, e;
    SelectionBounds(&s, &e);
    return PosToOffset(s);
}

void TEditorModel::SetSelStart(int value) {
    QPoint p;
    if (!OffsetToPos(value, &p))
        return;
    FlagScope collapse(ForceCollapse);
    Caret.SetPos(p);
}

int TEditorModel::GetSelLength() const {
    QPoint s, e;
    SelectionBounds(&s, &e);
    if (s == e)
        return 0;
    return PosToOffset(e) - PosToOffset(s);
}

void TEditorModel::SetSelLength(int value) {
    if (Lines.IsEmpty()) {
        SelEnd.SetPosSilently(QPoint(0, 0));
        return;
    }
    const qint64 target = static_cast<qint64>(PosToOffset(Caret.GetPos())) + value;
    const qint64 last = Lines.TextLength() - 2;
    QPoint p;
    if (target > last && target <= last + 2)
        p = QPoint(Lines.Length(Lines.Count() - 1), Lines.Count() - 1);
    else if (!OffsetToPos(target, &p))
        return;
    SelEnd.SetPos(p);
}

QByteArray TEditorModel::GetSelText() const {
    QPoint s, e;
    SelectionBounds(&s, &e);
    if (s == e || Lines.IsEmpty() || s.y() < 0 || s.y() >= Lines.Count())
        return QByteArray();
    ClampToText(Lines, &e);
    // One copy of the text form between the two positions (columns past a line's end mean
    // its end).
    const qint64 from = Lines.LineStart(s.y()) + std::clamp(s.x(), 0, Lines.Length(s.y()));
    const qint64 to =
        std::max(from, Lines.LineStart(e.y()) + std::clamp(e.x(), 0, Lines.Length(e.y())));
    return TTextFormReader::Slice(Lines, from, to);
}

void TEditorModel::SetSelText(const QByteArray& s) {
    if (Settings()->ReadOnly)
        return;
    HideSystemCaret();
    DeleteSelection();
    const QByteArray text = LineStore::NormalizeBreaks(WithoutNul(s));
    const bool addBreak = text.endsWith("\r\n");
    // Insert where the caret's offset is: a caret past its line's end inserts at the end.
    const int start = GetSelStart();
    QPoint at;
    if (!OffsetToPos(start, &at))
        at = QPoint(0, 0);
    InsertText(at, text, addBreak);
    {
        FlagScope collapse(ForceCollapse);
        SetSelStart(start + static_cast<int>(text.size()));
    }
    ShowSystemCaret();
}

void TEditorModel::SetSelLines(const std::vector<QByteArrayView>& lines, bool breakAfterLast) {
    if (Settings()->ReadOnly)
        return;
    HideSystemCaret();
    // The ends of the selection, and the new lines between the characters before and after
    // it, built before the text changes (the lines may be views of it).
    const int start = GetSelStart();
    QPoint from(0, 0), to;
    OffsetToPos(start, &from);
    if (!OffsetToPos(static_cast<qint64>(start) + GetSelLength(), &to))
        to = from;
    LineStore::Builder text;
    text.AddToLine(Lines.Get(from.y()).first(from.x()));
    for (size_t i = 0; i < lines.size(); ++i) {
        const QByteArrayView line = lines[i];
        if (line.contains('\0')) {
            text.AddText(WithoutNul(line.toByteArray()));
        } else {
            text.AddText(line);
        }
        if (breakAfterLast || i + 1 < lines.size())
            text.EndLine();
    }
    const qint64 inserted = text.TextLength() - from.x();
    text.AddToLine(Lines.Get(to.y()).sliced(to.x()));
    text.EndLine();

    const bool selected = HasSelection();
    if (selected)
        SelEnd.SetPosSilently(from);
    Lines.Splice(from.y(), to.y() - from.y() + 1, std::move(text));
    if (!Updating)
        RepaintAll();
    if (selected) {
        FlagScope collapse(ForceCollapse);
        Caret.SetPosAndNotify(from);
    }
    {
        FlagScope collapse(ForceCollapse);
        SetSelStart(static_cast<int>(start + inserted));
    }
    ShowSystemCaret();
}

bool TEditorModel::DeleteSelection() {
    if (Settings()->ReadOnly || !HasSelection())
        return false;
    HideSystemCaret();
    QPoint s, e;
    SelectionBounds(&s, &e);
    s.setX(std::clamp(s.x(), 0, Lines.Length(s.y())));
    SelEnd.SetPosSilently(s);
    DeleteRange(s, e);
    {
        FlagScope collapse(ForceCollapse);
        Caret.SetPosAndNotify(s);
    }
    ShowSystemCaret();
    return true;
}

bool TEditorModel::SelectLine(int line) {
    if (line < 0 || line >= Lines.Count())
        return false;
    HideSystemCaret();
    Caret.SetPos(QPoint(0, line));
    SelEnd.SetPos(QPoint(Lines.Length(line), line));
    ShowSystemCaret();
    return true;
}

void TEditorModel::SelectAll() {
    if (Lines.Count() < 2 && Lines.Length(0) == 0)
        return;
    FlagScope noScroll(NoScrollIntoView);
    Caret.SetPos(QPoint(0, 0));
    const int last = Lines.Count() - 1;
    SelEnd.SetPos(QPoint(Lines.Length(last), last));
}

// --- ranges ------------------------------------------------------------------------------

std::vector<QByteArrayView> TEditorModel::GetRangeViews(QPoint from, QPoint to) const {
    std::vector<QByteArrayView> out;
    if (Lines.IsEmpty() || from.y() < 0 || from.y() >= Lines.Count())
        return out;
    ClampToText(Lines, &to);
    const LineView first = Lines.Get(from.y());
    const int fx = std::clamp(from.x(), 0, static_cast<int>(first.size()));
    if (from.y() == to.y()) {
        const int tx = std::clamp(to.x(), fx, static_cast<int>(first.size()));
        out.push_back(first.sliced(fx, tx - fx));
        return out;
    }
    out.reserve(static_cast<size_t>(to.y() - from.y() + 1));
    out.push_back(first.sliced(fx));
    Lines.ForEach(from.y() + 1, to.y() - 1, [&](int, LineView l) { out.push_back(l); });
    const LineView last = Lines.Get(to.y());
    out.push_back(last.first(std::clamp(to.x(), 0, static_cast<int>(last.size()))));
    return out;
}

std::vector<QByteArray> TEditorModel::GetTextRange(QPoint from, QPoint to) const {
    const std::vector<QByteArrayView> views = GetRangeViews(from, to);
    std::vector<QByteArray> out;
    out.reserve(views.size());
    for (QByteArrayView v : views)
        out.push_back(v.toByteArray());
    return out;
}

void TEditorModel::DeleteRange(QPoint from, QPoint to) {
    if (Settings()->ReadOnly || Lines.IsEmpty() || from.y() < 0 || from.y() >= Lines.Count())
        return;
    ClampToText(Lines, &to);
    const QByteArray head = Lines.Get(from.y()).left(std::max(from.x(), 0));
    if (from.y() == to.y()) {
        const QByteArray& line = Lines.Get(from.y());
        const int tx =
            std::clamp(to.x(), static_cast<int>(head.size()), static_cast<int>(line.size()));
        Edit(Updating ? TRepaint() : TRepaint::Rows(from.y(), from.y()), false,
             [&] { Lines.Put(from.y(), head + line.mid(tx)); });
        return;
    }
    const QByteArray& tailLine = Lines.Get(to.y());
    const QByteArray tail = tailLine.mid(std::clamp(to.x(), 0, static_cast<int>(tailLine.size())));
    Edit(Updating ? TRepaint() : TRepaint::Everything(), false,
         [&] { Lines.Replace(from.y(), to.y() - from.y() + 1, {head + tail}); });
}

void TEditorModel::InsertLines(const QPoint& at, std::vector<QByteArray> lines, bool addBreak) {
    if (Settings()->ReadOnly || at.x() < 0 || at.y() < 0 || at.y() >= Lines.Count() ||
        at.x() > Lines.Length(at.y()) || lines.empty())
        return;
    if (addBreak)
        lines.emplace_back();
    const QByteArray& line = Lines.Get(at.y());
    const QByteArray head = line.left(at.x());
    const QByteArray tail = line.mid(at.x());
    if (lines.size() == 1) {
        Edit(Updating ? TRepaint() : TRepaint::Rows(at.y(), at.y()), false,
             [&] { Lines.Put(at.y(), head + lines[0] + tail); });
        return;
    }
    lines.front().prepend(head);
    lines.back().append(tail);
    Edit(Updating ? TRepaint() : TRepaint::Everything(), false,
         [&] { Lines.Replace(at.y(), 1, std::move(lines)); });
}

void TEditorModel::InsertText(const QPoint& at, const QByteArray& s, bool addBreak) {
    if (Settings()->ReadOnly)
        return;
    InsertLines(at, LineStore::SplitText(s), addBreak);
}

void TEditorModel::SetText(const QByteArray& text) {
    HideSystemCaret();
    Lines.SetText(text);
    if (Lines.IsEmpty())
        Lines.Add(QByteArray());
    RepaintAll();
    SelEnd.SetPosSilently(QPoint(0, 0));
    {
        FlagScope collapse(ForceCollapse);
        Caret.SetPosAndNotify(QPoint(0, 0));
    }
    ShowSystemCaret();
}

// --- clipboard ---------------------------------------------------------------------------

void TEditorModel::CopyToClipboard() {
    if (!HasSelection())
        return;
    QByteArray text = GetSelText();
    text.replace("\r\n", "\n");
    QGuiApplication::clipboard()->setText(Cp1252::Decode(text));
}

void TEditorModel::CutToClipboard() {
    if (Settings()->ReadOnly || !HasSelection())
        return;
    CopyToClipboard();
    DeleteSelection();
}

void TEditorModel::PasteFromClipboard() {
    if (Settings()->ReadOnly)
        return;
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasText())
        return;
    SetSelText(Cp1252::Encode(data->text()));
}

// --- files -------------------------------------------------------------------------------

void TEditorModel::LoadFromFile(const QString& fileName) {
    LineStore loaded;
    LoadOrThrow(loaded, fileName);
    HideSystemCaret();
    if (loaded.IsEmpty())
        loaded.Add(QByteArray());
    Lines.Swap(loaded);
    RepaintAll();
    SelEnd.SetPosSilently(QPoint(0, 0));
    {
        FlagScope collapse(ForceCollapse);
        Caret.SetPosAndNotify(QPoint(0, 0));
    }
    ShowSystemCaret();
}

void TEditorModel::SaveToFile(const QString& fileName) {
    QString error;
    if (!Lines.SaveToFile(fileName, &error))
        throw EKelvoraError(
            QStringLiteral("EFCreateError"),
            QStringLiteral("Det går inte att skapa filen \"%1\". %2").arg(fileName, error));
}

void TEditorModel::InsertFromFile(const QString& fileName) {
    if (Settings()->ReadOnly)
        return;
    LineStore loaded;
    LoadOrThrow(loaded, fileName);
    SetSelText(loaded.Text());
}

bool TEditorModel::SaveSelectionToFile(const QString& fileName, QString* error) const {
    QPoint from, to;
    SelectionBounds(&from, &to);
    std::vector<QByteArray> lines = GetTextRange(from, to);
    if (!lines.empty() && lines.back().isEmpty())
        lines.pop_back();
    LineStore out;
    out.SetStyle(LineStore::BreakStyle::CrLf);
    out.Replace(0, 0, std::move(lines));
    return out.SaveToFile(fileName, error);
}

// --- other text operations ---------------------------------------------------------------

void TEditorModel::Clear() {
    // A new, empty document: its lines break with CR LF.
    Lines.SetStyle(LineStore::BreakStyle::CrLf);
    Lines.Replace(0, Lines.Count(), {QByteArray()});
    if (Creating) {
        Caret.SetPosSilently(QPoint(0, 0));
        SelEnd.SetPosSilently(QPoint(0, 0));
        return;
    }
    SelEnd.SetPosSilently(QPoint(0, 0));
    {
        FlagScope collapse(ForceCollapse);
        Caret.SetPosAndNotify(QPoint(0, 0));
    }
    RepaintAll();
}

void TEditorModel::UpdateView() {
    if (Lines.IsEmpty())
        Lines.Add(QByteArray());
    HideSystemCaret();
    // The caller may have shortened the lines: the caret, the selection end and the scroll
    // position come back into the text, and the view follows the caret.
    const auto inText = [this](QPoint p) {
        ClampToText(Lines, &p);
        const int y = std::max(p.y(), 0);
        return QPoint(std::clamp(p.x(), 0, Lines.Length(y)), y);
    };
    const QPoint caret = inText(Caret.GetPos()), selEnd = inText(SelEnd.GetPos());
    const QPoint scroll(std::clamp(ScrollPos.X, 0, std::max(GetWidestLine(), 0)),
                        std::clamp(ScrollPos.Y, 0, Lines.Count() - 1));
    const bool scrolled = scroll != ScrollPos.GetPos();
    if (scrolled)
        ScrollPos.SetPos(scroll);
    RepaintAll();
    if (scrolled || caret != Caret.GetPos() || selEnd != SelEnd.GetPos()) {
        SelEnd.SetPosSilently(selEnd);
        LastCaret = caret;
        LastSelEnd = selEnd;
        HadSelection = caret != selEnd;
        // The caret handler once, keeping the selection.
        const bool shift = ShiftHeld;
        ShiftHeld = true;
        ForceCollapse = false;
        try {
            Caret.SetPosAndNotify(caret);
        } catch (...) {
            ShiftHeld = shift;
            throw;
        }
        ShiftHeld = shift;
    }
    ShowSystemCaret();
}

void TEditorModel::AppendLine(const QByteArray& s) {
    if (Settings()->ReadOnly)
        return;
    Lines.Add(s);
    RepaintLineArea(Lines.Count() - 1);
    MoveToTextEnd();
}

void TEditorModel::MoveToTextEnd() {
    const int last = Lines.Count() - 1;
    FlagScope collapse(ForceCollapse);
    Caret.SetPos(QPoint(Lines.Length(last), last));
}

// --- notifications -----------------------------------------------------------------------

void TEditorModel::BeginUpdate() {
    Updating = true;
    PendingChange = false;
    PendingScroll = false;
    pendingFrom_ = INT_MAX;
}

void TEditorModel::EndUpdate() {
    Updating = false;
    if (PendingScroll) {
        PendingScroll = false;
        ScrollPosChanged(ScrollPos.GetPos());
    }
    if (PendingChange) {
        PendingChange = false;
        TTextChange change;
        change.FirstLine = pendingFrom_ == INT_MAX ? 0 : pendingFrom_;
        pendingFrom_ = INT_MAX;
        DeliverChange(change, SenderObject());
    }
}

void TEditorModel::LinesChange(QObject* sender) {
    TTextChange change;
    change.FirstLine = std::max(Lines.LastChangeFrom(), 0);
    change.Repaint = nextRepaint_;
    change.Typed = nextTyped_;
    nextRepaint_ = TRepaint();
    nextTyped_ = false;
    if (Updating) {
        change.Deferred = true;
        PendingChange = true;
        pendingFrom_ = std::min(pendingFrom_, change.FirstLine);
    }
    DeliverChange(change, sender);
}

void TEditorModel::DeliverChange(const TTextChange& change, QObject* sender) {
    Notify([&](TEditorObserver& o) { o.TextChanged(change); });
    if (!change.Deferred && OnChange)
        OnChange(sender);
}

void TEditorModel::FireSelChange() {
    if (OnSelChange)
        OnSelChange(SenderObject());
}

void TEditorModel::CaretChanged(const QPoint&) {
    HideSystemCaret();
    if (!ShiftHeld || ForceCollapse)
        SelEnd.SetPosAndNotify(Caret.GetPos());
    ForceCollapse = false;
    const bool scroll = !NoScrollIntoView;
    Notify([&](TEditorObserver& o) { o.CaretMoved(scroll); });
    if (!Updating)
        FireSelChange();
}

void TEditorModel::SelEndChanged(const QPoint& p) {
    const bool empty = Caret.GetPos() == SelEnd.GetPos();
    if (empty && !HadSelection)
        return;
    HadSelection = !empty;
    if (!Updating) {
        if (p == LastSelEnd && Caret.GetPos() == LastCaret)
            return;
        const TSelectionChange change{LastCaret, LastSelEnd, Caret.GetPos(), p, !NoScrollIntoView};
        Notify([&](TEditorObserver& o) { o.SelectionChanged(change); });
    }
    LastSelEnd = p;
    LastCaret = Caret.GetPos();
    if (!Updating)
        FireSelChange();
}

void TEditorModel::ScrollPosChanged(const QPoint& p) {
    if (Updating) {
        PendingScroll = true;
        return;
    }
    Notify([&](TEditorObserver& o) { o.ScrollChanged(p); });
}
