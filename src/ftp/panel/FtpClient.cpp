#include "ftp/panel/FtpClient.h"

#include "app/mainwindow/MainWin.h"
#include "controls/PanelCaption.h"
#include "editor/view/TextEditorEx.h"
#include "ftp/accounts/FtpAccounts.h"
#include "ftp/panel/FtpInfoWin.h"
#include "ftp/panel/FtpPanel.h"
#include "ftp/panel/HandleFTPSitesWin.h"
#include "ftp/panel/SaveFTPSettingsWin.h"
#include "ftp/session/FtpServerPath.h"
#include "ftp/session/FtpSession.h"
#include "ftp/transfers/FtpTransfer.h"
#include "platform/Dialogs.h"
#include "platform/SilentAbort.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QUrl>

namespace {

QString Quoted(const QString& text) {
    return QLatin1Char('"') + text + QLatin1Char('"');
}

const QString kFolderNotSet =
    QStringLiteral("Det gick inte att sätta arbetskatalogen på servern till %1.");

} // namespace

TFtpClient::TFtpClient(Tmain& main)
    : QObject(&main), main_(main), panel_(new TFtpPanel(&main)),
      session_(std::make_shared<TFtpSession>()) {
    Wire();
}

TFtpClient::~TFtpClient() {
    StopTransfer(5000);
}

void TFtpClient::Wire() {
    TFtpPanel* p = panel_;
    // Each control runs its command at a command boundary of its own.
    const auto on = [this](auto* sender, auto signal, void (TFtpClient::*command)()) {
        connect(sender, signal, this,
                [this, command] { RunCommand([this, command] { (this->*command)(); }); });
    };
    on(p->btnFTPConnect, &QPushButton::clicked, &TFtpClient::FTPConnect);
    on(p->btnFTPDisconnect, &QPushButton::clicked, &TFtpClient::FTPDisconnect);
    on(p->btnFTPHandleSites, &QPushButton::clicked, &TFtpClient::HandleFTPSites);
    on(p->btnBrowseDir, &QPushButton::clicked, &TFtpClient::BrowseLocalDir);
    on(p->btnFTPSend, &QPushButton::clicked, &TFtpClient::FTPUploadFile);
    on(p->btnFTPRec, &QPushButton::clicked, &TFtpClient::FTPDownloadFile);
    on(p->FTPLocalFiles, &QListWidget::itemDoubleClicked, &TFtpClient::FTPLocalFilesDblClick);
    on(p->FTPServerFiles, &QListWidget::itemDoubleClicked, &TFtpClient::FTPServerFilesDblClick);
    on(p->mnuFTPOpenLocalFile, &QAction::triggered, &TFtpClient::FTPLocalFilesDblClick);
    on(p->mnuOpenLocalDirInExplorer, &QAction::triggered, &TFtpClient::ExploreFTPLocalDir);
    on(p->mnuFTPLocalCreateDir, &QAction::triggered, &TFtpClient::FTPLocalCreateDir);
    on(p->mnuFTPServerRenameFile, &QAction::triggered, &TFtpClient::FTPServerRenameFile);
    on(p->mnuFTPServerDelFile, &QAction::triggered, &TFtpClient::FTPServerDelFile);
    on(p->mnuFTPServerDelDir, &QAction::triggered, &TFtpClient::FTPServerDelDir);
    on(p->mnuFTPServerCreateDir, &QAction::triggered, &TFtpClient::FTPServerCreateDir);
    on(p->mnuFTPServerSendCommand, &QAction::triggered, &TFtpClient::FTPServerSendCommand);
    connect(p->cbFTPSite, &QComboBox::currentIndexChanged, this,
            [this](int index) { panel_->btnFTPConnect->setEnabled(index >= 0); });
    connect(p->FTPLocalDir, &QLineEdit::returnPressed, this,
            [this] { RunCommand([this] { FTPSetLocalDir(panel_->FTPLocalDir->text()); }); });
    connect(p->FTPServerDir, &QLineEdit::returnPressed, this,
            [this] { RunCommand([this] { FTPSetServerDir(panel_->FTPServerDir->text()); }); });
    connect(p->FTPLocalFiles, &QWidget::customContextMenuRequested, this, [this](QPoint at) {
        FTPLocalFilesPopupPopup();
        panel_->FTPLocalFilesPopup->exec(panel_->FTPLocalFiles->viewport()->mapToGlobal(at));
    });
    connect(p->FTPServerFiles, &QWidget::customContextMenuRequested, this, [this](QPoint at) {
        FTPServerFilesPopupPopup();
        panel_->FTPServerFilesPopup->exec(panel_->FTPServerFiles->viewport()->mapToGlobal(at));
    });
}

