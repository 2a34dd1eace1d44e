#include "controls/SpecialChartersCaps.h"

namespace {

const char* const kEntities =
    "&Aring; &Auml; &Aacute; &Agrave; &Acirc; &Atilde; &AElig; &Euml; &Eacute; "
    "&Egrave; &Ecirc; &Ntilde; &Ouml; &Oacute; &Ograve; &Ocirc; &Otilde; &Iuml; "
    "&Iacute; &Icirc; &Uuml; &Uacute; &Ugrave; &Ucirc; &Ccedil; &Igrave; &Oslash; "
    "&OElig; &szlig; &yuml; &ETH; &THORN;";

const char* const kItems =
    "\xC5 \xC4 \xC1 \xC0 \xC2 \xC3 \xC6 \xCB \xC9 \xC8 \xCA \xD1 \xD6 \xD3 \xD2 "
    "\xD4 \xD5 \xCF \xCD \xCE \xDC \xDA \xD9 \xDB \xC7 \xCC \xD8 \x8C \xDF \xFF "
    "\xD0 \xDE";

} // namespace

TSpecialChartersCaps::TSpecialChartersCaps(QWidget* parent)
    : TSpecialChartersCombo(parent, QStringLiteral("Verdana"), TEncoding::Cp1252, kEntities,
                            kItems) {}
