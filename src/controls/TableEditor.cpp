#include "controls/TableEditor.h"

#include <QLineEdit>

TTableEditor::TTableEditor(QWidget* parent) : QWidget(parent) {
    Resize(1, 1);
}

QLineEdit* TTableEditor::Cell(int row, int col) const {
    if (row < 0 || row >= rows_ || col < 0 || col >= cols_)
        return nullptr;
    return cells_[row][col];
}

void TTableEditor::SetNumRows(int value) {
    if (value >= 0)
        Resize(value, cols_);
}

void TTableEditor::SetNumCols(int value) {
    if (value >= 0)
        Resize(rows_, value);
}

void TTableEditor::SetCellWidth(int value) {
    if (value < 10 || value == cellWidth_)
        return;
    cellWidth_ = value;
    Layout();
}

void TTableEditor::SetFirstRowH(bool value) {
    if (value == firstRowH_)
        return;
    firstRowH_ = value;
    Layout();
}

void TTableEditor::SetFirstColH(bool value) {
    if (value == firstColH_)
        return;
    firstColH_ = value;
    Layout();
}

void TTableEditor::GetCellText(int row, int col, QString& text) const {
    if (QLineEdit* cell = Cell(row, col))
        text = cell->text();
}

void TTableEditor::SetCellText(int row, int col, const QString& text) {
    if (row < 0 || col < 0)
        return;
    if (row >= rows_)
        SetNumRows(row + 1);
    if (col >= cols_)
        SetNumCols(col + 1);
    if (QLineEdit* cell = Cell(row, col))
        cell->setText(text);
}

void TTableEditor::GetCellTag(int row, int col, QString& tag) const {
    if (QLineEdit* cell = Cell(row, col))
        tag = cell->font().bold() ? QStringLiteral("th") : QStringLiteral("td");
}

int TTableEditor::FittedWidth(int width) const {
    if (cols_ > 0 && this->width() < (width + 1) * cols_)
        width = this->width() / cols_ - 1;
    return width;
}

void TTableEditor::SetDimensions(int rows, int cols, int width) {
    batch_ = true;
    SetNumRows(rows);
    SetNumCols(cols);
    batch_ = false;
    // Set directly, but never so narrow that the cells vanish.
    cellWidth_ = qMax(10, FittedWidth(qMax(10, width)));
    Layout();
}

void TTableEditor::FitCellWidth(int width) {
    SetCellWidth(FittedWidth(width));
}

void TTableEditor::Resize(int rows, int cols) {
    for (int i = rows; i < rows_; ++i)
        for (QLineEdit* cell : cells_[i])
            delete cell;
    cells_.resize(rows);
    for (int i = 0; i < rows && i < rows_; ++i) {
        for (int j = cols; j < cols_; ++j)
            delete cells_[i][j];
    }
    for (auto& row : cells_)
        row.resize(cols, nullptr);
    rows_ = rows;
    cols_ = cols;
    if (!batch_)
        Layout();
}

void TTableEditor::Layout() {
    QWidget* previous = nullptr;
    for (int i = 0; i < rows_; ++i) {
        for (int j = 0; j < cols_; ++j) {
            QLineEdit*& cell = cells_[i][j];
            if (!cell) {
                cell = new QLineEdit(this);
                cell->show();
            }
            const int h = cell->sizeHint().height();
            cell->setGeometry(j * (cellWidth_ + 1), i * (h + 1), cellWidth_, h);
            bool bold = false;
            if (i == 0 && firstRowH_)
                bold = true;
            if (j == 0 && firstColH_)
                bold = true;
            QFont font = cell->font();
            font.setBold(bold);
            cell->setFont(font);
            if (previous)
                setTabOrder(previous, cell);
            previous = cell;
        }
    }
    if (rows_ == 0 || cols_ == 0)
        setFixedHeight(20);
    else
        setFixedHeight(rows_ * (cells_[0][0]->height() + 1));
}