// --- accounts ----------------------------------------------------------------------------------

void TFtpClient::LoadFTPSitesFromFiles() {
    panel_->btnFTPConnect->setEnabled(false);
    const QSignalBlocker block(panel_->cbFTPSite);
    panel_->cbFTPSite->clear();
    panel_->cbFTPSite->addItems(FtpAccounts::Names());
    panel_->cbFTPSite->setCurrentIndex(-1);
}

void TFtpClient::HandleFTPSites() {
    const auto reload = [this] {
        LoadFTPSitesFromFiles();
        QStringList names;
        for (int i = 0; i < panel_->cbFTPSite->count(); ++i)
            names << panel_->cbFTPSite->itemText(i);
        return names;
    };
    THandleFTPSites manager(main_.Boxes(), reload, &main_);
    manager.lbFTPSites->addItems(reload());
    Dialogs::RunModal(&manager);
    manager.FormClose();
    LoadFTPSitesFromFiles();
}

// --- connection ----------------------------------------------------------------------------------

void TFtpClient::FTPConnect() {
    if (FTPConnected || panel_->cbFTPSite->currentIndex() < 0)
        return;
    TFtpAccount account;
    const FtpAccounts::TReadResult read =
        FtpAccounts::Read(panel_->cbFTPSite->currentText(), &account);
    if (read == FtpAccounts::TReadResult::Unreadable) {
        main_.kvMessageBox(
            QStringLiteral("Det gick inte att läsa filen med informationen om FTP-kontot."));
        return;
    }
    if (read == FtpAccounts::TReadResult::NoLines || account.Server.trimmed().isEmpty()) {
        main_.kvMessageBox(QStringLiteral(
            "Ingen serveradress har angivits för detta konto. Kan ej ansluta. Ange en "
            "serveradress med knappen \"Hantera FTP-konton\"."));
        return;
    }
    account = FtpAccounts::WithConnectDefaults(account);
    if (account.Password.isEmpty()) {
        QString answer;
        if (!main_.kvInputBoxPsw(QStringLiteral("Ange lösenord:"), QString(), &answer))
            return;
        account.Password = answer;
    }
    TFtpLogin login;
    login.User = account.User;
    login.Password = account.Password;
    if (!FtpAccounts::SplitServer(account.Server, &login.Host, &login.Port) ||
        !session_->Open(login)) {
        main_.kvMessageBox(kFolderNotSet.arg(Quoted(account.ServerDir)));
        return;
    }
    // Connected only once the start folder on the server is listed.
    FTPConnected = true;
    FTPServerPath.clear();
    FTPSetLocalDir(account.LocalDir);
    if (!FTPSetServerDir(account.ServerDir)) {
        session_->Close();
        FTPConnected = false;
        FTPServerPath.clear();
        return;
    }
    serverAddress_ = account.Server.trimmed();
    panel_->btnFTPConnect->hide();
    panel_->btnFTPDisconnect->show();
    panel_->pcFTPServer->SetCaptionText(serverAddress_);
    panel_->btnFTPSend->setEnabled(true);
    panel_->btnFTPRec->setEnabled(true);
}

