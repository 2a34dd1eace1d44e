#include "controls/TableEditor.h"

#include <QLineEdit>
#include <gtest/gtest.h>

namespace {

QString Text(const TTableEditor& grid, int row, int col) {
    QString text = QStringLiteral("<unchanged>");
    grid.GetCellText(row, col, text);
    return text;
}

QString Tag(const TTableEditor& grid, int row, int col) {
    QString tag = QStringLiteral("<unchanged>");
    grid.GetCellTag(row, col, tag);
    return tag;
}

// The bold cells of the grid, one string per row ("B" bold, "." normal).
QStringList BoldMap(const TTableEditor& grid) {
    QStringList rows;
    for (int i = 0; i < grid.NumRows(); ++i) {
        QString row;
        for (int j = 0; j < grid.NumCols(); ++j)
            row += grid.Cell(i, j)->font().bold() ? QLatin1Char('B') : QLatin1Char('.');
        rows << row;
    }
    return rows;
}

} // namespace

TEST(TableEditor, NewGridIsOneBoldHeaderCellOneEditHigh) {
    TTableEditor grid;
    EXPECT_EQ(grid.NumRows(), 1);
    EXPECT_EQ(grid.NumCols(), 1);
    EXPECT_EQ(grid.CellWidth(), 89);
    EXPECT_TRUE(grid.FirstRowH());
    EXPECT_FALSE(grid.FirstColH());
    EXPECT_EQ(BoldMap(grid), QStringList{"B"});
    EXPECT_EQ(Tag(grid, 0, 0), QStringLiteral("th"));
    EXPECT_EQ(grid.height(), grid.Cell(0, 0)->height() + 1);
    EXPECT_EQ(grid.Cell(0, 0)->width(), 89);
}

TEST(TableEditor, HeaderRowAndColumnChooseTheBoldCells) {
    TTableEditor grid;
    grid.SetNumRows(3);
    grid.SetNumCols(3);
    EXPECT_EQ(BoldMap(grid), (QStringList{"BBB", "...", "..."}));
    grid.SetFirstRowH(false);
    grid.SetFirstColH(true);
    EXPECT_EQ(BoldMap(grid), (QStringList{"B..", "B..", "B.."}));
    grid.SetFirstRowH(true);
    EXPECT_EQ(BoldMap(grid), (QStringList{"BBB", "B..", "B.."}));
    grid.SetFirstRowH(false);
    grid.SetFirstColH(false);
    EXPECT_EQ(BoldMap(grid), (QStringList{"...", "...", "..."}));
    EXPECT_EQ(Tag(grid, 0, 1), QStringLiteral("td"));
    grid.SetFirstRowH(true);
    EXPECT_EQ(Tag(grid, 0, 1), QStringLiteral("th"));
    EXPECT_EQ(Tag(grid, 1, 1), QStringLiteral("td"));
    EXPECT_EQ(Tag(grid, 3, 0), QStringLiteral("<unchanged>"));
}

TEST(TableEditor, SetCellTextGrowsTheGrid) {
    TTableEditor grid;
    grid.SetCellText(4, 2, QStringLiteral("x"));
    EXPECT_EQ(grid.NumRows(), 5);
    EXPECT_EQ(grid.NumCols(), 3);
    EXPECT_EQ(Text(grid, 4, 2), QStringLiteral("x"));
    EXPECT_EQ(Text(grid, 0, 2), QString());
    EXPECT_EQ(grid.height(), 5 * (grid.Cell(0, 0)->height() + 1));

    grid.SetCellText(-1, 0, QStringLiteral("y"));
    grid.SetCellText(0, -1, QStringLiteral("y"));
    EXPECT_EQ(grid.NumRows(), 5);
    EXPECT_EQ(grid.NumCols(), 3);
    for (auto [row, col] : {std::pair{5, 0}, {0, 3}, {-1, 0}, {0, -1}})
        EXPECT_EQ(Text(grid, row, col), QStringLiteral("<unchanged>")) << row << "," << col;
}

TEST(TableEditor, ShrinkingDiscardsTextsAndNegativeSizesAreIgnored) {
    TTableEditor grid;
    grid.SetCellText(1, 2, QStringLiteral("c"));
    grid.SetCellText(1, 1, QStringLiteral("b"));
    grid.SetNumCols(2);
    EXPECT_EQ(Text(grid, 1, 1), QStringLiteral("b"));
    grid.SetNumCols(3);
    EXPECT_EQ(Text(grid, 1, 2), QString()) << "the third column came back empty";
    grid.SetNumRows(-1);
    grid.SetNumCols(-4);
    EXPECT_EQ(grid.NumRows(), 2);
    EXPECT_EQ(grid.NumCols(), 3);
    grid.SetNumRows(0);
    EXPECT_EQ(grid.height(), 20);
    EXPECT_EQ(grid.findChildren<QLineEdit*>().size(), 0) << "the edits are freed";
}

TEST(TableEditor, LayoutAndTabOrderRunAlongRows) {
    TTableEditor grid;
    grid.SetNumCols(3);
    grid.SetNumRows(2);
    const int h = grid.Cell(0, 0)->height();
    EXPECT_EQ(grid.Cell(1, 2)->geometry(), QRect(2 * 90, h + 1, 89, h));
    EXPECT_EQ(grid.Cell(0, 2)->nextInFocusChain(), grid.Cell(1, 0));
    EXPECT_EQ(grid.Cell(1, 0)->nextInFocusChain(), grid.Cell(1, 1));
}

TEST(TableEditor, CellWidthAndFitting) {
    TTableEditor grid;
    grid.SetCellWidth(9);
    EXPECT_EQ(grid.CellWidth(), 89);
    grid.resize(500, grid.height());
    grid.SetNumCols(4);
    grid.FitCellWidth(200);
    EXPECT_EQ(grid.CellWidth(), 124);
    EXPECT_EQ(grid.Cell(0, 3)->geometry().left(), 3 * 125);
    grid.FitCellWidth(50);
    EXPECT_EQ(grid.CellWidth(), 50) << "a width that fits is taken as it is";

    grid.SetDimensions(3, 5, 200);
    EXPECT_EQ(grid.NumRows(), 3);
    EXPECT_EQ(grid.NumCols(), 5);
    EXPECT_EQ(grid.CellWidth(), 99);
    EXPECT_EQ(grid.Cell(2, 4)->width(), 99);
    EXPECT_EQ(grid.height(), 3 * (grid.Cell(0, 0)->height() + 1));

    grid.resize(30, grid.height());
    grid.SetDimensions(2, 10, 200);
    EXPECT_EQ(grid.CellWidth(), 10) << "a grid too narrow still gets usable cells";
}
