// Writing markup tags and reading the tag around the caret.
#include "editor/colouring/WordChars.h"
#include "editor/model/EditorModel.h"
#include "editor/text/TextFormReader.h"
#include "editor/text/TextSearcher.h"
#include "platform/Cp1252.h"

#include <algorithm>

namespace {

// How far the tag readers look from the selection start: 501 characters back, 500 forward.
constexpr qint64 kBack = 501;
constexpr qint64 kAhead = 500;

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Offset just past the first end tag of `name` at or after `from` (names compared regardless
// of case), -1 when there is none.
qint64 EndTagEnd(const LineStore& lines, const QByteArray& name, qint64 from) {
    if (name.isEmpty())
        return -1;
    const QByteArray endTag = "</" + name + ">";
    const qint64 hit = TTextSearcher(lines, endTag, 0).FindFrom(from);
    return hit < 0 ? -1 : hit + endTag.size();
}

} // namespace

// --- writing -----------------------------------------------------------------------------

void TEditorModel::BeginBuildingTag(const QByteArray& tagName, bool hasEndTag,
                                    const QByteArray& content) {
    BuildingTag.Begin(tagName, hasEndTag, content);
}

void TEditorModel::AddTagAttribute(const QByteArray& name, const QByteArray& value) {
    BuildingTag.AddAttribute(name, value);
}

void TEditorModel::AddTagAttributeNoVal(const QByteArray& name) {
    BuildingTag.AddBareAttribute(name);
}

void TEditorModel::ChangeTagContent(const QByteArray& content) {
    BuildingTag.SetContent(content);
}

void TEditorModel::EndBuildingTag(quint8 letterCase, QByteArray& tag) const {
    // Rendering changes no text, so a read-only editor renders too: the caller never gets an
    // earlier tag as if it were this one.
    tag = BuildingTag.Render(letterCase);
}

void TEditorModel::InsertSimpleTag(const QByteArray& tagName, bool hasEndTag, quint8 letterCase) {
    if (Settings()->ReadOnly)
        return;
    const QByteArray name = TagCase::Cased(tagName, letterCase);
    const int endTagLength = static_cast<int>(name.size()) + 3;
    if (!hasEndTag) {
        SetSelText("<" + name + " />");
    } else if (GetSelLength() <= 0) {
        SetSelText("<" + name + "></" + name + ">");
        SetSelStart(GetSelStart() - endTagLength);
    } else {
        const QByteArray selected = GetSelText();
        SetSelText("<" + name + ">" + selected + "</" + name + ">");
        SetSelStart(GetSelStart() - endTagLength - static_cast<int>(selected.size()));
        SetSelLength(static_cast<int>(selected.size()));
    }
}

// --- reading -----------------------------------------------------------------------------

// The backward scan stops at a '>' (the caret stands after a closed tag), the forward scan at
// a '<'.
bool TEditorModel::LocateCurrentTag(qint64* start, qint64* end) const {
    const qint64 p = GetSelStart();
    const qint64 total = Lines.TextLength();
    if (p < 0 || p > total)
        return false;
    const qint64 from = std::max<qint64>(p - kBack, 0);
    const QByteArray w = TTextFormReader::Slice(Lines, from, std::min(p + kAhead, total));
    const qsizetype rel = static_cast<qsizetype>(p - from);
    qsizetype s = -1;
    for (qsizetype i = rel - 1; i >= 0; --i) {
        if (w[i] == '>')
            return false;
        if (w[i] == '<') {
            s = i;
            break;
        }
    }
    if (s < 0)
        return false;
    for (qsizetype i = rel; i < w.size(); ++i) {
        if (w[i] == '<')
            return false;
        if (w[i] == '>') {
            if (i - s <= 1)
                return false; // "<>" is no tag
            *start = from + s;
            *end = from + i;
            return true;
        }
    }
    return false;
}

QByteArray TEditorModel::GetCurrentTag() const {
    qint64 start, end;
    if (!LocateCurrentTag(&start, &end))
        return QByteArray();
    return TTextFormReader::Slice(Lines, start, end + 1);
}

QByteArray TEditorModel::GetCurrentTagSpan() const {
    qint64 start, end;
    if (!LocateCurrentTag(&start, &end))
        return QByteArray();
    const QByteArray tag = TTextFormReader::Slice(Lines, start, end + 1);
    const qint64 spanEnd = EndTagEnd(Lines, ExtractTagName(tag), end);
    return spanEnd < 0 ? tag : TTextFormReader::Slice(Lines, start, spanEnd);
}

void TEditorModel::SelectCurrentTag() {
    qint64 start, end;
    if (!LocateCurrentTag(&start, &end))
        return;
    SetSelStart(static_cast<int>(start));
    SetSelLength(static_cast<int>(end - start + 1));
}

void TEditorModel::SelectCurrentTagSpan() {
    qint64 start, end;
    if (!LocateCurrentTag(&start, &end))
        return;
    const QByteArray name = ExtractTagName(TTextFormReader::Slice(Lines, start, end + 1));
    SetSelStart(static_cast<int>(start));
    SetSelLength(static_cast<int>(end - start + 1));
    const qint64 spanEnd = EndTagEnd(Lines, name, end);
    if (spanEnd >= 0)
        SetSelLength(static_cast<int>(spanEnd - start));
}

QByteArray TEditorModel::GetTypedTagName() const {
    if (TextLength() <= 2)
        return QByteArray();
    const qint64 p = GetSelStart();
    const qint64 from = std::max<qint64>(p - kBack, 0);
    const QByteArray w = TTextFormReader::Slice(Lines, from, p);
    qsizetype s = -1;
    for (qsizetype i = w.size() - 1; i >= 0; --i) {
        if (w[i] == '>')
            return QByteArray();
        if (w[i] == '<') {
            s = i;
            break;
        }
    }
    if (s < 0)
        return QByteArray();
    for (qsizetype i = s + 1; i < w.size(); ++i)
        if (IsBlank(w[i]))
            return w.mid(s + 1, i - s - 1);
    return QByteArray();
}

QByteArray TEditorModel::ExtractTagName(const QByteArray& tagText) {
    QByteArray name = tagText.mid(1);
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (IsBlank(name[i]) || name[i] == '>') {
            name.truncate(i);
            break;
        }
    }
    if (name.startsWith('/'))
        name.remove(0, 1);
    if (name.endsWith('/'))
        name.chop(1);
    if (name.startsWith("!--"))
        return "!--";
    if (name.startsWith('%') || name.startsWith('?')) {
        if (name.size() == 1 || !WordChars::IsWordChar(name[1]))
            return name.left(1);
    }
    return name;
}