void TFtpClient::FTPDisconnect() {
    session_->Close();
    FTPConnected = false;
    FTPServerPath.clear();
    serverEntries_.clear();
    panel_->pcFTPServer->SetCaptionText(QStringLiteral("Server"));
    panel_->btnFTPDisconnect->hide();
    panel_->btnFTPConnect->show();
    panel_->FTPServerDir->clear();
    panel_->FTPServerFiles->clear();
    panel_->btnFTPSend->setEnabled(false);
    panel_->btnFTPRec->setEnabled(false);
}

bool TFtpClient::FTPSetLocalDir(const QString& folder) {
    const QString base = FTPLocalPath.isEmpty() ? QDir::homePath() : FTPLocalPath;
    const QString target =
        folder.isEmpty() ? QString() : QDir::cleanPath(QDir(base).absoluteFilePath(folder));
    if (target.isEmpty() || !QFileInfo(target).isDir()) {
        main_.kvMessageBox(QStringLiteral("Den valda katalogen på den här datorn existerar inte."));
        return false;
    }
    QStringList names{QStringLiteral("."), QStringLiteral("..")};
    names << QDir(target).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                        QDir::NoDotAndDotDot,
                                    QDir::Name | QDir::IgnoreCase | QDir::LocaleAware);
    panel_->FTPLocalFiles->clear();
    panel_->FTPLocalFiles->addItems(names);
    FTPLocalPath = target;
    panel_->FTPLocalDir->setText(target);
    return true;
}

bool TFtpClient::FTPSetServerDir(const QString& folder) {
    if (!FTPConnected)
        return false;
    const QString base = FTPServerPath.isEmpty() ? session_->EntryFolder() : FTPServerPath;
    const QString target = FtpServerPath::Resolve(base, folder);
    QList<TFtpEntry> entries;
    switch (session_->List(target, &entries)) {
    case TFtpSession::TListResult::FolderFailed:
        main_.kvMessageBox(kFolderNotSet.arg(Quoted(folder)));
        return false;
    case TFtpSession::TListResult::ListingFailed:
        main_.kvMessageBox(
            QStringLiteral("Det uppstod ett fel när kataloginnehållet på servern skulle läsas."));
        return false;
    case TFtpSession::TListResult::Ok:
        break;
    }
    FTPServerPath = target;
    panel_->FTPServerDir->setText(target);
    ShowServerEntries(entries);
    return true;
}

void TFtpClient::ShowServerEntries(const QList<TFtpEntry>& entries) {
    serverEntries_.clear();
    if (FTPServerPath != QLatin1String("/")) {
        TFtpEntry up;
        up.Name = QStringLiteral("..");
        up.IsFolder = true;
        serverEntries_ << up;
    }
    serverEntries_ << entries;
    panel_->FTPServerFiles->clear();
    for (const TFtpEntry& e : serverEntries_)
        panel_->FTPServerFiles->addItem(e.Name);
}

void TFtpClient::BrowseLocalDir() {
    const QString folder = Dialogs::GetExistingDirectory(
        &main_, QStringLiteral("Välj katalog på den här datorn:"), FTPLocalPath);
    if (!folder.isEmpty())
        FTPSetLocalDir(folder);
}

void TFtpClient::ExploreFTPLocalDir() {
    if (!FTPLocalPath.isEmpty())
        QDesktopServices::openUrl(QUrl::fromLocalFile(FTPLocalPath));
}

void TFtpClient::FTPLocalFilesDblClick() {
    const QListWidgetItem* item = panel_->FTPLocalFiles->currentItem();
    if (!item || FTPLocalPath.isEmpty())
        return;
    const QString name = item->text();
    const QString path = QDir(FTPLocalPath).filePath(name);
    const QString target = name == QLatin1String(".") ? FTPLocalPath : QDir::cleanPath(path);
    if (QFileInfo(target).isDir())
        FTPSetLocalDir(target);
    else
        main_.NewDocTab(1, path);
}

