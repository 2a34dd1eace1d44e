#include "platform/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The longest part of the file's own name that goes into a temporary name (in bytes), so that
// the temporary name stays within what a folder entry may have.
constexpr qsizetype kMaxNamePart = 200;

} // namespace

TAtomicFile::TAtomicFile(QString fileName) {
    // A symbolic link stays a link: its target is what is replaced.
    QFileInfo info(fileName);
    for (int hops = 0; info.isSymLink() && hops < 40; ++hops)
        info.setFile(info.symLinkTarget());
    fileName_ = info.absoluteFilePath();
}

TAtomicFile::~TAtomicFile() {
    Discard();
}

void TAtomicFile::Discard() {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    if (!tempPath_.isEmpty())
        ::unlink(QFile::encodeName(tempPath_).constData());
    tempPath_.clear();
}

bool TAtomicFile::Fail(int error) {
    if (!failed_)
        error_ = qt_error_string(error);
    failed_ = true;
    return false;
}

QString TAtomicFile::NewTemporaryPath() const {
    const QFileInfo info(fileName_);
    QString name = info.fileName();
    while (QFile::encodeName(name).size() > kMaxNamePart)
        name.chop(1);
    QString letters;
    for (int i = 0; i < 6; ++i)
        letters += QLatin1Char(char('a' + QRandomGenerator::global()->bounded(26)));
    return QDir(info.absolutePath())
        .filePath(QLatin1Char('.') + name + QStringLiteral(".kv") + QString::number(::getpid()) +
                  QLatin1Char('-') + letters + QStringLiteral(".tmp"));
}

bool TAtomicFile::open(QIODevice::OpenMode mode) {
    if (fd_ >= 0 || failed_ || !(mode & QIODevice::WriteOnly) || (mode & QIODevice::Append))
        return Fail(EINVAL);
    const QString folder = QFileInfo(fileName_).absolutePath();
    RemoveStaleTemporaries(folder);

    // The data has no name until the last step where the file system allows that.
    fd_ = ::open(QFile::encodeName(folder).constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    unnamed_ = fd_ >= 0;
    for (int tries = 0; fd_ < 0 && tries < 100; ++tries) {
        tempPath_ = NewTemporaryPath();
        fd_ = ::open(QFile::encodeName(tempPath_).constData(),
                     O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
        if (fd_ < 0) {
            const int error = errno;
            tempPath_.clear();
            if (error != EEXIST)
                return Fail(error);
        }
    }
    if (fd_ < 0)
        return Fail(EEXIST);
    // The new file keeps the owner, the group (as far as this process may give them) and
    // the access rights of the one it replaces; the rights last, as a change of owner may
    // clear the set-id bits.
    struct stat old {};
    if (::stat(QFile::encodeName(fileName_).constData(), &old) == 0) {
        if (::fchown(fd_, old.st_uid, old.st_gid) != 0)
            (void)::fchown(fd_, static_cast<uid_t>(-1), old.st_gid);
        ::fchmod(fd_, old.st_mode & 07777);
    }
    return true;
}

qint64 TAtomicFile::write(const QByteArray& data) {
    if (fd_ < 0 || failed_)
        return -1;
    const char* p = data.constData();
    qsizetype left = data.size();
    while (left > 0) {
        const ssize_t n = ::write(fd_, p, static_cast<size_t>(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            Fail(errno);
            return -1;
        }
        p += n;
        left -= n;
    }
    return data.size();
}

void TAtomicFile::cancelWriting() {
    if (!failed_)
        error_ = QStringLiteral("Writing canceled by the application");
    failed_ = true;
}

bool TAtomicFile::commit() {
    if (fd_ < 0 || failed_) {
        Discard();
        return failed_ ? false : Fail(EBADF);
    }
    if (::fdatasync(fd_) != 0) {
        Fail(errno);
        Discard();
        return false;
    }
    if (unnamed_) {
        const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd_);
        for (int tries = 0; tempPath_.isEmpty() && tries < 100; ++tries) {
            const QString path = NewTemporaryPath();
            if (::linkat(AT_FDCWD, self.constData(), AT_FDCWD, QFile::encodeName(path).constData(),
                         AT_SYMLINK_FOLLOW) == 0)
                tempPath_ = path;
            else if (errno != EEXIST)
                break;
        }
        if (tempPath_.isEmpty()) {
            Fail(errno);
            Discard();
            return false;
        }
    }
    if (::rename(QFile::encodeName(tempPath_).constData(),
                 QFile::encodeName(fileName_).constData()) != 0) {
        Fail(errno);
        Discard();
        return false;
    }
    tempPath_.clear();
    const bool closed = ::close(fd_) == 0;
    fd_ = -1;
    return closed || Fail(errno);
}

bool TAtomicFile::IsTemporaryName(const QString& name, qint64* pid) {
    static const QRegularExpression form(QStringLiteral("^\\..*\\.kv(\\d{1,10})-[a-z]{6}\\.tmp$"),
                                         QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch m = form.match(name);
    if (!m.hasMatch())
        return false;
    if (pid)
        *pid = m.captured(1).toLongLong();
    return true;
}

int TAtomicFile::RemoveStaleTemporaries(const QString& folder) {
    int removed = 0;
    const QStringList names = QDir(folder).entryList({QStringLiteral(".*.tmp")},
                                                     QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names) {
        qint64 pid = 0;
        if (!IsTemporaryName(name, &pid) || pid <= 0 || pid > std::numeric_limits<pid_t>::max() ||
            pid == ::getpid())
            continue;
        // Only a process that is gone leaves its file for good.
        if (::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH)
            continue;
        if (QFile::remove(QDir(folder).filePath(name)))
            ++removed;
    }
    return removed;
}
