#include "MarkupFixture.h"
#include "controls/SpecialChartersCombo.h"
#include "markup/documentdialogs/AlphaWin.h"
#include "markup/documentdialogs/DateWin.h"
#include "markup/documentdialogs/SpecDTDWin.h"
#include "markup/documentdialogs/SpecTitleWin.h"
#include "markup/tagref/TagRefWin.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFontDialog>
#include <QListWidget>
#include <QMenu>

namespace {

class DocumentCommandsTest : public MarkupTest {
protected:
    Talpha* Palette() const {
        for (QObject* child : win->children())
            if (auto* palette = dynamic_cast<Talpha*>(child))
                return palette;
        return nullptr;
    }
    void Settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};

TEST_F(DocumentCommandsTest, DoctypeDialogShowsTheDeclarationAndWritesTheChosenOne) {
    Start("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\">\r\n<html>|");
    QStringList listed;
    Expect<TSpecDTD>([&](TSpecDTD& d) {
        seen << QStringLiteral("D:") + d.pDOCTYPE->currentText();
        for (int i = 0; i < d.pDOCTYPE->count(); ++i)
            listed << d.pDOCTYPE->itemText(i);
        d.pDOCTYPE->setEditText(QStringLiteral("html"));
        return int(Dialogs::mrOk);
    });
    ASSERT_TRUE(Run("IInsertDoctype"));
    EXPECT_EQ(seen, QStringList{"D:HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\""});
    EXPECT_EQ(listed, win->DataFiles.DocTypesList);
    EXPECT_EQ(Marks(), QByteArray("<!DOCTYPE html>\r\n<html>|"));

    // Without a declaration the field offers XHTML 1.0 Strict; Avbryt changes nothing.
    Start("<html>|");
    Expect<TSpecDTD>([&](TSpecDTD& d) {
        seen << QStringLiteral("D:") + d.pDOCTYPE->currentText();
        return int(Dialogs::mrCancel);
    });
    ASSERT_TRUE(Run("IInsertDoctype"));
    EXPECT_EQ(seen.last(), "D:" + TSpecDTD::DefaultDoctype());
    EXPECT_EQ(Marks(), QByteArray("<html>|"));
}

TEST_F(DocumentCommandsTest, TitleDialogWritesInTheTagCaseAndRenewsTheWindowTitle) {
    Open(Make(QStringLiteral("sida.html"), "<head>\r\n  <TITLE>Gammal</TITLE>\r\n</head>\r\n"));
    win->TagCase = 2;
    Expect<TSpecTitle>([&](TSpecTitle& d) {
        seen << QStringLiteral("T:") + d.pTITLE->text();
        d.pTITLE->setText(QStringLiteral("Smörgåsbord"));
        return int(Dialogs::mrOk);
    });
    ASSERT_TRUE(Run("IInsertHTMLTitle"));
    EXPECT_EQ(seen, QStringList{"T:Gammal"});
    EXPECT_EQ(
        win->CodeEditor->Text(),
        Cp1252::Encode(QStringLiteral("<head>\r\n  <title>Smörgåsbord</title>\r\n</head>\r\n")));
    EXPECT_TRUE(win->windowTitle().contains(QStringLiteral("[Smörgåsbord]")))
        << win->windowTitle().toStdString();

    // Without a head: the message, and the text as it was. "&Taggreferens" shows TITLE.
    Start("<body>|</body>");
    Expect<TSpecTitle>([](TSpecTitle& d) {
        d.btnRef->click();
        return int(Dialogs::mrOk);
    });
    Expect<Ttagref>([](Ttagref& r) {
        EXPECT_EQ(r.TagRefTagName, QStringLiteral("TITLE"));
        return int(Dialogs::mrOk);
    });
    ASSERT_TRUE(Run("IInsertHTMLTitle"));
    EXPECT_EQ(seen.last(),
              "M:Det gick inte att skapa TITLE-taggarna eftersom HEAD-avsnitt saknas.");
    EXPECT_EQ(Marks(), QByteArray("<body>|</body>"));
}

TEST_F(DocumentCommandsTest, DateDialogKeepsTheChosenRowAndInsertsIt) {
    Start("Idag: [x]!");
    Expect<Tdate>([&](Tdate& d) {
        d.Clock = [] { return QDateTime(QDate(2006, 3, 7), QTime(14, 5, 9)); };
        d.UpdateTimeTimer();
        d.ListBox1->setCurrentRow(4);
        // A second later the same row is chosen, with the new time.
        d.Clock = [] { return QDateTime(QDate(2006, 3, 7), QTime(14, 5, 10)); };
        d.UpdateTimeTimer();
        seen << QStringLiteral("R:%1").arg(d.ListBox1->count());
        EXPECT_EQ(d.ListBox1->currentRow(), 4);
        return int(Dialogs::mrOk);
    });
    ASSERT_TRUE(Run("IInsertDate"));
    EXPECT_EQ(seen, QStringList{"R:9"});
    EXPECT_EQ(Marks(), QByteArray("Idag: 14:05:10|!"));

    // "Stäng", or no chosen row, writes nothing.
    Expect<Tdate>([](Tdate& d) {
        d.ListBox1->setCurrentRow(0);
        return int(Dialogs::mrCancel);
    });
    Expect<Tdate>([](Tdate& d) {
        d.ListBox1->clearSelection();
        return int(Dialogs::mrOk);
    });
    ASSERT_TRUE(Run("IInsertDate"));
    ASSERT_TRUE(Run("IInsertDate"));
    EXPECT_EQ(Marks(), QByteArray("Idag: 14:05:10|!"));
}

// "Ändra specialtecken" of the editor's menu, for a selected entity, opens the window.
TEST_F(DocumentCommandsTest, TheEditorMenuOpensTheWindowForASelectedEntity) {
    Start("x [&eacute;] y");
    emit win->documentPopup->aboutToShow();
    QAction* change = win->documentPopup->actions().value(0);
    ASSERT_NE(change, nullptr);
    EXPECT_EQ(change->text(), QStringLiteral("Ändra specialtecken"));
    change->trigger();
    ASSERT_NE(Palette(), nullptr);
    EXPECT_TRUE(Palette()->isVisible());
}

TEST_F(DocumentCommandsTest, SpecialCharacterWindowFindsTheSelectionAndInsertsCodes) {
    Start("Caf[\xC3\xA9]");
    ASSERT_TRUE(Run("IInsertAlpha"));
    Talpha* palette = Palette();
    ASSERT_NE(palette, nullptr);
    EXPECT_TRUE(palette->isVisible());
    // é is found in both letter lists, in either case.
    EXPECT_EQ(palette->Small->currentText(), QStringLiteral("é"));
    EXPECT_EQ(palette->Caps->currentText(), QStringLiteral("É"));
    EXPECT_TRUE(palette->Edit2->text().isEmpty());

    // Choosing a character shows it and its code; "&Infoga" writes the code and stays open.
    const int eth = palette->Small->findText(QStringLiteral("ð"));
    ASSERT_GE(eth, 0);
    palette->Small->setCurrentIndex(eth);
    emit palette->Small->activated(eth);
    EXPECT_EQ(palette->Edit1->text(), QStringLiteral("ð"));
    EXPECT_EQ(palette->Edit2->text(), QStringLiteral("&eth;"));
    palette->Button1->click();
    EXPECT_EQ(Marks(), QByteArray("Caf&eth;|"));
    EXPECT_TRUE(palette->isVisible());

    // The font goes to the three letter lists only.
    Expect<QFontDialog>([](QFontDialog& d) {
        d.setCurrentFont(QFont(QStringLiteral("Liberation Serif"), 15));
        return int(Dialogs::mrOk);
    });
    const QFont math = palette->Math->font();
    palette->Teckensnitt1->trigger();
    EXPECT_EQ(palette->Text->font().pointSize(), 15);
    EXPECT_EQ(palette->Math->font(), math);

    // The command again closes it; the next opens a new one; "Stäng" lets it go too.
    ASSERT_TRUE(Run("IInsertAlpha"));
    Settle();
    EXPECT_EQ(Palette(), nullptr);
    ASSERT_TRUE(Run("IInsertAlpha"));
    ASSERT_NE(Palette(), nullptr);
    Palette()->Button2->click();
    Settle();
    EXPECT_EQ(Palette(), nullptr);
    ASSERT_TRUE(Run("IInsertAlpha"));
    EXPECT_NE(Palette(), nullptr);
}

} // namespace
