#pragma once

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
// every operation on the text. It paints nothing; what a change must repaint or scroll goes
// through the virtual view hooks, which the control implements and which do nothing here.
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
    static bool SamePos(const QPoint& a, const QPoint& b) { return a == b; }
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
    // Replaces the selection with the lines, each followed by a line break: what SetSelText
    // does with the lines joined, in one splice and without joining them (they may be views
    // of this text, as GetRangeViews gives them).
    void SetSelLines(const std::vector<QByteArrayView>& lines);
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

    void Clear();
    void UpdateView();
    void AppendLine(const QByteArray& s);
    int GetWidestLine() const { return Lines.WidestLine(); }

    void BeginUpdate();
    void EndUpdate();

    // Change handlers.
    void LinesChange(QObject* sender);
    virtual void CaretChanged(const QPoint& p);
    virtual void SelEndChanged(const QPoint& p);
    virtual void ScrollChanged(const QPoint& p);

    // Ctrl+End without Shift: the caret to the end of the last line.
    virtual void MoveToTextEnd();

    // View hooks: the control repaints, scrolls and places its caret; the model alone
    // does nothing.
    virtual void RepaintAll() {}
    virtual void PaintVisibleLines() {}
    virtual void PaintLine(int line) { (void)line; }
    virtual void RepaintLineArea(int line) { (void)line; }
    virtual void UpdateScrollBars() {}
    virtual void ScrollIntoView(const QPoint& p) { (void)p; }
    virtual void HideSystemCaret() {}
    virtual void ShowSystemCaret() {}
    virtual void PlaceSystemCaret() {}
    virtual void HideListMenu() {}
    // The lines that are at least partly visible (none for the model alone).
    virtual void VisibleLines(int* first, int* last) const;
    // The object passed as Sender for the model's own notifications.
    virtual QObject* SenderObject() { return nullptr; }

    // ---- Tags and search: writing and reading markup tags (EditorModelTags.cpp), finding
    // and replacing (EditorModelSearch.cpp). Letter-case modes are those of TagCase, search
    // flags those of SearchFlags (TextSearcher.h).

    // The tag under construction.
    TTagUnderConstruction BuildingTag;
    void BeginBuildingTag(const QByteArray& tagName, bool hasEndTag, const QByteArray& content);
    void AddTagAttribute(const QByteArray& name, const QByteArray& value);
    void AddTagAttributeNoVal(const QByteArray& name);
    void ChangeTagContent(const QByteArray& content);
    // Renders the tag into `tag`; leaves it as it was when read-only.
    void EndBuildingTag(quint8 letterCase, QByteArray& tag) const;
    // An empty element, or a paired one around the selection (which stays selected inside).
    void InsertSimpleTag(const QByteArray& tagName, bool hasEndTag, quint8 letterCase);

    // The tag around the caret, read from at most 501 characters before the selection start
    // and 500 from it: empty when none is found.
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

private:
    std::unique_ptr<TTextEditorExSettings> settings_;
};
