#include "controls/PanelCaption.h"

#include "controls/GradientControl.h"

#include <QPalette>

TPanelCaption::TPanelCaption(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::NoFrame);
    resize(width(), 23);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, ToQColor(clBtnShadow));
    pal.setColor(QPalette::WindowText, Qt::white);
    setPalette(pal);
    QFont f(QStringLiteral("Tahoma"));
    f.setPointSize(8);
    f.setBold(true);
    setFont(f);

    gradient_ = new TGradientControl(this);
    gradient_->setGeometry(rect());
    gradient_->SetColor1(clBlack);
    gradient_->SetColor2(RGBColor(68, 68, 68));
    gradient_->SetFontName(QStringLiteral("Tahoma"));
    gradient_->SetFontSize(10);
    gradient_->SetFontColor(clWhite);
    gradient_->SetBorderWidth(1);
    gradient_->SetBorderColor(gradient_->Color1());
    gradient_->SetGradientDirection(gdVertical);
    gradient_->SetCaption(captionText_);
}

void TPanelCaption::SetCaptionText(const QString& value) {
    captionText_ = value;
    gradient_->SetCaption(value);
}

void TPanelCaption::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    if (frameStyle() != QFrame::NoFrame)
        setFrameStyle(QFrame::NoFrame);
}

void TPanelCaption::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    gradient_->setGeometry(rect());
}
