#pragma once

#include "platform/Graphics.h"

#include <QString>
#include <optional>

// Colour text: "#" and two upper-case hexadecimal digits each for red, green and blue.

// The top byte (system colour flag) is ignored.
QString ColorToHTML(TColor color);
// Text of 7 characters beginning with "#" reads as that colour (digits in either case), or
// nullopt when one of them is no hexadecimal digit; any other text reads as black.
std::optional<TColor> HTMLToColor(const QString& text);
// True for text of the one shape that names a colour: "#" and six hexadecimal digits.
bool IsColorText(const QString& text);
