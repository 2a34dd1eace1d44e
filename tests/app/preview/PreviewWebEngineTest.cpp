#include "PreviewTestDoubles.h"
#include "TestSupport.h"
#include "app/preview/ViewModes.h"
#include "app/preview/WebEnginePreviewBrowser.h"

#include <QAction>
#include <QLabel>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

constexpr int kLoadTimeout = 30000;

// What a browser reported, in order.
struct Reports {
    void Listen(TPreviewBrowser* browser) {
        browser->OnLoadFinished = [this](const QString& t) { events.push_back("ok " + t); };
    }
    void ListenForFailures(TPreviewBrowser* browser) {
        browser->OnLoadFailed = [this](const QString& t, const QString&) {
            events.push_back("failed " + t);
        };
    }
    bool WaitFor(size_t count) {
        return QTest::qWaitFor([&] { return events.size() >= count; }, kLoadTimeout);
    }
    std::vector<QString> events;
};

// The text of the page on screen, read by the page's own script.
QString BodyText(QWebEngineView* view) {
    QString text;
    bool got = false;
    view->page()->runJavaScript(QStringLiteral("document.body.innerText"), [&](const QVariant& v) {
        text = v.toString();
        got = true;
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return got; }, kLoadTimeout));
    return text.trimmed();
}

TEST(PreviewWebEngine, OnlyTheLoadsThatEndAreReported) {
    TWebEnginePreviewBrowser browser;
    browser.Widget()->resize(400, 300);
    browser.Widget()->show();
    Reports r;
    r.Listen(&browser);
    r.ListenForFailures(&browser);
    const QString a = WriteTestFile("loads/a.html", "<p>A</p>");
    const QString b = WriteTestFile("loads/b.html", "<p>B</p>");
    const QString missing = TestRootDir() + "/loads/missing.html";

    // A load that a newer one replaces is no failure. Whatever the replaced load would report
    // comes before the end of the next load asked for, which therefore closes each step.
    browser.NavigateToFile(a);
    browser.NavigateToFile(b);
    ASSERT_TRUE(r.WaitFor(1));
    EXPECT_EQ(BodyText(browser.View()), QStringLiteral("B"));

    browser.NavigateToFile(missing);
    ASSERT_TRUE(r.WaitFor(2));
    EXPECT_EQ(r.events, (std::vector<QString>{"ok " + b, "failed " + missing}));

    // The same page twice: the second load replaces the first.
    browser.NavigateToFile(a);
    browser.NavigateToFile(a);
    ASSERT_TRUE(r.WaitFor(3));
    browser.NavigateToFile(b);
    ASSERT_TRUE(r.WaitFor(4));
    EXPECT_EQ(r.events,
              (std::vector<QString>{"ok " + b, "failed " + missing, "ok " + a, "ok " + b}));
}

TEST(PreviewWebEngine, ThePreviewShowsTheDocumentsCurrentText) {
    TFakeViewHost host;
    TViewModes modes(&host, std::make_unique<TWebEnginePreviewBrowser>());
    host.modes = &modes;
    auto* view = static_cast<TWebEnginePreviewBrowser*>(modes.Browser())->View();
    modes.Area()->resize(800, 600);
    modes.Area()->show();
    Reports r;
    r.Listen(modes.Browser());

    // A new document without a charset: its windows-1252 letters arrive whole.
    host.text = "<html><body><p>R\xE5tt och r\xF6tt</p></body></html>";
    modes.VToggleAutoPreviewUpdate->setChecked(true);
    modes.CombinationMode();
    ASSERT_TRUE(r.WaitFor(1));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(view->url(), QUrl::fromLocalFile(modes.PreviewOpenFileName));
    EXPECT_EQ(BodyText(view), QStringLiteral("Rått och rött"));

    // An edit reaches the page a second later.
    host.modified = true;
    host.Edit("<p>Sm\xF6rg\xE5s \x80 5</p>");
    ASSERT_TRUE(r.WaitFor(2));
    EXPECT_EQ(BodyText(view), QStringLiteral("Smörgås € 5"));

    // A saved document is shown from its own file.
    host.SavedFile(QStringLiteral("real/page.html"), "<p>Fil p\xE5 disk</p>");
    modes.PreviewPage();
    ASSERT_TRUE(r.WaitFor(3));
    EXPECT_EQ(view->url(), QUrl::fromLocalFile(host.fileName));
    EXPECT_EQ(BodyText(view), QStringLiteral("Fil på disk"));
    EXPECT_FALSE(modes.Label4->isVisibleTo(modes.Panel6));
    EXPECT_TRUE(host.messages.empty());
}

} // namespace
