#pragma once

#include <QDateTime>
#include <QObject>
#include <QTimer>
#include <functional>

// The time the main window's timers and the backup purge read. The program runs on the system
// clock; tests drive a manual one.
class TClock {
public:
    virtual ~TClock() = default;
    // Milliseconds on a clock that never goes back.
    virtual qint64 NowMs() const = 0;
    // The local date and time.
    virtual QDateTime Now() const = 0;
    // True when the timers may hand their waiting to Qt's event loop.
    virtual bool IsReal() const { return false; }
};

TClock& SystemClock();

// A clock that moves only when told to.
class TManualClock : public TClock {
public:
    explicit TManualClock(QDateTime start = QDateTime(QDate(2026, 3, 9), QTime(12, 0)))
        : start_(std::move(start)) {}
    qint64 NowMs() const override { return ms_; }
    QDateTime Now() const override { return start_.addMSecs(ms_); }
    void Advance(qint64 ms) { ms_ += ms; }

private:
    QDateTime start_;
    qint64 ms_ = 0;
};

// One GUI timer of the main window: a debounce that fires once, one interval after its last
// restart, or a repeating tick. Its handler never runs inside itself (a modal box it opens runs
// a nested event loop in which the timer comes due again) and does nothing while the guard
// says so. On the system clock a QTimer does the waiting; on a manual clock the caller moves
// the clock and calls Poll().
class TAppTimer : public QObject {
public:
    TAppTimer(int intervalMs, bool repeating, TClock* clock = nullptr, QObject* parent = nullptr);

    std::function<void()> OnTimer;
    // True while the handler must not run; a debounce that comes due then is dropped, a tick is
    // skipped.
    std::function<bool()> Guard;

    // Moves the timer onto another clock (tests drive a manual one); it is stopped.
    void SetClock(TClock* clock);
    int Interval() const { return interval_; }
    void SetInterval(int ms);
    bool IsActive() const { return active_; }
    bool IsRunning() const { return running_; }
    // Disables and enables again, so the full interval starts anew.
    void Restart();
    void Start() { Restart(); }
    void Stop();
    // Runs the handler when the timer has come due.
    void Poll();

private:
    void Arm(qint64 ms);

    TClock* clock_;
    QTimer timer_;
    int interval_;
    bool repeating_;
    bool active_ = false;
    bool running_ = false;
    qint64 due_ = 0;
};
