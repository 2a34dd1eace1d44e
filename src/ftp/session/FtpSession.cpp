#include "ftp/session/FtpSession.h"

#include "ftp/session/FtpServerPath.h"

#include <QIODevice>
#include <QMutex>
#include <QMutexLocker>
#include <algorithm>
#include <atomic>
#include <cctype>
#include <curl/curl.h>
#include <functional>
#include <mutex>

const char* const TFtpSession::UserAgent = "TolvaneKV/7.0 (Tolvane Kelvora FTP Client)";

namespace {

// A listing longer than this is no folder anyone can browse; it ends as a failed listing.
constexpr qsizetype kMaxListing = 64 * 1024 * 1024;
// Larger blocks than curl's default move big files at disk speed.
constexpr long kTransferBuffer = 512 * 1024;
// The reply lines kept of one reply.
constexpr qsizetype kMaxReply = 1024 * 1024;

void InitCurlOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// A list of commands in the form curl takes them.
class CommandList {
public:
    explicit CommandList(const QList<QByteArray>& commands) {
        for (const QByteArray& c : commands)
            list_ = curl_slist_append(list_, c.constData());
    }
    ~CommandList() { curl_slist_free_all(list_); }
    CommandList(const CommandList&) = delete;
    CommandList& operator=(const CommandList&) = delete;
    curl_slist* get() const { return list_; }

private:
    curl_slist* list_ = nullptr;
};

QByteArray Line(const char* verb, const QString& argument) {
    return QByteArray(verb) + ' ' + argument.toUtf8();
}

} // namespace

struct TFtpSession::Impl {
    mutable QMutex mutex;
    CURL* curl = nullptr;
    TFtpLogin login;
    bool open = false;
    bool mlsd = false;
    QString entry;
    long connectMs = 15000, acceptMs = 15000, responseMs = 30000;
    std::atomic<bool> cancelled{false};

    // Replies: the lines of the reply being read, and the last complete one.
    QByteArray reading;
    QByteArray lastReply;
    QByteArray multilineCode;
    // Every reply line of the running operation.
    QList<QByteArray> replyLines;
    QString error;
    char errorBuffer[CURL_ERROR_SIZE] = {};

    // The running transfer's data.
    QByteArray* body = nullptr;
    QIODevice* sink = nullptr;
    QIODevice* source = nullptr;
    bool ascii = false;
    bool lastWasCr = false;

    Impl() {
        InitCurlOnce();
        curl = curl_easy_init();
    }
    ~Impl() {
        if (curl)
            curl_easy_cleanup(curl);
    }

    static size_t OnHeader(char* data, size_t size, size_t count, void* user) {
        auto* self = static_cast<Impl*>(user);
        const size_t n = size * count;
        QByteArray line(data, static_cast<qsizetype>(n));
        while (line.endsWith('\n') || line.endsWith('\r'))
            line.chop(1);
        self->TakeReplyLine(line);
        return n;
    }

    void TakeReplyLine(const QByteArray& line) {
        const bool coded = line.size() >= 3 && std::isdigit(static_cast<unsigned char>(line[0])) &&
                           std::isdigit(static_cast<unsigned char>(line[1])) &&
                           std::isdigit(static_cast<unsigned char>(line[2]));
        if (multilineCode.isEmpty() && !coded)
            return; // the headers curl makes up for a file's size and date
        if (replyLines.size() < 10000)
            replyLines << line;
        if (reading.size() < kMaxReply)
            reading += line + '\n';
        const bool ends = coded && (line.size() == 3 || line[3] == ' ');
        if (multilineCode.isEmpty()) {
            if (!ends) {
                multilineCode = line.left(3);
                return;
            }
        } else if (!ends || line.left(3) != multilineCode) {
            return;
        }
        multilineCode.clear();
        reading.chop(1);
        lastReply = reading;
        reading.clear();
    }

    static size_t OnBody(char* data, size_t size, size_t count, void* user) {
        auto* self = static_cast<Impl*>(user);
        const size_t n = size * count;
        if (self->body) {
            if (self->body->size() + static_cast<qsizetype>(n) > kMaxListing)
                return 0;
            self->body->append(data, static_cast<qsizetype>(n));
            return n;
        }
        if (self->sink)
            return self->sink->write(data, static_cast<qint64>(n)) == static_cast<qint64>(n) ? n
                                                                                             : 0;
        return n; // the size and date lines of a file probe
    }

