#pragma once

#include "controls/SpecialChartersCombo.h"

// Typographic signs and currency, 14 entries, in the Verdana font.
class TSpecialChartersText : public TSpecialChartersCombo {
public:
    explicit TSpecialChartersText(QWidget* parent = nullptr);
};
