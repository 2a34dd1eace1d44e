#pragma once

#include "ftp/session/FtpListing.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>

class QListWidget;
class Tmain;
class TFTPInfoFrm;
class TFtpPanel;
class TFtpSession;
class TFtpTransfer;

// The FTP client of one main window: the FTP panel's connection, its two folders and every
// command of the panel, the transfers it starts and "Spara via FTP...". Everything here runs
// on the main thread; a transfer runs on a worker thread while the panel is disabled.
class TFtpClient : public QObject {
    Q_OBJECT
public:
    explicit TFtpClient(Tmain& main);
    // Stops a running transfer (bounded) first.
    ~TFtpClient() override;

    TFtpPanel* Panel() const { return panel_; }
    TFtpSession& Session() { return *session_; }

    // The connection state the transfers start from.
    bool FTPConnected = false;
    QString FTPLocalPath;  // the local folder listed last
    QString FTPServerPath; // the server folder listed last (absolute)
    // The server list's entries, row by row (".." first below the root).
    const QList<TFtpEntry>& ServerEntries() const { return serverEntries_; }

    // --- accounts
    void LoadFTPSitesFromFiles();
    void HandleFTPSites();
    // --- connection and folders
    void FTPConnect();
    void FTPDisconnect();
    // Lists a folder (a relative one counts from the folder shown); false when it failed.
    bool FTPSetLocalDir(const QString& folder);
    bool FTPSetServerDir(const QString& folder);
    void BrowseLocalDir();
    void ExploreFTPLocalDir();
    void FTPLocalFilesDblClick();
    void FTPServerFilesDblClick();
    void FTPLocalFilesPopupPopup();
    void FTPServerFilesPopupPopup();
    // --- server and local commands
    void FTPServerDelFile();
    void FTPServerDelDir();
    void FTPServerRenameFile();
    void FTPServerCreateDir();
    void FTPLocalCreateDir();
    void FTPServerSendCommand();
    // 1 ASCII, 2 binary, as the panel's check box says.
    int FTPGetTransferType() const;
    QString FTPGetLastResponse() const;
    // The server response window, once it was shown.
    TFTPInfoFrm* InfoWindow() const;
    // --- transfers
    void FTPUploadFile();
    void FTPDownloadFile();
    bool TransferRunning() const;
    // Asks a running transfer to stop and waits up to `ms` milliseconds for it; a transfer that
    // does not end in time is left to end on its own, never waited for longer.
    void StopTransfer(int ms);
    // --- commands of the main window
    void ToggleFTP();
    void SaveToFTP();

signals:
    // A transfer ended and the panel is enabled again.
    void TransferFinished();

private:
    void Wire();
    void StartTransfer(bool upload);
    void TransferEnded();
    void ShowServerEntries(const QList<TFtpEntry>& entries);
    // The selected rows of a list, top to bottom.
    static QList<int> SelectedRows(const QListWidget* list);
    // The name of the entry a one-entry command works on: the focused row when it is
    // selected, else the first selected. With none, shows `noneMessage` and gives false.
    bool ChosenServerName(const QString& noneMessage, QString* name);
    // Asks for the name of a new folder; false when cancelled or left empty.
    bool AskNewFolderName(QString* name);
    QString ServerPathOf(const QString& name) const;

    Tmain& main_;
    TFtpPanel* panel_;
    std::shared_ptr<TFtpSession> session_;
    QList<TFtpEntry> serverEntries_;
    QPointer<TFtpTransfer> transfer_;
    QPointer<TFTPInfoFrm> info_;
    QString serverAddress_;
};
