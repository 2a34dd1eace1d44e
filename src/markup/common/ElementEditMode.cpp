#include "markup/common/ElementEditMode.h"

#include "app/mainwindow/MainWin.h"
#include "editor/model/EditorModel.h"
#include "editor/text/LineStore.h"
#include "editor/text/TextFormReader.h"
#include "editor/view/TextEditorEx.h"

#include <QWidget>
#include <algorithm>

namespace {

// The block size of the searches for the other tag of an element.
constexpr qint64 kBlock = 64 * 1024;

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

// A character that may continue an element name ("h1", "x-y", "o:p").
bool IsNameChar(char c) {
    return !IsBlank(c) && c != '>' && c != '/' && c != '<' && c != '=';
}

// The start and end tags of one element in the text: "<name" and "</name", each followed by
// a character that cannot continue the name (or by the end of the text). Names are compared
// without regard to ASCII case.
class TElementMarks {
public:
    TElementMarks(const LineStore& lines, const QByteArray& name)
        : lines_(lines), total_(lines.TextLength()), name_(name.toLower()) {}

    // The first mark whose '<' is at or after `from`.
    bool Next(qint64 from, qint64* at, bool* isEnd) const {
        const qint64 look = name_.size() + 2;
        for (qint64 pos = std::max<qint64>(from, 0); pos < total_; pos += kBlock) {
            const qint64 stop = std::min(pos + kBlock, total_);
            const QByteArray w = TTextFormReader::Slice(lines_, pos, std::min(stop + look, total_));
            for (qsizetype i = 0; i < stop - pos; ++i)
                if (w[i] == '<' && MarkAt(w, i, pos, isEnd)) {
                    *at = pos + i;
                    return true;
                }
        }
        return false;
    }

    // The last mark whose '<' is before `before`.
    bool Prev(qint64 before, qint64* at, bool* isEnd) const {
        const qint64 look = name_.size() + 2;
        for (qint64 stop = std::min(before, total_); stop > 0; stop -= kBlock) {
            const qint64 pos = std::max<qint64>(stop - kBlock, 0);
            const QByteArray w = TTextFormReader::Slice(lines_, pos, std::min(stop + look, total_));
            for (qsizetype i = stop - pos - 1; i >= 0; --i)
                if (w[i] == '<' && MarkAt(w, i, pos, isEnd)) {
                    *at = pos + i;
                    return true;
                }
        }
        return false;
    }

private:
    // Whether w[i] (a '<' at text offset pos + i) opens a mark; w holds enough characters
    // after it unless the text ends.
    bool MarkAt(const QByteArray& w, qsizetype i, qint64 pos, bool* isEnd) const {
        qsizetype k = i + 1;
        const bool end = k < w.size() && w[k] == '/';
        if (end)
            ++k;
        if (k + name_.size() > w.size())
            return false;
        for (qsizetype j = 0; j < name_.size(); ++j)
            if (Lower(w[k + j]) != name_[j])
                return false;
        k += name_.size();
        if (k < w.size() ? IsNameChar(w[k]) : pos + k < total_)
            return false;
        *isEnd = end;
        return true;
    }

