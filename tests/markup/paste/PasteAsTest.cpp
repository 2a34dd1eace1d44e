#include "MarkupFixture.h"
#include "app/commands/PasteFormatRequest.h"
#include "editor/view/TextEditorExSettings.h"
#include "markup/paste/PasteAsWin.h"
#include "platform/Cp1252.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>

namespace {

class PasteAsTest : public MarkupTest {
protected:
    void SetUp() override {
        MarkupTest::SetUp();
        QGuiApplication::clipboard()->clear();
        win->DataFiles.ClipboardHistory.Clear();
        win->CodeEditor->Settings()->SetTabLength(2);
    }
    static void Click(QListWidget* list, int row) {
        list->setCurrentRow(row);
        emit list->itemClicked(list->item(row));
    }
    static QStringList Rows(const QListWidget* list) {
        QStringList out;
        for (int i = 0; i < list->count(); ++i)
            out << list->item(i)->text();
        return out;
    }
    static int FormatRow(const char* name) {
        return TPasteFormatsLibrary::Names().indexOf(QString::fromUtf8(name));
    }
};

TEST_F(PasteAsTest, NothingToPasteStillPreviewsTheFormat) {
    Start("x|y");
    Expect<TpasteAs>([&](TpasteAs& d) {
        EXPECT_EQ(Rows(d.PasteData), QStringList{"Det finns inga urklipp i minnet."});
        EXPECT_EQ(Rows(d.PasteFormat), TPasteFormatsLibrary::Names());
        EXPECT_FALSE(d.btnOk->isEnabled());
        // A format without a clip: the message, and no OK yet.
        d.PasteData->setCurrentRow(-1);
        Click(d.PasteFormat, FormatRow("Punktlista (standard)"));
        EXPECT_FALSE(d.btnOk->isEnabled());
        Click(d.PasteData, 0);
        EXPECT_TRUE(d.btnOk->isEnabled());
        EXPECT_EQ(d.PreViewM->toPlainText(), QStringLiteral("<ul>\n  <li>\n</li></ul>"));
        return int(Dialogs::mrOk);
    });
    ASSERT_TRUE(Run("RPasteInFormatIndex"));
    EXPECT_EQ(seen, QStringList{"M:Inget urklipp har markerats."});
    EXPECT_EQ(Marks(), QByteArray("x<ul>\r\n  <li>\r\n</li></ul>|y"));
}

TEST_F(PasteAsTest, AHistoryClipIsPastedWithoutTouchingTheClipboard) {
    QGuiApplication::clipboard()->setText(QStringLiteral("system"));
    win->DataFiles.ClipboardHistory.Add(
        Cp1252::Encode(QStringLiteral("lång text som inte får plats på en rad helt och hållet")));
    win->DataFiles.ClipboardHistory.Add("r\xE4"
                                        "d 1\r\nrad 2");
    Start("[gammal]");
    Expect<TpasteAs>([&](TpasteAs& d) {
        EXPECT_EQ(Rows(d.PasteData), (QStringList{"Systemurklipp", "\"räd 1\\nrad 2\"",
                                                  "\"lång text som inte får plats p...\""}));
        Click(d.PasteData, 1);
        Click(d.PasteFormat, FormatRow("Brödtext"));
        EXPECT_EQ(d.PreViewM->toPlainText(), QStringLiteral("<p>räd 1</p>\n<p>rad 2</p>"));
        return int(Dialogs::mrOk);
    });
    ASSERT_TRUE(Run("RPasteInFormatIndex"));
    EXPECT_EQ(Marks(), QByteArray("<p>r\xE4"
                                  "d 1</p>\r\n<p>rad 2</p>|"));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("system"));

    // The system clipboard's row pastes the clipboard; Avbryt pastes nothing.
    Start("|");
    Expect<TpasteAs>([&](TpasteAs& d) {
        Click(d.PasteData, 0);
        Click(d.PasteFormat, FormatRow("Kommentar"));
        return int(Dialogs::mrOk);
    });
    Expect<TpasteAs>([&](TpasteAs&) { return int(Dialogs::mrCancel); });
    ASSERT_TRUE(Run("RPasteInFormatIndex"));
    ASSERT_TRUE(Run("RPasteInFormatIndex"));
    EXPECT_EQ(Marks(), QByteArray("<!-- system -->|"));
}

TEST_F(PasteAsTest, AHugeClipPreviewsItsStartOnly) {
    const QByteArray huge(3 * TpasteAs::PreviewLimit, 'x');
    QGuiApplication::clipboard()->setText(QString::fromLatin1(huge));
    Start("|");
    Expect<TpasteAs>([&](TpasteAs& d) {
        Click(d.PasteData, 0);
        Click(d.PasteFormat, FormatRow("Upphöjd text"));
        EXPECT_EQ(d.PreViewM->toPlainText().size(), TpasteAs::PreviewLimit + 11);
        return int(Dialogs::mrOk);
    });
    ASSERT_TRUE(Run("RPasteInFormatIndex"));
    EXPECT_EQ(win->CodeEditor->Text(), "<sup>" + huge + "</sup>\r\n");
}

TEST_F(PasteAsTest, PasteInANamedFormatForSubroutines) {
    QGuiApplication::clipboard()->setText(QStringLiteral("a\nb"));
    Start("|");
    win->Commands().Run(
        QStringLiteral("PasteInFormat"),
        TPasteFormatRequest{Cp1252::Encode(QStringLiteral("Numrerad lista (standard)"))});
    EXPECT_EQ(Marks(), QByteArray("<ol>\r\n  <li>a</li>\r\n  <li>b\r\n</li></ol>|"));
    // An unknown name pastes nothing and says why.
    try {
        win->Commands().Run(QStringLiteral("PasteInFormat"),
                            TPasteFormatRequest{QByteArray("numrerad lista")});
        ADD_FAILURE() << "no error";
    } catch (const EKelvoraError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Ogiltigt inklistringsformat."));
    }
    EXPECT_EQ(Marks(), QByteArray("<ol>\r\n  <li>a</li>\r\n  <li>b\r\n</li></ol>|"));
}

} // namespace
