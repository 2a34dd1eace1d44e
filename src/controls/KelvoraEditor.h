#pragma once

#include <QStringList>
#include <QTextDocument>
#include <QTextEdit>

// What a double click extends the selection to.
enum TDblClickSelItem : unsigned { dcsHexValue = 1, dcsAlphaCode = 2 };
using TDblClickSel = unsigned;

// A plain-text editor with the typing aids of the main editor in a simpler form: typed accented
// letters and symbols become named entities, quotes and brackets are closed, Enter keeps the
// indentation, Backspace removes a whole entity and a double click takes a whole colour value
// or entity.
class TKelvoraEditor : public QTextEdit {
public:
    explicit TKelvoraEditor(QWidget* parent = nullptr);

    bool AutoReplace = false;
    bool AutoCloseQts = false;
    bool AutoIndent = false;
    bool PreserveIndent = false; // stored only
    TDblClickSel AutoSelect = 0;

    // Index-aligned: the capital accented letters and their entities, the symbols and theirs.
    QStringList AlphaLetters, AlphaEntities, OmegaSymbols, OmegaEntities;

    // The entity a typed character becomes (a small letter gives the entity in small letters);
    // empty when it is in neither table.
    QString EntityFor(QChar ch) const;
    // The number of non-overlapping occurrences of s in the text.
    int CountOccurrences(const QString& s, QTextDocument::FindFlags options) const;
    // Run after the standard double click has selected a word.
    void ExtendDoubleClickSelection();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
    bool EntityBackspace();
};