    const LineStore& lines_;
    qint64 total_;
    QByteArray name_;
};

// The offset of the first '>' at or after `from`; -1 when there is none.
qint64 TagEndFrom(const LineStore& lines, qint64 from) {
    const qint64 total = lines.TextLength();
    for (qint64 pos = from; pos < total; pos += kBlock) {
        const QByteArray w = TTextFormReader::Slice(lines, pos, std::min(pos + kBlock, total));
        const qsizetype i = w.indexOf('>');
        if (i >= 0)
            return pos + i;
    }
    return -1;
}

// Whether the tag whose '<' is at `at` ends with "/>".
bool SelfClosedAt(const LineStore& lines, qint64 at) {
    const qint64 end = TagEndFrom(lines, at);
    return end > at && TTextFormReader::Slice(lines, end - 1, end) == "/";
}

// The end tag that closes the element whose start tag ends before `from`: the offsets of its
// '<' and its '>'.
bool MatchingEnd(const LineStore& lines, const TElementMarks& marks, qint64 from, qint64* endAt,
                 qint64* endClose) {
    int depth = 1;
    qint64 pos = from;
    qint64 at;
    bool isEnd;
    while (marks.Next(pos, &at, &isEnd)) {
        pos = at + 1;
        if (!isEnd) {
            if (!SelfClosedAt(lines, at))
                ++depth;
            continue;
        }
        if (--depth == 0) {
            const qint64 close = TagEndFrom(lines, at);
            if (close < 0)
                return false;
            *endAt = at;
            *endClose = close;
            return true;
        }
    }
    return false;
}

// The start tag that the end tag at `before` closes: the offset of its '<'.
bool MatchingStart(const LineStore& lines, const TElementMarks& marks, qint64 before,
                   qint64* startAt) {
    int depth = 1;
    qint64 pos = before;
    qint64 at;
    bool isEnd;
    while (marks.Prev(pos, &at, &isEnd)) {
        pos = at;
        if (isEnd) {
            ++depth;
            continue;
        }
        if (SelfClosedAt(lines, at))
            continue;
        if (--depth == 0) {
            *startAt = at;
            return true;
        }
    }
    return false;
}

} // namespace

// --- the start tag -------------------------------------------------------------------------

TReadStartTag TReadStartTag::Parse(const QByteArray& tag) {
    TReadStartTag out;
    const char* t = tag.constData();
    qsizetype n = tag.size();
    if (n > 0 && t[n - 1] == '>')
        --n;
    qsizetype i = n > 0 && t[0] == '<' ? 1 : 0;
    const qsizetype nameStart = i;
    while (i < n && !IsBlank(t[i]) && !(t[i] == '/' && i + 1 >= n))
        ++i;
    out.Name = QByteArray(t + nameStart, i - nameStart);
    const auto skipBlanks = [&](qsizetype k) {
        while (k < n && IsBlank(t[k]))
            ++k;
        return k;
    };
    while (true) {
        i = skipBlanks(i);
        if (i >= n)
            break;
        if (t[i] == '/' && skipBlanks(i + 1) >= n) {
            out.SelfClosed = true;
            break;
        }
        TReadAttribute a;
        const qsizetype start = i;
        // A name runs to a blank or '='; a stray '=' without a name is kept as one.
        while (i < n && !IsBlank(t[i]) && (t[i] != '=' || i == start) &&
               !(t[i] == '/' && skipBlanks(i + 1) >= n))
            ++i;
        a.Name = QByteArray(t + start, i - start);
        const qsizetype eq = skipBlanks(i);
        if (eq < n && t[eq] == '=' && !a.Name.startsWith('=')) {
            a.HasValue = true;
            i = skipBlanks(eq + 1);
            if (i < n && (t[i] == '"' || t[i] == '\'')) {
                const char quote = t[i++];
                const qsizetype valueStart = i;
                while (i < n && t[i] != quote)
                    ++i;
                a.Value = QByteArray(t + valueStart, i - valueStart);
                if (i < n)
                    ++i;
            } else {
                const qsizetype valueStart = i;
                while (i < n && !IsBlank(t[i]) && !(t[i] == '/' && skipBlanks(i + 1) >= n))
                    ++i;
                a.Value = QByteArray(t + valueStart, i - valueStart);
            }
        }
        a.Raw = QByteArray(t + start, i - start);
        out.Attributes.push_back(std::move(a));
    }
    return out;
}

// --- inspecting ------------------------------------------------------------------------------

QString TElementEditMode::RefusalMessage() {
    return QStringLiteral("Ett HTML-element kan inte placeras inom ett annat.");
}

