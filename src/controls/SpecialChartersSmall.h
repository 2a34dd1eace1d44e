#pragma once

#include "controls/SpecialChartersCombo.h"

// Lower-case accented letters, 32 entries, in the Verdana font.
class TSpecialChartersSmall : public TSpecialChartersCombo {
public:
    explicit TSpecialChartersSmall(QWidget* parent = nullptr);
};
