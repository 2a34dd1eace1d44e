#include "ftp/transfers/FtpWorker.h"

#include "ftp/session/FtpSession.h"

#include <QMetaObject>

TFtpWorker::TFtpWorker(std::shared_ptr<TFtpSession> session, Tell tell, QObject* parent)
    : QThread(parent), session_(std::move(session)), tell_(std::move(tell)) {}

TFtpWorker::~TFtpWorker() {
    // A worker that has ended leaves the session alone: it may serve on.
    if (isRunning())
        StopAndWait(-1);
}

void TFtpWorker::run() {
    Work();
}

void TFtpWorker::RequestStop() {
    stop_ = true;
    if (session_)
        session_->Cancel();
    QMutexLocker lock(&mutex_);
    answered_.wakeAll();
}

bool TFtpWorker::StopAndWait(int ms) {
    RequestStop();
    return ms < 0 ? wait() : wait(QDeadlineTimer(ms));
}

bool TFtpWorker::Message(const QString& text) {
    quint64 ticket = 0;
    {
        QMutexLocker lock(&mutex_);
        if (stop_)
            return false;
        ticket = ++asked_;
    }
    // Runs on the main thread (this object lives there); dropped if the worker goes first.
    QMetaObject::invokeMethod(
        this,
        [this, text, ticket] {
            if (!stop_ && tell_)
                tell_(text);
            QMutexLocker lock(&mutex_);
            closed_ = std::max(closed_, ticket);
            answered_.wakeAll();
        },
        Qt::QueuedConnection);
    QMutexLocker lock(&mutex_);
    while (closed_ < ticket && !stop_)
        answered_.wait(&mutex_);
    return !stop_;
}
