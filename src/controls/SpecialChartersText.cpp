#include "controls/SpecialChartersText.h"

namespace {

const char* const kEntities =
    "&copy; &reg; &trade; &sbquo; &bdquo; &lsquo; &rsquo; &ldquo; &rdquo; &euro; "
    "&cent; &pound; &iexcl; &iquest;";

const char* const kItems = "\xA9 \xAE \x99 \x82 \x84 \x91 \x92 \x93 \x94 \x80 \xA2 \xA3 \xA1 \xBF";

} // namespace

TSpecialChartersText::TSpecialChartersText(QWidget* parent)
    : TSpecialChartersCombo(parent, QStringLiteral("Verdana"), TEncoding::Cp1252, kEntities,
                            kItems) {}