void TEditorModel::GetTagAttributes(const QByteArray& tagText, TTagAttributes& attrs) {
    attrs.Names.clear();
    attrs.Values.clear();
    const char* t = tagText.constData();
    const qsizetype n = tagText.size();
    qsizetype i = 0;
    if (i < n && t[i] == '<')
        ++i;
    while (i < n && !IsBlank(t[i]) && t[i] != '>') // the element name
        ++i;
    auto skipBlanks = [&] {
        while (i < n && IsBlank(t[i]))
            ++i;
    };
    while (true) {
        skipBlanks();
        if (i >= n || t[i] == '>')
            break;
        if (t[i] == '/' || t[i] == '=' || t[i] == '"' || t[i] == '\'') { // stray characters
            ++i;
            continue;
        }
        const qsizetype nameStart = i;
        while (i < n && !IsBlank(t[i]) && t[i] != '=' && t[i] != '>' && t[i] != '/')
            ++i;
        const QByteArray name(t + nameStart, i - nameStart);
        skipBlanks();
        if (i >= n || t[i] != '=')
            continue; // an attribute without a value is not listed
        ++i;
        skipBlanks();
        QByteArray value;
        if (i < n && (t[i] == '"' || t[i] == '\'')) {
            const char quote = t[i++];
            const qsizetype valueStart = i;
            while (i < n && t[i] != quote)
                ++i;
            value = QByteArray(t + valueStart, i - valueStart);
            if (i < n)
                ++i;
            else if (value.endsWith('>')) // unclosed quote: the tag's own '>' is no part of it
                value.chop(1);
        } else {
            const qsizetype valueStart = i;
            while (i < n && !IsBlank(t[i]) && t[i] != '>')
                ++i;
            value = QByteArray(t + valueStart, i - valueStart);
        }
        attrs.Names.append(name);
        attrs.Values.append(value);
    }
}

QByteArray TEditorModel::GetAttributeValue(const TTagAttributes& attrs, const QByteArray& name) {
    const QByteArray wanted = Cp1252::LowerCase(name);
    for (qsizetype i = 0; i < attrs.Names.size(); ++i)
        if (Cp1252::LowerCase(attrs.Names[i]) == wanted)
            return i < attrs.Values.size() ? attrs.Values[i] : QByteArray();
    return QByteArray();
}

QByteArray TEditorModel::GetTagContents(const QByteArray& tagSpan) {
    const QByteArray name = ExtractTagName(tagSpan);
    const qsizetype gt = tagSpan.indexOf('>');
    if (gt < 0 || name.isEmpty())
        return QByteArray();
    const QByteArray rest = tagSpan.mid(gt + 1);
    const qsizetype end = Cp1252::LowerCase(rest).indexOf(Cp1252::LowerCase("</" + name + ">"));
    return end < 0 ? QByteArray() : rest.left(end);
}
