// The Help menu: help files in the program's own window, the not-installed message, the
// introduction, the about box and the web pages.
#include "MainWinFixture.h"

#include "app/commands/HelpCommands.h"
#include "app/dialogs/AboutWin.h"
#include "app/dialogs/HelpWin.h"
#include "app/dialogs/WelcomeWin.h"
#include "platform/AppPaths.h"

#include <QAction>
#include <QDesktopServices>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QUrl>

namespace {

// Takes the web addresses the program hands to the desktop.
class TUrlCatcher : public QObject {
    Q_OBJECT

public:
    QList<QUrl> Urls;

public slots:
    void Open(const QUrl& url) { Urls << url; }
};

TEST_F(MainWinTest, HelpFilesOpenInTheHelpWindow) {
    const struct {
        const char* command;
        QString file;
    } cases[] = {{"HShowHelp", HelpCommands::kTopics}, {"HShowHelpB", HelpCommands::kHotKeys}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        ASSERT_TRUE(Run(c.command));
        auto* help = win->findChild<THelpWin*>(QStringLiteral("HelpWin"));
        ASSERT_NE(help, nullptr);
        EXPECT_TRUE(help->isVisible());
        EXPECT_EQ(help->Browser->source(), QUrl::fromLocalFile(HelpCommands::HelpFile(c.file)));
        EXPECT_FALSE(help->Browser->toPlainText().isEmpty());
    }
    EXPECT_EQ(win->findChildren<THelpWin*>().size(), 1);
    EXPECT_EQ(win->Action(QStringLiteral("HShowHelp"))->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_TRUE(seen.isEmpty());
}

TEST_F(MainWinTest, AMissingHelpFileSaysTheHelpIsNotInstalled) {
    QTemporaryDir empty;
    AppPaths::SetProgramDir(empty.path());
    for (const char* command : {"HShowHelp", "HShowHelpB"})
        ASSERT_TRUE(Run(command));
    AppPaths::SetProgramDir(QString());
    const QString message = QStringLiteral(
        "M:Hjälpfiler för Kelvora har inte installerats. Kör installationsprogrammet igen.");
    EXPECT_EQ(seen, (QStringList{message, message}));
    EXPECT_EQ(win->findChild<THelpWin*>(QStringLiteral("HelpWin")), nullptr);
}

TEST_F(MainWinTest, IntroductionAndAboutShowTheirTexts) {
    QString button, introduction, copied, version;
    modal.reset();
    modal = ScriptBoxes(seen, answers, [&](QDialog* d) {
        if (auto* w = qobject_cast<Twelcome*>(d)) {
            button = w->btnStartECNow->text();
            introduction = w->IntroText->toPlainText();
            copied = w->CopyText();
            return int(Dialogs::mrOk);
        }
        if (auto* a = qobject_cast<Tabout*>(d)) {
            version = a->Version->text();
            return int(Dialogs::mrOk);
        }
        return -1;
    });
    ASSERT_TRUE(Run("HShowIntroduction"));
    EXPECT_EQ(button, "OK");
    EXPECT_TRUE(introduction.contains(QStringLiteral("Kelvora")));
    EXPECT_TRUE(copied.startsWith(introduction + QStringLiteral("\n\n")));
    EXPECT_GT(copied.size(), introduction.size() + 2);
    ASSERT_TRUE(Run("HAboutDlg"));
    EXPECT_EQ(version, "7.0.0.2");
}

TEST_F(MainWinTest, TheWebPagesGoToTheDesktop) {
    TUrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "Open");
    ASSERT_TRUE(Run("Kelvoraswebbplats1"));
    ASSERT_TRUE(Run("VarekTolvanesHemsida1"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    ASSERT_EQ(catcher.Urls.size(), 2);
    EXPECT_EQ(catcher.Urls[0].path(), "/Kelvora");
    EXPECT_EQ(catcher.Urls[1], QUrl(HelpCommands::kHomePage));

    QMenu* help = win->Menu(QStringLiteral("Hjlp1"));
    ASSERT_NE(help, nullptr);
    QStringList items;
    for (QAction* a : help->actions())
        items << (a->isSeparator() ? QStringLiteral("-")
                  : a->menu()      ? a->menu()->title()
                                   : a->objectName());
    EXPECT_EQ(items.mid(0, 7), (QStringList{"HShowHelp", "HShowHelpB", "-", "HShowIntroduction",
                                            "&Internet", "-", "HAboutDlg"}));
}

} // namespace

#include "HelpCommandsTest.moc"
