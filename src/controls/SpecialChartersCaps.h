#pragma once

#include "controls/SpecialChartersCombo.h"

// Capital accented letters, with the lower-case sharp s and y diaeresis that have no capital in
// Windows-1252, 32 entries, in the Verdana font.
class TSpecialChartersCaps : public TSpecialChartersCombo {
public:
    explicit TSpecialChartersCaps(QWidget* parent = nullptr);
};
