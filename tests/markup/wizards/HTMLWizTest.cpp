// The page wizard in the window: writing the page, its preview, the formatting buttons, the
// background page, the linked files, the settings files and what follows "&Nästa".
#include "WizardFixture.h"

#include "app/dialogs/InternalFunctionInputWin.h"
#include "controls/ColorContainer.h"
#include "controls/IntegerEdit.h"
#include "controls/ValueListEditor.h"
#include "markup/css/CSSWin.h"
#include "markup/sites/DispWizWin.h"
#include "markup/wizards/HTMLWiz.h"
#include "markup/wizards/HeadPages.h"
#include "markup/wizards/PageWizardSettings.h"
#include "platform/AppPaths.h"
#include "platform/Cp1252.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {

const QString LayoutQuestion =
    QStringLiteral("Q:Grundkoden har nu skapats.|Vill du använda layoutguiden för att skapa en "
                   "grundläggande layout (rubrik, länkfält m.m.) på sidan?");

class HTMLWizTest : public WizardWinTest {
protected:
    // Opens the wizard on the current document, lets `use` work in it and closes it.
    void InWizard(std::function<void(THTMLWiz*)> use) {
        Answer<THTMLWiz>([use](THTMLWiz* w) {
            use(w);
            return w->result() == QDialog::Accepted ? int(Dialogs::mrOk) : int(Dialogs::mrCancel);
        });
        THTMLWiz::Execute(*win, win.get());
    }

    static QString CleanSettingsFolder() {
        const QString folder = PageWizardSettings::Folder();
        QDir(folder).removeRecursively();
        QDir().mkpath(folder);
        return folder;
    }
};

} // namespace

TEST_F(HTMLWizTest, NextAppendsThePageToANewDocumentAndPutsTheCaretIntoItsBody) {
    QString previewFile;
    QByteArray previewPage;
    std::vector<QString> calls;
    Answer<THTMLWiz>([&](THTMLWiz* w) {
        EXPECT_EQ(w->windowTitle(), QStringLiteral("Webbsideguiden"));
        EXPECT_EQ(w->Pages->count(), 11);
        previewFile = w->Preview()->FileName();
        previewPage = ReadTestFile(previewFile);
        calls = BrowserOf(w->Preview())->calls;
        w->btnNext->click();
        return w->result();
    });
    answers.push_back(Dialogs::mrNo);
    ASSERT_TRUE(Run("ANewDocWiz"));

    EXPECT_TRUE(Captions().last().startsWith(QStringLiteral("Ny webbsida.html")));
    const QByteArrayList page = PageWizardCode::WriteCode(TPageWizardFields(), false, 1, "  ");
    EXPECT_EQ(Lines(), QByteArrayList{""} + page);
    EXPECT_EQ(CaretLine(), Lines().size() - 4); // the second of the three empty body lines
    EXPECT_FALSE(win->CodeEditor->HasSelection());
    EXPECT_EQ(seen, QStringList{LayoutQuestion});
    EXPECT_EQ(StatusText(), QStringLiteral("HTML-kod genererad"));

    // The preview: the sample page in a private file, gone with the wizard.
    EXPECT_EQ(QFileInfo(previewFile).fileName(), QStringLiteral("_preview.html"));
    EXPECT_FALSE(previewFile.startsWith(AppPaths::DataDir()));
    EXPECT_TRUE(previewPage.contains("<H1>Rubrik 1</H1>"));
    EXPECT_TRUE(previewPage.endsWith("</BODY>\r\n</HTML>\r\n"));
    EXPECT_EQ(calls, std::vector<QString>{"navigate " + previewFile});
    EXPECT_FALSE(QFileInfo::exists(previewFile));
}

