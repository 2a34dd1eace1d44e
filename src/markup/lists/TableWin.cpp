#include "markup/lists/TableWin.h"

#include "app/core/StringHelpers.h"
#include "app/mainwindow/MainWin.h"
#include "controls/IntegerEdit.h"
#include "controls/TableEditor.h"
#include "editor/view/TextEditorEx.h"
#include "markup/common/FieldRows.h"
#include "platform/Cp1252.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int kCellWidth = 200;

TIntegerEdit* Count(QWidget* owner, const QString& name, const QString& text) {
    auto* edit = new TIntegerEdit(owner);
    edit->setObjectName(name);
    edit->SetMax(TableMarkup::kMaxCells);
    edit->setMaxLength(2);
    edit->setText(text);
    edit->setMaximumWidth(50);
    return edit;
}

} // namespace

Ttable::Ttable(Tmain& window)
    : TElementDialog(window, QStringLiteral("Tabell"), "table", true, QStringLiteral("TABLE")) {
    setObjectName(QStringLiteral("table"));
    auto* content = new QVBoxLayout;
    AddFormattingRows(FieldRows::Group(this, content, QStringLiteral(" Formatering ")), 0);
    QGridLayout* data = FieldRows::Group(this, content, QStringLiteral(" Data"));
    Rows = Count(this, QStringLiteral("Rows"), QStringLiteral("5"));
    Cols = Count(this, QStringLiteral("Cols"), QStringLiteral("4"));
    auto* rowsLabel = new QLabel(QStringLiteral("Ra&der:"), this);
    rowsLabel->setBuddy(Rows);
    auto* colsLabel = new QLabel(QStringLiteral("K&olumner:"), this);
    colsLabel->setBuddy(Cols);
    auto* counts = new QHBoxLayout;
    counts->addWidget(rowsLabel);
    counts->addWidget(Rows);
    counts->addSpacing(16);
    counts->addWidget(colsLabel);
    counts->addWidget(Cols);
    counts->addStretch();
    data->addLayout(counts, 0, 0, 1, 3);
    FirstRowH = new QCheckBox(QStringLiteral("Första &raden innehåller kolumnrubriker"), this);
    FirstRowH->setObjectName(QStringLiteral("FirstRowH"));
    FirstRowH->setChecked(true);
    FirstColH = new QCheckBox(QStringLiteral("Första &kolumnen innehåller radrubriker"), this);
    FirstColH->setObjectName(QStringLiteral("FirstColH"));
    data->addWidget(FirstRowH, 1, 0, 1, 3);
    data->addWidget(FirstColH, 2, 0, 1, 3);
    TableEditor = new TTableEditor;
    TableEditor->setObjectName(QStringLiteral("TableEditor"));
    TableEditor->SetDimensions(5, 4, 100);
    Scroll = new QScrollArea(this);
    Scroll->setWidget(TableEditor);
    // The grid is as wide as the box and fits its cells into that width.
    Scroll->setWidgetResizable(true);
    Scroll->setMinimumHeight(160);
    data->addWidget(Scroll, 3, 0, 1, 3);
    data->setRowStretch(3, 1);
    FinishLayout(content);
    FirstField = Rows;
    btnRefItem = new QComboBox(this);
    btnRefItem->setObjectName(QStringLiteral("btnRefItem"));
    btnRefItem->addItems({QStringLiteral("TABLE"), QStringLiteral("TR"), QStringLiteral("TH"),
                          QStringLiteral("TD")});
    if (auto* buttons = qobject_cast<QHBoxLayout*>(layout()->itemAt(1)->layout()))
        buttons->insertWidget(1, btnRefItem);
    connect(btnRefItem, &QComboBox::currentTextChanged, this,
            [this](const QString& name) { ReferenceName = name; });
    resize(560, 480);

    Rows->OnChange = [this](QObject*) { SetTableDimensions(); };
    Cols->OnChange = [this](QObject*) { SetTableDimensions(); };
    connect(FirstRowH, &QCheckBox::toggled, this, [this] { UpdateHeaders(); });
    connect(FirstColH, &QCheckBox::toggled, this, [this] { UpdateHeaders(); });

    BeginEditMode();
    if (!Mode.IsEdit())
        return;
    pCLASS->setEditText(Cp1252::Decode(Mode.Attribute("class")));
    pSTYLE->setText(Cp1252::Decode(Mode.Attribute("style")));
    const TableMarkup::TReadTable table = TableMarkup::Read(Mode.Content());
    if (table.Result != TableMarkup::TReadTable::TResult::Ok) {
        Refuse(table.Result == TableMarkup::TReadTable::TResult::TooLarge
                   ? TableMarkup::TooLargeMessage()
                   : TableMarkup::UnreadableMessage());
        return;
    }
    size_t cols = 0;
    for (const auto& row : table.Rows)
        cols = std::max(cols, row.size());
    filling_ = true;
    FirstRowH->setChecked(table.FirstRowH);
    FirstColH->setChecked(table.FirstColH);
    TableEditor->SetDimensions(static_cast<int>(table.Rows.size()), static_cast<int>(cols),
                               kCellWidth);
    for (size_t r = 0; r < table.Rows.size(); ++r)
        for (size_t c = 0; c < table.Rows[r].size(); ++c) {
            const QByteArray& text = table.Rows[r][c];
            const int row = static_cast<int>(r), col = static_cast<int>(c);
            TableEditor->SetCellText(row, col, Cp1252::Decode(text));
            QString shown;
            TableEditor->GetCellText(row, col, shown);
            read_[{row, col}] = {text, shown};
        }
    TableEditor->FitCellWidth(kCellWidth);
    Rows->setText(QString::number(TableEditor->NumRows()));
    Cols->setText(QString::number(TableEditor->NumCols()));
    filling_ = false;
    UpdateHeaders();
}

void Ttable::showEvent(QShowEvent* event) {
    TElementDialog::showEvent(event);
    btnRefItem->setCurrentIndex(0);
    ReferenceName = btnRefItem->currentText();
    // Once laid out, the cells fit the box's width.
    QTimer::singleShot(0, this, [this] { SetTableDimensions(); });
}

void Ttable::SetTableDimensions() {
    if (filling_)
        return;
    TableEditor->SetDimensions(Rows->text().toInt(), Cols->text().toInt(), kCellWidth);
}

void Ttable::UpdateHeaders() {
    TableEditor->SetFirstRowH(FirstRowH->isChecked());
    TableEditor->SetFirstColH(FirstColH->isChecked());
}

TableMarkup::TCells Ttable::Cells() const {
    TableMarkup::TCells cells(static_cast<size_t>(TableEditor->NumRows()));
    for (int r = 0; r < TableEditor->NumRows(); ++r)
        for (int c = 0; c < TableEditor->NumCols(); ++c) {
            QString text;
            TableEditor->GetCellText(r, c, text);
            const auto it = read_.find({r, c});
            cells[static_cast<size_t>(r)].push_back(it != read_.end() && it->second.second == text
                                                        ? it->second.first
                                                        : Cp1252::Encode(text));
        }
    return cells;
}

TGeneratedMarkup Ttable::GenerateCode() const {
    TableMarkup::TTableFields f;
    f.Class = Bytes(pCLASS);
    f.Style = Bytes(pSTYLE);
    f.Cells = Cells();
    f.FirstRowH = FirstRowH->isChecked();
    f.FirstColH = FirstColH->isChecked();
    return TableMarkup::Generate(f, GetIndentString(*Window.CodeEditor->Settings()), TagCase(),
                                 Carried({"class", "style"}));
}
