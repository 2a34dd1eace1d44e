#include "markup/css/CSSWin.h"
#include "MarkupFixture.h"
#include "app/PreviewTestDoubles.h"
#include "controls/ColorContainer.h"
#include "markup/elements/LinkWin.h"
#include "markup/lists/ListWin.h"
#include "platform/AppPaths.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QTabWidget>

namespace {

class CSSWinTest : public MarkupTest {
protected:
    void SetUp() override {
        MarkupTest::SetUp();
        win->MakePreviewBrowser = [] { return std::make_unique<TRecordingPreviewBrowser>(); };
    }
    static TRecordingPreviewBrowser& Browser(TCSS& css) {
        return *static_cast<TRecordingPreviewBrowser*>(css.Browser());
    }
};

TEST_F(CSSWinTest, TheInsertCommandsWriteTheirModeIntoTheDocument) {
    win->TagCase = 2;
    const auto tick = [](TCSS& css) {
        EXPECT_EQ(css.windowTitle(), QStringLiteral("Stilmall"));
        css.pAFontSize->setChecked(true);
        css.pFontSize->setText(QStringLiteral("14"));
        css.pFontSizeUnit->setCurrentText(QStringLiteral("pt"));
        return int(Dialogs::mrOk);
    };
    // A span: the caret in front of its end tag.
    Start("a[b]c");
    Expect<TCSS>(tick);
    ASSERT_TRUE(Run("IInsertCSSSpanStyle"));
    EXPECT_EQ(Marks(), QByteArray("a<span style=\"font-size:14pt;\">|</span>c"));

    // A rule block with its selector.
    Start("|");
    Expect<TCSS>([&](TCSS& css) {
        EXPECT_TRUE(css.pBlock->isVisibleTo(&css));
        css.pBlock->setText(QStringLiteral("p.not"));
        return tick(css);
    });
    ASSERT_TRUE(Run("IInsertCSSBlock"));
    EXPECT_EQ(Marks(), QByteArray("p.not {\r\n    font-size:14pt;\r\n\r\n}|"));

    // The style attribute, also after "=" typed behind " STYLE"; Avbryt writes nothing.
    Start("<p STYLE|>");
    Expect<TCSS>([&](TCSS& css) {
        EXPECT_FALSE(css.pBlock->isVisibleTo(&css));
        return tick(css);
    });
    EXPECT_TRUE(win->VerifyDefTagActions('='));
    EXPECT_EQ(Marks(), QByteArray("<p style=\"font-size:14pt;\"|>"));
    Start("x|y");
    Expect<TCSS>([](TCSS&) { return int(Dialogs::mrCancel); });
    ASSERT_TRUE(Run("IInsertCSSSpanStyle"));
    EXPECT_EQ(Marks(), QByteArray("x|y"));
}

TEST_F(CSSWinTest, ControlsFollowTheirRules) {
    TCSS css(*win, TCSSMode::RuleBlock, win.get());
    // An emptied selector comes back at once.
    css.pBlock->setText(QString());
    EXPECT_EQ(css.pBlock->text(), QStringLiteral(".NyttBlock"));
    // The border's colour and width count only with a style.
    EXPECT_FALSE(css.OwnBorderColor->isEnabled());
    css.ownBorderStyle->setCurrentText(QStringLiteral("groove"));
    EXPECT_TRUE(css.OwnBorderColor->isEnabled());
    EXPECT_TRUE(css.ownBorderWidth->isEnabled());
    css.ownBorderStyle->setCurrentText(QStringLiteral("(ingen)"));
    EXPECT_FALSE(css.ownBorderWidth->isEnabled());
    // Both list types: the message, and the one just chosen is emptied; "(standard)" counts.
    css.pULTYPE->setCurrentText(QStringLiteral("(standard)"));
    emit css.pULTYPE->activated(0);
    css.pOLTYPE->setCurrentText(QStringLiteral("decimal"));
    emit css.pOLTYPE->activated(1);
    EXPECT_EQ(css.pOLTYPE->currentText(), QString());
    EXPECT_EQ(css.pULTYPE->currentText(), QStringLiteral("(standard)"));
    EXPECT_EQ(seen, QStringList{"M:En lista kan inte vara både en punktlista och en numrerad "
                                "lista samtidigt. Låt ett av fälten vara tomt."});
    EXPECT_EQ(css.Code(), QByteArray(".NyttBlock {\r\n\r\n}"));
    // Every property control names its property.
    EXPECT_EQ(css.pALH->toolTip(), QStringLiteral("line-height"));
    EXPECT_EQ(css.pPadding->toolTip(), QStringLiteral("padding"));
    EXPECT_FALSE(css.pFontFace->findText(QStringLiteral("Default")) >= 0);
}

TEST_F(CSSWinTest, CallersGetTheDeclarationsOrAFixedRule) {
    // A list dialog: the editor opens on its style field and its list page.
    TCSS css(*win, TCSSMode::Declarations, win.get());
    css.SetInitialText(QStringLiteral("color:#00FF00; float:left; list-style-type:square"));
    css.ShowPage(TCSS::TPage::Lists);
    EXPECT_EQ(css.Pages->currentIndex(), 4);
    EXPECT_TRUE(css.pAFontColor->isChecked());
    EXPECT_EQ(css.pULTYPE->currentText(), QStringLiteral("square"));
    css.pAFontColor->setChecked(false);
    css.pABoldness->setChecked(true);
    Expect<TCSS>([](TCSS&) { return int(Dialogs::mrOk); });
    ASSERT_TRUE(css.Run());
    EXPECT_EQ(css.Result(),
              QStringLiteral("font-weight:normal; list-style-type:square; float:left;"));

    // The page wizard: a locked selector named in the caption.
    win->TagCase = 1;
    TCSS fixed(*win, TCSSMode::FixedRule, win.get());
    fixed.LockGroup(QStringLiteral("a:visited"));
    EXPECT_EQ(fixed.windowTitle(), QStringLiteral("Stilmallsformatering för A:VISITED"));
    EXPECT_FALSE(fixed.pBlock->isEnabled());
    fixed.pATMargin->setChecked(true);
    EXPECT_EQ(fixed.Result(), QStringLiteral("a:visited {\r\n    margin-top:0px;\r\n\r\n}"));
}

TEST_F(CSSWinTest, ThePreviewIsAPrivateFileThatGoesWithTheEditor) {
    const QString shared = AppPaths::DataFile(QStringLiteral("_preview.html"));
    QString file;
    Start("|");
    Expect<TCSS>([&](TCSS& css) {
        // Shown: the page is written and shown at once.
        file = css.PreviewFile();
        EXPECT_FALSE(file.isEmpty());
        EXPECT_EQ(Browser(css).Last(), QStringLiteral("navigate ") + file);
        EXPECT_EQ(ReadTestFile(file),
                  QByteArray("<STYLE TYPE=\"text/css\">.NyttBlock {\r\n\r\n}</STYLE><DIV "
                             "CLASS=\"NyttBlock\">Exempeltext med aktuell formatering inom "
                             "DIV.</DIV>\r\n"));
        css.pABgColor->setChecked(true);
        css.UpdatePreview();
        EXPECT_TRUE(ReadTestFile(file).contains("background-color:#FFFFFF;"));
        return int(Dialogs::mrCancel);
    });
    ASSERT_TRUE(Run("IInsertCSSBlock"));
    EXPECT_FALSE(QFileInfo::exists(file));
    EXPECT_FALSE(QFileInfo::exists(QFileInfo(file).path()));
    EXPECT_FALSE(QFileInfo::exists(shared));
}

TEST_F(CSSWinTest, TheCssButtonsOfTheElementDialogsOpenTheStyleEditor) {
    // A link's local style: the editor opens on it and hands the new declarations back.
    Start("|");
    Expect<TLink>([&](TLink& d) {
        d.pSTYLE->setText(QStringLiteral("color:#FF0000; cursor:help"));
        d.STYLE0->click();
        EXPECT_EQ(d.pSTYLE->text(), QStringLiteral("font-weight:bold; cursor:help;"));
        return int(Dialogs::mrCancel);
    });
    Expect<TCSS>([](TCSS& css) {
        EXPECT_EQ(css.Mode(), TCSSMode::Declarations);
        EXPECT_EQ(css.Pages->currentIndex(), 0);
        EXPECT_TRUE(css.pAFontColor->isChecked());
        css.pAFontColor->setChecked(false);
        css.pABoldness->setChecked(true);
        css.pBoldness->setCurrentText(QStringLiteral("bold"));
        return int(Dialogs::mrOk);
    });
    ASSERT_TRUE(Run("IInsertLink"));

    // A list's opens on the list page; Avbryt leaves the field alone.
    Expect<TListWin>([&](TListWin& d) {
        d.pSTYLE->setText(QStringLiteral("margin-left:2em"));
        d.STYLE0->click();
        EXPECT_EQ(d.pSTYLE->text(), QStringLiteral("margin-left:2em"));
        return int(Dialogs::mrCancel);
    });
    Expect<TCSS>([](TCSS& css) {
        EXPECT_EQ(css.Pages->currentWidget()->objectName(), QStringLiteral("pLists"));
        EXPECT_TRUE(css.pALMargin->isChecked());
        EXPECT_EQ(css.pLMargin->text(), QStringLiteral("2"));
        EXPECT_EQ(css.pLMarginUnit->currentText(), QStringLiteral("em"));
        return int(Dialogs::mrCancel);
    });
    ASSERT_TRUE(Run("IInsertUL"));
}

} // namespace
