#pragma once

#include <QElapsedTimer>
#include <QObject>

// Looks for a pending Esc between the statements of a run. A look lets the queued events
// through once, with every user input swallowed on the way: an Esc press is noted, other keys
// and clicks are dropped, and a close of a window by the window system is refused. Looks
// closer together than the interval are skipped, so that a fast run pays for few of them.
class TEscapeWatch : public QObject {
public:
    explicit TEscapeWatch(int intervalMs = 25);

    // Starts watching for a new run: no Esc noted, the next look due after the interval.
    void Restart();
    // True when an Esc was pressed since Restart. Looks only when the interval has passed,
    // or at once with `now`.
    bool Pending(bool now = false);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int intervalMs_;
    QElapsedTimer since_;
    bool escape_ = false;
};
