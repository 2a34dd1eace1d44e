#pragma once

#include <QLabel>
#include <QRect>
#include <QString>

// The program's hint window. It is a tool-tip window of the window system, which is the kind
// of window the desktop's compositor gives a drop shadow where it offers one.
class TShadowedHintWindow : public QLabel {
public:
    explicit TShadowedHintWindow(QWidget* parent = nullptr);

    // The rectangle the hint needs for a text, at most maxWidth wide, at the origin.
    QRect CalcHintRect(int maxWidth, const QString& text) const;
    // Shows the text in the rectangle (screen coordinates).
    void ActivateHint(const QRect& rect, const QString& text);
};
