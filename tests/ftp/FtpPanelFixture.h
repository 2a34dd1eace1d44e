#pragma once

#include "FtpTestServer.h"

#include "app/MainWinFixture.h"
#include "app/dialogs/InternalFunctionInputWin.h"
#include "ftp/FtpInstall.h"
#include "ftp/accounts/FtpAccounts.h"
#include "ftp/panel/FtpClient.h"
#include "ftp/panel/FtpPanel.h"
#include "ftp/session/FtpSession.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QTest>
#include <optional>

namespace {
const bool ftpInstalled = (InstallFtp(), true);
}

// A main window with the FTP client, a local FTP server serving the folder "server" and a
// local folder "local". Prompts are answered from `inputs` (std::nullopt cancels) and recorded
// in `seen` as "I:prompt|default"; other dialogs go to `dialogs`.
class FtpPanelTest : public MainWinTest {
protected:
    void SetUp() override {
        QDir(FtpAccounts::Folder()).removeRecursively();
        MainWinTest::SetUp();
        modal.reset();
        modal = ScriptBoxes(seen, answers, [this](QDialog* d) { return Other(d); });
        client = win->findChild<TFtpClient*>(QStringLiteral("FtpClient"));
        ASSERT_TRUE(client);
        panel = client->Panel();
        client->Session().SetTimeouts(5000, 5000, 10000);
        QDir().mkpath(ServerFolder());
        QDir().mkpath(LocalFolder());
    }
    void TearDown() override {
        EXPECT_TRUE(inputs.empty()) << "prompts left unasked";
        MainWinTest::TearDown();
    }

    int Other(QDialog* d) {
        if (auto* in = qobject_cast<TInternalFunctionInput*>(d)) {
            seen << QStringLiteral("I:") + in->Q->text() + QLatin1Char('|') + in->A->text();
            if (inputs.empty()) {
                ADD_FAILURE() << "unexpected prompt " << in->Q->text().toStdString();
                return int(Dialogs::mrCancel);
            }
            const std::optional<QString> a = inputs.front();
            inputs.pop_front();
            in->A->setText(a.value_or(QString()));
            return a ? int(Dialogs::mrOk) : int(Dialogs::mrCancel);
        }
        return dialogs ? dialogs(d) : -1;
    }

    void StartServer(int rate = 0) {
        ASSERT_TRUE(server.Start(ServerFolder(), rate)) << server.Error().toStdString();
    }
    QString ServerFolder() const { return File(QStringLiteral("server")); }
    QString LocalFolder() const { return File(QStringLiteral("local")); }
    QString OnServer(const QString& relative, const QByteArray& bytes = "x") {
        return WriteTestFile(QDir(ServerFolder()).filePath(relative), bytes);
    }
    QString Local(const QString& relative, const QByteArray& bytes = "x") {
        return WriteTestFile(QDir(LocalFolder()).filePath(relative), bytes);
    }

    // An account for the test server; reloads the panel's account list.
    void Account(const QString& name, const QString& serverDir = QStringLiteral("/"),
                 const QString& password = QStringLiteral("hemligt")) {
        TFtpAccount a;
        a.Server = server.Address();
        a.User = QStringLiteral("kv");
        a.Password = password;
        a.LocalDir = LocalFolder();
        a.ServerDir = serverDir;
        ASSERT_TRUE(FtpAccounts::Write(name, a));
        client->LoadFTPSitesFromFiles();
    }
    void Choose(const QString& account) {
        panel->cbFTPSite->setCurrentIndex(panel->cbFTPSite->findText(account));
    }
    // Starts the server, makes the account "Test" and connects with it.
    void Connect(const QString& serverDir = QStringLiteral("/")) {
        StartServer();
        Account(QStringLiteral("Test"), serverDir);
        Choose(QStringLiteral("Test"));
        RunCommand([this] { client->FTPConnect(); });
        ASSERT_TRUE(client->FTPConnected) << seen.join(QLatin1Char('|')).toStdString();
    }

    static QStringList Items(const QListWidget* list) {
        QStringList out;
        for (int i = 0; i < list->count(); ++i)
            out << list->item(i)->text();
        return out;
    }
    static QStringList Sorted(QStringList l) {
        l.sort();
        return l;
    }
    QStringList ServerItems() const { return Items(panel->FTPServerFiles); }
    QStringList LocalItems() const { return Items(panel->FTPLocalFiles); }
    // Selects entries by name (the last one focused); fails on a name not listed.
    static void Select(QListWidget* list, const QStringList& names) {
        list->clearSelection();
        for (const QString& n : names) {
            const QList<QListWidgetItem*> found = list->findItems(n, Qt::MatchExactly);
            ASSERT_EQ(found.size(), 1) << n.toStdString();
            found[0]->setSelected(true);
            list->setCurrentItem(found[0], QItemSelectionModel::NoUpdate);
        }
    }
    void Run(void (TFtpClient::*command)()) {
        // The client by name: GCC's vptr check misreads a captured `this` beside a member pointer.
        RunCommand([c = client, command] { (c->*command)(); });
    }
    // Runs a transfer command and waits for it to end.
    bool Transfer(void (TFtpClient::*command)(), int ms = 30000) {
        QSignalSpy ended(client, &TFtpClient::TransferFinished);
        Run(command);
        if (panel->isEnabled() && ended.isEmpty())
            return false; // none started
        return !ended.isEmpty() || ended.wait(ms);
    }

    std::deque<std::optional<QString>> inputs;
    std::function<int(QDialog*)> dialogs;
    TFtpClient* client = nullptr;
    TFtpPanel* panel = nullptr;
    TFtpTestServer server;
};
