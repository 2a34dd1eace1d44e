#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDialog>
#include <vector>

class QPushButton;
class QRadioButton;
class TCaptionGroup;

// Line sorting. `pieces` is a text split at its line breaks (as GetTextRange gives it); an
// empty last piece after a break is no line. The lines are sorted without regard to case by
// the Windows-1252 tables (equal lines all kept, in their order) and joined with CR LF after
// every line, the last one included.
QByteArray SortLines(std::vector<QByteArray> pieces);
// The sorted lines themselves, as views of the pieces (no line is copied).
std::vector<QByteArrayView> SortedLines(std::vector<QByteArrayView> pieces);

// The sort window "Sortera rader": selected or all lines. Closes with 1 on OK, 2 on Avbryt.
class TSortRows : public QDialog {
public:
    explicit TSortRows(QWidget* parent = nullptr);

    TCaptionGroup* Group = nullptr;
    QRadioButton* SelectedRows = nullptr;
    QRadioButton* AllRows = nullptr;
    QPushButton* OkBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

    // Without a selection only "&Alla rader" can be chosen; with one "&Markerade rader" is.
    void Prepare(bool hasSelection);
};
