#pragma once

#include <QPoint>
#include <QtGlobal>
#include <climits>

class TEditorModel;

// What a view paints again for a change.
struct TRepaint {
    enum Kind : quint8 {
        None,     // nothing (the caller repaints itself, or nothing shows the change)
        Cells,    // Count cells of Line from Column
        LineText, // the characters of Line and the two cells after its end
        Lines,    // the whole rows of Line .. LastLine
        All,      // everything
    };
    Kind What = None;
    int Line = 0;
    int LastLine = 0;
    int Column = 0;
    int Count = 0;

    static TRepaint Nothing() { return TRepaint{}; }
    static TRepaint CellsOf(int line, int column, int count) {
        return TRepaint{Cells, line, line, column, count};
    }
    static TRepaint TextOf(int line) { return TRepaint{LineText, line, line, 0, 0}; }
    static TRepaint Rows(int first, int last = INT_MAX) {
        return TRepaint{Lines, first, last, 0, 0};
    }
    static TRepaint Everything() { return TRepaint{All, 0, INT_MAX, 0, 0}; }
};

// One change of the lines.
struct TTextChange {
    // The first line the change may have touched; the lines before it are as they were.
    int FirstLine = 0;
    // What the change asks its views to paint again.
    TRepaint Repaint;
    // One character was typed at the end of its line: the cell of Repaint is that character.
    bool Typed = false;
    // Made between BeginUpdate and EndUpdate: EndUpdate reports the changes once more, as one
    // change from the first line any of them touched.
    bool Deferred = false;
};

// A change of the selection: the caret and the selection end before and after.
struct TSelectionChange {
    QPoint OldCaret, OldSelEnd;
    QPoint Caret, SelEnd;
    // The selection end is to be scrolled into view.
    bool ScrollIntoView = true;
};

// What the model tells the views and the colouring processors that follow it. Each change
// of the lines reaches every observer once, in the order they were added; the model's own
// events (OnChange, OnSelChange) fire after the observers have heard.
class TEditorObserver {
public:
    virtual ~TEditorObserver() = default;

    virtual void TextChanged(const TTextChange& change) { (void)change; }
    // The caret moved; the selection end has followed it unless the selection grows.
    virtual void CaretMoved(bool scrollIntoView) { (void)scrollIntoView; }
    virtual void SelectionChanged(const TSelectionChange& change) { (void)change; }
    // The first visible column and top visible line changed (held back while updating).
    virtual void ScrollChanged(const QPoint& scrollPos) { (void)scrollPos; }
    // A repaint an operation asks for apart from a change of the lines.
    virtual void RepaintRequested(const TRepaint& what) { (void)what; }
    // The caret is hidden while an operation changes what lies under it.
    virtual void CaretVisibility(bool visible) { (void)visible; }
    // The lines the observer shows; false when it shows none.
    virtual bool ShownLines(int* first, int* last) const {
        (void)first;
        (void)last;
        return false;
    }
    // The model is going away: the observer forgets it.
    virtual void ModelDestroyed(TEditorModel* model) { (void)model; }
};