    static size_t OnRead(char* buffer, size_t size, size_t count, void* user) {
        auto* self = static_cast<Impl*>(user);
        const qint64 room = static_cast<qint64>(size * count);
        if (!self->ascii) {
            const qint64 got = self->source->read(buffer, room);
            return got < 0 ? CURL_READFUNC_ABORT : static_cast<size_t>(got);
        }
        // Bare LF becomes CR LF: read at most half the room, so the doubled text fits.
        QByteArray chunk = self->source->read(std::max<qint64>(1, room / 2));
        if (chunk.isEmpty() && !self->source->atEnd())
            return CURL_READFUNC_ABORT;
        qint64 out = 0;
        for (const char c : chunk) {
            if (c == '\n' && !self->lastWasCr)
                buffer[out++] = '\r';
            buffer[out++] = c;
            self->lastWasCr = c == '\r';
        }
        return static_cast<size_t>(out);
    }

    static int OnProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
        return static_cast<Impl*>(user)->cancelled ? 1 : 0;
    }

    QByteArray Url(const QByteArray& path) const {
        QByteArray host = login.Host.toUtf8();
        if (host.contains(':'))
            host = '[' + host + ']';
        return "ftp://" + host + ':' + QByteArray::number(login.Port) + '/' + path;
    }

    // Runs one request: the commands first, then what `configure` sets up for the path.
    CURLcode Perform(const QByteArray& path, const QList<QByteArray>& commands,
                     const std::function<void(CURL*)>& configure = {}) {
        error.clear();
        replyLines.clear();
        if (cancelled) {
            error = QStringLiteral("cancelled");
            return CURLE_ABORTED_BY_CALLBACK;
        }
        if (!curl) {
            error = QStringLiteral("no curl handle");
            return CURLE_FAILED_INIT;
        }
        curl_easy_reset(curl);
        errorBuffer[0] = 0;
        const QByteArray url = Url(path);
        const QByteArray user = login.User.toUtf8();
        const QByteArray password = login.Password.toUtf8();
        CommandList quote(commands);
        curl_easy_setopt(curl, CURLOPT_URL, url.constData());
        curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "ftp");
        curl_easy_setopt(curl, CURLOPT_USERNAME, user.constData());
        curl_easy_setopt(curl, CURLOPT_PASSWORD, password.constData());
        curl_easy_setopt(curl, CURLOPT_USERAGENT, UserAgent);
        curl_easy_setopt(curl, CURLOPT_FTPPORT, "-");
        curl_easy_setopt(curl, CURLOPT_FTP_USE_EPRT, 1L);
        curl_easy_setopt(curl, CURLOPT_FTP_FILEMETHOD, static_cast<long>(CURLFTPMETHOD_NOCWD));
        curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, connectMs);
        curl_easy_setopt(curl, CURLOPT_ACCEPTTIMEOUT_MS, acceptMs);
        curl_easy_setopt(curl, CURLOPT_SERVER_RESPONSE_TIMEOUT,
                         std::max(1L, (responseMs + 999) / 1000));
        curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
        curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, 60L);
        curl_easy_setopt(curl, CURLOPT_TCP_KEEPALIVE, 1L);
        curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errorBuffer);
        curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, &Impl::OnHeader);
        curl_easy_setopt(curl, CURLOPT_HEADERDATA, this);
        curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &Impl::OnBody);
        curl_easy_setopt(curl, CURLOPT_WRITEDATA, this);
        curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
        curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, &Impl::OnProgress);
        curl_easy_setopt(curl, CURLOPT_XFERINFODATA, this);
        if (!commands.isEmpty())
            curl_easy_setopt(curl, CURLOPT_QUOTE, quote.get());
        if (configure)
            configure(curl);
        else
            curl_easy_setopt(curl, CURLOPT_NOBODY, 1L);
        const CURLcode rc = curl_easy_perform(curl);
        if (rc != CURLE_OK)
            error = errorBuffer[0] ? QString::fromUtf8(errorBuffer)
                                   : QString::fromUtf8(curl_easy_strerror(rc));
        body = nullptr;
        sink = nullptr;
        source = nullptr;
        return rc;
    }

    // Commands on the server alone, no data connection.
    bool Commands(const QList<QByteArray>& commands) {
        return Perform(QByteArray(), commands) == CURLE_OK;
    }
};

