// The frameset wizard: its page, its frame tabs and counts, and the choosers that make the
// frames' documents once it has closed.
#include "WizardFixture.h"

#include "controls/IntegerEdit.h"
#include "markup/wizards/FrameWiz.h"
#include "markup/wizards/FrameWizardCode.h"
#include "markup/wizards/HTMLWiz.h"
#include "markup/wizards/HeadPages.h"
#include "markup/wizards/NewDocWin.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>

namespace {

const QByteArray IND = "    ";

QByteArrayList FramesetLines(const TFrameWizardFields& f, int tagCase) {
    const QByteArrayList page = FrameWizardCode::WriteCode(f, tagCase, IND);
    QByteArrayList upper;
    for (const QByteArray& line : page)
        upper << line.trimmed().toUpper();
    const qsizetype begin = upper.indexOf("</HEAD>") + 2;
    return page.mid(begin);
}

class FrameWizTest : public WizardWinTest {
protected:
    // Runs the wizard through "Ramguiden..." with `use` inside it.
    void InWizard(std::function<void(TFrameWiz*)> use) {
        Answer<TFrameWiz>([use](TFrameWiz* w) {
            use(w);
            return w->result() == QDialog::Accepted ? int(Dialogs::mrOk) : int(Dialogs::mrCancel);
        });
        ASSERT_TRUE(Run("ANewFrameWiz"));
    }

    static void SetFrame(TFrameWiz* w, int tab, const QString& name, const QString& src,
                         const QString& size) {
        w->FrameDataContainer->setCurrentIndex(tab);
        w->pNAMECONT->setText(name);
        w->pSRCCONT->setText(src);
        w->pSIZECont->setText(size);
    }
};

} // namespace

TEST(FrameWizardCode, WritesTheFramesetLineAndOneFramePerRecord) {
    TFrameWizardFields f;
    f.Frames = {{"meny", "meny.html", "20%", "0", true}, {"", "", "*", "", false}};
    EXPECT_EQ(
        FramesetLines(f, 1),
        (QByteArrayList{"<FRAMESET ROWS=\"20%, *\">",
                        IND + "<FRAME ID=\"meny\" NAME=\"meny\" SRC=\"meny.html\" "
                              "FRAMEBORDER=\"0\" />",
                        IND + "<FRAME NORESIZE=\"NORESIZE\" />", "</FRAMESET>", "", "</HTML>"}));
    f.Horizontal = false;
    f.Border = "2";
    f.FrameSpacing = "5";
    EXPECT_EQ(FramesetLines(f, 2).mid(0, 3),
              (QByteArrayList{"<frameset border=\"2\" framespacing=\"5\" cols=\"20%, *\">",
                              IND + "<frame id=\"meny\" name=\"meny\" src=\"meny.html\" "
                                    "frameborder=\"0\" />",
                              IND + "<frame noresize=\"noresize\" />"}));
    EXPECT_EQ(FramesetLines(f, 0).first(),
              "<FRAMESET BORDER=\"2\" FRAMESPACING=\"5\" COLS=\"20%, *\">");

    // The head as the page wizard writes it, then the frameset follows after the head.
    const QByteArrayList page = FrameWizardCode::WriteCode(TFrameWizardFields(), 1, IND);
    EXPECT_EQ(page.mid(0, 9),
              (QByteArrayList{"<?xml version=\"1.0\"?>",
                              "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Frameset//EN\" "
                              "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-frameset.dtd\">",
                              "", "<HTML XMLNS=\"http://www.w3.org/1999/xhtml\">", "<HEAD>", "", "",
                              "</HEAD>", ""}));
    EXPECT_EQ(page.at(9), "<FRAMESET ROWS=\"\">"); // no frames: an empty list
}

TEST(FrameWizardCode, TheFileNamePartSplitsAtEitherSlash) {
    const struct {
        const char* src;
        const char* name;
    } cases[] = {{"a.html", "a.html"},
                 {"sidor/a.html", "a.html"},
                 {"sidor\\b.html", "b.html"},
                 {"x\\y/z.htm", "z.htm"},
                 {"", ""},
                 {"mapp/", ""}};
    for (const auto& c : cases)
        EXPECT_EQ(FrameWizardCode::FileNamePart(QLatin1String(c.src)), QLatin1String(c.name))
            << c.src;
}

