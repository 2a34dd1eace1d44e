#pragma once

#include <QFont>

// The face a grid of fixed character cells is drawn in: the named font when the system has it
// or matches it with a fixed-pitch face, otherwise a fixed-pitch face of the same size and
// style, so that every character fills its cell the same way.
QFont FixedPitchFont(const QFont& named);

// Whether every character of the font advances by the same width.
bool IsFixedPitch(const QFont& font);
