#pragma once

#include "markup/wizards/WizardHead.h"

#include <QByteArrayList>
#include <QString>

// Everything the layout guide's controls hold.
struct TLayoutGuideFields {
    bool UseHeading = true;
    QString Heading;
    bool UseLinks = true;
    // The link table's rows: label and address; the table always shows at least one.
    TKeyValueRows Links{{QString(), QString()}};
    bool VerticalLinks = false;
    QString LinkStyle;
    bool UseContent = true;
    QString ContentStyle;
    bool UseFooter = true;
    QString Footer;
    QString FooterStyle;
};

// The layout blocks the layout guide adds to a page.
namespace LayoutGuideCode {

// The document's lines with the ticked blocks (heading, link bar, content area, footer), each
// one entry ending in CR LF, inserted in this order in front of the document's last three
// lines (in front of all of them when it has fewer).
QByteArrayList WriteCode(const QByteArrayList& documentLines, const TLayoutGuideFields& fields,
                         int tagCase);

// The opening of a block: a div start tag with the style when it is not empty, and CR LF.
QByteArray Div(const QString& style, int tagCase);

} // namespace LayoutGuideCode
