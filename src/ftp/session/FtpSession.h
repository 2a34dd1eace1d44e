#pragma once

#include "ftp/session/FtpListing.h"

#include <QList>
#include <QString>
#include <memory>

class QIODevice;

// Where and as whom a session logs in.
struct TFtpLogin {
    QString Host;
    int Port = 21;
    QString User;
    QString Password;
};

// One FTP connection over libcurl, kept open between operations: active mode (the server
// connects back; PORT or EPRT, never PASV or EPSV), user and password given as options, every
// target addressed by its absolute path. Operations block the calling thread for as long as
// the server takes, within short connect, accept and response time limits; one operation runs
// at a time (a second caller waits). Cancel() may be called from any thread.
class TFtpSession {
public:
    // The user agent the session names.
    static const char* const UserAgent;

    // How a listing ended.
    enum class TListResult { Ok, FolderFailed, ListingFailed };

    TFtpSession();
    ~TFtpSession();
    TFtpSession(const TFtpSession&) = delete;
    TFtpSession& operator=(const TFtpSession&) = delete;

    // Time limits in milliseconds: reaching the server, the server reaching us for a data
    // connection, and each reply of the server.
    void SetTimeouts(long connectMs, long acceptMs, long responseMs);

    // Logs in; false when the server cannot be reached or refuses the login.
    bool Open(const TFtpLogin& login);
    // Logs out and closes the connection.
    void Close();
    bool IsOpen() const;
    // The folder the server put us in at login; whether it lists folders with MLSD.
    QString EntryFolder() const;
    bool UsesMlsd() const;

    // Makes a folder the server's current folder.
    bool ChangeFolder(const QString& folder);
    // Makes a folder current and lists it (MLSD where the server offers it, else LIST).
    TListResult List(const QString& folder, QList<TFtpEntry>* entries);
    // Asks for a file's size in binary mode; false when the path is no readable file. The size
    // is -1 when the server does not tell it.
    bool FileSize(const QString& path, qint64* size);
    bool Delete(const QString& path);
    bool RemoveFolder(const QString& path);
    bool MakeFolder(const QString& path);
    bool Rename(const QString& from, const QString& to);
    // Sends one command of the user's in a folder (no data connection).
    bool Command(const QString& folder, const QString& command);
    // Copies a server file into `sink` / `source` into a server file. In ASCII mode line ends
    // become CR LF on the way to the server and LF on the way here.
    bool Download(const QString& path, QIODevice* sink, bool ascii);
    bool Upload(QIODevice* source, const QString& path, bool ascii);

    // The server's last reply, all of its lines.
    QString LastResponse() const;
    // What went wrong in the last operation, for diagnostics.
    QString ErrorText() const;

    // Ends the running operation and every later one (until Resume) as failed.
    void Cancel();
    void Resume();
    bool IsCancelled() const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};
