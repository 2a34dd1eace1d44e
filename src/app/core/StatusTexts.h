#pragma once

#include <QByteArray>
#include <QString>

class TEditorModel;

// The texts of the main window's status bar, its tab hint and its long hints.
namespace StatusTexts {

// A number in the pattern "# ### ##0": digits in groups of three parted by one blank, for any
// number of digits, and the pattern's two blanks written even where it has no digits
// (2 gives "  2", 52428800 gives "52 428 800").
QString FormatGrouped(qint64 value);

// Panel 0: "Rad:  3    Kol:  7" (line and column from 0), or the selected characters.
QString CaretPanel(int line, int column, qint64 selLength);
// Panel 1: "Tkn: " and the 1-based position, or the selected range.
QString PositionPanel(qint64 selStart, qint64 selLength);
// Panel 2: "Filstorlek: " + the grouped length of the text form + " B".
QString SizePanel(qint64 textLength);
// Panel 3: "INS" or "ÖVER".
QString CaretModePanel(bool overwrite);
// Panel 4: "Sparad", "Ändrad" or "Ny fil".
QString FileStatePanel(bool hasFile, bool modified);
// Panel 5: "Filer öppna: " + the number of documents.
QString OpenFilesPanel(int count);

// Panels 0, 1 and 2 for the editor's caret, selection and length, each read in O(log n).
struct TSelectionPanels {
    QString Caret, Position, Size;
};
TSelectionPanels SelectionPanels(const TEditorModel& model);

// Notes of panel 6.
QString BackupNote();
QString FontSizeNote(int size);

// The hint of one document tab: its name, folder, stored size and flags, one per line.
QString TabHint(const QString& fileName, qint64 textLength, bool hasFile, bool modified);

// The long part of a hint: the text after "|", or the whole hint when it has none.
QString LongHint(const QString& hint);

// What "=" typed after the caret opens: " STYLE=" the style-attribute dialog, " CLASS=" the
// class-attribute dialog (either in any case).
enum class TDefTag { None, Style, Class };
// From the six characters before the caret (fewer than six: None).
TDefTag DefTagFor(const QByteArray& before);
// From the editor: the six characters before the selection start, read in O(log n).
TDefTag DefTagBeforeCaret(const TEditorModel& model);

} // namespace StatusTexts
