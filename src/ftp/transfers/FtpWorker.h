#pragma once

#include <QMutex>
#include <QThread>
#include <QWaitCondition>
#include <atomic>
#include <functional>
#include <memory>

class TFtpSession;

// A thread of the FTP client: works off the main thread and never touches a widget. Its
// messages are shown on the main thread (by `tell`) while it waits; asked to stop, it drops
// the messages it waits for and ends the running FTP operation, so that the main thread never
// waits on a worker that waits on it.
class TFtpWorker : public QThread {
public:
    using Tell = std::function<void(const QString& text)>;

    TFtpWorker(std::shared_ptr<TFtpSession> session, Tell tell, QObject* parent = nullptr);
    // Stops work that still runs and waits for the thread.
    ~TFtpWorker() override;

    // Asks the work to stop; any thread.
    void RequestStop();
    bool StopRequested() const { return stop_; }
    // Asks the work to stop and waits up to `ms` milliseconds; true when the thread ended.
    bool StopAndWait(int ms);

protected:
    virtual void Work() = 0;
    // Shows a text on the main thread and waits until it is closed; false (nothing shown)
    // once the work is asked to stop.
    bool Message(const QString& text);
    TFtpSession& Session() { return *session_; }

private:
    void run() final;

    std::shared_ptr<TFtpSession> session_;
    Tell tell_;
    std::atomic<bool> stop_{false};
    QMutex mutex_;
    QWaitCondition answered_;
    quint64 asked_ = 0;
    quint64 closed_ = 0;
};
