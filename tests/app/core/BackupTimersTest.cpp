#include "app/core/AppTimer.h"
#include "app/core/DebounceTimers.h"
#include "platform/SilentAbort.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class DebounceTest : public ::testing::Test {
protected:
    DebounceTest() {
        timers_.ASU.OnTimer = [this] { ++tagUpdates_; };
        timers_.AUU.OnTimer = [this] { ++snapshots_; };
        timers_.Busy = [this] { return busy_; };
    }
    void Step(int ms) {
        clock_.Advance(ms);
        timers_.Poll();
    }

    TManualClock clock_;
    TDebounceTimers timers_{&clock_};
    bool busy_ = false;
    int tagUpdates_ = 0, snapshots_ = 0;
    TEditorActivity typing_;
};

TEST_F(DebounceTest, FiveSecondsOfTypingGiveOneSnapshotOneSecondAfterThePause) {
    for (int t = 0; t < 5000; t += 150) {
        timers_.EditorChanged(typing_);
        Step(150);
    }
    EXPECT_EQ(snapshots_, 0);
    Step(849);
    EXPECT_EQ(snapshots_, 0);
    Step(1);
    EXPECT_EQ(snapshots_, 1);
    Step(5000);
    EXPECT_EQ(snapshots_, 1);
    EXPECT_FALSE(timers_.AUU.IsActive());
}

TEST_F(DebounceTest, ChangesArmOnlyTheirTimers) {
    struct Case {
        const char* what;
        TEditorActivity state;
        int snapshots;
    };
    const Case cases[] = {
        {"typing", {false, false, false}, 1},
        {"starting up", {true, false, false}, 0},
        {"switching tabs", {false, true, false}, 0},
        {"closing a document", {false, false, true}, 0},
    };
    for (const Case& c : cases) {
        snapshots_ = 0;
        timers_.EditorChanged(c.state);
        Step(1000);
        EXPECT_EQ(snapshots_, c.snapshots) << c.what;
    }
    timers_.SelectionMoved(true);
    Step(1000);
    EXPECT_EQ(tagUpdates_, 0);
    timers_.SelectionMoved(false);
    Step(1000);
    EXPECT_EQ(tagUpdates_, 1);
}

TEST_F(DebounceTest, NothingHappensWhileATabSwitchOrCloseIsUnderWay) {
    timers_.EditorChanged(typing_);
    timers_.SelectionMoved(false);
    busy_ = true;
    Step(1000);
    EXPECT_EQ(snapshots_, 0);
    EXPECT_EQ(tagUpdates_, 1);
    busy_ = false;
    Step(1000);
    EXPECT_EQ(snapshots_, 0);

    // A switch that puts another text in the editor drops the snapshot due for the old one.
    timers_.EditorChanged(typing_);
    TEditorActivity switching;
    switching.SwitchingTab = true;
    timers_.EditorChanged(switching);
    Step(1000);
    EXPECT_EQ(snapshots_, 0);

    // Undo and redo: the text they put back is no new snapshot.
    timers_.EditorChanged(typing_);
    timers_.UndoneOrRedone();
    Step(1000);
    EXPECT_EQ(snapshots_, 0);
}

TEST(AppTimerTest, ATickRepeatsAndNeverRunsInsideItself) {
    TManualClock clock;
    TAppTimer backup(60000, true, &clock);
    int ticks = 0, nested = 0;
    backup.OnTimer = [&] {
        ++ticks;
        // A modal box of the handler: its event loop sees the next minute come due.
        clock.Advance(60000);
        backup.Poll();
        nested += backup.IsRunning() ? 1 : 0;
    };
    backup.Start();
    clock.Advance(59999);
    backup.Poll();
    EXPECT_EQ(ticks, 0);
    clock.Advance(1);
    backup.Poll();
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(nested, 1);
    EXPECT_FALSE(backup.IsRunning());
    clock.Advance(60000);
    backup.Poll();
    EXPECT_EQ(ticks, 2);
    backup.Stop();
    clock.Advance(120000);
    backup.Poll();
    EXPECT_EQ(ticks, 2);
}

TEST(AppTimerTest, WhatTheHandlerThrowsStaysInTheTimer) {
    TManualClock clock;
    TAppTimer tick(1000, true, &clock);
    QStringList seen;
    SetUnexpectedExceptionHandler([&seen](const QString& cls, const QString&) { seen << cls; });
    int runs = 0;
    tick.OnTimer = [&runs] {
        if (++runs == 1)
            Abort();
        throw EKelvoraError(QStringLiteral("EInOutError"), QStringLiteral("disk"));
    };
    tick.Start();
    clock.Advance(1000);
    EXPECT_NO_THROW(tick.Poll());
    clock.Advance(1000);
    EXPECT_NO_THROW(tick.Poll());
    SetUnexpectedExceptionHandler({});
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(seen, QStringList{"EInOutError"});
    EXPECT_TRUE(tick.IsActive());
}

TEST(AppTimerTest, OnTheSystemClockQtDoesTheWaiting) {
    TAppTimer debounce(20, false);
    int fired = 0;
    debounce.OnTimer = [&fired] { ++fired; };
    QElapsedTimer waited;
    waited.start();
    debounce.Restart();
    EXPECT_TRUE(debounce.IsActive());
    // However slow the machine: not before the interval, and once only (nothing stays armed).
    ASSERT_TRUE(QTest::qWaitFor([&fired] { return fired > 0; }, 60000));
    EXPECT_GE(waited.elapsed(), 20);
    EXPECT_FALSE(debounce.IsActive());
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    EXPECT_EQ(fired, 1);
}

} // namespace
