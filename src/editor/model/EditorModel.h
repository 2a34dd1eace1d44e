#pragma once

#include "editor/model/EditorObserver.h"
#include "editor/model/TagAttributes.h"
#include "editor/model/TagUnderConstruction.h"
#include "editor/text/CaretPos.h"
#include "editor/text/LineStore.h"
#include "editor/text/SearchHits.h"
#include "editor/view/TextEditorExSettings.h"

#include <QByteArray>
#include <QPoint>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class QObject;

using TNotifyEvent = std::function<void(QObject* Sender)>;

// The editor's text model: the lines, the caret and the selection end, linear offsets and
// every operation on the text, the rules of typing included. It paints nothing: its changes
// reach the views through their TEditorObserver, each change once.
class TEditorModel {
public:
    TEditorModel();
    virtual ~TEditorModel();
    TEditorModel(const TEditorModel&) = delete;
    TEditorModel& operator=(const TEditorModel&) = delete;

    // Text.
    LineStore Lines;
    TCaretPos Caret;     // the caret and the fixed end of the selection
    TCaretPos SelEnd;    // the moving end of the selection
    TCaretPos ScrollPos; // first visible column, top visible line
    TTextEditorExSettings* Settings() const { return settings_.get(); }

    // Flags.
    bool Updating = false;
    bool PendingChange = false;
    bool PendingScroll = false;
    bool ForceCollapse = false;
    bool NoScrollIntoView = false;
    bool Creating = false;
    // Shift is held for the input event being handled (set by the key and mouse handlers).
    bool ShiftHeld = false;
    QPoint LastCaret{0, 0};
    QPoint LastSelEnd{0, 0};
    bool HadSelection = false;

    TNotifyEvent OnChange;
    TNotifyEvent OnSelChange;

    // Positions and offsets.
    QPoint GetCaretPos() const { return Caret.GetPos(); }
    QPoint GetScrollPos() const { return ScrollPos.GetPos(); }
    static int ComparePos(const QPoint& a, const QPoint& b);
    bool InSelection(const QPoint& p) const;
    void GetLineSpan(const QPoint& a, const QPoint& b, int* first, int* last) const;
    // The selection's earlier and later end.
    void SelectionBounds(QPoint* start, QPoint* end) const;
    // Offset of a position (columns past the line's end count as its end).
    int PosToOffset(const QPoint& p) const;
    // The position of an offset; an offset inside a line break is the end of that line.
    // False outside 0 .. TextLength() - 2.
    bool OffsetToPos(qint64 offset, QPoint* p) const;
    // Length of the text form: every line + 2.
    int TextLength() const { return static_cast<int>(Lines.TextLength()); }

    // Selection.
    int GetSelStart() const;
    void SetSelStart(int value);
    int GetSelLength() const;
    void SetSelLength(int value);
    QByteArray GetSelText() const;
    void SetSelText(const QByteArray& s);
    bool DeleteSelection();
    // Replaces the selection with the lines, each followed by a line break (the last one only
    // with breakAfterLast): what SetSelText does with the lines joined, in one splice and
    // without joining them (they may be views of this text, as GetRangeViews gives them).
    void SetSelLines(const std::vector<QByteArrayView>& lines, bool breakAfterLast = true);
    bool HasSelection() const { return Caret.GetPos() != SelEnd.GetPos(); }
    bool SelectLine(int line);
    void SelectAll();

    // Ranges.
    std::vector<QByteArray> GetTextRange(QPoint from, QPoint to) const;
    // The same pieces read in place: valid until the text changes.
    std::vector<QByteArrayView> GetRangeViews(QPoint from, QPoint to) const;
    void DeleteRange(QPoint from, QPoint to);
    void InsertLines(const QPoint& at, std::vector<QByteArray> lines, bool addBreak);
    void InsertText(const QPoint& at, const QByteArray& s, bool addBreak);

    // The whole text in its text form (every line + CR LF).
    QByteArray Text() const { return Lines.Text(); }
    void SetText(const QByteArray& text);

    // Clipboard: plain text through the Windows-1252 codec.
    void CutToClipboard();
    void CopyToClipboard();
    void PasteFromClipboard();

    // Files. Loading throws EKelvoraError and changes nothing when the file cannot be read
    // or cannot be held (a NUL byte); saving throws and leaves the old file whole.
    void LoadFromFile(const QString& fileName);
    void SaveToFile(const QString& fileName);
    void InsertFromFile(const QString& fileName);
    // Writes the selected lines, each followed by CR LF, to a file (a selection that ends at
    // a line's start has no empty last line); false with the reason in *error on failure.
    bool SaveSelectionToFile(const QString& fileName, QString* error) const;

    void Clear();
    void UpdateView();
    void AppendLine(const QByteArray& s);
    int GetWidestLine() const { return Lines.WidestLine(); }

