#include "MainWinFixture.h"
#include "app/panels/SearchPanel.h"
#include "app/preview/ViewModes.h"
#include "platform/AppPaths.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

namespace {

// The window with its program starts and file openings written down.
class ExternalTest : public MainWinTest {
protected:
    void SetUp() override {
        MainWinTest::SetUp();
        win->StartProgram = [this](const QString& program, const QStringList& arguments) {
            started << program + QLatin1Char('|') + arguments.join(QLatin1Char('|'));
            return true;
        };
        win->OpenWithSystemHandler = [this](const QString& f) {
            started << QStringLiteral("open|") + f;
        };
    }
    QStringList started;
};

TEST_F(ExternalTest, ShowInBrowser) {
    const QString page = Make(QStringLiteral("min sida.html"), "<p>x</p>");
    const QString notSaved =
        QStringLiteral("M:Dokumentet kan ej visas eftersom det inte är sparat till en fil.");
    const QString modified =
        QStringLiteral("M:Du måste spara ändringarna gjorda i filen innan dokumentet kan visas.");
    struct Case {
        bool open, modified, otherBrowser;
        QString message, start;
    } cases[] = {
        {false, false, false, notSaved, {}},
        {false, false, true, notSaved, {}},
        {true, true, true, modified, {}},
        {true, false, false, {}, QStringLiteral("open|") + page},
        {true, false, true, {}, QStringLiteral("/opt/webb/surfa|") + page},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message.toStdString() + c.start.toStdString());
        seen.clear();
        started.clear();
        if (c.open)
            Open(page);
        else
            RunCommand([&] { win->Commands().Run(QStringLiteral("ANewDoc")); });
        win->Current().Modified = c.modified;
        win->UseOtherBrowser = c.otherBrowser;
        win->BrowserFileName = QStringLiteral("/opt/webb/surfa");
        Run("VShowInBrowser");
        EXPECT_EQ(seen, c.message.isEmpty() ? QStringList() : QStringList{c.message});
        EXPECT_EQ(started, c.start.isEmpty() ? QStringList() : QStringList{c.start});
    }
}

// With the system's browser, only a web page (an extension coloured as HTML or opened in
// preview mode) is handed to the desktop as it is; any other document, which the desktop would
// open by its type (a script would run), is shown through the preview copy of its text.
TEST_F(ExternalTest, ShowInBrowserHandsOnlyWebPagesToTheDesktop) {
    const QString copy = AppPaths::DataFile(QStringLiteral("_preview.html"));
    win->caPreview = {QStringLiteral("xml")};
    const struct {
        const char* name;
        bool direct;
    } cases[] = {
        {"sida.HTM", true},     {"data.xml", true}, {"run.sh", false},
        {"app.desktop", false}, {"noext", false},   {"notes.txt", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        started.clear();
        QFile::remove(copy);
        const QString file = Make(QLatin1String(c.name), QByteArray("text of ") + c.name);
        Open(file);
        Run("VShowInBrowser");
        EXPECT_EQ(started, QStringList{QStringLiteral("open|") + (c.direct ? file : copy)});
        if (!c.direct) {
            EXPECT_EQ(ReadTestFile(copy), QByteArray("text of ") + c.name + "\r\n");
        }
    }
    // A copy that cannot be written is reported and nothing is opened.
    Open(Make(QStringLiteral("run2.sh"), "echo"));
    QFile::remove(copy);
    ASSERT_TRUE(QDir().mkpath(copy + QStringLiteral("/blocked")));
    started.clear();
    Run("VShowInBrowser");
    EXPECT_TRUE(started.isEmpty());
    EXPECT_EQ(seen.value(seen.size() - 1), "M:" + TViewModes::CopyNotWrittenText());
    QDir(copy).removeRecursively();
}

TEST_F(ExternalTest, ShowInBrowserIsOnTheViewMenu) {
    QAction* a = win->Action(QStringLiteral("VShowInBrowser"));
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->text(), QStringLiteral("Visa i webbläsare"));
    EXPECT_EQ(a->shortcut(), QKeySequence(QStringLiteral("Ctrl+F9")));
    auto* visa = win->menuBar()->findChild<QMenu*>(QStringLiteral("Visa1"));
    ASSERT_NE(visa, nullptr);
    EXPECT_TRUE(visa->actions().contains(a));
}

TEST_F(ExternalTest, AdvancedReplaceStartsTheToolOrSaysItIsMissing) {
    const QString tool = Make(QStringLiteral("mervanta"), "#!/bin/sh\n");
    const QString missing =
        QStringLiteral("M:Mervanta hittades inte. Kör installationsprogrammet igen.");
    struct Case {
        QString path, message, start;
    } cases[] = {
        {QString(), missing, {}},
        {File(QStringLiteral("finns-inte")), missing, {}},
        {dir, missing, {}}, // a folder is no program
        {tool, {}, tool + QLatin1Char('|')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        seen.clear();
        started.clear();
        win->TextToolPath = c.path;
        win->searchpn->btnAdvReplace->click();
        EXPECT_EQ(seen, c.message.isEmpty() ? QStringList() : QStringList{c.message});
        EXPECT_EQ(started, c.start.isEmpty() ? QStringList() : QStringList{c.start});
    }
}

} // namespace
