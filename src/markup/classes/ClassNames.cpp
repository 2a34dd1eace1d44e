#include "markup/classes/ClassNames.h"

#include "editor/text/LineStore.h"
#include "editor/text/TextFormReader.h"
#include "editor/text/TextSearcher.h"
#include "markup/common/ElementEditMode.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace ClassNames {

namespace {

// A LINK tag longer than this is not read.
constexpr qint64 kMaxLinkTag = 64 * 1024;

bool IsIdentChar(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '-' || u >= 0x80;
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

// The class names of one selector list.
void NamesOfSelector(const QByteArray& s, QByteArrayList* out) {
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] != '.')
            continue;
        qsizetype b = i - 1;
        const bool starts = b < 0 || IsSpace(s[b]) || s[b] == '>' || s[b] == '+' || s[b] == '~' ||
                            s[b] == ',' || s[b] == '(' || s[b] == '}' || s[b] == '/';
        if (!starts)
            continue;
        qsizetype e = i + 1;
        while (e < s.size() && IsIdentChar(s[e]))
            ++e;
        const QByteArray name = s.mid(i + 1, e - i - 1);
        const bool digitFirst =
            !name.isEmpty() && (std::isdigit(static_cast<unsigned char>(name[0])) ||
                                (name.size() > 1 && name[0] == '-' &&
                                 std::isdigit(static_cast<unsigned char>(name[1]))));
        if (!name.isEmpty() && !digitFirst)
            out->append(name);
        i = e - 1;
    }
}

// At-rules whose block holds rules rather than declarations.
bool HoldsRules(const QByteArray& prelude) {
    const QByteArray p = prelude.trimmed().toLower();
    return p.startsWith("@media") || p.startsWith("@supports") || p.startsWith("@document") ||
           p.startsWith("@-moz-document") || p.startsWith("@layer") || p.startsWith("@container");
}

// A hit of a tag-name pattern ("<style") counts when no name character follows it.
qint64 NextTag(const LineStore& lines, const TTextSearcher& searcher, qint64 from) {
    const qint64 total = lines.TextLength();
    for (qint64 hit = searcher.FindFrom(from); hit >= 0; hit = searcher.FindFrom(hit + 1)) {
        const qint64 after = hit + searcher.PatternLength();
        if (after >= total)
            return hit;
        const char c = TTextFormReader::Slice(lines, after, after + 1).at(0);
        if (IsSpace(c) || c == '>' || c == '/')
            return hit;
    }
    return -1;
}

} // namespace

QByteArrayList FromStyleSheet(const QByteArray& css) {
    QByteArrayList out;
    // One entry per open block: true when it holds rules, false for declarations.
    std::vector<bool> blocks;
    // The selector or at-rule being read, comments and strings left out.
    QByteArray prelude;
    const qsizetype n = css.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = css[i];
        const bool inRules = blocks.empty() || blocks.back();
        if (c == '/' && i + 1 < n && css[i + 1] == '*') {
            const qsizetype end = css.indexOf("*/", i + 2);
            i = end < 0 ? n : end + 1;
            prelude += ' ';
            continue;
        }
        if (c == '"' || c == '\'') {
            qsizetype j = i + 1;
            while (j < n && css[j] != c && css[j] != '\n') {
                if (css[j] == '\\')
                    ++j;
                ++j;
            }
            i = j;
            prelude += "\"\"";
            continue;
        }
        if (c == '{') {
            if (inRules) {
                const QByteArray head = prelude.trimmed();
                if (head.startsWith('@')) {
                    blocks.push_back(HoldsRules(head));
                } else {
                    NamesOfSelector(prelude, &out);
                    blocks.push_back(false);
                }
            } else {
                blocks.push_back(false);
            }
            prelude.clear();
        } else if (c == '}') {
            if (!blocks.empty())
                blocks.pop_back();
            prelude.clear();
        } else if (inRules) {
            if (c == ';')
                prelude.clear(); // the end of an at-rule such as @import
            else
                prelude += c;
        }
    }
    return out;
}

TDocumentScan ScanDocument(const LineStore& lines) {
    TDocumentScan scan;
    const qint64 total = lines.TextLength();
    const TTextSearcher styles(lines, "<style", 0);
    const TTextSearcher styleEnds(lines, "</style", 0);
    const TTextSearcher links(lines, "<link", 0);
    qint64 nextStyle = NextTag(lines, styles, 0);
    qint64 nextLink = NextTag(lines, links, 0);
    while (nextStyle >= 0 || nextLink >= 0) {
        if (nextStyle >= 0 && (nextLink < 0 || nextStyle < nextLink)) {
            const qint64 s = nextStyle;
            const qint64 end = NextTag(lines, styleEnds, s + 6);
            qint64 from = s + 6;
            if (end >= 0) {
                const QByteArray block = TTextFormReader::Slice(lines, s, end);
                const qsizetype gt = block.indexOf('>');
                if (gt >= 0)
                    scan.StyleNames += FromStyleSheet(block.mid(gt + 1));
                from = end + 7;
            }
            nextStyle = NextTag(lines, styles, from);
            if (nextLink >= 0 && nextLink < from)
                nextLink = NextTag(lines, links, from);
            continue;
        }
        const qint64 l = nextLink;
        const QByteArray window =
            TTextFormReader::Slice(lines, l, std::min(l + kMaxLinkTag, total));
        const qsizetype gt = window.indexOf('>', 5);
        const qsizetype lt = window.indexOf('<', 5);
        if (gt >= 0 && (lt < 0 || lt > gt)) {
            const TReadStartTag tag = TReadStartTag::Parse(window.left(gt + 1));
            QByteArray rel, href;
            bool hasRel = false, hasHref = false;
            for (const TReadAttribute& a : tag.Attributes) {
                const QByteArray name = a.Name.toLower();
                if (name == "rel" && !hasRel) {
                    rel = a.Value;
                    hasRel = true;
                } else if (name == "href" && !hasHref) {
                    href = a.Value;
                    hasHref = true;
                }
            }
            if (rel == "stylesheet" && !href.isEmpty())
                scan.LinkedSheets.append(href);
        }
        nextLink = NextTag(lines, links, l + 5);
    }
    return scan;
}

} // namespace ClassNames
