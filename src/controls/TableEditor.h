#pragma once

#include <QString>
#include <QWidget>
#include <vector>

class QLineEdit;

// A grid of one-line edits, one per table cell. Header cells (the first row and/or the first
// column) are shown bold and report the tag "th"; the others report "td".
class TTableEditor : public QWidget {
public:
    explicit TTableEditor(QWidget* parent = nullptr);

    int NumRows() const { return rows_; }
    void SetNumRows(int value);
    int NumCols() const { return cols_; }
    void SetNumCols(int value);
    int CellWidth() const { return cellWidth_; }
    // Accepted only when at least 10 and different from the current width.
    void SetCellWidth(int value);
    bool FirstRowH() const { return firstRowH_; }
    void SetFirstRowH(bool value);
    bool FirstColH() const { return firstColH_; }
    void SetFirstColH(bool value);

    // Text is left unchanged for a cell outside the grid.
    void GetCellText(int row, int col, QString& text) const;
    // Grows the grid to hold the cell first; negative indices do nothing.
    void SetCellText(int row, int col, const QString& text);
    void GetCellTag(int row, int col, QString& tag) const;
    // Resizes without an intermediate layout, fits the cell width and lays out once.
    void SetDimensions(int rows, int cols, int width);
    // Narrows width to what fits the grid's width, then sets it as the cell width.
    void FitCellWidth(int width);

    // The edit of a cell, or nullptr outside the grid.
    QLineEdit* Cell(int row, int col) const;

private:
    void Resize(int rows, int cols);
    void Layout();
    int FittedWidth(int width) const;

    std::vector<std::vector<QLineEdit*>> cells_;
    int rows_ = 0;
    int cols_ = 0;
    int cellWidth_ = 89;
    bool firstRowH_ = true;
    bool firstColH_ = false;
    bool batch_ = false;
};
