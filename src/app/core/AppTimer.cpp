#include "app/core/AppTimer.h"

#include "platform/FlagScope.h"
#include "platform/SilentAbort.h"

#include <QElapsedTimer>

namespace {

class TSystemClock : public TClock {
public:
    TSystemClock() { elapsed_.start(); }
    qint64 NowMs() const override { return elapsed_.elapsed(); }
    QDateTime Now() const override { return QDateTime::currentDateTime(); }
    bool IsReal() const override { return true; }

private:
    QElapsedTimer elapsed_;
};

} // namespace

TClock& SystemClock() {
    static TSystemClock clock;
    return clock;
}

TAppTimer::TAppTimer(int intervalMs, bool repeating, TClock* clock, QObject* parent)
    : QObject(parent), clock_(clock ? clock : &SystemClock()), interval_(intervalMs),
      repeating_(repeating) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, [this] { Poll(); });
}

void TAppTimer::SetClock(TClock* clock) {
    Stop();
    clock_ = clock ? clock : &SystemClock();
}

void TAppTimer::SetInterval(int ms) {
    interval_ = ms;
    if (active_)
        Restart();
}

void TAppTimer::Arm(qint64 ms) {
    if (clock_->IsReal())
        timer_.start(static_cast<int>(qMax<qint64>(0, ms)));
}

void TAppTimer::Restart() {
    active_ = true;
    due_ = clock_->NowMs() + interval_;
    Arm(interval_);
}

void TAppTimer::Stop() {
    active_ = false;
    timer_.stop();
}

void TAppTimer::Poll() {
    if (!active_)
        return;
    const qint64 now = clock_->NowMs();
    if (now < due_) {
        Arm(due_ - now);
        return;
    }
    if (repeating_) {
        due_ = now + interval_;
        Arm(interval_);
    } else {
        active_ = false;
    }
    if (running_ || (Guard && Guard()))
        return;
    if (!OnTimer)
        return;
    // A timer event is a command boundary: nothing thrown leaves it.
    const FlagScope running(running_);
    RunCommand(OnTimer);
}
