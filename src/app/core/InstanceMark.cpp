#include "app/core/InstanceMark.h"

#include "platform/AppPaths.h"

#include <QDir>

namespace {

// More instances than this at once do not happen; past it slot 1 is shared as in a single run.
constexpr int kMaxSlots = 1000;
// How long a start waits for another instance that is changing the list right now.
constexpr int kListLockWaitMs = 3000;

} // namespace

TInstanceMark::TInstanceMark(QString lockFolder) : folder_(std::move(lockFolder)) {}

TInstanceMark::~TInstanceMark() = default;

QString TInstanceMark::LockPath(const QString& name) const {
    const QString folder =
        folder_.isEmpty() ? AppPaths::DataFile(QStringLiteral("instanser")) : folder_;
    return QDir(folder).filePath(name);
}

bool TInstanceMark::TryLock(int slot) {
    auto lock = std::make_unique<QLockFile>(LockPath(QString::number(slot) + ".lock"));
    // Only a lock whose process is gone is stale, however long its instance has been running.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) {
        lockUnavailable_ = lock->error() != QLockFile::LockFailedError;
        return false;
    }
    lock_ = std::move(lock);
    return true;
}

TRunningMark TInstanceMark::Take(QSettings& store) {
    QDir().mkpath(LockPath(QString()));
    // The list is read, changed and written by one starting or closing instance at a time.
    QLockFile listLock(LockPath(QStringLiteral("Running.lock")));
    listLock.setStaleLockTime(0);
    const bool listLocked = listLock.tryLock(kListLockWaitMs);

    const QList<int> listed = RunningSlots(store);
    slot_ = 0;
    lockUnavailable_ = false;
    for (const int slot : listed)
        if (!lockUnavailable_ && TryLock(slot)) {
            slot_ = slot;
            break;
        }
    for (int slot = 1; !slot_ && !lockUnavailable_ && slot <= kMaxSlots; ++slot)
        if (!listed.contains(slot) && TryLock(slot))
            slot_ = slot;
    if (!slot_)
        slot_ = 1; // no lock can be made here: the single run's mark
    const TRunningMark mark = MarkRunning(store, slot_);
    previousRunUnfinished_ = mark.PreviousRunUnfinished;
    if (listLocked)
        listLock.unlock();
    return mark;
}

bool TInstanceMark::Release(QSettings& store) {
    if (!slot_)
        return true;
    QLockFile listLock(LockPath(QStringLiteral("Running.lock")));
    listLock.setStaleLockTime(0);
    const bool listLocked = listLock.tryLock(kListLockWaitMs);
    const bool cleared = ClearRunning(store, slot_);
    if (listLocked)
        listLock.unlock();
    if (lock_)
        lock_->unlock();
    lock_.reset();
    return cleared;
}