void TFtpClient::FTPServerFilesDblClick() {
    const int row = panel_->FTPServerFiles->currentRow();
    if (!FTPConnected || row < 0 || row >= serverEntries_.size())
        return;
    const TFtpEntry entry = serverEntries_[row];
    if (entry.Name == QLatin1String("..")) {
        FTPSetServerDir(FtpServerPath::Parent(FTPServerPath));
        return;
    }
    const QString path = ServerPathOf(entry.Name);
    qint64 size = -1;
    if (!entry.IsFolder && session_->FileSize(path, &size)) {
        if (size < 0)
            size = entry.Size;
        main_.kvMessageBox(QStringLiteral("%1 (Filstorlek: %2 B)")
                               .arg(path, size >= 0 ? QString::number(size) : QStringLiteral("?")));
        return;
    }
    FTPSetServerDir(path);
}

void TFtpClient::FTPLocalFilesPopupPopup() {
    panel_->mnuFTPOpenLocalFile->setEnabled(!panel_->FTPLocalFiles->selectedItems().isEmpty());
}

void TFtpClient::FTPServerFilesPopupPopup() {
    const bool selected = FTPConnected && !panel_->FTPServerFiles->selectedItems().isEmpty();
    panel_->mnuFTPServerRenameFile->setEnabled(selected);
    panel_->mnuFTPServerDelFile->setEnabled(selected);
    panel_->mnuFTPServerDelDir->setEnabled(selected);
    panel_->mnuFTPServerCreateDir->setEnabled(FTPConnected);
    panel_->mnuFTPServerSendCommand->setEnabled(FTPConnected);
}

// --- server and local commands
// ---------------------------------------------------------------------

QList<int> TFtpClient::SelectedRows(const QListWidget* list) {
    QList<int> rows;
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->isSelected())
            rows << i;
    return rows;
}

bool TFtpClient::ChosenServerName(const QString& noneMessage, QString* name) {
    const QListWidget* list = panel_->FTPServerFiles;
    const QListWidgetItem* current = list->currentItem();
    int row = -1;
    if (current && current->isSelected())
        row = list->row(current);
    else if (const QList<int> rows = SelectedRows(list); !rows.isEmpty())
        row = rows.first();
    if (row < 0) {
        main_.kvMessageBox(noneMessage);
        return false;
    }
    *name = serverEntries_.value(row).Name;
    return true;
}

bool TFtpClient::AskNewFolderName(QString* name) {
    return main_.kvInputBox(QStringLiteral("Ange katalogens namn:"), QStringLiteral("Ny katalog"),
                            name) &&
           !name->isEmpty();
}

QString TFtpClient::ServerPathOf(const QString& name) const {
    return FtpServerPath::Join(FTPServerPath, name);
}

void TFtpClient::FTPServerDelFile() {
    if (!FTPConnected)
        return;
    const QList<int> rows = SelectedRows(panel_->FTPServerFiles);
    if (rows.isEmpty()) {
        main_.kvMessageBox(QStringLiteral("Ingen fil är markerad för borttagning."));
        return;
    }
    const QString goOn = QStringLiteral("Vill du fortsätta?");
    if (rows.size() > 1 &&
        main_.kvQuestionBox(QStringLiteral("%1 filer kommer att tas bort.").arg(rows.size()),
                            goOn) != Dialogs::mrYes)
        return;
    for (const int row : rows) {
        const QString name = serverEntries_.value(row).Name;
        if (rows.size() == 1 &&
            main_.kvQuestionBox(QStringLiteral("Filen %1 kommer att tas bort.").arg(Quoted(name)),
                                goOn) != Dialogs::mrYes)
            return;
        if (name == QLatin1String("..") || !session_->Delete(ServerPathOf(name)))
            main_.kvMessageBox(
                QStringLiteral("Ett fel uppstod när filen %1 skulle raderas.").arg(Quoted(name)));
    }
    FTPSetServerDir(FTPServerPath);
}

