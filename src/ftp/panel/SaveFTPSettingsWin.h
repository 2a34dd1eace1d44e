#pragma once

#include "ftp/session/FtpSession.h"

#include <QDialog>
#include <QString>
#include <QStringList>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TBoxes;

// "Spara via FTP": saves the current document's text straight to a server with an account of
// its own choosing, over a connection of its own that lasts one press of "Spara". The upload
// runs off the main thread; the dialog waits for it without blocking the window.
class TSaveFTPSettings : public QDialog {
public:
    // `text` gives the bytes to save when "Spara" is pressed.
    TSaveFTPSettings(TBoxes& boxes, const QStringList& accounts, const QString& documentName,
                     std::function<QByteArray()> text, QWidget* parent = nullptr);

    void cbFTPAccountChange();
    // "Spara": true when the file was saved (the dialog then closes).
    bool SaveFileToFTP();
    // Time limits of the dialog's connections (tests shorten them).
    void SetTimeouts(long connectMs, long acceptMs, long responseMs);
    bool Busy() const { return busy_; }

    QComboBox* cbFTPAccount;
    QLabel* lDir;
    QLineEdit* eDir;
    QLabel* lFileName;
    QLineEdit* eFileName;
    QCheckBox* cbFTPAscii;
    QPushButton* btnSave;
    QPushButton* btnCancel;

public slots:
    void reject() override;

private:
    void EnableFields(bool enabled);

    TBoxes& boxes_;
    std::function<QByteArray()> text_;
    TFtpLogin login_;
    bool haveServer_ = false;
    bool busy_ = false;
    long timeouts_[3] = {15000, 15000, 30000};
};