TEST_F(HTMLWizTest, ContentAndTagCaseReachThePageAndTheCaretFollowsTheContent) {
    win->TagCase = 2;
    win->NewDocTab(0, QStringLiteral("x.html"));
    answers.push_back(Dialogs::mrNo);
    InWizard([](THTMLWiz* w) {
        w->HeadPages->pTITLE->setText(QStringLiteral("Hej"));
        w->HeadPages->pLANG->setEditText(QStringLiteral("sv"));
        w->pCONTENT->SetText("<p>a</p>\r\n<p>b</p>");
        w->btnNext->click();
    });
    const QByteArrayList lines = Lines();
    EXPECT_TRUE(lines.contains("<html xmlns=\"http://www.w3.org/1999/xhtml\" xml:lang=\"sv\" "
                               "lang=\"sv\">"));
    EXPECT_TRUE(lines.contains("<title>Hej</title>"));
    const QByteArrayList tail{"<body>", "", "",        "<p>a</p>", "<p>b</p>",
                              "",       "", "</body>", "</html>"};
    EXPECT_EQ(lines.mid(lines.size() - tail.size()), tail);
    EXPECT_EQ(lines.at(CaretLine() - 1), "<p>b</p>"); // the empty line after the content
    EXPECT_EQ(seen, QStringList{LayoutQuestion});
}

TEST_F(HTMLWizTest, YesStartsTheLayoutGuideWithTheTitleOnceTheWizardHasClosed) {
    win->NewDocTab(0, QStringLiteral("x.html"));
    answers.push_back(Dialogs::mrYes);
    Answer<THTMLWiz>([](THTMLWiz* w) {
        w->HeadPages->pTITLE->setText(QStringLiteral("Min sida"));
        w->btnNext->click();
        return w->result();
    });
    Answer<TdispWiz>([this](TdispWiz* g) {
        EXPECT_EQ(VisibleDialogs<THTMLWiz>(), 0);
        EXPECT_EQ(g->eH1Caption->text(), QStringLiteral("Min sida"));
        g->btnGenerate->click();
        return g->result();
    });
    THTMLWiz::Execute(*win, win.get());
    const QByteArrayList lines = Lines();
    const qsizetype h1 = lines.indexOf("<H1>Min sida</H1>");
    ASSERT_GE(h1, 0);
    EXPECT_EQ(lines.mid(h1),
              (QByteArrayList{"<H1>Min sida</H1>", "", "<DIV>", "<A HREF=\"\"></A>", "</DIV>", "",
                              "<DIV>",
                              Cp1252::Encode(QStringLiteral("<!-- Skriv sidinnehållet här. -->")),
                              "</DIV>", "", "<DIV>", "", "</DIV>", "", "", "</BODY>", "</HTML>"}));
}

TEST_F(HTMLWizTest, CancelWritesNothingAndAsksNothing) {
    win->NewDocTab(0, QStringLiteral("x.html"));
    Answer<THTMLWiz>([](THTMLWiz* w) {
        w->btnCancel->click();
        return w->result();
    });
    EXPECT_FALSE(THTMLWiz::Execute(*win, win.get()));
    EXPECT_EQ(Lines(), QByteArrayList{""});
    EXPECT_TRUE(seen.isEmpty());
}

TEST_F(HTMLWizTest, FormattingButtonsShowAndDropTheirRule) {
    InWizard([](THTMLWiz* w) {
        ASSERT_EQ(w->FormatButtons.size(), 20u);
        QPushButton* h1 = w->Button(QStringLiteral("h1"));
        QPushButton* link = w->Button(QStringLiteral("a:link"));
        w->StyleGroups = QStringList{"h1=h1 {\\n  color:#FF0000;\\n\\n}", "a:link=a:link {\\n}"};
        w->UpdateButtons();
        EXPECT_TRUE(h1->font().bold());
        EXPECT_EQ(h1->text(), QStringLiteral("Avformatera Rubrik &1 (H1)"));
        EXPECT_EQ(link->text(), QStringLiteral("Avformatera &obesökta länkar (A:link)"));
        w->UpdateButtons(); // a button already in its state is left alone
        EXPECT_EQ(h1->text(), QStringLiteral("Avformatera Rubrik &1 (H1)"));
        EXPECT_TRUE(w->WriteCode(false).contains("h1 {\r\n  color:#FF0000;\r\n\r\n}"));

        // A formatted selector is dropped at once, without a question, and the preview follows.
        const size_t before = BrowserOf(w->Preview())->calls.size();
        h1->click();
        EXPECT_EQ(w->StyleGroups, QStringList{"a:link=a:link {\\n}"});
        EXPECT_FALSE(h1->font().bold());
        EXPECT_EQ(h1->text(), QStringLiteral("Formatera Rubrik &1 (H1)"));
        EXPECT_EQ(BrowserOf(w->Preview())->calls.size(), before + 1);
        w->btnCancel->click();
    });
}

