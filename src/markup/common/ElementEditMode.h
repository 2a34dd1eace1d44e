#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QString>
#include <QtGlobal>
#include <vector>

class TEditorModel;
class Tmain;
class QWidget;

// One attribute of a start tag as written: its name, its value without quotes, whether it
// had a value at all, and its whole text from the name through the value's closing quote.
struct TReadAttribute {
    QByteArray Name;
    QByteArray Value;
    bool HasValue = false;
    QByteArray Raw;
};

// A start tag split into its element name and its attributes, in their order. Values may be
// double-quoted, single-quoted or bare; attributes without a value are listed too.
struct TReadStartTag {
    QByteArray Name;
    std::vector<TReadAttribute> Attributes;
    bool SelfClosed = false; // ends with "/>"

    static TReadStartTag Parse(const QByteArray& tag);
};

// What a dialog writes: the text that replaces the selection and where the caret ends,
// counted from the start of that text.
struct TGeneratedMarkup {
    QByteArray Text;
    int Caret = 0;
};

// How an element dialog treats the tag at the caret (the selection start). The dialog of one
// element (`element`, compared without regard to case) either
//  - edits it: the caret stands in a start tag of that element, or in an end tag whose start
//    tag is found by depth. The span runs from the start tag through its matching end tag
//    (nested elements of the same name counted), or is the start tag alone for an empty
//    element, a tag closed with "/>" or a start tag without an end tag;
//  - refuses: the caret stands in any other tag, or in an end tag of the element whose start
//    tag cannot be found. Nothing may be written there;
//  - or makes a new element that replaces the selection.
// The tag at the caret is read from at most 501 characters before it and 500 after it; the
// search for the other tag of an element reads the text in blocks, only as far as needed.
class TElementEditMode {
public:
    enum class TKind { New, Edit, Refused };

    // The text every refusal shows.
    static QString RefusalMessage();

    // Looks at the tag at the caret for the dialog of `element`; `paired`: the element has an
    // end tag (false for IMG, HR).
    static TElementEditMode Inspect(const TEditorModel& editor, const QByteArray& element,
                                    bool paired);
    // Inspect, then act on it: an element being edited is selected whole; a refusal shows
    // RefusalMessage() through the window's message box and hides `generate`.
    static TElementEditMode Begin(Tmain& window, const QByteArray& element, bool paired,
                                  QWidget* generate);

    TKind Kind() const { return kind_; }
    bool IsEdit() const { return kind_ == TKind::Edit; }
    bool IsRefused() const { return kind_ == TKind::Refused; }

    // Edit mode: the start tag as written, its parts, the content between start and end tag
    // (empty without an end tag) and whether an end tag was found.
    const QByteArray& StartTagText() const { return startTagText_; }
    const TReadStartTag& StartTag() const { return startTag_; }
    const QByteArray& Content() const { return content_; }
    bool HasEndTag() const { return hasEndTag_; }
    // The element's offsets in the text: [SpanStart, SpanEnd).
    qint64 SpanStart() const { return spanStart_; }
    qint64 SpanEnd() const { return spanEnd_; }

    // The value of the first attribute of that name (any case); empty when absent.
    QByteArray Attribute(const QByteArray& name) const;
    // True when the attribute is written, with or without a value.
    bool HasAttribute(const QByteArray& name) const;

    // Selects the element in the editor (edit mode only).
    void Select(TEditorModel& editor) const;

    // The attributes of the start tag that a dialog does not show (names in `shown`, any
    // case; a second attribute of a shown name counts as not shown), each as written and
    // preceded by one blank, in their order. Empty for a new element.
    QByteArray Carried(const QByteArrayList& shown) const;

    // Puts `extra` (attributes, each preceded by a blank) at the end of the first start tag
    // of builder output, before its " />" or ">".
    static QByteArray WithAttributes(const QByteArray& rendered, const QByteArray& extra);

    // Writes generated markup in place of the selection of the window's editor as one undo
    // step and puts the caret where the markup says. Nothing happens when the editor is
    // read-only.
    static void Write(Tmain& window, const TGeneratedMarkup& markup);

private:
    TKind kind_ = TKind::New;
    QByteArray startTagText_;
    TReadStartTag startTag_;
    QByteArray content_;
    bool hasEndTag_ = false;
    qint64 spanStart_ = -1;
    qint64 spanEnd_ = -1;
};