TElementEditMode TElementEditMode::Inspect(const TEditorModel& editor, const QByteArray& element,
                                           bool paired) {
    TElementEditMode mode;
    const LineStore& lines = editor.Lines;
    qint64 tagStart, tagEnd;
    if (!editor.LocateCurrentTag(&tagStart, &tagEnd))
        return mode;
    const QByteArray tag = TTextFormReader::Slice(lines, tagStart, tagEnd + 1);
    mode.kind_ = TKind::Refused;
    if (TEditorModel::ExtractTagName(tag).toLower() != element.toLower())
        return mode;
    const TElementMarks marks(lines, element);

    qint64 start = tagStart, startClose = tagEnd, endAt = -1, endClose = -1;
    if (tag.startsWith("</")) {
        // An end tag edits the element it closes, or nothing.
        if (!paired || !MatchingStart(lines, marks, tagStart, &start))
            return mode;
        startClose = TagEndFrom(lines, start);
        if (startClose < 0 || startClose >= tagStart)
            return mode;
        endAt = tagStart;
        endClose = tagEnd;
    } else if (paired && !TReadStartTag::Parse(tag).SelfClosed) {
        if (!MatchingEnd(lines, marks, tagEnd + 1, &endAt, &endClose))
            endAt = endClose = -1;
    }

    mode.kind_ = TKind::Edit;
    mode.startTagText_ = TTextFormReader::Slice(lines, start, startClose + 1);
    mode.startTag_ = TReadStartTag::Parse(mode.startTagText_);
    mode.spanStart_ = start;
    mode.hasEndTag_ = endAt >= 0;
    if (mode.hasEndTag_) {
        mode.content_ = TTextFormReader::Slice(lines, startClose + 1, endAt);
        mode.spanEnd_ = endClose + 1;
    } else {
        mode.spanEnd_ = startClose + 1;
    }
    return mode;
}

TElementEditMode TElementEditMode::Begin(Tmain& window, const QByteArray& element, bool paired,
                                         QWidget* generate) {
    TElementEditMode mode = Inspect(*window.CodeEditor, element, paired);
    if (mode.IsEdit()) {
        mode.Select(*window.CodeEditor);
    } else if (mode.IsRefused()) {
        window.kvMessageBox(RefusalMessage());
        if (generate)
            generate->hide();
    }
    return mode;
}

QByteArray TElementEditMode::Attribute(const QByteArray& name) const {
    const QByteArray wanted = name.toLower();
    for (const TReadAttribute& a : startTag_.Attributes)
        if (a.Name.toLower() == wanted)
            return a.Value;
    return QByteArray();
}

bool TElementEditMode::HasAttribute(const QByteArray& name) const {
    const QByteArray wanted = name.toLower();
    return std::any_of(startTag_.Attributes.begin(), startTag_.Attributes.end(),
                       [&](const TReadAttribute& a) { return a.Name.toLower() == wanted; });
}

void TElementEditMode::Select(TEditorModel& editor) const {
    if (!IsEdit())
        return;
    editor.SetSelStart(static_cast<int>(spanStart_));
    editor.SetSelLength(static_cast<int>(spanEnd_ - spanStart_));
}

QByteArray TElementEditMode::Carried(const QByteArrayList& shown) const {
    QByteArrayList unused;
    for (const QByteArray& name : shown)
        unused << name.toLower();
    QByteArray out;
    for (const TReadAttribute& a : startTag_.Attributes) {
        if (unused.removeOne(a.Name.toLower()))
            continue;
        out += ' ' + a.Raw;
    }
    return out;
}

QByteArray TElementEditMode::WithAttributes(const QByteArray& rendered, const QByteArray& extra) {
    if (extra.isEmpty())
        return rendered;
    // Builder output quotes every value with '"' and writes a '"' inside one as &quot;.
    bool quoted = false;
    for (qsizetype i = 0; i < rendered.size(); ++i) {
        if (rendered[i] == '"')
            quoted = !quoted;
        else if (rendered[i] == '>' && !quoted) {
            const qsizetype at = i >= 2 && rendered.mid(i - 2, 2) == " /" ? i - 2 : i;
            return rendered.left(at) + extra + rendered.mid(at);
        }
    }
    return rendered;
}

void TElementEditMode::Write(Tmain& window, const TGeneratedMarkup& markup) {
    TTextEditorEx& editor = *window.CodeEditor;
    if (editor.Settings()->ReadOnly)
        return;
    window.BeforeEditorChange();
    const int start = editor.GetSelStart();
    editor.SetSelText(markup.Text);
    editor.SetSelStart(start + markup.Caret);
}
