#include "markup/lists/TableMarkup.h"

#include "editor/model/TagUnderConstruction.h"
#include "markup/elements/ElementMarkup.h"
#include "markup/lists/MarkupTokens.h"

#include <algorithm>

namespace TableMarkup {

namespace {

using TKind = TMarkupToken::TKind;

bool Blank(const QByteArray& attributes) {
    return attributes.trimmed().isEmpty();
}

// True when the TH cells are exactly those that the header boxes describe.
bool HeadersFit(const std::vector<std::vector<bool>>& th, bool firstRow, bool firstCol) {
    for (size_t r = 0; r < th.size(); ++r)
        for (size_t c = 0; c < th[r].size(); ++c)
            if (th[r][c] != ((r == 0 && firstRow) || (c == 0 && firstCol)))
                return false;
    return true;
}

} // namespace

TReadTable Read(const QByteArray& content) {
    TReadTable table;
    std::vector<std::vector<bool>> th;
    bool inRow = false;
    qsizetype cellStart = -1;
    QByteArray cellTag;
    const auto unreadable = [&] {
        table.Result = TReadTable::TResult::Unreadable;
        table.Rows.clear();
        return table;
    };
    for (const TMarkupToken& t : TMarkupToken::Split(content)) {
        const bool start = t.Kind == TKind::StartTag, end = t.Kind == TKind::EndTag;
        const bool hasClose = content[t.End - 1] == '>';
        if (cellStart >= 0) {
            // Inside a cell everything is its text, up to its own end tag; a new row or cell
            // or a nested table cannot be shown.
            if ((start || end) &&
                (t.Name == "table" || t.Name == "tr" ||
                 ((t.Name == "td" || t.Name == "th") && (start || t.Name != cellTag))))
                return unreadable();
            if (end && t.Name == cellTag) {
                if (!hasClose)
                    return unreadable();
                table.Rows.back().push_back(content.mid(cellStart, t.Begin - cellStart));
                th.back().push_back(cellTag == "th");
                cellStart = -1;
            }
            continue;
        }
        if (t.Kind == TKind::Text && t.IsBlank(content))
            continue;
        if (!(start || end) || !hasClose)
            return unreadable();
        if (t.Name == "tr") {
            if (start) {
                if (!Blank(t.Attributes))
                    return unreadable();
                table.Rows.emplace_back();
                th.emplace_back();
                inRow = true;
            } else {
                if (!inRow)
                    return unreadable();
                inRow = false;
            }
        } else if ((t.Name == "td" || t.Name == "th") && start && inRow && Blank(t.Attributes)) {
            cellStart = t.End;
            cellTag = t.Name;
        } else {
            return unreadable();
        }
    }
    if (cellStart >= 0)
        return unreadable();

    size_t cols = 0;
    for (const auto& row : table.Rows)
        cols = std::max(cols, row.size());
    if (table.Rows.size() > static_cast<size_t>(kMaxCells) ||
        cols > static_cast<size_t>(kMaxCells)) {
        table.Result = TReadTable::TResult::TooLarge;
        table.Rows.clear();
        return table;
    }
    // The header boxes that describe the TH cells, if any do.
    table.FirstRowH = !th.empty() && !th[0].empty() &&
                      std::all_of(th[0].begin(), th[0].end(), [](bool h) { return h; });
    const size_t from = table.FirstRowH ? 1 : 0;
    table.FirstColH = th.size() > from;
    for (size_t r = from; r < th.size(); ++r)
        if (th[r].empty() || !th[r][0])
            table.FirstColH = false;
    if (!HeadersFit(th, table.FirstRowH, table.FirstColH))
        return unreadable();
    return table;
}

QString TooLargeMessage() {
    return QStringLiteral("Tabellen har fler än 99 rader eller kolumner och kan inte redigeras i "
                          "dialogrutan.");
}

QString UnreadableMessage() {
    return QStringLiteral("Tabellen innehåller delar som dialogrutan inte kan visa (till exempel "
                          "attribut på rader eller celler, CAPTION, THEAD, TBODY eller en tabell "
                          "i tabellen) och kan därför inte redigeras här.");
}

TGeneratedMarkup Generate(const TTableFields& f, const QByteArray& indent, int tagCase,
                          const QByteArray& carried) {
    const quint8 mode = ElementMarkup::CaseMode(tagCase);
    const auto cased = [mode](const QByteArray& text) { return TagCase::Cased(text, mode); };
    QByteArray content = "\r\n";
    for (size_t r = 0; r < f.Cells.size(); ++r) {
        content += cased(indent + "<TR>\r\n");
        for (size_t c = 0; c < f.Cells[r].size(); ++c) {
            const QByteArray tag =
                cased((r == 0 && f.FirstRowH) || (c == 0 && f.FirstColH) ? "th" : "td");
            content += indent + indent + '<' + tag + '>' + f.Cells[r][c] + "</" + tag + ">\r\n";
        }
        content += cased(indent + "</TR>\r\n");
    }
    TTagUnderConstruction tag;
    tag.Begin("table", true, content);
    if (!f.Class.isEmpty())
        tag.AddAttribute("class", f.Class);
    if (!f.Style.isEmpty())
        tag.AddAttribute("style", f.Style);
    QByteArray text = TElementEditMode::WithAttributes(tag.Render(mode), carried);
    const int caret = static_cast<int>(text.size());
    return {std::move(text), caret};
}

} // namespace TableMarkup
