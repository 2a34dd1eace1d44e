#pragma once

#include "ftp/session/FtpSession.h"
#include "ftp/transfers/FtpWorker.h"

#include <QString>

// Saves a file to a server over a connection of its own: logs in, enters the folder and
// uploads the file under a name.
class TFtpSaveUpload : public TFtpWorker {
public:
    enum class TResult { NotRun, FolderFailed, UploadFailed, Saved };

    TFtpSaveUpload(std::shared_ptr<TFtpSession> session, TFtpLogin login, QString folder,
                   QString name, QString localFile, bool ascii, QObject* parent = nullptr);

    // Valid once the thread has ended.
    TResult Result() const { return result_; }

protected:
    void Work() override;

private:
    TFtpLogin login_;
    QString folder_, name_, localFile_;
    bool ascii_;
    TResult result_ = TResult::NotRun;
};
