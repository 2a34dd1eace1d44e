#pragma once

// Collects the regions a widget (usually an editor's viewport) is asked to paint.
#include <QEvent>
#include <QObject>
#include <QPaintEvent>
#include <QRegion>

class PaintSpy : public QObject {
public:
    QRegion painted;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent*>(e)->region();
        return false;
    }
};
