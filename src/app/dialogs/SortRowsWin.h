#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDialog>
#include <vector>

class QPushButton;
class QRadioButton;
class TCaptionGroup;

// Line sorting. `pieces` is a text split at its line breaks (as GetTextRange gives it); an
// empty last piece after a break is no line, only the text's final break. The lines are sorted
// without regard to case by the Windows-1252 tables (equal lines all kept, in their order) and
// joined with CR LF between them, and after the last one only when the text ended with a break:
// only the order of the lines changes.
QByteArray SortLines(std::vector<QByteArray> pieces);
// The sorted lines themselves, as views of the pieces (no line is copied); *endsWithBreak (when
// given) tells whether the text ended with a break.
std::vector<QByteArrayView> SortedLines(std::vector<QByteArrayView> pieces,
                                        bool* endsWithBreak = nullptr);

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