void TFtpClient::FTPServerDelDir() {
    if (!FTPConnected)
        return;
    QString name;
    if (!ChosenServerName(QStringLiteral("Ingen katalog är markerad för borttagning."), &name))
        return;
    if (main_.kvQuestionBox(QStringLiteral("Katalogen %1 kommer att tas bort.").arg(Quoted(name)),
                            QStringLiteral("Vill du fortsätta?")) != Dialogs::mrYes)
        return;
    if (name == QLatin1String("..") || !session_->RemoveFolder(ServerPathOf(name)))
        main_.kvMessageBox(QStringLiteral(
            "Ett fel uppstod när katalogen skulle raderas. Endast tomma kataloger kan raderas."));
    FTPSetServerDir(FTPServerPath);
}

void TFtpClient::FTPServerRenameFile() {
    if (!FTPConnected)
        return;
    QString name;
    if (!ChosenServerName(QStringLiteral("Ingen fil är markerad för namnbyte."), &name))
        return;
    QString answer;
    if (!main_.kvInputBox(QStringLiteral("Ange nytt namn för filen %1:").arg(Quoted(name)), name,
                          &answer) ||
        answer.isEmpty())
        return;
    if (name == QLatin1String("..") ||
        !session_->Rename(ServerPathOf(name), FtpServerPath::Resolve(FTPServerPath, answer)))
        main_.kvMessageBox(QStringLiteral("Ett fel uppstod när filen skulle byta namn."));
    FTPSetServerDir(FTPServerPath);
}

void TFtpClient::FTPServerCreateDir() {
    if (!FTPConnected)
        return;
    QString answer;
    if (!AskNewFolderName(&answer))
        return;
    if (!session_->MakeFolder(FtpServerPath::Resolve(FTPServerPath, answer)))
        main_.kvMessageBox(QStringLiteral("Ett fel uppstod när katalogen skulle skapas."));
    FTPSetServerDir(FTPServerPath);
}

void TFtpClient::FTPLocalCreateDir() {
    if (FTPLocalPath.isEmpty())
        return;
    QString answer;
    if (!AskNewFolderName(&answer))
        return;
    if (!QDir(FTPLocalPath).mkdir(answer))
        main_.kvMessageBox(QStringLiteral("Ett fel uppstod när katalogen skulle skapas."));
    FTPSetLocalDir(FTPLocalPath);
}

void TFtpClient::FTPServerSendCommand() {
    if (!FTPConnected)
        return;
    QString command;
    if (!main_.kvInputBox(QStringLiteral("Ange ett giltigt FTP-kommando (ej för data):"), QString(),
                          &command) ||
        command.isEmpty())
        return;
    if (!session_->Command(FTPServerPath, command))
        main_.kvMessageBox(QStringLiteral("Kommandot kunde inte utföras."));
    if (!info_)
        info_ = new TFTPInfoFrm(&main_);
    info_->show();
    info_->SetResponse(FTPGetLastResponse());
    FTPSetServerDir(FTPServerPath);
}

TFTPInfoFrm* TFtpClient::InfoWindow() const {
    return info_;
}

int TFtpClient::FTPGetTransferType() const {
    return panel_->cbFTPAscii->isChecked() ? 1 : 2;
}

QString TFtpClient::FTPGetLastResponse() const {
    return session_->LastResponse();
}

// --- transfers ---------------------------------------------------------------------------------

void TFtpClient::FTPUploadFile() {
    StartTransfer(true);
}

void TFtpClient::FTPDownloadFile() {
    StartTransfer(false);
}

