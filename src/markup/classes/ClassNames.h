#pragma once

#include <QByteArray>
#include <QByteArrayList>

class LineStore;

// The class names a document defines, for the class picker and the class combos of the
// element dialogs. Names come from selectors only: a dot that starts a compound selector (at
// the start of the selector, after a blank, a line break or one of ">+~,(") followed by
// identifier characters. Declaration blocks, comments and strings are skipped, so
// "padding:0 .5em" gives nothing, and "p.intro" gives nothing either (the dot follows a
// letter). Names keep their order; duplicates stay.
namespace ClassNames {

QByteArrayList FromStyleSheet(const QByteArray& css);

// What one pass over a document finds: the names of its STYLE blocks in document order, and
// the href of every LINK whose rel is exactly "stylesheet", in order.
struct TDocumentScan {
    QByteArrayList StyleNames;
    QByteArrayList LinkedSheets;
};
TDocumentScan ScanDocument(const LineStore& lines);

} // namespace ClassNames
