#pragma once

#include "editor/model/EditorObserver.h"
#include "platform/Graphics.h"

#include <QByteArray>
#include <QObject>
#include <QPoint>
#include <vector>

class TTextEditorEx;

// The colour and style of one character.
struct TCharFormat {
    TColor Color = clBlack;
    TFontStyles Style = 0;
};

// Equal colour and equal style.
inline bool SameCharFormat(const TCharFormat& a, const TCharFormat& b) {
    return a.Color == b.Color && a.Style == b.Style;
}

// What a word is: the built-in word set, or the characters of WordChars that are not in
// ExcludedChars.
struct TWordDef {
    bool UseDefault = true;
    QByteArray WordChars;
    QByteArray ExcludedChars;
};

// The base of the colouring processors: tells the colour and style of the characters of its
// editor's lines. Each processor writes its rules once, in its line pass (FormatLine); the
// answer for one character (FormatChar) is that pass over the character's own cell. A
// processor follows its editor's changes as an observer, whether or not it is the one that
// paints.
class TFormattingProcessor : public QObject, private TEditorObserver {
public:
    explicit TFormattingProcessor(QObject* owner = nullptr);
    ~TFormattingProcessor() override;

    TTextEditorEx* TextEditorEx() const { return editor_; }
    void SetTextEditorEx(TTextEditorEx* editor);

    // The format of the character Ch at Pos (Ch is the character of the lines there): the
    // line pass over that one cell; outside the text, the editor font's. Throws
    // EKelvoraError without an editor.
    virtual void FormatChar(char Ch, const QPoint& Pos, bool JustTyped, TCharFormat& Format);

    // The formats of the cells first .. first + count - 1 of a line (all within the line); the
    // cell at justTypedColumn is the one just typed. The base asks FormatChar for each cell,
    // so that a processor may give its rules either way; every processor of the program
    // overrides this with one pass over the line.
    virtual void FormatLine(int line, int first, int count, int justTypedColumn,
                            std::vector<TCharFormat>& out);

    // The lines from firstLine on may have changed (the editor calls this on every change).
    virtual void LinesChanged(int firstLine) { (void)firstLine; }
    // True when the colours of a line may depend on the lines before it: a change of one
    // line may then recolour every line after it.
    virtual bool DependsOnEarlierLines() const { return false; }

    // The built-in word set: digits, ASCII letters and the Latin-1 letters.
    static bool IsWordChar(unsigned char ch);

    static const char* NoEditorMessage();

protected:
    // The editor's font colour and style; throws without an editor.
    TCharFormat BaseFormat() const;
    // The start of every line pass: sizes `out` to the cells and gives the editor font's
    // format; false when there are no cells. With `repaintTyped` (processors whose colour of
    // a letter depends on the letters after it) a just-typed cell among them repaints the line.
    bool BeginLinePass(int line, int first, int count, int justTypedColumn, bool repaintTyped,
                       std::vector<TCharFormat>& out, TCharFormat* base);
    // Repaints the visible characters of one line.
    void RepaintLine(int line);
    QByteArray GetWordAt(const QPoint& Pos) const;
    QByteArray GetWordAtByDef(const QPoint& Pos, const TWordDef& Def) const;

    // FormatChar of a processor whose rules are its line pass.
    void FormatCharByLine(const QPoint& Pos, bool JustTyped, TCharFormat& Format);

private:
    template <typename IsWord> QByteArray WordAt(const QPoint& pos, IsWord isWord) const;
    void TextChanged(const TTextChange& change) override;
    void ModelDestroyed(TEditorModel* model) override;

    TTextEditorEx* editor_ = nullptr;
};
