#pragma once

#include "controls/SpecialChartersCombo.h"

// Greek letters, 49 entries, in the Symbol font.
class TSpecialChartersGreek : public TSpecialChartersCombo {
public:
    explicit TSpecialChartersGreek(QWidget* parent = nullptr);
};
