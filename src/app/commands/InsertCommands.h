#pragma once

#include "platform/Graphics.h"

#include <QByteArray>
#include <QString>

class TCommandRegistry;
class TCommandWindow;
class TEditorModel;
class THexColorDialog;

// How inserted tags are written: the tag case (1 upper case, 2 lower case, any other value:
// names as written) and the element names of the bold and italic commands. The values are
// read at every command (the settings may change them).
struct TTagStyle {
    const int& Case;
    const QString& BoldTag;
    const QString& ItalicTag;

    // The case mode the tag builder takes.
    quint8 CaseMode() const;
    // A text in the tag case.
    QByteArray Cased(const QByteArray& text) const;
};

// The "&Infoga" commands on the editor: simple elements, comments, the hard space, anchors,
// links to scripts and style sheets, the built-in style block and colours, all in the tag
// case. While the editor is hidden (preview mode) they write nothing. The anchor, link and
// colour commands ask for their input unless their request gives it.
class TInsertCommands {
public:
    TInsertCommands(TEditorModel& editor, TCommandWindow& window, const TTagStyle& style);

    // Registers IInsertParaP .. IInsertColor and IInsertHeading1 .. IInsertHeading6.
    void Register(TCommandRegistry& commands);

    // The colour the colour command last wrote or was confirmed with.
    TColor LastColor = clBlack;
    // The colour command's dialog ("Färg", "&Infoga kod"), made on first use.
    THexColorDialog* ColorDialog = nullptr;

private:
    void InsertElement(const QByteArray& name, bool hasEndTag);
    void InsertComment(const QByteArray& empty, int back, const QByteArray& before,
                       const QByteArray& after);
    void InsertAnchor(const QByteArray& name);
    void InsertLinkScript(const QByteArray& path);
    void InsertLinkStyle(const QByteArray& path);
    void InsertBuiltinStyle();
    void InsertColor(const TColor* given);
    // The one-line prompt; the answer in the document's encoding, empty when cancelled.
    QByteArray Ask(const QString& prompt, bool browse, int filterIndex);

    TEditorModel& editor_;
    TCommandWindow& window_;
    TTagStyle style_;
};