    void BeginUpdate();
    void EndUpdate();

    // Change handlers.
    void LinesChange(QObject* sender);
    void CaretChanged(const QPoint& p);
    void SelEndChanged(const QPoint& p);

    // Ctrl+End without Shift: the caret to the end of the last line.
    void MoveToTextEnd();

    // Observers: each hears every change from the moment it is added until it is removed or
    // the model goes (ModelDestroyed). The model does not own them.
    void AddObserver(TEditorObserver* observer);
    void RemoveObserver(TEditorObserver* observer);

    // Requests to the views: repaints, and the caret hidden while an operation runs.
    void RequestRepaint(const TRepaint& what);
    void RepaintAll();
    void RepaintLineArea(int line);
    void RepaintLines(int from, int to);
    void HideSystemCaret();
    void ShowSystemCaret();
    // The lines the views show at least partly (none without a view).
    void VisibleLines(int* first, int* last) const;
    // The object passed as Sender for the model's own notifications.
    QObject* SenderObject() const { return eventSender_; }

    // ---- Typing (EditorModelTyping.cpp): what a key does to the text, for the control's
    // keys and for every caller that types without one. None changes anything when read-only.

    // Types one character where the caret is: the selection goes first; with AutoEncode an
    // accented letter or a symbol becomes its named entity; OverwriteMode replaces the
    // character at the caret; AutoCloseQts puts the closing quote or bracket after the caret.
    // CR and LF break the line as Enter does; every other control character (below 32, DEL)
    // types nothing. True when the character itself went into the text.
    bool TypeChar(char ch);
    // The Backspace key: an entity right before the caret goes whole; otherwise Backspace,
    // or with `wordWise` (Ctrl) DeleteWordLeft.
    void TypeBackspace(bool wordWise);
    // The Delete key: DeleteChar, or with `wordWise` (Ctrl) DeleteWordRight.
    void TypeDelete(bool wordWise);
    // Removes the entity that ends right before the caret; false when there is none.
    bool DeleteEntityBack();
    // The selection; else one indent step back over leading spaces at a tab stop; else the
    // character before the caret; at a line's start the line joins the one before.
    void Backspace();
    // The selection; else the character at the caret; at a line's end the next line joins.
    void DeleteChar();
    // Back to the word-left position, on the caret's line only; a selection is not deleted
    // first.
    void DeleteWordLeft();
    // On to the word-right position, on the caret's line only; the caret stays.
    void DeleteWordRight();
    // Enter: splits the line at the caret; with AutoIndent the new line gets the leading
    // spaces of the one before (those before the caret).
    void InsertLineBreak();
    // Tab: TabLength spaces, each typed through TypeChar (so overwrite mode overwrites).
    void InsertTab();

    // Word boundaries of Ctrl+arrow moves: blanks and Settings()->ObjStopChars end a word.
    // Just after a blank that follows a word or after a stop character, whichever is nearer;
    // from column 0 the search goes on at the end of the line before.
    QPoint WordLeft(QPoint p) const;
    // On the last blank before the next word or on the next stop character, whichever is
    // nearer; from a line's end the search goes on at the start of the next line.
    QPoint WordRight(QPoint p) const;

    // Leading spaces of a line (tabs do not count); -1 for a line that does not exist.
    int GetIndentLength(int line) const;
    // TabLength spaces: one indent step.
    QByteArray GetTabSpaces() const;
    // The lines from the caret's to the selection end's, in a text of two lines or more:
    // one indent step in front of each, one taken away from each that has it, every leading
    // blank removed. The selection follows its text.
    void IndentSelection();
    void UnindentSelection();
    void RemoveIndentation();
    // ---- end of typing

    // ---- Tags and search: writing and reading markup tags (EditorModelTags.cpp), finding
    // and replacing (EditorModelSearch.cpp). Letter-case modes are those of TagCase, search
    // flags those of SearchFlags (TextSearcher.h).

    // The tag under construction.
    TTagUnderConstruction BuildingTag;
    void BeginBuildingTag(const QByteArray& tagName, bool hasEndTag, const QByteArray& content);
    void AddTagAttribute(const QByteArray& name, const QByteArray& value);
    void AddTagAttributeNoVal(const QByteArray& name);
    void ChangeTagContent(const QByteArray& content);
    // Renders the tag into `tag`, read-only or not (it changes no text).
    void EndBuildingTag(quint8 letterCase, QByteArray& tag) const;
    // An empty element, or a paired one around the selection (which stays selected inside).
    void InsertSimpleTag(const QByteArray& tagName, bool hasEndTag, quint8 letterCase);

