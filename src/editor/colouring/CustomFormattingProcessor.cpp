#include "editor/colouring/CustomFormattingProcessor.h"

#include "editor/colouring/JSFormattingProcessor.h"
#include "editor/view/TextEditorEx.h"
#include "platform/Cp1252.h"

namespace {

template <typename T> void Store(std::vector<T>& values, int index, T value) {
    if (index < 0)
        return;
    if (values.size() <= static_cast<size_t>(index))
        values.resize(static_cast<size_t>(index) + 1, T{});
    values[static_cast<size_t>(index)] = value;
}

template <typename T> T Fetch(const std::vector<T>& values, int index, T none) {
    return index >= 0 && static_cast<size_t>(index) < values.size()
               ? values[static_cast<size_t>(index)]
               : none;
}

} // namespace

void TCustomFormattingProcessor::SetGroupColor(int Index, TColor Value) {
    Store(colors_, Index, Value);
}

void TCustomFormattingProcessor::SetGroupBold(int Index, bool Value) {
    Store(bold_, Index, Value);
}

void TCustomFormattingProcessor::SetGroupItalic(int Index, bool Value) {
    Store(italic_, Index, Value);
}

void TCustomFormattingProcessor::SetGroupUnderline(int Index, bool Value) {
    Store(underline_, Index, Value);
}

void TCustomFormattingProcessor::SetGroupKeywords(int Index, const QStringList& Words) {
    if (Index < 0)
        return;
    if (keywords_.size() <= static_cast<size_t>(Index))
        keywords_.resize(static_cast<size_t>(Index) + 1);
    keywords_[static_cast<size_t>(Index)] = Words;
    WordsChanged();
}

TColor TCustomFormattingProcessor::GetGroupColor(int Index) const {
    return Fetch(colors_, Index, NoColor);
}

bool TCustomFormattingProcessor::GetGroupBold(int Index) const {
    return Fetch(bold_, Index, false);
}

bool TCustomFormattingProcessor::GetGroupItalic(int Index) const {
    return Fetch(italic_, Index, false);
}

bool TCustomFormattingProcessor::GetGroupUnderline(int Index) const {
    return Fetch(underline_, Index, false);
}

QStringList TCustomFormattingProcessor::GetGroupKeywords(int Index) const {
    if (Index < 0 || static_cast<size_t>(Index) >= keywords_.size() ||
        !keywords_[static_cast<size_t>(Index)])
        return QStringList();
    return *keywords_[static_cast<size_t>(Index)];
}

void TCustomFormattingProcessor::SetHighGroup(int N) {
    keywords_.resize(static_cast<size_t>(std::max(N, -1) + 1));
    WordsChanged();
}

bool TCustomFormattingProcessor::IsCustomWordChar(unsigned char ch) {
    return ((ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z') || ch >= 192 || ch == '_') &&
           ch != 215 && ch != 247;
}

int TCustomFormattingProcessor::GroupOf(const char* s, int n) const {
    if (!lookupValid_) {
        lookup_.clear();
        for (int g = 0; g < GroupCount(); ++g) {
            const std::optional<QStringList>& words = keywords_[static_cast<size_t>(g)];
            if (!words)
                continue;
            for (const QString& word : *words) {
                bool lossless = true;
                const QByteArray bytes = Cp1252::Encode(word, &lossless);
                // A word the document's encoding cannot hold never occurs in it.
                if (!lossless || bytes.isEmpty())
                    continue;
                const QByteArray key = Cp1252::LowerCase(bytes);
                if (!lookup_.contains(key)) // earlier groups win
                    lookup_.insert(key, g);
            }
        }
        lookupValid_ = true;
    }
    if (lookup_.isEmpty() || n <= 0)
        return -1;
    return lookup_.value(Cp1252::LowerCase(QByteArray(s, n)), -1);
}

TCharFormat TCustomFormattingProcessor::GroupFormat(const TCharFormat& base, int group) const {
    TCharFormat f = base;
    f.Color = Fetch(colors_, group, clBlack);
    if (Fetch(bold_, group, false))
        f.Style |= fsBold;
    if (Fetch(italic_, group, false))
        f.Style |= fsItalic;
    if (Fetch(underline_, group, false))
        f.Style |= fsUnderline;
    return f;
}

void TCustomFormattingProcessor::FormatChar(char, const QPoint& Pos, bool JustTyped,
                                            TCharFormat& Format) {
    FormatCharByLine(Pos, JustTyped, Format);
}

void TCustomFormattingProcessor::FormatLine(int line, int first, int count, int justTypedColumn,
                                            std::vector<TCharFormat>& out) {
    TCharFormat base;
    if (!BeginLinePass(line, first, count, justTypedColumn, true, out, &base))
        return;
    TCharFormat* o = out.data();
    std::fill(o, o + count, base);
    const QByteArray text = TextEditorEx()->Lines.Get(line).Raw();
    const char* s = text.constData();
    const int last = first + count;
    KeywordColouring::ForEachRun(
        s, static_cast<int>(text.size()), first, last, IsCustomWordChar, [&](int start, int end) {
            const int group = GroupOf(s + start, end - start);
            if (group < 0)
                return;
            KeywordColouring::FillRun(o, first, last, start, end, GroupFormat(base, group));
        });
}
