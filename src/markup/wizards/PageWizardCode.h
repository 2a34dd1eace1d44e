#pragma once

#include "markup/wizards/WizardHead.h"
#include "platform/Graphics.h"

#include <QByteArrayList>
#include <QStringList>

// Everything the page wizard's controls hold, in the state they have when it opens.
struct TPageWizardFields {
    TPageHead Head = WizardHead::Defaults(WizardHead::StrictDoctype());
    QStringList LinkedCSS;
    QStringList LinkedJS;
    bool UseBgColor = false;
    TColor BgColor = clWhite;
    QString BgImage;
    QString BgRepeat;
    QString BgPosition;
    bool UseMargins = false;
    // As typed; an empty field counts as 0.
    QString MarginRight = QStringLiteral("0");
    QString MarginLeft = QStringLiteral("0");
    QString MarginTop = QStringLiteral("0");
    QString MarginBottom = QStringLiteral("0");
    // One "selector=rule" entry per formatted selector, the rule in its stored form
    // (EncodeRule).
    QStringList StyleGroups;
    // The text of the content editor: every line followed by CR LF.
    QByteArray Content;
    bool operator==(const TPageWizardFields&) const = default;
};

// The page the page wizard writes.
namespace PageWizardCode {

// The page, one entry per line; the style rules and the content are one entry each and hold
// CR LF. With `preview` an empty content is replaced by a sample body whose first link points
// at `sampleLinkNumber`, so that it shows unvisited. `indent` is one indentation unit.
QByteArrayList WriteCode(const TPageWizardFields& fields, bool preview, int tagCase,
                         const QByteArray& indent, int sampleLinkNumber = 0);

// The sample body of the preview, one entry per line.
QByteArrayList SampleBody(int linkNumber);

// A rule as a group entry stores it: every backslash doubled and every line break written as
// backslash and n, so the entry is one line.
QString EncodeRule(const QString& rule);
// The rule of a group entry as code: backslash-n becomes CR LF, a doubled backslash one
// backslash and the placeholder \KVDEFIND one indentation unit; any other backslash stays.
QByteArray DecodeRule(const QByteArray& stored, const QByteArray& indent);

// The selector of a group entry (the text before the first "=") and its stored rule.
QString GroupSelector(const QString& entry);
QString GroupRule(const QString& entry);

} // namespace PageWizardCode
