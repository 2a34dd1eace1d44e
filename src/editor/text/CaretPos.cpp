#include "editor/text/CaretPos.h"

void TCaretPos::Notify() {
    if (OnChange)
        OnChange(GetPos());
}

void TCaretPos::SetX(int value) {
    if (value != X) {
        X = value;
        Notify();
    }
}

void TCaretPos::SetY(int value) {
    if (value != Y) {
        Y = value;
        Notify();
    }
}

void TCaretPos::SetPos(const QPoint& p) {
    if (p.x() != X || p.y() != Y) {
        X = p.x();
        Y = p.y();
        Notify();
    }
}

void TCaretPos::SetPosSilently(const QPoint& p) {
    X = p.x();
    Y = p.y();
}

void TCaretPos::SetPosAndNotify(const QPoint& p) {
    X = p.x();
    Y = p.y();
    Notify();
}
