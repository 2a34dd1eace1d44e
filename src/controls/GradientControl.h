#pragma once

#include "platform/Graphics.h"

#include <QString>
#include <QWidget>

enum TGradientDirection { gdHorizontal, gdVertical };

// A two-colour gradient with an optional border and a caption 12 pixels from the left.
class TGradientControl : public QWidget {
public:
    explicit TGradientControl(QWidget* parent = nullptr);

    TColor Color1() const { return color1_; }
    void SetColor1(TColor value);
    TColor Color2() const { return color2_; }
    void SetColor2(TColor value);
    TGradientDirection GradientDirection() const { return direction_; }
    void SetGradientDirection(TGradientDirection value);
    QString Caption() const { return caption_; }
    void SetCaption(const QString& value);
    QString FontName() const { return fontName_; }
    void SetFontName(const QString& value);
    int FontSize() const { return fontSize_; }
    void SetFontSize(int value);
    TColor FontColor() const { return fontColor_; }
    void SetFontColor(TColor value);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int value);
    TColor BorderColor() const { return borderColor_; }
    void SetBorderColor(TColor value);

    // The colour of the gradient line at offset i of a run of length n (column or row).
    static TColor GradientColor(TColor c1, TColor c2, int i, int n);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    template <typename T> void Assign(T& field, const T& value);

    TColor color1_ = clBlack;
    TColor color2_ = clWhite;
    TGradientDirection direction_ = gdHorizontal;
    QString caption_;
    QString fontName_;
    int fontSize_ = 0;
    TColor fontColor_ = clBlack;
    int borderWidth_ = 0;
    TColor borderColor_ = clBlack;
};