TEST_F(FrameWizTest, StepsAndOrientationShowTheirControls) {
    InWizard([](TFrameWiz* w) {
        EXPECT_EQ(w->windowTitle(), QStringLiteral("Ramguiden"));
        EXPECT_TRUE(w->HeadTabs->isVisible());
        EXPECT_FALSE(w->FrameStep->isVisible());
        EXPECT_FALSE(w->btnGenerate->isVisible());
        w->btnProceed->click();
        EXPECT_FALSE(w->HeadTabs->isVisible());
        EXPECT_TRUE(w->FrameStep->isVisible());
        EXPECT_FALSE(w->btnProceed->isVisible());
        EXPECT_TRUE(w->btnBack->isVisible() && w->btnGenerate->isVisible() &&
                    w->btnRef->isVisible());
        EXPECT_EQ(w->height(), 445);
        EXPECT_TRUE(w->pROWS->isVisible());
        EXPECT_FALSE(w->pCOLS->isVisible());
        w->pUseCOLS->click();
        EXPECT_FALSE(w->pROWS->isVisible());
        EXPECT_TRUE(w->pCOLS->isVisible());
        w->btnBack->click();
        EXPECT_TRUE(w->HeadTabs->isVisible());
        EXPECT_EQ(w->height(), 300);
        w->btnCancel->click();
    });
    EXPECT_EQ(TextOf(win->CurrentTab()), "\r\n"); // cancelled: nothing written
}

TEST_F(FrameWizTest, CountsNeverLeaveTheFrameTableEmptyToIndex) {
    InWizard([](TFrameWiz* w) {
        w->btnProceed->click();
        const auto tabs = [w] { return w->FrameDataContainer->count(); };
        w->pROWS->setText(QStringLiteral("3"));
        EXPECT_EQ(tabs(), 3);
        EXPECT_EQ(w->FrameDataContainer->tabText(2), QStringLiteral("Ram 3"));
        w->pROWS->setText(QStringLiteral("0"));
        EXPECT_EQ(w->pROWS->text(), QStringLiteral("1"));
        EXPECT_EQ(tabs(), 1);

        // Emptied while the user types: no tabs, nothing to write, no crash; leaving restores 1.
        w->pROWS->setText(QString());
        EXPECT_EQ(tabs(), 0);
        EXPECT_FALSE(w->btnGenerate->isEnabled());
        EXPECT_TRUE(w->Fields().Frames.empty());
        w->CountExit(w->pROWS);
        EXPECT_EQ(w->pROWS->text(), QStringLiteral("1"));
        EXPECT_TRUE(w->btnGenerate->isEnabled());

        // Not even a direct call writes a frameset without frames.
        w->pROWS->setText(QString());
        w->DoGenerate();
        EXPECT_EQ(w->result(), 0);
        // "00" never leaves tabs and count apart.
        w->pROWS->setText(QStringLiteral("00"));
        EXPECT_EQ(tabs(), w->FrameCount());
        EXPECT_EQ(w->btnGenerate->isEnabled(), w->FrameCount() > 0);
        w->btnCancel->click();
    });
}

TEST_F(FrameWizTest, FrameRecordsSurviveTabSwitchesAndCountChanges) {
    InWizard([](TFrameWiz* w) {
        w->btnProceed->click();
        w->pROWS->setText(QStringLiteral("3"));
        SetFrame(w, 0, "a", "a.html", "10%");
        SetFrame(w, 1, "b", "b.html", "20%");
        SetFrame(w, 2, "c", "c.html", "*");
        w->pRESIZEABLE->setChecked(true);
        // The count changes while the third frame's fields are still being edited.
        w->pROWS->setText(QStringLiteral("4"));
        ASSERT_EQ(w->Frames().size(), 4u);
        EXPECT_EQ(w->Frames()[2], (TFrameData{"c", "c.html", "*", "", true}));
        EXPECT_EQ(w->Frames()[3], TFrameData());
        EXPECT_EQ(w->FrameDataContainer->currentIndex(), 0);
        EXPECT_EQ(w->pNAMECONT->text(), QStringLiteral("a")); // the first tab's record
        w->pROWS->setText(QStringLiteral("2"));
        w->FrameDataContainer->setCurrentIndex(1);
        EXPECT_EQ(w->pSIZECont->text(), QStringLiteral("20%"));
        EXPECT_EQ(w->Fields().Frames.size(), 2u);
        w->btnCancel->click();
    });
}

