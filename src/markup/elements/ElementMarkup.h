#pragma once

#include "markup/common/ElementEditMode.h"

#include <QByteArray>
#include <QString>

// The markup of the element dialogs, from their fields. Attributes are written in a fixed
// order per element, each only when its field is not empty, names in the tag case (1 upper,
// 2 lower, else as here), values as typed. `carried` (attributes as written, each after a
// blank) ends the start tag: what an edited element had beyond the dialog's fields.
namespace ElementMarkup {

struct TLinkFields {
    QByteArray Href, Target, Title, Class, Style;
    QByteArray Content; // the old content when editing, else empty
};
// The caret stands in front of the end tag.
TGeneratedMarkup Link(const TLinkFields& f, int tagCase, const QByteArray& carried = {});

struct TImageFields {
    QByteArray Src, Alt, Class, Style, Align, Width, Height, HSpace, VSpace, Border;
};
TGeneratedMarkup Image(const TImageFields& f, int tagCase, const QByteArray& carried = {});

struct TRuleFields {
    QByteArray Class, Style, Width, Size;
    bool UseColor = false;
    QByteArray Color; // written as it stands
    bool NoShade = false;
};
TGeneratedMarkup Rule(const TRuleFields& f, int tagCase, const QByteArray& carried = {});

// ACRONYM, ABBR (with a title), CITE and DFN: a paired element around its text.
TGeneratedMarkup Phrase(const QByteArray& element, const QByteArray& content,
                        const QByteArray& title, int tagCase, const QByteArray& carried = {});

// The acronym of an expansion: its first character and every character that follows a
// blank, each in its own case ("Tid på X" gives "TpX").
QString DerivedAcronym(const QString& title);

// The builder's case mode for a TagCase value.
quint8 CaseMode(int tagCase);

} // namespace ElementMarkup
