#pragma once

#include "app/core/SettingsStore.h"

#include <QLockFile>
#include <QSettings>
#include <QString>
#include <memory>

// The mark of one running instance of the program. Each instance owns a slot numbered from 1:
// the store's Running value lists the slots of the instances that started and have not closed,
// and a lock file per slot is held while its process lives. A listed slot whose lock is free
// belonged to an instance that ended without closing; the next instance to start takes it over
// together with its backups, so that each such end is offered once and only to one instance.
class TInstanceMark {
public:
    // The folder of the lock files; empty means the per-user data folder's "instanser".
    explicit TInstanceMark(QString lockFolder = QString());
    // Gives up the lock but leaves the slot listed, as an end without closing does.
    ~TInstanceMark();
    TInstanceMark(const TInstanceMark&) = delete;
    TInstanceMark& operator=(const TInstanceMark&) = delete;

    // Takes the first slot of an instance that ended without closing, else the lowest slot that
    // no one holds, and lists it in the store at once. Where no lock file can be made, slot 1
    // is taken without one.
    TRunningMark Take(QSettings& store);
    // The orderly end: the slot leaves the list. False when the store could not be written.
    bool Release(QSettings& store);

    // 0 before Take.
    int Slot() const { return slot_; }
    bool PreviousRunUnfinished() const { return previousRunUnfinished_; }

private:
    QString LockPath(const QString& name) const;
    // Holds the slot's lock when no live process holds it.
    bool TryLock(int slot);

    QString folder_;
    std::unique_ptr<QLockFile> lock_;
    int slot_ = 0;
    bool previousRunUnfinished_ = false;
    bool lockUnavailable_ = false; // the folder takes no lock file at all
};
