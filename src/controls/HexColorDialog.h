#pragma once

#include "platform/Graphics.h"

#include <QObject>
#include <QString>
#include <optional>

// Colour text: "#" and two upper-case hexadecimal digits each for red, green and blue.
namespace HexColor {

// The top byte (system colour flag) is ignored.
QString ColorText(TColor color);
// Text of 7 characters beginning with "#" reads as that colour (digits in either case), or
// nullopt when one of them is no hexadecimal digit; any other text reads as black.
std::optional<TColor> ReadColorText(const QString& text);
// True for text of the one shape that names a colour: "#" and six hexadecimal digits.
bool IsColorText(const QString& text);

} // namespace HexColor

// Shows the colour dialog modally and hands back the chosen colour.
class THexColorDialog : public QObject {
public:
    explicit THexColorDialog(QObject* owner = nullptr);

    TColor CurrentColor = clBlack;
    QString Title;
    QString BtnCaption;

    // True when the dialog was closed with its insert button; CurrentColor is then the chosen
    // colour, otherwise it is left as it was.
    bool Execute();
};
