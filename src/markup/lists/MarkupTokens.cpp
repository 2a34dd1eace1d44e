#include "markup/lists/MarkupTokens.h"

namespace {

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

} // namespace

bool TMarkupToken::IsBlank(const QByteArray& content) const {
    for (qsizetype i = Begin; i < End; ++i)
        if (!IsSpace(content[i]))
            return false;
    return true;
}

std::vector<TMarkupToken> TMarkupToken::Split(const QByteArray& content) {
    std::vector<TMarkupToken> out;
    const qsizetype n = content.size();
    qsizetype text = 0; // start of the pending text
    const auto flushText = [&](qsizetype upTo) {
        if (upTo > text)
            out.push_back({TKind::Text, text, upTo, {}, {}});
    };
    qsizetype i = 0;
    while (i < n) {
        if (content[i] != '<') {
            ++i;
            continue;
        }
        const char next = i + 1 < n ? content[i + 1] : '\0';
        const char after = i + 2 < n ? content[i + 2] : '\0';
        TMarkupToken t;
        t.Begin = i;
        if (content.mid(i, 4) == "<!--") {
            const qsizetype end = content.indexOf("-->", i + 4);
            t.Kind = TKind::Comment;
            t.End = end < 0 ? n : end + 3;
        } else if (next == '!' || next == '?') {
            const qsizetype end = content.indexOf('>', i);
            t.Kind = TKind::Other;
            t.End = end < 0 ? n : end + 1;
        } else if (IsLetter(next) || (next == '/' && IsLetter(after))) {
            const bool isEnd = next == '/';
            const qsizetype nameStart = i + (isEnd ? 2 : 1);
            qsizetype k = nameStart;
            while (k < n && !IsSpace(content[k]) && content[k] != '>' && content[k] != '/')
                ++k;
            const qsizetype end = content.indexOf('>', k);
            t.Kind = isEnd ? TKind::EndTag : TKind::StartTag;
            t.Name = content.mid(nameStart, k - nameStart).toLower();
            t.End = end < 0 ? n : end + 1;
            QByteArray attributes = content.mid(k, (end < 0 ? n : end) - k);
            if (attributes.endsWith('/'))
                attributes.chop(1);
            t.Attributes = attributes;
        } else {
            ++i;
            continue;
        }
        flushText(i);
        out.push_back(t);
        i = t.End;
        text = i;
    }
    flushText(n);
    return out;
}
