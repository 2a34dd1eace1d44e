#include "controls/SpecialChartersMath.h"

namespace {

const char* const kEntities =
    "&deg; &micro; &plusmn; &times; &divide; &radic; &sum; &prod; &infin; &int; "
    "&equiv; &asymp; &ne; &lt; &gt; &le; &ge; &frac14; &frac12; &frac34;";

const char* const kItems =
    "\xB0 m \xB1 \xB4 \xB8 \xD6 \xE5 \xD5 \xA5 \xF2 \xBA \xBB \xB9 < > \xA3 \xB3 "
    "1/4 1/2 3/4";

} // namespace

TSpecialChartersMath::TSpecialChartersMath(QWidget* parent)
    : TSpecialChartersCombo(parent, QStringLiteral("Symbol"), TEncoding::Symbol, kEntities,
                            kItems) {}
