#include "MarkupFixture.h"
#include "app/preview/PreviewBrowser.h"
#include "app/preview/WebEnginePreviewBrowser.h"
#include "controls/ColorContainer.h"
#include "markup/css/CSSWin.h"

#include <QCheckBox>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace {

constexpr int kLoadTimeout = 30000;

// A value read from the page by a script of the program's own (the page's scripts are off).
QString Evaluate(QWebEngineView* view, const QString& script) {
    QString value;
    bool got = false;
    view->page()->runJavaScript(script, QWebEngineScript::ApplicationWorld, [&](const QVariant& v) {
        value = v.toString();
        got = true;
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return got; }, kLoadTimeout));
    return value;
}

TEST_F(MarkupTest, TheStylePreviewShowsTheChosenColourInTheEmbeddedBrowser) {
    win->TagCase = 2;
    TCSS css(*win, TCSSMode::Declarations, win.get());
    auto* web = dynamic_cast<TWebEnginePreviewBrowser*>(css.Browser());
    ASSERT_NE(web, nullptr);
    QWebEngineView* view = web->View();
    EXPECT_FALSE(view->settings()->testAttribute(QWebEngineSettings::JavascriptEnabled));
    int loads = 0;
    web->OnLoadFinished = [&](const QString&) { ++loads; };

    css.pAFontColor->setChecked(true);
    css.pFontColor->SetCurrentColor(0x0000FF); // red
    css.pABgColor->setChecked(true);
    css.pBgColor->SetCurrentColor(0x00FFFF); // yellow
    css.resize(700, 600);
    css.show(); // the preview is written and shown
    ASSERT_TRUE(QTest::qWaitFor([&] { return loads >= 1; }, kLoadTimeout));
    EXPECT_EQ(view->url(), QUrl::fromLocalFile(css.PreviewFile()));
    const QString sample = QStringLiteral("getComputedStyle(document.querySelector('div'))");
    EXPECT_EQ(Evaluate(view, sample + QStringLiteral(".color")), QStringLiteral("rgb(255, 0, 0)"));
    EXPECT_EQ(Evaluate(view, sample + QStringLiteral(".backgroundColor")),
              QStringLiteral("rgb(255, 255, 0)"));
    EXPECT_EQ(Evaluate(view, QStringLiteral("document.body.innerText")).trimmed(),
              QStringLiteral("Exempeltext med aktuell formatering inom DIV."));

    // A change shows a moment later.
    css.pFontColor->SetCurrentColor(0xFF0000); // blue
    css.UpdatePreview();
    ASSERT_TRUE(QTest::qWaitFor([&] { return loads >= 2; }, kLoadTimeout));
    EXPECT_EQ(Evaluate(view, sample + QStringLiteral(".color")), QStringLiteral("rgb(0, 0, 255)"));
    css.reject();
}

} // namespace