TFtpSession::TFtpSession() : d(std::make_unique<Impl>()) {}

TFtpSession::~TFtpSession() = default;

void TFtpSession::SetTimeouts(long connectMs, long acceptMs, long responseMs) {
    QMutexLocker lock(&d->mutex);
    d->connectMs = connectMs;
    d->acceptMs = acceptMs;
    d->responseMs = responseMs;
}

bool TFtpSession::Open(const TFtpLogin& login) {
    QMutexLocker lock(&d->mutex);
    if (d->open) {
        curl_easy_cleanup(d->curl);
        d->curl = curl_easy_init();
    }
    d->open = false;
    d->login = login;
    d->entry.clear();
    d->mlsd = false;
    // Host names and addresses only: nothing that would change the address's meaning.
    for (const QChar c : login.Host)
        if (c.isSpace() || c.unicode() < 0x20 || QStringLiteral("/?#@\\[]%").contains(c)) {
            d->error = QStringLiteral("bad host name");
            return false;
        }
    if (login.Host.isEmpty() || login.Port <= 0 || login.Port > 65535) {
        d->error = QStringLiteral("bad host name");
        return false;
    }
    // "*": a server that does not know FEAT still logs us in.
    if (d->Perform(QByteArray(), {QByteArrayLiteral("*FEAT")}) != CURLE_OK)
        return false;
    for (const QByteArray& line : d->replyLines) {
        const QByteArray feature = line.trimmed().toUpper();
        if (line.startsWith(' ') && (feature.startsWith("MLST") || feature.startsWith("MLSD")))
            d->mlsd = true;
    }
    char* entry = nullptr;
    if (curl_easy_getinfo(d->curl, CURLINFO_FTP_ENTRY_PATH, &entry) == CURLE_OK && entry)
        d->entry = QString::fromUtf8(entry);
    if (!d->entry.startsWith(QLatin1Char('/')))
        d->entry = QStringLiteral("/");
    d->open = true;
    return true;
}

void TFtpSession::Close() {
    QMutexLocker lock(&d->mutex);
    if (d->curl)
        curl_easy_cleanup(d->curl);
    d->curl = curl_easy_init();
    d->open = false;
}

bool TFtpSession::IsOpen() const {
    QMutexLocker lock(&d->mutex);
    return d->open;
}

QString TFtpSession::EntryFolder() const {
    QMutexLocker lock(&d->mutex);
    return d->entry;
}

bool TFtpSession::UsesMlsd() const {
    QMutexLocker lock(&d->mutex);
    return d->mlsd;
}

bool TFtpSession::ChangeFolder(const QString& folder) {
    QMutexLocker lock(&d->mutex);
    if (!FtpServerPath::IsSendable(folder))
        return false;
    return d->Commands({Line("CWD", folder)});
}

TFtpSession::TListResult TFtpSession::List(const QString& folder, QList<TFtpEntry>* entries) {
    QMutexLocker lock(&d->mutex);
    if (!FtpServerPath::IsSendable(folder))
        return TListResult::FolderFailed;
    QByteArray body;
    const bool mlsd = d->mlsd;
    const CURLcode rc =
        d->Perform(FtpServerPath::UrlPath(folder, true), {Line("CWD", folder)}, [&](CURL* curl) {
            d->body = &body;
            if (mlsd)
                curl_easy_setopt(curl, CURLOPT_CUSTOMREQUEST, "MLSD");
        });
    if (rc == CURLE_QUOTE_ERROR)
        return TListResult::FolderFailed;
    if (rc != CURLE_OK)
        return TListResult::ListingFailed;
    *entries = FtpListing::Parse(body, mlsd);
    return TListResult::Ok;
}

