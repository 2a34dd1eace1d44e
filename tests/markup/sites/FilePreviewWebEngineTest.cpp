// The file preview in the real embedded browser: a hostile file name stays text, and a file
// the browser would download is cancelled.
#include "MarkupFixture.h"

#include "app/preview/WebEnginePreviewBrowser.h"
#include "markup/common/PrivatePreview.h"
#include "markup/sites/FilePreviewWin.h"

#include <QStatusBar>
#include <QTest>
#include <QWebEngineDownloadRequest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

namespace {

constexpr int kTimeout = 30000;

QVariant Evaluate(QWebEngineView* view, const QString& script) {
    QVariant result;
    bool done = false;
    view->page()->runJavaScript(script, [&](const QVariant& v) {
        result = v;
        done = true;
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return done; }, kTimeout));
    return result;
}

class FilePreviewWebEngineTest : public MarkupWinTest {};

} // namespace

TEST_F(FilePreviewWebEngineTest, AHostileNameStaysTextAndDownloadsAreCancelled) {
    // A one-pixel GIF under a name that is markup.
    const QString picture = WriteTestFile(
        QStringLiteral("engine/<img src=x onerror=\"document.title='pwned'\">.gif"),
        QByteArray::fromBase64("R0lGODlhAQABAAAAACH5BAEKAAEALAAAAAABAAEAAAICTAEAOw=="));
    TFilePreview preview(*win);
    preview.resize(500, 400);
    preview.show();
    auto* browser = dynamic_cast<TWebEnginePreviewBrowser*>(preview.Browser()->Browser());
    ASSERT_NE(browser, nullptr);
    QWebEngineView* view = browser->View();

    preview.Preview(picture);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return view->title() == QStringLiteral("Förhandsgranskning"); }, kTimeout));
    QTest::qWait(300);
    EXPECT_EQ(Evaluate(view, QStringLiteral("document.images.length")).toInt(), 1);
    EXPECT_EQ(Evaluate(view, QStringLiteral("document.querySelector('h1').textContent")).toString(),
              QStringLiteral("<img src=x onerror=\"document.title='pwned'\">.gif"));
    EXPECT_TRUE(Evaluate(view, QStringLiteral("document.images[0].complete && "
                                              "document.images[0].naturalWidth"))
                    .toInt() == 1);
    EXPECT_EQ(view->title(), QStringLiteral("Förhandsgranskning"));

    // A file the engine would save: the download is cancelled, nothing is written.
    const QString archive =
        WriteTestFile(QStringLiteral("engine/paket.zip"), "PK\x05\x06" + QByteArray(18, 0));
    QWebEngineDownloadRequest* seen = nullptr;
    QObject::connect(view->page()->profile(), &QWebEngineProfile::downloadRequested, view,
                     [&](QWebEngineDownloadRequest* d) { seen = d; });
    preview.Preview(archive);
    ASSERT_TRUE(QTest::qWaitFor([&] { return seen != nullptr; }, kTimeout));
    EXPECT_EQ(seen->state(), QWebEngineDownloadRequest::DownloadCancelled);
    EXPECT_FALSE(
        QFileInfo::exists(QDir(seen->downloadDirectory()).filePath(seen->downloadFileName())));
}