TEST_F(HTMLWizTest, AFormattingButtonTakesItsRuleFromTheStyleEditor) {
    InWizard([this](THTMLWiz* w) {
        QString rule;
        Answer<TCSS>([&rule](TCSS* css) {
            EXPECT_EQ(css->Mode(), TCSSMode::FixedRule);
            EXPECT_EQ(css->windowTitle(), QStringLiteral("Stilmallsformatering för H1"));
            css->pAWidth->setChecked(true);
            css->pWidth->setText(QStringLiteral("50"));
            rule = css->Result();
            css->btnGenerate->click();
            return css->result();
        });
        Answer<TCSS>([](TCSS* css) {
            css->btnCancel->click();
            return css->result();
        });
        w->Button(QStringLiteral("h1"))->click();
        ASSERT_EQ(w->StyleGroups.size(), 1);
        EXPECT_TRUE(rule.startsWith(QStringLiteral("h1 {\r\n")));
        EXPECT_EQ(w->StyleGroups.first(), QStringLiteral("h1=") + PageWizardCode::EncodeRule(rule));
        EXPECT_FALSE(w->StyleGroups.first().contains(QLatin1Char('\n')));
        EXPECT_TRUE(w->Button(QStringLiteral("h1"))->font().bold());
        EXPECT_TRUE(w->WriteCode(false).contains(Cp1252::Encode(rule)));
        // Cancelled: nothing formatted.
        w->Button(QStringLiteral("p"))->click();
        EXPECT_EQ(w->StyleGroups.size(), 1);
        EXPECT_FALSE(w->Button(QStringLiteral("p"))->font().bold());
        w->btnCancel->click();
    });
}

TEST_F(HTMLWizTest, MarginFieldsFollowTheirBoxAndAChosenColourTicksItsBox) {
    InWizard([](THTMLWiz* w) {
        const auto enabled = [w] {
            return w->pMARGINTOP->isEnabled() && w->MarginLabels.front()->isEnabled();
        };
        EXPECT_FALSE(enabled());
        w->pUseMargins->click();
        EXPECT_TRUE(enabled());
        w->pMARGINTOP->clear();
        const QByteArrayList code = w->WriteCode(false);
        EXPECT_TRUE(std::any_of(code.begin(), code.end(), [](const QByteArray& line) {
            return line.endsWith(" margin-top:0px;"); // an empty field counts as 0
        }));
        w->pUseMargins->click();
        EXPECT_FALSE(enabled());

        EXPECT_FALSE(w->pUseBGCOLOR->isChecked());
        w->pBGCOLOR->OnChange(w->pBGCOLOR); // the user chose a colour
        EXPECT_TRUE(w->pUseBGCOLOR->isChecked());
        w->btnCancel->click();
    });
}

