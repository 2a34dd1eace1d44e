#include "ftp/transfers/FtpSaveUpload.h"

#include "ftp/session/FtpServerPath.h"

#include <QFile>

TFtpSaveUpload::TFtpSaveUpload(std::shared_ptr<TFtpSession> session, TFtpLogin login,
                               QString folder, QString name, QString localFile, bool ascii,
                               QObject* parent)
    : TFtpWorker(std::move(session), {}, parent), login_(std::move(login)),
      folder_(std::move(folder)), name_(std::move(name)), localFile_(std::move(localFile)),
      ascii_(ascii) {}

void TFtpSaveUpload::Work() {
    TFtpSession& s = Session();
    // A relative folder counts from the folder the server puts us in.
    const bool entered = s.Open(login_);
    const QString folder = FtpServerPath::Resolve(s.EntryFolder(), folder_);
    if (!entered || !s.ChangeFolder(folder)) {
        result_ = TResult::FolderFailed;
        s.Close();
        return;
    }
    QFile file(localFile_);
    const bool saved = file.open(QIODevice::ReadOnly) &&
                       s.Upload(&file, FtpServerPath::Resolve(folder, name_), ascii_);
    s.Close();
    result_ = saved ? TResult::Saved : TResult::UploadFailed;
}
