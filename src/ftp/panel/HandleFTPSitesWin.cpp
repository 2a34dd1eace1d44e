#include "ftp/panel/HandleFTPSitesWin.h"

#include "app/dialogs/Boxes.h"
#include "controls/PanelCaption.h"
#include "ftp/accounts/FtpAccounts.h"
#include "platform/Dialogs.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPalette>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

const QString kNoFile =
    QStringLiteral("Det gick inte att öppna filen med informationen om FTP-kontot.");
const QString kNotSaved =
    QStringLiteral("Problem uppstod när filen med informationen om FTP-kontot skulle sparas.");
const QString kNotCreated =
    QStringLiteral("Det gick inte att skapa filen med information om FTP-kontot. Kontrollera att "
                   "du inte angett förbjudna tecken för filnamn i kontots namn.");

QPushButton* Button(const QString& caption, QWidget* parent, const QString& name) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

} // namespace

THandleFTPSites::THandleFTPSites(TBoxes& boxes, std::function<QStringList()> reloadAccounts,
                                 QWidget* parent)
    : QDialog(parent), boxes_(boxes), reloadAccounts_(std::move(reloadAccounts)) {
    setObjectName(QStringLiteral("HandleFTPSites"));
    setWindowTitle(QStringLiteral("Hantera FTP-konton"));
    auto* layout = new QVBoxLayout(this);
    auto* columns = new QHBoxLayout;
    layout->addLayout(columns, 1);

    auto* left = new QVBoxLayout;
    auto* accounts = new TPanelCaption(this);
    accounts->SetCaptionText(QStringLiteral("Konton"));
    accounts->setFixedHeight(23);
    left->addWidget(accounts);
    lbFTPSites = new QListWidget(this);
    lbFTPSites->setObjectName(QStringLiteral("lbFTPSites"));
    left->addWidget(lbFTPSites, 1);
    auto* listButtons = new QHBoxLayout;
    btnAddSite = Button(QStringLiteral("&Lägg till..."), this, QStringLiteral("btnAddSite"));
    btnDelSite = Button(QStringLiteral("&Ta bort"), this, QStringLiteral("btnDelSite"));
    listButtons->addWidget(btnAddSite);
    listButtons->addWidget(btnDelSite);
    left->addLayout(listButtons);
    columns->addLayout(left, 1);

    auto* right = new QVBoxLayout;
    auto* properties = new TPanelCaption(this);
    properties->SetCaptionText(QStringLiteral("Egenskaper"));
    properties->setFixedHeight(23);
    right->addWidget(properties);
    auto* grid = new QGridLayout;
    int row = 0;
    const auto editor = [&](const QString& caption, const QString& name, QPushButton* beside) {
        auto* label = new QLabel(caption, this);
        auto* edit = new QLineEdit(this);
        edit->setObjectName(name);
        label->setBuddy(edit);
        grid->addWidget(label, row++, 0, 1, 2);
        grid->addWidget(edit, row, 0, 1, beside ? 1 : 2);
        editors_ << label << edit;
        if (beside) {
            grid->addWidget(beside, row, 1);
            editors_ << beside;
        }
        ++row;
        return edit;
    };
    eServerAddr = editor(QStringLiteral("&Server:"), QStringLiteral("eServerAddr"), nullptr);
    btnAnonymous = Button(QStringLiteral("Anonym"), this, QStringLiteral("btnAnonymous"));
    eUserName = editor(QStringLiteral("&Användarnamn:"), QStringLiteral("eUserName"), btnAnonymous);
    ePSW = editor(QStringLiteral("&Lösenord:"), QStringLiteral("ePSW"), nullptr);
    ePSW->setEchoMode(QLineEdit::Password);
    ePSW->setStyleSheet(QStringLiteral("lineedit-password-character: 8226;"));
    btnBrowseDir = Button(QStringLiteral("&Bläddra..."), this, QStringLiteral("btnBrowseDir"));
    eLocalDir = editor(QStringLiteral("Startkatalog på &den här datorn:"),
                       QStringLiteral("eLocalDir"), btnBrowseDir);
    eServerDir =
        editor(QStringLiteral("Startkatalog på s&ervern:"), QStringLiteral("eServerDir"), nullptr);
    right->addLayout(grid);
    right->addStretch(1);
    columns->addLayout(right, 2);

    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    btnClose = new QPushButton(QStringLiteral("S&täng"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    btnClose->setDefault(true);
    bottom->addWidget(btnClose);
    layout->addLayout(bottom);

    connect(btnClose, &QPushButton::clicked, this, [this] { done(Dialogs::mrOk); });
    connect(lbFTPSites, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { EditSite(lbFTPSites->row(item)); });
    connect(lbFTPSites, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { EditSite(lbFTPSites->row(item)); });
    connect(btnAddSite, &QPushButton::clicked, this, [this] { AddSite(); });
    connect(btnDelSite, &QPushButton::clicked, this, [this] { DelSite(); });
    connect(btnAnonymous, &QPushButton::clicked, this, [this] { GoAnonymous(); });
    connect(btnBrowseDir, &QPushButton::clicked, this, [this] { BrowseLocalDir(); });
    connect(ePSW, &QLineEdit::textChanged, this, [this] { ePSWChange(); });

    ePSWChange();
    ShowEdits(false);
    resize(560, 340);
    Dialogs::CentreOnScreen(this);
}

void THandleFTPSites::ShowEdits(bool visible) {
    for (QWidget* w : editors_)
        w->setVisible(visible);
}

void THandleFTPSites::EditSite(int row) {
    if (row < 0 || row >= lbFTPSites->count())
        return;
    SaveOldFile();
    const QString name = lbFTPSites->item(row)->text();
    TFtpAccount account;
    if (!FtpAccounts::Exists(name) ||
        FtpAccounts::Read(name, &account) == FtpAccounts::TReadResult::Unreadable) {
        boxes_.kvMessageBox(kNoFile);
        return;
    }
    eServerAddr->setText(account.Server);
    eUserName->setText(account.User);
    eLocalDir->setText(account.LocalDir);
    eServerDir->setText(account.ServerDir);
    ePSW->setText(account.Password);
    edited_ = row;
    ShowEdits(true);
}

bool THandleFTPSites::SaveOldFile() {
    if (edited_ < 0 || edited_ >= lbFTPSites->count())
        return true;
    TFtpAccount account;
    account.Server = eServerAddr->text();
    account.User = eUserName->text();
    account.LocalDir = eLocalDir->text();
    account.ServerDir = eServerDir->text();
    account.Password = ePSW->text();
    if (FtpAccounts::Write(lbFTPSites->item(edited_)->text(), account))
        return true;
    boxes_.kvMessageBox(kNotSaved);
    return false;
}

void THandleFTPSites::AddSite() {
    QString name;
    if (!boxes_.kvInputBox(QStringLiteral("Ange namnet på det nya kontot:"),
                           QStringLiteral("Mitt FTP-konto"), &name))
        return;
    if (!FtpAccounts::IsValidName(name)) {
        boxes_.kvMessageBox(kNotCreated);
        return;
    }
    const bool exists = FtpAccounts::Exists(name);
    if (exists) {
        if (boxes_.kvQuestionBox(
                QStringLiteral("Det finns redan ett FTP-konto med namnet \"%1\".").arg(name),
                QStringLiteral("Vill du ersätta det?")) != Dialogs::mrYes)
            return;
        // The editors must not write the old values back over the new account.
        if (edited_ >= 0 && lbFTPSites->item(edited_)->text() == name) {
            edited_ = -1;
            ShowEdits(false);
        }
    }
    if (!FtpAccounts::Write(name, FtpAccounts::NewAccount())) {
        boxes_.kvMessageBox(kNotCreated);
        return;
    }
    if (!exists || lbFTPSites->findItems(name, Qt::MatchExactly).isEmpty())
        lbFTPSites->addItem(name);
}

void THandleFTPSites::DelSite() {
    edited_ = -1;
    ShowEdits(false);
    QListWidgetItem* item = lbFTPSites->currentItem();
    if (!item || !item->isSelected())
        return;
    const QString name = item->text();
    if (boxes_.kvQuestionBox(
            QStringLiteral("Informationen om FTP-kontot \"%1\" kommer att raderas från Kelvora.")
                .arg(name),
            QStringLiteral("Vill du fortsätta?")) != Dialogs::mrYes)
        return;
    FtpAccounts::Remove(name);
    Relist();
}

void THandleFTPSites::Relist() {
    const QSignalBlocker block(lbFTPSites);
    lbFTPSites->clear();
    lbFTPSites->addItems(reloadAccounts_ ? reloadAccounts_() : FtpAccounts::Names());
}

void THandleFTPSites::GoAnonymous() {
    eUserName->setText(QStringLiteral("anonymous"));
}

void THandleFTPSites::ePSWChange() {
    QPalette p = ePSW->palette();
    p.setColor(QPalette::Base,
               palette().color(ePSW->text().isEmpty() ? QPalette::Button : QPalette::Base));
    ePSW->setPalette(p);
}

void THandleFTPSites::BrowseLocalDir() {
    const QString folder = Dialogs::GetExistingDirectory(
        this, QStringLiteral("Välj startkatalog på den här datorn:"), eLocalDir->text());
    if (!folder.isEmpty())
        eLocalDir->setText(folder);
}

void THandleFTPSites::FormClose() {
    SaveOldFile();
}
