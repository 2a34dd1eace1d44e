#pragma once

#include <QWidget>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QSplitter;
class TPanelCaption;

// The FTP side panel "Filöverföring (FTP)": the account row, the folder on this computer above
// the folder on the server, their context menus and the transfer buttons. Widgets only; the
// FTP client does the work.
class TFtpPanel : public QWidget {
public:
    explicit TFtpPanel(QWidget* parent = nullptr);

    // Account row.
    QComboBox* cbFTPSite;
    QPushButton* btnFTPConnect;
    QPushButton* btnFTPDisconnect;
    QPushButton* btnFTPHandleSites;
    // This computer.
    QWidget* FTPLocalPn;
    TPanelCaption* pcFTPLocal;
    QLineEdit* FTPLocalDir;
    QPushButton* btnBrowseDir;
    QListWidget* FTPLocalFiles;
    QPushButton* btnFTPSend;
    QSplitter* FTPSplitter;
    // The server.
    QWidget* FTPServerPn;
    TPanelCaption* pcFTPServer;
    QLineEdit* FTPServerDir;
    QListWidget* FTPServerFiles;
    QPushButton* btnFTPRec;
    QCheckBox* cbFTPAscii;
    // Context menus.
    QMenu* FTPLocalFilesPopup;
    QAction* mnuFTPOpenLocalFile;
    QAction* mnuOpenLocalDirInExplorer;
    QAction* mnuFTPLocalCreateDir;
    QMenu* FTPServerFilesPopup;
    QAction* mnuFTPServerRenameFile;
    QAction* mnuFTPServerDelFile;
    QAction* mnuFTPServerDelDir;
    QAction* mnuFTPServerCreateDir;
    QAction* mnuFTPServerSendCommandSeparator;
    QAction* mnuFTPServerSendCommand;

    // A hint "short|long": the short part as tool tip, the long part for the status bar.
    static void SetHint(QWidget* widget, const QString& hint);
    static void SetHint(QAction* action, const QString& hint);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
