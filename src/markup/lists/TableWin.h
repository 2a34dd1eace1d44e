#pragma once

#include "markup/common/ElementDialog.h"
#include "markup/lists/TableMarkup.h"

#include <map>
#include <utility>

class QCheckBox;
class QComboBox;
class QScrollArea;
class TIntegerEdit;
class TTableEditor;

// "Tabell": rows and columns of a grid of cells, the header row and column, class and local
// style. "&Taggreferens" looks up the element chosen beside it (TABLE, TR, TH or TD).
class Ttable : public TElementDialog {
public:
    explicit Ttable(Tmain& window);

    TIntegerEdit* Rows;
    TIntegerEdit* Cols;
    QCheckBox* FirstRowH;
    QCheckBox* FirstColH;
    TTableEditor* TableEditor;
    QScrollArea* Scroll;
    QComboBox* btnRefItem;

    // The cells as the grid holds them; a cell read back and not changed keeps its text as
    // it was written (line breaks included).
    TableMarkup::TCells Cells() const;
    TGeneratedMarkup GenerateCode() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void SetTableDimensions();
    void UpdateHeaders();

    // Cells read back: their text as written and as shown, by row and column.
    std::map<std::pair<int, int>, std::pair<QByteArray, QString>> read_;
    bool filling_ = false;
};
