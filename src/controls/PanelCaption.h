#pragma once

#include <QFrame>
#include <QString>

class TGradientControl;

// The heading bar of dialogs and side panels: 23 pixels of vertical fade from black to
// (68, 68, 68) with a black frame and white bold text.
class TPanelCaption : public QFrame {
public:
    explicit TPanelCaption(QWidget* parent = nullptr);

    QString CaptionText() const { return captionText_; }
    void SetCaptionText(const QString& value);

    TGradientControl* Gradient() const { return gradient_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QString captionText_;
    TGradientControl* gradient_;
};
