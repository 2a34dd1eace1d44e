#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

// A file written in full before it takes the place of the old one, the way QSaveFile writes,
// with the calls LineStore needs from it. The data goes into an unnamed file where the file
// system has them; only for the last step it gets a name, which is hidden and recognisably ours:
// "." + the file's name + ".kv" + process id + "-" + six letters + ".tmp", beside the file. A
// process killed in that last step leaves such a file; every save into a folder removes the
// ones there whose process is gone.
class TAtomicFile {
public:
    explicit TAtomicFile(QString fileName);
    // Discards what was not committed.
    ~TAtomicFile();
    TAtomicFile(const TAtomicFile&) = delete;
    TAtomicFile& operator=(const TAtomicFile&) = delete;

    // Write-only modes only.
    bool open(QIODevice::OpenMode mode);
    // The number of bytes written, -1 on an error (which stays until the end).
    qint64 write(const QByteArray& data);
    // Makes the commit fail and keeps the old file; an error met before stays the one reported.
    void cancelWriting();
    // Flushes to disk and renames over the file; false (the old file kept) after any error.
    bool commit();
    QString errorString() const { return error_; }

    // Whether a file name has the form of our temporary names; its process id in *pid.
    static bool IsTemporaryName(const QString& name, qint64* pid = nullptr);
    // Removes the temporary files of ours in a folder whose process is gone. Returns how many.
    static int RemoveStaleTemporaries(const QString& folder);

private:
    bool Fail(int error);
    QString NewTemporaryPath() const;
    void Discard();

    QString fileName_; // the file that is replaced, symbolic links followed
    QString tempPath_; // the name the data has, when it has one
    QString error_;
    int fd_ = -1;
    bool unnamed_ = false;
    bool failed_ = false;
};
