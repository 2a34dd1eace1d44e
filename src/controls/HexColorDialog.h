#pragma once

#include "platform/ColorText.h"
#include "platform/Graphics.h"

#include <QObject>
#include <QString>
#include <optional>

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
