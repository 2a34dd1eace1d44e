#pragma once

#include "controls/SpecialChartersCombo.h"

// Mathematical signs, 20 entries, in the Symbol font.
class TSpecialChartersMath : public TSpecialChartersCombo {
public:
    explicit TSpecialChartersMath(QWidget* parent = nullptr);
};