    // The tag around the caret, read from at most 501 characters before the selection start
    // and 500 from it: the offsets of its '<' and its '>', false when none is found.
    bool LocateCurrentTag(qint64* start, qint64* end) const;
    // That tag's text: empty when none is found.
    QByteArray GetCurrentTag() const;
    // That tag through the first following end tag of its element, else the tag alone.
    QByteArray GetCurrentTagSpan() const;
    void SelectCurrentTag();
    void SelectCurrentTagSpan();
    // The name of the element whose start tag is being typed before the caret (the name
    // must be followed by a blank).
    QByteArray GetTypedTagName() const;
    static QByteArray ExtractTagName(const QByteArray& tagText);
    static void GetTagAttributes(const QByteArray& tagText, TTagAttributes& attrs);
    // The value of an attribute, its name compared regardless of case.
    static QByteArray GetAttributeValue(const TTagAttributes& attrs, const QByteArray& name);
    // The content between the start tag of a span and its first end tag.
    static QByteArray GetTagContents(const QByteArray& tagSpan);

    // Offset of the first hit at or after `from` (from 0 with FromStart); -1 when none.
    int FindFrom(const QByteArray& text, int from, quint8 flags) const;
    // FindFrom right after the selection.
    int FindNext(const QByteArray& text, quint8 flags) const;
    // FindNext, selecting the hit.
    bool FindAndSelect(const QByteArray& text, quint8 flags);
    // The number of non-overlapping hits in the whole text (FromStart does not matter).
    int GetOccurrences(const QByteArray& text, quint8 flags) const;
    // The offsets of all non-overlapping hits, in increasing order.
    std::vector<int> FindHits(const QByteArray& text, quint8 flags) const;
    void FindAll(const QByteArray& text, quint8 flags, TSearchHits& hits) const;
    // Replaces every hit in one change; the number replaced, 0 when read-only, -1 when `find`
    // is empty.
    int ReplaceAll(const QByteArray& find, const QByteArray& replace, quint8 flags);
    // Run by ReplaceAll right before it changes the text (the undo snapshot).
    virtual void BeforeReplaceAll() {}
    // Progress of ReplaceAll in per mille, when it has more than one hit.
    virtual void ReplaceProgress(int numTotal, int numDone, int progress) {
        (void)numTotal;
        (void)numDone;
        (void)progress;
    }
    // ---- end of tags and search

    // ---- Entities, letter case and ROT13 (EditorModelEntities.cpp). Each rewrites the
    // selected text in place as one change and does nothing when read-only or when nothing
    // is selected. The entity codings leave the caret after the new text, the case changes
    // (Windows-1252's own) keep the same range selected, ROT13 selects its result.
    void EncodeAlpha();
    void DecodeAlpha();
    void EncodeOmega();
    void DecodeOmega();
    void UpperCaseSelection();
    void LowerCaseSelection();
    void InvertCaseSelection();
    void ROT13();
    // Each ASCII letter 13 places on within its case; every other character stays.
    static QByteArray ROT13Str(const QByteArray& s);
    static QString ROT13Str(const QString& s);
    // ---- end of entities, letter case and ROT13

protected:
    void FireSelChange();
    // The control passes itself as the Sender of the events.
    void SetSenderObject(QObject* sender) { eventSender_ = sender; }

private:
    // The first visible column or the top line changed.
    void ScrollPosChanged(const QPoint& p);
    // Tells the observers of a change and fires OnChange unless it is deferred.
    void DeliverChange(const TTextChange& change, QObject* sender);
    template <typename Fn> void Notify(Fn fn) const;
    // Changes the lines with one splice that asks the views for `repaint`.
    template <typename Splice> void Edit(const TRepaint& repaint, bool typed, Splice splice) {
        nextRepaint_ = repaint;
        nextTyped_ = typed;
        try {
            splice();
        } catch (...) {
            nextRepaint_ = TRepaint();
            nextTyped_ = false;
            throw;
        }
        nextRepaint_ = TRepaint();
        nextTyped_ = false;
    }
    // Removes the cells [from, to) of line y, both limited to the line's length; false when
    // that leaves nothing to remove.
    bool RemoveCells(int y, int from, int to);
    enum class TIndentChange { Indent, Unindent, Remove };
    void ChangeIndentation(TIndentChange mode);

    std::unique_ptr<TTextEditorExSettings> settings_;
    // Mutable: telling the observers is const, and a removal while they are told leaves a
    // null place that is swept afterwards.
    mutable std::vector<TEditorObserver*> observers_;
    mutable int notifying_ = 0;
    mutable bool removedWhileNotifying_ = false;
    QObject* eventSender_ = nullptr;
    // What the next change of the lines asks for (set around one splice by Edit).
    TRepaint nextRepaint_;
    bool nextTyped_ = false;
    // The first line of the changes deferred since BeginUpdate.
    int pendingFrom_ = INT_MAX;
};
