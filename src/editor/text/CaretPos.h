#pragma once

#include <QPoint>
#include <functional>

// A text position (column X, line Y, both from 0) with a change callback.
class TCaretPos {
public:
    int X = 0;
    int Y = 0;
    std::function<void(const QPoint&)> OnChange;

    void SetX(int value);
    void SetY(int value);
    void SetPos(const QPoint& p);
    void SetPosSilently(const QPoint& p);
    void SetPosAndNotify(const QPoint& p);
    QPoint GetPos() const { return QPoint(X, Y); }

private:
    void Notify();
};
