#pragma once

#include <QString>

class QGridLayout;
class QLineEdit;
class QVBoxLayout;
class QWidget;
class TCaptionGroup;

// Building blocks of the dialog layouts: a captioned group with a grid inside, and a labelled
// one-line field in a row of such a grid.
namespace FieldRows {

// A group " caption " added to `layout`; its grid is returned.
QGridLayout* Group(QWidget* owner, QVBoxLayout* layout, const QString& caption,
                   TCaptionGroup** group = nullptr);
// A field named `name` with its label (whose "&" marks the field's key) in a grid row.
QLineEdit* Field(QWidget* owner, QGridLayout* grid, int row, const QString& label,
                 const QString& name);

} // namespace FieldRows
