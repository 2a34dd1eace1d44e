#include "ftp/panel/FtpPanel.h"

#include "controls/PanelCaption.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

namespace {

QPushButton* Button(const QString& caption, QWidget* parent, const QString& name) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    return b;
}

QListWidget* FileList(QWidget* parent, const QString& name) {
    auto* list = new QListWidget(parent);
    list->setObjectName(name);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    list->setMinimumHeight(40);
    return list;
}

QAction* Item(QMenu* menu, const QString& caption, const QString& name, const QString& hint = {}) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(name);
    if (!hint.isEmpty())
        TFtpPanel::SetHint(a, hint);
    return a;
}

} // namespace

void TFtpPanel::SetHint(QWidget* widget, const QString& hint) {
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    widget->setToolTip(bar < 0 ? hint : hint.left(bar));
    widget->setStatusTip(bar < 0 ? hint : hint.mid(bar + 1));
}

void TFtpPanel::SetHint(QAction* action, const QString& hint) {
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    action->setToolTip(bar < 0 ? hint : hint.left(bar));
    action->setStatusTip(bar < 0 ? hint : hint.mid(bar + 1));
}

TFtpPanel::TFtpPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("FTPpn"));
    setWindowTitle(QStringLiteral("Filöverföring (FTP)"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);

    // Account row.
    auto* account = new QHBoxLayout;
    account->addWidget(new QLabel(QStringLiteral("Konto:"), this));
    cbFTPSite = new QComboBox(this);
    cbFTPSite->setObjectName(QStringLiteral("cbFTPSite"));
    cbFTPSite->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cbFTPSite->setMinimumContentsLength(8);
    cbFTPSite->installEventFilter(this);
    account->addWidget(cbFTPSite, 1);
    btnFTPConnect = Button(QStringLiteral("Anslut"), this, QStringLiteral("btnFTPConnect"));
    btnFTPConnect->setEnabled(false);
    btnFTPDisconnect =
        Button(QStringLiteral("Koppla från"), this, QStringLiteral("btnFTPDisconnect"));
    btnFTPDisconnect->hide();
    account->addWidget(btnFTPConnect);
    account->addWidget(btnFTPDisconnect);
    layout->addLayout(account);
    btnFTPHandleSites =
        Button(QStringLiteral("Hantera FTP-konton..."), this, QStringLiteral("btnFTPHandleSites"));
    layout->addWidget(btnFTPHandleSites);

    FTPSplitter = new QSplitter(Qt::Vertical, this);
    FTPSplitter->setObjectName(QStringLiteral("FTPSplitter"));
    FTPSplitter->setChildrenCollapsible(false);
    SetHint(FTPSplitter, QStringLiteral("Drag för att omfördela storlekarna."));
    layout->addWidget(FTPSplitter, 1);

    // This computer.
    FTPLocalPn = new QWidget(FTPSplitter);
    FTPLocalPn->setObjectName(QStringLiteral("FTPLocalPn"));
    FTPLocalPn->setMinimumHeight(100);
    auto* local = new QVBoxLayout(FTPLocalPn);
    local->setContentsMargins(0, 0, 0, 0);
    pcFTPLocal = new TPanelCaption(FTPLocalPn);
    pcFTPLocal->setObjectName(QStringLiteral("pcFTPLocal"));
    pcFTPLocal->SetCaptionText(QStringLiteral("Den här datorn"));
    pcFTPLocal->setFixedHeight(23);
    local->addWidget(pcFTPLocal);
    auto* localRow = new QHBoxLayout;
    FTPLocalDir = new QLineEdit(FTPLocalPn);
    FTPLocalDir->setObjectName(QStringLiteral("FTPLocalDir"));
    SetHint(FTPLocalDir, QStringLiteral("Katalog|Anger den aktuella katalogen på den här datorn."));
    btnBrowseDir = Button(QStringLiteral("Bläddra..."), FTPLocalPn, QStringLiteral("btnBrowseDir"));
    localRow->addWidget(FTPLocalDir, 1);
    localRow->addWidget(btnBrowseDir);
    local->addLayout(localRow);
    FTPLocalFiles = FileList(FTPLocalPn, QStringLiteral("FTPLocalFiles"));
    SetHint(FTPLocalFiles,
            QStringLiteral("Filer|Listar alla filer i den aktuella katalogen på den här datorn."));
    local->addWidget(FTPLocalFiles, 1);
    btnFTPSend = Button(QStringLiteral("Skicka filer till server"), FTPLocalPn,
                        QStringLiteral("btnFTPSend"));
    btnFTPSend->setEnabled(false);
    SetHint(btnFTPSend, QStringLiteral("|Skickar de markerade filerna till servern."));
    local->addWidget(btnFTPSend);

    // The server.
    FTPServerPn = new QWidget(FTPSplitter);
    FTPServerPn->setObjectName(QStringLiteral("FTPServerPn"));
    FTPServerPn->setMinimumHeight(100);
    auto* server = new QVBoxLayout(FTPServerPn);
    server->setContentsMargins(0, 0, 0, 0);
    pcFTPServer = new TPanelCaption(FTPServerPn);
    pcFTPServer->setObjectName(QStringLiteral("pcFTPServer"));
    pcFTPServer->SetCaptionText(QStringLiteral("Server"));
    pcFTPServer->setFixedHeight(23);
    server->addWidget(pcFTPServer);
    FTPServerDir = new QLineEdit(FTPServerPn);
    FTPServerDir->setObjectName(QStringLiteral("FTPServerDir"));
    SetHint(FTPServerDir, QStringLiteral("Katalog|Anger den aktuella katalogen på servern."));
    server->addWidget(FTPServerDir);
    FTPServerFiles = FileList(FTPServerPn, QStringLiteral("FTPServerFiles"));
    SetHint(FTPServerFiles,
            QStringLiteral("Filer|Listar alla filer i den aktuella katalogen på servern."));
    server->addWidget(FTPServerFiles, 1);
    btnFTPRec = Button(QStringLiteral("Skicka filer till den här datorn"), FTPServerPn,
                       QStringLiteral("btnFTPRec"));
    btnFTPRec->setEnabled(false);
    SetHint(btnFTPRec, QStringLiteral("|Skickar de markerade filerna till den här datorn."));
    server->addWidget(btnFTPRec);
    cbFTPAscii = new QCheckBox(QStringLiteral("ASCII-&överföring"), FTPServerPn);
    cbFTPAscii->setObjectName(QStringLiteral("cbFTPAscii"));
    SetHint(cbFTPAscii,
            QStringLiteral("|Anger att filer ska överföras i ASCII-läge (anpassas till "
                           "mottagaren) och inte i binärt läge (skickas omodifierade)."));
    server->addWidget(cbFTPAscii);
    FTPSplitter->setStretchFactor(0, 0);
    FTPSplitter->setStretchFactor(1, 1);

    // Context menus.
    FTPLocalFilesPopup = new QMenu(this);
    FTPLocalFilesPopup->setObjectName(QStringLiteral("FTPLocalFilesPopup"));
    mnuFTPOpenLocalFile =
        Item(FTPLocalFilesPopup, QStringLiteral("Öppna katalog/fil"),
             QStringLiteral("mnuFTPOpenLocalFile"),
             QStringLiteral("|Öppnar den markerade katalogen (i listan) eller filen (i Kelvora)."));
    FTPLocalFilesPopup->setDefaultAction(mnuFTPOpenLocalFile);
    FTPLocalFilesPopup->addSeparator();
    mnuOpenLocalDirInExplorer =
        Item(FTPLocalFilesPopup, QStringLiteral("&Öppna mapp i filhanteraren"),
             QStringLiteral("mnuOpenLocalDirInExplorer"),
             QStringLiteral("|Öppnar den aktuella mappen på den här datorn i filhanteraren."));
    mnuFTPLocalCreateDir = Item(FTPLocalFilesPopup, QStringLiteral("&Skapa ny mapp..."),
                                QStringLiteral("mnuFTPLocalCreateDir"),
                                QStringLiteral("|Skapar en ny katalog på den här datorn."));

    FTPServerFilesPopup = new QMenu(this);
    FTPServerFilesPopup->setObjectName(QStringLiteral("FTPServerFilesPopup"));
    mnuFTPServerRenameFile =
        Item(FTPServerFilesPopup, QStringLiteral("&Byt namn på markerad fil..."),
             QStringLiteral("mnuFTPServerRenameFile"));
    FTPServerFilesPopup->addSeparator();
    mnuFTPServerDelFile =
        Item(FTPServerFilesPopup, QStringLiteral("&Ta bort markerade filer..."),
             QStringLiteral("mnuFTPServerDelFile"),
             QStringLiteral("|Tar (permanent) bort de markerade filerna från servern."));
    mnuFTPServerDelDir = Item(FTPServerFilesPopup, QStringLiteral("T&a bort markerad katalog..."),
                              QStringLiteral("mnuFTPServerDelDir"));
    FTPServerFilesPopup->addSeparator();
    mnuFTPServerCreateDir = Item(FTPServerFilesPopup, QStringLiteral("&Skapa ny mapp..."),
                                 QStringLiteral("mnuFTPServerCreateDir"));
    // The manual command is advanced: it stays out of the menu.
    mnuFTPServerSendCommandSeparator = FTPServerFilesPopup->addSeparator();
    mnuFTPServerSendCommandSeparator->setVisible(false);
    mnuFTPServerSendCommand =
        Item(FTPServerFilesPopup, QStringLiteral("Skicka &kommando..."),
             QStringLiteral("mnuFTPServerSendCommand"),
             QStringLiteral("|Skickar ett manuellt kommando till servern (avancerat)."));
    mnuFTPServerSendCommand->setVisible(false);
}

bool TFtpPanel::eventFilter(QObject* watched, QEvent* event) {
    // While the account list has the focus, Enter connects (the connect button is its default).
    if (watched == cbFTPSite && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && btnFTPConnect->isVisible() &&
            btnFTPConnect->isEnabled()) {
            btnFTPConnect->click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
