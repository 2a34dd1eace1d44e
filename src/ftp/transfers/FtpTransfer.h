#pragma once

#include "ftp/transfers/FtpWorker.h"

#include <QList>
#include <QString>
#include <QStringList>

// What one transfer moves, taken from the panel on the main thread when it starts.
struct TFtpTransferJob {
    enum class TDirection { Upload, Download };
    TDirection Direction = TDirection::Upload;
    // The selected entries, top to bottom, and (downloads) which of them the listing shows as
    // folders.
    QStringList Names;
    QList<bool> Folders;
    QString LocalFolder;
    QString ServerFolder;
    bool Ascii = false;
};

// Uploads the selected local files into the server folder, or downloads the selected server
// files into the local folder, one after the other, with a message per file as it ends. A
// download is written to a temporary file beside its target and takes the target's place only
// once it is complete.
class TFtpTransfer : public TFtpWorker {
public:
    TFtpTransfer(std::shared_ptr<TFtpSession> session, TFtpTransferJob job, Tell tell,
                 QObject* parent = nullptr);

    const TFtpTransferJob& Job() const { return job_; }

protected:
    void Work() override;

private:
    void Upload();
    void Download();

    TFtpTransferJob job_;
};
