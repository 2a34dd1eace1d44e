#pragma once

#include "markup/common/ElementEditMode.h"

#include <QByteArray>
#include <QString>
#include <vector>

// The markup of the table dialog: reading a table's cells back and writing the table again.
namespace TableMarkup {

// The largest number of rows and of columns the dialog holds.
constexpr int kMaxCells = 99;

using TCells = std::vector<std::vector<QByteArray>>;

// What a table's content holds for the grid: its rows of cell texts (as written, untrimmed)
// and which header boxes describe its TH cells. Rows may be of different lengths.
struct TReadTable {
    enum class TResult { Ok, TooLarge, Unreadable };
    TResult Result = TResult::Ok;
    TCells Rows;
    bool FirstRowH = false;
    bool FirstColH = false;
};
// Unreadable: anything the grid cannot show without losing it — attributes on rows or cells,
// CAPTION, THEAD, TBODY, TFOOT, COLGROUP, COL, a nested table, text or comments outside the
// cells, a cell without its end tag, or TH cells other than a whole first row and/or first
// column. TooLarge: more than kMaxCells rows or columns.
TReadTable Read(const QByteArray& content);

QString TooLargeMessage();
QString UnreadableMessage();

struct TTableFields {
    QByteArray Class, Style;
    TCells Cells; // every row as long as the first
    bool FirstRowH = true;
    bool FirstColH = false;
};
// The table: start tag (class, style when not empty), a line break, per row an indented
// "<TR>" line, one doubly indented TH or TD element per cell, an indented "</TR>" line, and
// the end tag. The row tags are cased as a whole text (so they stay "TR" in the "as written"
// case); the caret ends after the table.
TGeneratedMarkup Generate(const TTableFields& fields, const QByteArray& indent, int tagCase,
                          const QByteArray& carried = {});

} // namespace TableMarkup
