#include "app/commands/PrintCommands.h"
#include "MainWinFixture.h"
#include "app/dialogs/ExportProgressWin.h"
#include "app/dialogs/PrintOptionsWin.h"
#include "app/dialogs/PrintProgressWin.h"
#include "app/dialogs/XHTMLExpInfoWin.h"
#include "app/dialogs/XHTMLExpPropWin.h"
#include "controls/IntegerEdit.h"

#include <QCheckBox>
#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>

// The print and export commands with every window answered here: `onDialog` sees the
// program's own windows first (return -1 to pass one on to the scripted boxes).
class PrintCommandsTest : public MainWinTest {
protected:
    void SetUp() override {
        MainWinTest::SetUp();
        handler = ScriptBoxes(seen, answers, [this](QDialog* d) {
            if (auto* p = dynamic_cast<TPrintProgress*>(d)) {
                seen << QStringLiteral("P:") + p->ProcessValue->text() + QLatin1Char('|') +
                            p->PagesValue->text() + QLatin1Char('|') + p->DoneValue->text() +
                            QLatin1Char('|') + p->ProgressValue->text();
                return int(Dialogs::mrOk);
            }
            if (auto* e = dynamic_cast<TExportProgressFrm*>(d)) {
                seen << QStringLiteral("E:") + e->lblOp->text() + QLatin1Char('|') +
                            e->lblProgress->text() +
                            (e->CloseBtn->isVisibleTo(e) ? QStringLiteral("|Stäng") : QString());
                return int(Dialogs::mrOk);
            }
            return onDialog ? onDialog(d) : -1;
        });
    }
    void TearDown() override {
        handler.reset();
        MainWinTest::TearDown();
    }

