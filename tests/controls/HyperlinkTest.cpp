#include "controls/Hyperlink.h"
#include "controls/HintShadow.h"

#include "MouseSupport.h"

#include <gtest/gtest.h>

namespace {

struct Link : ::testing::Test {
    void SetUp() override {
        THyperlink::SetOpenHook([this](const QString& url) { log << "open " + url; });
        link.setText(QStringLiteral("Kelvoras webbplats"));
        link.resize(150, 20);
        link.OnClick = [this](QObject*) { log << QStringLiteral("click"); };
        link.show();
    }
    void TearDown() override { THyperlink::SetOpenHook(nullptr); }

    THyperlink link;
    QStringList log;
};

} // namespace

TEST_F(Link, LooksLikeALink) {
    EXPECT_TRUE(link.URL().isEmpty());
    EXPECT_EQ(link.cursor().shape(), Qt::PointingHandCursor);
    EXPECT_TRUE(link.font().underline());
    EXPECT_EQ(link.palette().color(QPalette::WindowText), QColor(Qt::blue));
    EXPECT_EQ(link.textFormat(), Qt::PlainText);
}

TEST_F(Link, ClickFiresOnClickThenOpensTheAddress) {
    link.SetURL(QStringLiteral("https://example.org/kelvora"));
    Press(&link, QPoint(5, 5));
    Release(&link, QPoint(5, 5));
    EXPECT_EQ(log, (QStringList{"click", "open https://example.org/kelvora"}));
}

TEST_F(Link, WithoutAnAddressOnlyOnClickFires) {
    Press(&link, QPoint(5, 5));
    Release(&link, QPoint(5, 5));
    EXPECT_EQ(log, QStringList{"click"});
}

TEST_F(Link, NoClickWithoutLeftPressAndReleaseOnTheLabel) {
    link.SetURL(QStringLiteral("https://example.org"));
    Press(&link, QPoint(5, 5));
    Release(&link, QPoint(500, 5));
    Press(&link, QPoint(5, 5), Qt::RightButton);
    Release(&link, QPoint(5, 5), Qt::RightButton);
    Release(&link, QPoint(5, 5));
    EXPECT_TRUE(log.isEmpty());
}

TEST(HintWindow, IsAToolTipWindowShowingPlainText) {
    TShadowedHintWindow hint;
    EXPECT_EQ(hint.windowType(), Qt::ToolTip);
    EXPECT_EQ(hint.textFormat(), Qt::PlainText);
    const QString text = QStringLiteral("<b>Öppna</b>");
    const QRect one = hint.CalcHintRect(300, text);
    const QRect two = hint.CalcHintRect(300, text + QStringLiteral("\nandra raden"));
    EXPECT_GT(two.height(), one.height());
    hint.ActivateHint(one.translated(40, 50), text);
    EXPECT_TRUE(hint.isVisible());
    EXPECT_EQ(hint.text(), text);
    EXPECT_EQ(hint.geometry(), one.translated(40, 50));
    EXPECT_FALSE(hint.isActiveWindow());
}
