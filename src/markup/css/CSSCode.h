#pragma once

#include "platform/Graphics.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// The five forms the style-sheet editor writes its declarations in.
enum class TCSSMode : quint8 {
    RuleBlock = 0,      // a rule "selector { ... }" written into the document
    SpanElement = 1,    // a span element with a style attribute written into the document
    StyleAttribute = 2, // a style attribute written into the document
    Declarations = 3,   // the bare declarations handed back to the caller
    FixedRule = 4,      // a rule for a fixed selector handed back to the caller
};

// One property of the editor: written when enabled, as its value followed by its unit.
struct TCSSProperty {
    bool Enabled = false;
    QString Value;
    QString Unit;
};

// Everything the style-sheet editor's controls hold. Values are written as typed.
struct TCSSValues {
    QString Selector = QStringLiteral(".NyttBlock");
    TCSSProperty Width, Height, FontFamily, FontSize;
    bool FontColorEnabled = false;
    TColor FontColor = clBlack;
    bool BgColorEnabled = false;
    TColor BgColor = clWhite;
    TCSSProperty Boldness, Style, Decoration, LetterSpacing, WordSpacing, Align, VAlign, Indent,
        LeftMargin, RightMargin, TopMargin, LineHeight, Padding;
    // The border's three declarations are written together unless the style is "(ingen)".
    QString BorderStyle = QStringLiteral("(ingen)");
    TColor BorderColor = clBlack;
    QString BorderWidth = QStringLiteral("thin");
    // The list type, from the bullet list's field unless it is empty or "(standard)", else
    // from the numbered list's field under the same test.
    QString ULType, OLType;
    // Declarations the controls cannot show ("name:value"), written after the others.
    QStringList Extra;
};

namespace CSSCode {

// The declarations ("width:10px", ...) in the fixed order of the editor.
QStringList Declarations(const TCSSValues& values);

// The text of a mode. `preview` wraps it into a page fragment that shows sample text in it;
// `tagCase` 1 writes the fixed markup in upper case, anything else in lower case (the span's
// names follow the tag builder's case mode); `indent` starts each declaration of a rule.
QByteArray WriteCode(const TCSSValues& values, TCSSMode mode, bool preview, int tagCase,
                     const QByteArray& indent);

// Reads declarations ("color:#FF0000; width:10px") into values: each property the controls
// can show exactly is enabled with its value and unit, every other declaration is kept in
// Extra as written, so that writing the values again loses nothing.
void ReadDeclarations(const QString& text, TCSSValues* values);

// The choices of the unit and value lists.
const QStringList& LengthUnits();   // px pt em %
const QStringList& FontSizeUnits(); // px pt em
const QStringList& SpacingUnits();  // px pt cm
const QStringList& Boldnesses();
const QStringList& Styles();
const QStringList& Decorations();
const QStringList& Aligns();
const QStringList& VAligns();
const QStringList& BorderStyles(); // "(ingen)" first
const QStringList& BorderWidths();
const QStringList& ULTypes(); // "(standard)" first
const QStringList& OLTypes(); // "(standard)" first

} // namespace CSSCode