    // Prints to a PDF file through the command, the options window edited by `edit`.
    QString PrintToPdf(const std::function<void(TprintOptions*)>& edit) {
        const QString pdf = File(QStringLiteral("out.pdf"));
        onDialog = [&, pdf](QDialog* d) -> int {
            if (auto* o = dynamic_cast<TprintOptions*>(d)) {
                if (edit)
                    edit(o);
                return Dialogs::mrOk;
            }
            if (auto* p = qobject_cast<QPrintDialog*>(d)) {
                p->printer()->setOutputFormat(QPrinter::PdfFormat);
                p->printer()->setOutputFileName(pdf);
                return QDialog::Accepted;
            }
            return -1;
        };
        Run("APrintDoc");
        QProcess pdftotext;
        pdftotext.start(QStringLiteral("pdftotext"),
                        {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        if (!pdftotext.waitForFinished(20000))
            return QString();
        return QString::fromUtf8(pdftotext.readAllStandardOutput());
    }

    std::function<int(QDialog*)> onDialog;
    std::unique_ptr<Dialogs::ScopedModalHandler> handler;
};

TEST_F(PrintCommandsTest, OptionsStartFromDefaultsAndGoIntoPrintSettings) {
    for (int round = 0; round < 2; ++round) {
        TprintOptions o;
        EXPECT_EQ(o.windowTitle(), QStringLiteral("Utskriftsalternativ"));
        const QStringList margins{o.marginTop->text(),    o.marginBottom->text(),
                                  o.marginLeft->text(),   o.marginRight->text(),
                                  o.marginHeader->text(), o.marginFooter->text()};
        EXPECT_EQ(margins.join(','), QStringLiteral("1000,1000,500,500,500,500"));
        EXPECT_EQ(o.strHeader->toPlainText(), QStringLiteral("[F]"));
        EXPECT_EQ(o.strFooter->toPlainText(),
                  QStringLiteral("Utskriftsdatum: [D]   Tid: [T]   Sida [I] "));
        EXPECT_FALSE(o.boolHidden->isChecked());
        EXPECT_TRUE(o.boolIF->isChecked());
        EXPECT_EQ(o.marginTop->Max(), 10000);
        EXPECT_EQ(o.marginTop->maxLength(), 5);

        // What the first round types is not remembered by the second.
        o.marginTop->setText(QStringLiteral("123"));
        o.marginFooter->setText(QStringLiteral("77"));
        o.strHeader->setPlainText(QStringLiteral("Rad ett\r\nrad två\n"));
        o.boolHidden->setChecked(true);
        o.boolIF->setChecked(false);
        TTextEditorExPrintingSettings s;
        o.SavePrintingSettings(&s);
        EXPECT_EQ(s.MarginTop, 123);
        EXPECT_EQ(s.MarginBottom, 1000);
        EXPECT_EQ(s.MarginLeft, 500);
        EXPECT_EQ(s.MarginRight, 500);
        EXPECT_EQ(s.HeaderMarginTop, 500);
        EXPECT_EQ(s.FooterMarginBottom, 77);
        EXPECT_EQ(s.Header, QStringLiteral("Rad ettrad två"));
        EXPECT_EQ(s.Footer, QStringLiteral("Utskriftsdatum: [D]   Tid: [T]   Sida [I] "));
        EXPECT_TRUE(s.ShowHiddenChars);
        EXPECT_FALSE(s.InteractiveFormatting);
    }
}

TEST_F(PrintCommandsTest, PrintsToPdfWithProgressAndHeader) {
    Type("Hello printed world");
    const QString text = PrintToPdf([](TprintOptions* o) {
        o->strHeader->setPlainText(QStringLiteral("Huvud [F]"));
        o->strFooter->setPlainText(QStringLiteral("Sida [I]"));
    });
    EXPECT_TRUE(text.contains(QStringLiteral("Hello printed world"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Huvud ") + win->Current().FileName));
    EXPECT_TRUE(text.contains(QStringLiteral("Sida 1")));
    EXPECT_EQ(seen, QStringList{QStringLiteral("P:Renderar och sänder text...|1|1|100 %")});
    EXPECT_EQ(win->PrintCommands->PrintProgress, nullptr);
}

TEST_F(PrintCommandsTest, MarginsWithoutRoomForARowAreNamed) {
    Type("abc");
    PrintToPdf([](TprintOptions* o) {
        o->marginTop->setText(QStringLiteral("9000"));
        o->marginBottom->setText(QStringLiteral("9000"));
    });
    EXPECT_EQ(seen, QStringList{QStringLiteral("M:Det gick inte att skriva ut dokumentet: "
                                               "utrymmet mellan marginalerna är lägre än en "
                                               "textrad.")});
}

TEST_F(PrintCommandsTest, WhiteTextIsPrintedBlackOnlyOnYesAndColourComesBack) {
    Type("abc");
    win->CodeEditor->FontColor = clWhite;
    TColor printedWith = 0;
    win->CodeEditor->OnPrintProgress = [&](int, int, int) {
        printedWith = win->CodeEditor->FontColor;
    };
    for (const int answer : {int(Dialogs::mrYes), int(Dialogs::mrNo)}) {
        answers = {answer};
        PrintToPdf(nullptr);
        EXPECT_EQ(printedWith, answer == Dialogs::mrYes ? clBlack : clWhite);
        EXPECT_EQ(win->CodeEditor->FontColor, clWhite);
    }
}

TEST_F(PrintCommandsTest, CancelledOptionsOrPrinterDialogPrintNothing) {
    bool printed = false;
    win->CodeEditor->OnPrintProgress = [&](int, int, int) { printed = true; };
    onDialog = [](QDialog* d) -> int {
        return dynamic_cast<TprintOptions*>(d) ? int(Dialogs::mrCancel) : -1;
    };
    Run("APrintDoc");
    onDialog = [](QDialog* d) -> int {
        if (dynamic_cast<TprintOptions*>(d))
            return Dialogs::mrOk;
        return qobject_cast<QPrintDialog*>(d) ? int(QDialog::Rejected) : -1;
    };
    Run("APrintDoc");
    EXPECT_FALSE(printed);
    EXPECT_TRUE(seen.isEmpty());
}

TEST_F(PrintCommandsTest, ActionsOnTheFileMenu) {
    EXPECT_EQ(win->Action(QStringLiteral("APrintDoc"))->shortcut(), QKeySequence("Ctrl+P"));
    for (const char* name : {"APrintDoc", "APrinterSettings", "AXHTMLExport"})
        EXPECT_TRUE(win->Arkiv1->actions().contains(win->Action(QLatin1String(name)))) << name;
}

TEST_F(PrintCommandsTest, ExportHeaderAndFooterMarkup) {
    struct Case {
        const char* text;
        bool body, right;
        const char* header;
        const char* footer;
    } const cases[] = {
        {"", false, false, "", ""},
        {"Rubrik & <b>", false, true, "<h1>Rubrik & <b></h1>",
         "<p style=\"text-align:right\">Rubrik & <b></p>"},
        {"Text", true, false, "<p>Text</p>", "<p>Text</p>"},
        {"Text", true, true, "<p style=\"text-align:right\">Text</p>",
         "<p style=\"text-align:right\">Text</p>"},
    };
    for (const Case& c : cases) {
        TXHTMLExpProp p;
        EXPECT_TRUE(p.HeaderHeading->isChecked());
        EXPECT_FALSE(p.HeaderRight->parentWidget()->isEnabled());
        p.eHeader->setText(QString::fromUtf8(c.text));
        p.eFooter->setText(QString::fromUtf8(c.text));
        (c.body ? p.HeaderBody : p.HeaderHeading)->setChecked(true);
        EXPECT_EQ(p.HeaderRight->parentWidget()->isEnabled(), c.body);
        if (c.right) {
            p.HeaderRight->setChecked(true);
            p.FooterRight->setChecked(true);
        }
        EXPECT_EQ(p.HeaderHTML(), QString::fromUtf8(c.header)) << c.text;
        EXPECT_EQ(p.FooterHTML(), QString::fromUtf8(c.footer)) << c.text;
    }
}

TEST_F(PrintCommandsTest, ExportInfoCannotBeCancelled) {
    TXHTMLExpInfo info;
    info.show();
    EXPECT_EQ(Dialogs::LastSystemSound(), QStringLiteral("SystemExclamation"));
    info.reject();
    EXPECT_TRUE(info.isVisible());
    EXPECT_EQ(info.result(), 0);
}

TEST_F(PrintCommandsTest, ExportToFileAsksBeforeReplacingAndWritesDocument) {
    Type("a<b");
    const QString target = Make(QStringLiteral("page.html"), "old");
    fileAnswers = {{target}, {target}};
    answers = {int(Dialogs::mrNo), int(Dialogs::mrYes), int(Dialogs::mrYes)};
    QString titleShown, opened;
    onDialog = [&](QDialog* d) -> int {
        if (dynamic_cast<TXHTMLExpInfo*>(d))
            return Dialogs::mrYes;
        if (auto* p = dynamic_cast<TXHTMLExpProp*>(d)) {
            titleShown = p->ePageTitle->text();
            p->eFooter->setText(QStringLiteral("Fot"));
            return Dialogs::mrOk;
        }
        return -1;
    };
    win->OpenWithSystemHandler = [&](const QString& f) { opened = f; };
    Run("AXHTMLExport");
    const QString q =
        QStringLiteral("Q:Filen \"%1\" finns redan.|Vill du ersätta filen?").arg(target);
    EXPECT_EQ(seen, (QStringList{q, q, QStringLiteral("E:Färdig.|100 %|Stäng"),
                                 QStringLiteral("Q:XHTML-dokumentet har skapats.|Vill du öppna "
                                                "filen med systemets standardwebbläsare?")}));
    EXPECT_EQ(titleShown, QStringLiteral("page.html"));
    EXPECT_EQ(opened, target);
    const QByteArray html = ReadTestFile(target);
    EXPECT_TRUE(html.contains("<title>page.html</title>"));
    EXPECT_TRUE(html.contains("&lt;"));
    EXPECT_TRUE(html.contains("<hr />\r\n<p>Fot</p>"));
    EXPECT_FALSE(html.contains("<h1>"));
    EXPECT_FALSE(html.contains("<p></p>"));
    EXPECT_EQ(requests.size(), 2);
    EXPECT_TRUE(requests.value(0).section('|', 1, 1) == QStringLiteral("1"));
}

// A file that cannot be written is reported in a message box; nothing of it is left and the
// command ends without asking to open it.
TEST_F(PrintCommandsTest, ExportToFileThatCannotBeWrittenIsReported) {
    Type("x");
    const QString target = File(QStringLiteral("saknas/R&D.html"));
    fileAnswers = {{target}};
    onDialog = [&](QDialog* d) -> int {
        if (dynamic_cast<TXHTMLExpInfo*>(d))
            return Dialogs::mrYes;
        if (dynamic_cast<TXHTMLExpProp*>(d))
            return Dialogs::mrOk;
        return -1;
    };
    Run("AXHTMLExport");
    EXPECT_EQ(seen,
              (QStringList{QStringLiteral("M:Det gick inte att skapa filen \"%1\".").arg(target)}));
    EXPECT_FALSE(QFileInfo::exists(File(QStringLiteral("saknas"))));
}

TEST_F(PrintCommandsTest, ExportBodyTextGoesToClipboard) {
    Type("x & y");
    onDialog = [](QDialog* d) -> int {
        return dynamic_cast<TXHTMLExpInfo*>(d) ? int(Dialogs::mrNo) : -1;
    };
    Run("AXHTMLExport");
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              QStringLiteral("<pre>\r\nx &amp; y\r\n</pre>\r\n"));
    EXPECT_EQ(seen, (QStringList{QStringLiteral("E:Färdig.|100 %|Stäng"),
                                 QStringLiteral("M:Koden har kopierats till urklipp.")}));
}

TEST_F(PrintCommandsTest, ExportProgressLabelChangesOnlyOnNewPercent) {
    TExportProgressFrm w;
    w.show();
    w.lblProgress->setText(QStringLiteral("0 %"));
    win->PrintCommands->ExportProgressFrm = &w;
    win->PrintCommands->ExportProgressChanged(3, 0, 0);
    EXPECT_EQ(w.lblProgress->text(), QStringLiteral("0 %"));
    win->PrintCommands->ExportProgressChanged(3, 1, 33);
    EXPECT_EQ(w.lblProgress->text(), QStringLiteral("33 %"));
    win->PrintCommands->ExportProgressFrm = nullptr;
    win->PrintCommands->ExportProgressChanged(3, 3, 100); // no window: nothing happens
    EXPECT_EQ(w.lblProgress->text(), QStringLiteral("33 %"));
}