bool TFtpSession::FileSize(const QString& path, qint64* size) {
    QMutexLocker lock(&d->mutex);
    if (!FtpServerPath::IsSendable(path))
        return false;
    const CURLcode rc = d->Perform(FtpServerPath::UrlPath(path, false), {}, [](CURL* curl) {
        curl_easy_setopt(curl, CURLOPT_NOBODY, 1L);
        curl_easy_setopt(curl, CURLOPT_TRANSFERTEXT, 0L);
    });
    if (rc != CURLE_OK)
        return false;
    curl_off_t length = -1;
    curl_easy_getinfo(d->curl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length);
    *size = length;
    return true;
}

bool TFtpSession::Delete(const QString& path) {
    QMutexLocker lock(&d->mutex);
    return FtpServerPath::IsSendable(path) && d->Commands({Line("DELE", path)});
}

bool TFtpSession::RemoveFolder(const QString& path) {
    QMutexLocker lock(&d->mutex);
    return FtpServerPath::IsSendable(path) && d->Commands({Line("RMD", path)});
}

bool TFtpSession::MakeFolder(const QString& path) {
    QMutexLocker lock(&d->mutex);
    return FtpServerPath::IsSendable(path) && d->Commands({Line("MKD", path)});
}

bool TFtpSession::Rename(const QString& from, const QString& to) {
    QMutexLocker lock(&d->mutex);
    if (!FtpServerPath::IsSendable(from) || !FtpServerPath::IsSendable(to))
        return false;
    return d->Commands({Line("RNFR", from), Line("RNTO", to)});
}

bool TFtpSession::Command(const QString& folder, const QString& command) {
    QMutexLocker lock(&d->mutex);
    if (!FtpServerPath::IsSendable(folder) || !FtpServerPath::IsSendable(command) ||
        command.trimmed().isEmpty())
        return false;
    return d->Commands({Line("CWD", folder), command.toUtf8()});
}

bool TFtpSession::Download(const QString& path, QIODevice* sink, bool ascii) {
    QMutexLocker lock(&d->mutex);
    if (!FtpServerPath::IsSendable(path))
        return false;
    return d->Perform(FtpServerPath::UrlPath(path, false), {}, [&](CURL* curl) {
        d->sink = sink;
        curl_easy_setopt(curl, CURLOPT_BUFFERSIZE, kTransferBuffer);
        curl_easy_setopt(curl, CURLOPT_TRANSFERTEXT, ascii ? 1L : 0L);
    }) == CURLE_OK;
}

bool TFtpSession::Upload(QIODevice* source, const QString& path, bool ascii) {
    QMutexLocker lock(&d->mutex);
    if (!FtpServerPath::IsSendable(path))
        return false;
    return d->Perform(FtpServerPath::UrlPath(path, false), {}, [&](CURL* curl) {
        d->source = source;
        d->ascii = ascii;
        d->lastWasCr = false;
        curl_easy_setopt(curl, CURLOPT_UPLOAD, 1L);
        curl_easy_setopt(curl, CURLOPT_UPLOAD_BUFFERSIZE, kTransferBuffer);
        curl_easy_setopt(curl, CURLOPT_READFUNCTION, &Impl::OnRead);
        curl_easy_setopt(curl, CURLOPT_READDATA, d.get());
        curl_easy_setopt(curl, CURLOPT_TRANSFERTEXT, ascii ? 1L : 0L);
        if (!ascii && !source->isSequential())
            curl_easy_setopt(curl, CURLOPT_INFILESIZE_LARGE,
                             static_cast<curl_off_t>(source->size() - source->pos()));
    }) == CURLE_OK;
}

QString TFtpSession::LastResponse() const {
    QMutexLocker lock(&d->mutex);
    return QString::fromUtf8(d->lastReply);
}

QString TFtpSession::ErrorText() const {
    QMutexLocker lock(&d->mutex);
    return d->error;
}

void TFtpSession::Cancel() {
    d->cancelled = true;
}

void TFtpSession::Resume() {
    d->cancelled = false;
}

bool TFtpSession::IsCancelled() const {
    return d->cancelled;
}
