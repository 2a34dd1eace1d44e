#pragma once

#include <QStyle>
#include <QWidget>

class QLabel;
class QVBoxLayout;

// The top band of the program's boxes: framed in the highlight colour, a highlight-coloured
// square with an icon at its left, the box's texts beside it from a given left edge.
class TBoxBand : public QWidget {
    Q_OBJECT
public:
    TBoxBand(QStyle::StandardPixmap icon, int textLeft, QWidget* parent = nullptr);

    // Adds a text label below the ones already there.
    void AddText(QLabel* label);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QVBoxLayout* texts_;
};