void TFtpClient::StartTransfer(bool upload) {
    if (TransferRunning())
        return;
    if (!FTPConnected) {
        main_.kvMessageBox(upload ? QStringLiteral("Kelvora är inte ansluten till någon "
                                                   "FTP-server. Kan ej uppladda.")
                                  : QStringLiteral("Kelvora är inte ansluten till någon "
                                                   "FTP-server. Kan ej ladda ner."));
        return;
    }
    const QListWidget* list = upload ? panel_->FTPLocalFiles : panel_->FTPServerFiles;
    const QList<int> rows = SelectedRows(list);
    if (rows.isEmpty()) {
        main_.kvMessageBox(upload ? QStringLiteral("Ingen fil är markerad för uppladdning.")
                                  : QStringLiteral("Ingen fil är markerad för nedladdning."));
        return;
    }
    TFtpTransferJob job;
    job.Direction =
        upload ? TFtpTransferJob::TDirection::Upload : TFtpTransferJob::TDirection::Download;
    for (const int row : rows) {
        job.Names << list->item(row)->text();
        job.Folders << (!upload && serverEntries_.value(row).IsFolder);
    }
    job.LocalFolder = FTPLocalPath;
    job.ServerFolder = FTPServerPath;
    job.Ascii = FTPGetTransferType() == 1;

    panel_->setEnabled(false);
    auto* transfer = new TFtpTransfer(
        session_, job, [this](const QString& text) { main_.kvMessageBox(text); }, this);
    transfer_ = transfer;
    connect(transfer, &QThread::finished, this, [this, transfer] {
        if (transfer_ == transfer) {
            transfer_ = nullptr;
            transfer->deleteLater();
            TransferEnded();
        }
    });
    transfer->start();
}

void TFtpClient::TransferEnded() {
    panel_->setEnabled(true);
    RunCommand([this] {
        if (!FTPLocalPath.isEmpty())
            FTPSetLocalDir(FTPLocalPath);
        if (FTPConnected)
            FTPSetServerDir(FTPServerPath);
    });
    emit TransferFinished();
}

bool TFtpClient::TransferRunning() const {
    return transfer_ && transfer_->isRunning();
}

void TFtpClient::StopTransfer(int ms) {
    TFtpTransfer* transfer = transfer_;
    if (!transfer)
        return;
    transfer_ = nullptr;
    transfer->disconnect(this);
    if (transfer->StopAndWait(ms)) {
        // Later: this may run inside one of the transfer's own messages.
        transfer->deleteLater();
        session_->Resume();
        return;
    }
    // Still inside a call that does not end: it ends on its own, with nobody waiting, and
    // keeps its (cancelled) connection; the panel is left without one.
    transfer->setParent(nullptr);
    connect(transfer, &QThread::finished, transfer, &QObject::deleteLater);
    session_ = std::make_shared<TFtpSession>();
    FTPConnected = false;
}

// --- commands of the main window
// -------------------------------------------------------------------

void TFtpClient::ToggleFTP() {
    main_.SetSidePanelVisible(panel_, !main_.SidePanelVisible(panel_));
    main_.RequestActionUpdate();
}

void TFtpClient::SaveToFTP() {
    if (FTPConnected) {
        main_.kvMessageBox(
            QStringLiteral("Du är redan ansluten till en FTP-server. Spara via FTP-fältet till "
                           "vänster på skärmen, eller koppla från den aktuella anslutningen "
                           "först."));
        return;
    }
    QStringList accounts;
    for (int i = 0; i < panel_->cbFTPSite->count(); ++i)
        accounts << panel_->cbFTPSite->itemText(i);
    const int tab = main_.CurrentTab();
    const bool hasFile = tab >= 0 && tab < main_.OpenFilesCount() && main_.Current().HasFile;
    const QString name = hasFile ? QFileInfo(main_.Current().FileName).fileName() : QString();
    TSaveFTPSettings dialog(
        main_.Boxes(), accounts, name, [this] { return main_.CodeEditor->Text(); }, &main_);
    Dialogs::RunModal(&dialog);
}