TEST_F(HTMLWizTest, LinkedStyleSheetsComeFromThePromptAndUpdateThePreview) {
    InWizard([this](THTMLWiz* w) {
        Answer<TInternalFunctionInput>([](TInternalFunctionInput* p) {
            EXPECT_EQ(p->Q->text(),
                      QStringLiteral("Ange relativ eller absolut sökväg till stilmallen:"));
            EXPECT_TRUE(p->btnSearch->isVisibleTo(p));
            EXPECT_EQ(p->FilterIndex(), 3); // "Stilmall (*.css)"
            p->A->setText(QStringLiteral("css/bas.css"));
            return int(Dialogs::mrOk);
        });
        Answer<TInternalFunctionInput>([](TInternalFunctionInput* p) {
            EXPECT_EQ(p->FilterIndex(), 1); // "JavaScript (*.js)"
            return int(Dialogs::mrCancel);
        });
        TRecordingPreviewBrowser* browser = BrowserOf(w->Preview());
        const size_t before = browser->calls.size();
        w->btnAddLinkedCSS->click();
        EXPECT_EQ(w->pLINKEDCSS->count(), 1);
        EXPECT_EQ(browser->Last(), "reload " + w->Preview()->FileName());
        EXPECT_EQ(browser->calls.size(), before + 1);
        EXPECT_TRUE(w->WriteCode(false).contains(
            "<LINK REL=\"stylesheet\" TYPE=\"text/css\" HREF=\"css/bas.css\" />"));
        w->btnAddLinkedJS->click(); // cancelled: nothing added
        EXPECT_EQ(w->pLINKEDJS->count(), 0);
        w->pLINKEDCSS->item(0)->setSelected(true);
        w->btnDelLinkedCSS->click();
        EXPECT_EQ(w->pLINKEDCSS->count(), 0);
        w->btnCancel->click();
    });
}

TEST_F(HTMLWizTest, SavedSettingsAreListedAndLoadedByClick) {
    const QString folder = CleanSettingsFolder();
    fileAnswers.push_back({QDir(folder).filePath("Blå mall")});
    InWizard([&](THTMLWiz* w) {
        EXPECT_EQ(w->tpls->count(), 0);
        w->HeadPages->pTITLE->setText(QStringLiteral("Sparad"));
        w->pUseMargins->click();
        w->pMARGINLEFT->setText(QStringLiteral("12"));
        w->StyleGroups = QStringList{"p=p {\\n}"};
        w->btnSaveTmp->click();
        EXPECT_TRUE(QFileInfo::exists(QDir(folder).filePath("Blå mall.htw")));
        EXPECT_TRUE(QFileInfo::exists(QDir(folder).filePath("Blå mall.ssw")));
        ASSERT_EQ(w->tpls->count(), 1);
        EXPECT_EQ(w->tpls->item(0)->text(), QStringLiteral("Blå mall"));

        // Everything changed, then the list item brings the saved set back.
        w->SetFields(TPageWizardFields());
        const size_t before = BrowserOf(w->Preview())->calls.size();
        w->tpls->setCurrentRow(0);
        emit w->tpls->itemClicked(w->tpls->item(0));
        EXPECT_EQ(w->HeadPages->pTITLE->text(), QStringLiteral("Sparad"));
        EXPECT_TRUE(w->pUseMargins->isChecked());
        EXPECT_TRUE(w->pMARGINLEFT->isEnabled());
        EXPECT_EQ(w->pMARGINLEFT->text(), QStringLiteral("12"));
        EXPECT_EQ(w->StyleGroups, QStringList{"p=p {\\n}"});
        EXPECT_TRUE(w->Button(QStringLiteral("p"))->font().bold());
        EXPECT_EQ(BrowserOf(w->Preview())->calls.size(), before + 1);
        w->btnCancel->click();
    });
    EXPECT_EQ(requests.size(), 1);
    EXPECT_TRUE(requests.first().startsWith(QStringLiteral("Spara|1|")));
    EXPECT_EQ(lastFilters,
              (QStringList{"Inställningsfil för webbsideguiden (*.htw)", "Alla filtyper (*)"}));
}

