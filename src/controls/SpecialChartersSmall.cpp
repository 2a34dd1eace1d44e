#include "controls/SpecialChartersSmall.h"

namespace {

const char* const kEntities =
    "&aring; &auml; &aacute; &agrave; &acirc; &atilde; &aelig; &euml; &eacute; "
    "&egrave; &ecirc; &ntilde; &ouml; &oacute; &ograve; &ocirc; &otilde; &iuml; "
    "&iacute; &icirc; &uuml; &uacute; &ugrave; &ucirc; &ccedil; &igrave; &oslash; "
    "&oelig; &szlig; &yuml; &eth; &thorn;";

const char* const kItems =
    "\xE5 \xE4 \xE1 \xE0 \xE2 \xE3 \xE6 \xEB \xE9 \xE8 \xEA \xF1 \xF6 \xF3 \xF2 "
    "\xF4 \xF5 \xEF \xED \xEE \xFC \xFA \xF9 \xFB \xE7 \xEC \xF8 \x9C \xDF \xFF "
    "\xF0 \xFE";

} // namespace

TSpecialChartersSmall::TSpecialChartersSmall(QWidget* parent)
    : TSpecialChartersCombo(parent, QStringLiteral("Verdana"), TEncoding::Cp1252, kEntities,
                            kItems) {}
