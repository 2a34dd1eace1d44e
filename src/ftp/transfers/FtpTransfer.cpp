#include "ftp/transfers/FtpTransfer.h"

#include "ftp/session/FtpListing.h"
#include "ftp/session/FtpServerPath.h"
#include "ftp/session/FtpSession.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

QString Quoted(const QString& name) {
    return QLatin1Char('"') + name + QLatin1Char('"');
}

} // namespace

TFtpTransfer::TFtpTransfer(std::shared_ptr<TFtpSession> session, TFtpTransferJob job, Tell tell,
                           QObject* parent)
    : TFtpWorker(std::move(session), std::move(tell), parent), job_(std::move(job)) {}

void TFtpTransfer::Work() {
    if (job_.Direction == TFtpTransferJob::TDirection::Upload)
        Upload();
    else
        Download();
}

void TFtpTransfer::Upload() {
    const bool one = job_.Names.size() == 1;
    for (const QString& name : job_.Names) {
        if (StopRequested())
            return;
        const QString path = QDir(job_.LocalFolder).filePath(name);
        if (!QFileInfo(path).isFile()) {
            Message(Quoted(name) + QStringLiteral(" är antingen en katalog eller en "
                                                  "icke-existerande (icke-åtkomlig) fil. Kan ej "
                                                  "uppladda."));
            return;
        }
        QFile file(path);
        const bool sent =
            file.open(QIODevice::ReadOnly) &&
            Session().Upload(&file, FtpServerPath::Join(job_.ServerFolder, name), job_.Ascii);
        if (StopRequested())
            return;
        if (!sent)
            Message(
                QStringLiteral("Ett fel uppstod vid uppladdningen av filen %1.").arg(Quoted(name)));
        else if (one)
            Message(QStringLiteral("Filen %1 har laddats upp till servern.").arg(Quoted(name)));
    }
    if (!one)
        Message(QStringLiteral("Uppladdning av flera filer färdig."));
}

void TFtpTransfer::Download() {
    const bool one = job_.Names.size() == 1;
    for (qsizetype i = 0; i < job_.Names.size(); ++i) {
        if (StopRequested())
            return;
        const QString& name = job_.Names[i];
        bool received = false;
        // Folders, and names that could reach outside the local folder, are never fetched.
        if (!job_.Folders.value(i) && FtpListing::IsSafeName(name)) {
            QSaveFile file(QDir(job_.LocalFolder).filePath(name));
            if (file.open(QIODevice::WriteOnly)) {
                received = Session().Download(FtpServerPath::Join(job_.ServerFolder, name), &file,
                                              job_.Ascii) &&
                           !StopRequested() && file.commit();
                if (!received)
                    file.cancelWriting();
            }
        }
        if (StopRequested())
            return;
        if (!received)
            Message(
                QStringLiteral("Ett fel uppstod vid nedladdning av filen %1.").arg(Quoted(name)));
        else if (one)
            Message(
                QStringLiteral("Filen %1 har laddats ner till den här datorn.").arg(Quoted(name)));
    }
    if (!one)
        Message(QStringLiteral("Nedladdning av flera filer färdig."));
}
