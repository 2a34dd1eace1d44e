#include "ftp/panel/SaveFTPSettingsWin.h"

#include "app/dialogs/Boxes.h"
#include "ftp/accounts/FtpAccounts.h"
#include "ftp/panel/FtpPanel.h"
#include "ftp/transfers/FtpSaveUpload.h"
#include "platform/Dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEventLoop>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTemporaryFile>
#include <QVBoxLayout>

TSaveFTPSettings::TSaveFTPSettings(TBoxes& boxes, const QStringList& accounts,
                                   const QString& documentName, std::function<QByteArray()> text,
                                   QWidget* parent)
    : QDialog(parent), boxes_(boxes), text_(std::move(text)) {
    setObjectName(QStringLiteral("SaveFTPSettings"));
    setWindowTitle(QStringLiteral("Spara via FTP"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        new QLabel(QStringLiteral("Filen kommer att sparas på Internet via FTP."), this));
    auto* form = new QFormLayout;
    cbFTPAccount = new QComboBox(this);
    cbFTPAccount->setObjectName(QStringLiteral("cbFTPAccount"));
    {
        const QSignalBlocker block(cbFTPAccount);
        cbFTPAccount->addItems(accounts);
        cbFTPAccount->setCurrentIndex(-1);
    }
    form->addRow(QStringLiteral("Välj FTP-konto:"), cbFTPAccount);
    eDir = new QLineEdit(this);
    eDir->setObjectName(QStringLiteral("eDir"));
    lDir = new QLabel(QStringLiteral("Välj katalog:"), this);
    form->addRow(lDir, eDir);
    eFileName = new QLineEdit(documentName, this);
    eFileName->setObjectName(QStringLiteral("eFileName"));
    lFileName = new QLabel(QStringLiteral("Filnamn:"), this);
    form->addRow(lFileName, eFileName);
    layout->addLayout(form);
    cbFTPAscii = new QCheckBox(QStringLiteral("ASCII-&överföring"), this);
    cbFTPAscii->setObjectName(QStringLiteral("cbFTPAscii"));
    TFtpPanel::SetHint(
        cbFTPAscii, QStringLiteral("|Anger att filer ska överföras i ASCII-läge (anpassas till "
                                   "mottagaren) och inte i binärt läge (skickas omodifierade)."));
    layout->addWidget(cbFTPAscii);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    btnSave = new QPushButton(QStringLiteral("Spara"), this);
    btnSave->setObjectName(QStringLiteral("btnSave"));
    btnSave->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("Avbryt"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setAutoDefault(false);
    buttons->addWidget(btnSave);
    buttons->addWidget(btnCancel);
    layout->addLayout(buttons);
    EnableFields(false);

    connect(cbFTPAccount, &QComboBox::currentIndexChanged, this, [this] { cbFTPAccountChange(); });
    connect(btnSave, &QPushButton::clicked, this, [this] {
        if (SaveFileToFTP())
            done(Dialogs::mrOk);
    });
    connect(btnCancel, &QPushButton::clicked, this, [this] { reject(); });
    Dialogs::CentreOnScreen(this);
}

void TSaveFTPSettings::EnableFields(bool enabled) {
    for (QWidget* w : {static_cast<QWidget*>(lDir), static_cast<QWidget*>(eDir),
                       static_cast<QWidget*>(lFileName), static_cast<QWidget*>(eFileName),
                       static_cast<QWidget*>(btnSave)})
        w->setEnabled(enabled);
}

void TSaveFTPSettings::SetTimeouts(long connectMs, long acceptMs, long responseMs) {
    timeouts_[0] = connectMs;
    timeouts_[1] = acceptMs;
    timeouts_[2] = responseMs;
}

void TSaveFTPSettings::reject() {
    if (!busy_)
        QDialog::reject();
}

void TSaveFTPSettings::cbFTPAccountChange() {
    if (cbFTPAccount->currentIndex() < 0)
        return;
    EnableFields(true);
    haveServer_ = false;
    TFtpAccount account;
    const FtpAccounts::TReadResult read = FtpAccounts::Read(cbFTPAccount->currentText(), &account);
    if (read == FtpAccounts::TReadResult::Unreadable) {
        boxes_.kvMessageBox(
            QStringLiteral("Det gick inte att läsa filen med informationen om FTP-kontot."));
        return;
    }
    account = FtpAccounts::WithConnectDefaults(account);
    login_ = TFtpLogin();
    login_.User = account.User;
    login_.Password = account.Password;
    eDir->setText(account.ServerDir);
    if (read == FtpAccounts::TReadResult::NoLines || account.Server.trimmed().isEmpty()) {
        boxes_.kvMessageBox(QStringLiteral(
            "Ingen serveradress har angivits för detta konto. Kan ej ansluta. Ange en "
            "serveradress med knappen \"Hantera FTP-konton\" i huvudfönstret."));
        return;
    }
    haveServer_ = FtpAccounts::SplitServer(account.Server, &login_.Host, &login_.Port);
    if (login_.Password.isEmpty()) {
        QString password;
        boxes_.kvInputBoxPsw(QStringLiteral("Ange lösenord:"), QString(), &password);
        login_.Password = password;
    }
}

bool TSaveFTPSettings::SaveFileToFTP() {
    if (busy_)
        return false;
    const QString name = eFileName->text();
    if (name.trimmed().isEmpty() || name.contains(QLatin1Char('\r')) ||
        name.contains(QLatin1Char('\n'))) {
        boxes_.kvMessageBox(QStringLiteral("Det gick inte att spara filen på servern."));
        return false;
    }
    if (!haveServer_) {
        boxes_.kvMessageBox(QStringLiteral("Det gick inte att öppna katalogen."));
        return false;
    }
    // A private copy of the text, removed when the save ends.
    QTemporaryFile copy;
    const QByteArray bytes = text_ ? text_() : QByteArray();
    if (!copy.open() || copy.write(bytes) != bytes.size() || !copy.flush()) {
        boxes_.kvMessageBox(
            QStringLiteral("Det gick inte att temporärt spara filen lokalt på den här datorn."));
        return false;
    }
    copy.close();

    auto session = std::make_shared<TFtpSession>();
    session->SetTimeouts(timeouts_[0], timeouts_[1], timeouts_[2]);
    TFtpSaveUpload upload(session, login_, eDir->text(), name, copy.fileName(),
                          cbFTPAscii->isChecked());
    busy_ = true;
    setEnabled(false);
    QEventLoop wait;
    connect(&upload, &QThread::finished, &wait, &QEventLoop::quit);
    upload.start();
    if (!upload.isFinished())
        wait.exec();
    upload.wait();
    setEnabled(true);
    busy_ = false;

    switch (upload.Result()) {
    case TFtpSaveUpload::TResult::Saved:
        boxes_.kvMessageBox(QStringLiteral("Filen sparades på servern."));
        return true;
    case TFtpSaveUpload::TResult::FolderFailed:
        boxes_.kvMessageBox(QStringLiteral("Det gick inte att öppna katalogen."));
        return false;
    default:
        boxes_.kvMessageBox(QStringLiteral("Det gick inte att spara filen på servern."));
        return false;
    }
}