TEST_F(FrameWizTest, GenerateWritesThePageThenChoosersMakeTheFrames) {
    win->Settings.EventOnAfterHtmlWiz = WriteTestFile("events/ram.sub", "add line <!-- ramar -->");
    answers.push_back(Dialogs::mrYes);
    InWizard([this](TFrameWiz* w) {
        w->HeadPages->pTITLE->setText(QStringLiteral("Ramar"));
        w->btnProceed->click();
        w->pROWS->setText(QStringLiteral("3"));
        SetFrame(w, 0, "meny", "sidor\\meny.html", "20%");
        SetFrame(w, 1, "innehåll", "sidor/innehåll.html", "*");
        SetFrame(w, 2, "", "", "10%");
        w->btnGenerate->click();
        EXPECT_EQ(w->result(), int(QDialog::Accepted));
        // One chooser per frame, each after the wizard has closed.
        Answer<Tnewdoc>([this](Tnewdoc* c) {
            EXPECT_EQ(VisibleDialogs<TFrameWiz>(), 0);
            EXPECT_EQ(c->windowTitle(), QStringLiteral("meny"));
            c->btnNew->click();
            return c->result();
        });
        Answer<Tnewdoc>([](Tnewdoc*) { return int(Dialogs::mrCancel); }); // closed: nothing
        Answer<Tnewdoc>([](Tnewdoc* c) {
            EXPECT_EQ(c->windowTitle(), QStringLiteral("Nytt dokument"));
            c->btnNew->click();
            return c->result();
        });
    });
    EXPECT_EQ(seen, QStringList{"Q:Webbsidan som definierar ramsetet har genererats.|Vill du "
                                "skapa ramarna direkt?"});
    const QStringList captions = Captions();
    ASSERT_EQ(captions.size(), 4);
    EXPECT_TRUE(captions[1].startsWith(QStringLiteral("Ny ramsida.html")));
    EXPECT_TRUE(captions[2].startsWith(QStringLiteral("meny.html")));
    const QByteArray frameset = TextOf(1);
    EXPECT_TRUE(frameset.startsWith("\r\n<?xml version=\"1.0\"?>\r\n"));
    EXPECT_TRUE(frameset.contains("<TITLE>Ramar</TITLE>"));
    EXPECT_TRUE(frameset.contains("<FRAMESET ROWS=\"20%, *, 10%\">\r\n"));
    EXPECT_TRUE(frameset.contains("<FRAME ID=\"meny\" NAME=\"meny\" SRC=\"sidor\\meny.html\" "
                                  "NORESIZE=\"NORESIZE\" />"));
    // The event ran on the frameset page before the choosers made the frames.
    EXPECT_TRUE(frameset.endsWith("</FRAMESET>\r\n\r\n</HTML>\r\n<!-- ramar -->\r\n"));
}

TEST_F(FrameWizTest, TheChooserMakesEachKindOfDocument) {
    win->HtmlGroundText = [] { return QByteArray("write <html>grund</html>"); };
    Answer<Tnewdoc>([](Tnewdoc* c) {
        c->btnRariViduze->click();
        return c->result();
    });
    Tnewdoc::Execute(*win, QString(), QStringLiteral("a.html"));
    EXPECT_EQ(win->Current().FileName, QStringLiteral("a.html"));
    EXPECT_EQ(TextOf(win->CurrentTab()), "<html>grund</html>\r\n");

    Answer<Tnewdoc>([](Tnewdoc* c) {
        c->btnHTMLWiz->click();
        return c->result();
    });
    Answer<THTMLWiz>([this](THTMLWiz* w) {
        EXPECT_EQ(VisibleDialogs<Tnewdoc>(), 0);
        EXPECT_EQ(win->Current().FileName, QStringLiteral("b.html"));
        w->btnNext->click();
        return w->result();
    });
    answers.push_back(Dialogs::mrNo);
    Tnewdoc::Execute(*win, QString(), QStringLiteral("b.html"));
    EXPECT_TRUE(TextOf(win->CurrentTab()).contains("<BODY>"));
}
