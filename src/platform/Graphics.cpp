#include "platform/Graphics.h"

#include <QGuiApplication>
#include <QPalette>

TColor ColorToRGB(TColor color) {
    if ((color & 0xFF000000u) != clSystemColor)
        return color & 0xFFFFFF;
    const QPalette pal = QGuiApplication::palette();
    QColor c;
    switch (color) {
    case clWindow:
        c = pal.color(QPalette::Active, QPalette::Base);
        break;
    case clWindowText:
        c = pal.color(QPalette::Active, QPalette::Text);
        break;
    case clHighlight:
        c = pal.color(QPalette::Active, QPalette::Highlight);
        break;
    case clHighlightText:
        c = pal.color(QPalette::Active, QPalette::HighlightedText);
        break;
    case clBtnFace:
        c = pal.color(QPalette::Active, QPalette::Button);
        break;
    case clBtnText:
        c = pal.color(QPalette::Active, QPalette::ButtonText);
        break;
    case clInfoBk:
        c = pal.color(QPalette::Active, QPalette::ToolTipBase);
        break;
    case clInfoText:
        c = pal.color(QPalette::Active, QPalette::ToolTipText);
        break;
    case clBtnShadow:
        c = pal.color(QPalette::Active, QPalette::Dark);
        break;
    case clBtnHighlight:
        c = pal.color(QPalette::Active, QPalette::Light);
        break;
    case clActiveCaption:
        c = pal.color(QPalette::Active, QPalette::Highlight);
        break;
    case clGradientActiveCaption: {
        // The caption colour lightened halfway towards the window colour.
        const QColor a = pal.color(QPalette::Active, QPalette::Highlight);
        const QColor b = pal.color(QPalette::Active, QPalette::Base);
        c = QColor((a.red() + b.red()) / 2, (a.green() + b.green()) / 2, (a.blue() + b.blue()) / 2);
        break;
    }
    default:
        c = QColor(Qt::black);
        break;
    }
    return FromQColor(c);
}

QColor ToQColor(TColor color) {
    const TColor rgb = ColorToRGB(color);
    return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}

TColor FromQColor(const QColor& color) {
    return RGBColor(color.red(), color.green(), color.blue());
}

TFontStyles StylesOf(const QFont& font) {
    TFontStyles s = 0;
    if (font.bold())
        s |= fsBold;
    if (font.italic())
        s |= fsItalic;
    if (font.underline())
        s |= fsUnderline;
    if (font.strikeOut())
        s |= fsStrikeOut;
    return s;
}

void ApplyStyles(QFont* font, TFontStyles styles) {
    font->setBold(styles & fsBold);
    font->setItalic(styles & fsItalic);
    font->setUnderline(styles & fsUnderline);
    font->setStrikeOut(styles & fsStrikeOut);
}