TEST_F(HTMLWizTest, SavingOverAFileAsksFirst) {
    const QString folder = CleanSettingsFolder();
    const QString file = QDir(folder).filePath("a.htw");
    WriteTestFile(QDir(TestRootDir()).relativeFilePath(file), "[Information]\r\nTitle=gammal\r\n");
    fileAnswers.push_back({file});
    fileAnswers.push_back({QDir(folder).filePath("a")});
    answers = {Dialogs::mrNo, Dialogs::mrYes};
    InWizard([](THTMLWiz* w) {
        w->HeadPages->pTITLE->setText(QStringLiteral("ny"));
        w->btnSaveTmp->click(); // "Nej": the file stays
        w->btnSaveTmp->click(); // the name without extension is the same file: "Ja"
        w->btnCancel->click();
    });
    EXPECT_EQ(seen, (QStringList{"Q:Filen a.htw finns redan.|Vill du ersätta den?",
                                 "Q:Filen a.htw finns redan.|Vill du ersätta den?"}));
    EXPECT_TRUE(ReadTestFile(file).contains("Title=ny\r\n"));
}

TEST_F(HTMLWizTest, LoadFailuresAreReportedAndKeepWhatWasRead) {
    const QString folder = CleanSettingsFolder();
    WriteTestFile(QDir(TestRootDir()).relativeFilePath(QDir(folder).filePath("fel.htw")),
                  "[Information]\r\nTitle=l\xE4st\r\n[Background]\r\nBgColor=#12345G\r\n"
                  "UseMargins=1\r\n");
    WriteTestFile(QDir(TestRootDir()).relativeFilePath(QDir(folder).filePath("borta.htw")), "");
    InWizard([&](THTMLWiz* w) {
        ASSERT_EQ(w->tpls->count(), 2);
        QFile::remove(QDir(folder).filePath("borta.htw"));
        for (int row : {0, 1}) {
            w->tpls->setCurrentRow(row);
            emit w->tpls->itemClicked(w->tpls->item(row));
        }
        EXPECT_EQ(w->HeadPages->pTITLE->text(), QStringLiteral("läst"));
        EXPECT_FALSE(w->pUseMargins->isChecked());
        w->btnCancel->click();
    });
    EXPECT_EQ(seen, (QStringList{"M:Filen \"borta\" finns inte.",
                                 "M:Det gick inte att öppna inställningsfilen."}));
}

TEST_F(HTMLWizTest, AStoredColourIsShownWithoutTickingItsBox) {
    const QString folder = CleanSettingsFolder();
    WriteTestFile(QDir(TestRootDir()).relativeFilePath(QDir(folder).filePath("f.htw")),
                  "[Background]\r\nUseBgColor=0\r\nBgColor=#00FF80\r\nUseMargins=0\r\n"
                  "MARGINTOP=40\r\n");
    WriteTestFile(QDir(TestRootDir()).relativeFilePath(QDir(folder).filePath("f.ssw")), "");
    InWizard([](THTMLWiz* w) {
        w->pUseMargins->click();
        w->tpls->setCurrentRow(0);
        emit w->tpls->itemClicked(w->tpls->item(0));
        EXPECT_FALSE(w->pUseBGCOLOR->isChecked());
        EXPECT_EQ(w->pBGCOLOR->CurrentColor(), 0x80FF00u);
        EXPECT_FALSE(w->pUseMargins->isChecked());
        EXPECT_FALSE(w->pMARGINTOP->isEnabled());
        EXPECT_EQ(w->pMARGINTOP->text(), QStringLiteral("40"));
        w->btnCancel->click();
    });
}

TEST_F(HTMLWizTest, TheAfterWizardEventRunsOnceTheWizardHasClosed) {
    // The event writes after the page's caret, where the body's content goes.
    win->Settings.EventOnAfterHtmlWiz = WriteTestFile("events/efter.sub", "write <P>Efter</P>");
    answers.push_back(Dialogs::mrNo);
    InWizard([](THTMLWiz* w) { w->btnNext->click(); });
    const QByteArrayList lines = Lines();
    EXPECT_EQ(lines.mid(lines.size() - 5),
              (QByteArrayList{"", "<P>Efter</P>", "", "</BODY>", "</HTML>"}));
    EXPECT_EQ(seen, QStringList{LayoutQuestion});
}
