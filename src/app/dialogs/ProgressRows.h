#pragma once

#include <QString>

class QDialog;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QWidget;

// The parts every progress window is made of.
namespace ProgressRows {

// A row "caption  value" at the bottom of `grid`; the value is a plain-text label named
// `objectName`, at least `minWidth` pixels wide.
QLabel* AddValueRow(QGridLayout* grid, QWidget* owner, const char* caption, const char* objectName,
                    int minWidth);

// The default "Stäng" button that closes `dialog` with OK, right-aligned in `buttons`.
QPushButton* AddCloseButton(QDialog* dialog, QHBoxLayout* buttons, const QString& caption);

} // namespace ProgressRows
