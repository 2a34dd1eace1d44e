// Typing in the main editor: typed openings, the FONT warning, automatic end tags, the tag
// strip and Modify tag.
#include "MarkupFixture.h"

#include "app/preview/ViewModes.h"
#include "markup/typedtags/TagStrip.h"
#include "markup/typedtags/TypedTags.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

namespace {

TEST(TypedTagsTest, ReadsTheTextBeforeTheCaret) {
    const QStringList list = {QStringLiteral("b"), QStringLiteral("TABLE"),
                              QStringLiteral("blockquote")};
    const struct {
        const char* before;
        const char* close; // NameToClose
    } closing[] = {
        {"x<table>", "table"},
        {"<TaBlE>", "TaBlE"},
        {"<b>", "b"},
        {"<blockquote>", ""}, // the "<" lies more than 9 characters back
        {"<b<", ""},          // no ">" typed
        {"<>", ""},
        {"</b>", ""},
        {"<b x>", ""},
        {"<p>", ""},
        {">", ""},
        {"<a href=\"x\">", ""},
    };
    for (const auto& c : closing)
        EXPECT_EQ(TypedTags::NameToClose(c.before, list), QByteArray(c.close)) << c.before;

    const struct {
        const char* before;
        const char* command;
        int length;
    } openings[] = {
        {"<a ", "IInsertLink", 3},
        {"x<IMG ", "IInsertImage", 5},
        {"<Hr ", "IInsertLine", 4},
        {"<acronym ", "IInsertAcronym", 9},
        {"<abbr ", "IInsertAbbreviation", 6},
        {"<SCRIPT ", "IInsertJavaScript", 8},
        {"<dfn ", "IInsertDefinition", 5},
        {"<table ", "IInsertTable", 7},
        {"<a", "", 0},
        {"<ab ", "", 0},
        {"<font ", "", 0},
    };
    for (const auto& c : openings) {
        const TypedTags::TOpening o = TypedTags::OpeningAt(c.before);
        EXPECT_EQ(o.Command, QLatin1String(c.command)) << c.before;
        EXPECT_EQ(o.Length, c.length) << c.before;
    }
    EXPECT_TRUE(TypedTags::IsFontOpening("x<Font "));
    EXPECT_FALSE(TypedTags::IsFontOpening("<font"));
}

class TypedTagsWinTest : public MarkupWinTest {};

TEST_F(TypedTagsWinTest, TypedKeysOpenDialogsAndCloseTags) {
    const struct {
        const char* what;
        const char* start; // '|' is the caret
        const char* keys;
        bool autoWiz, autoClose;
        const char* text; // afterwards, without the final line break
        int selStart, selLength;
        const char* opened; // the dialog's title, or empty
    } cases[] = {
        {"link opening", "x |", "<a ", true, true, "x <a ", 2, 3, "Länk"},
        {"table opening", "|", "<TABLE ", true, true, "<TABLE ", 0, 7, "Tabell"},
        {"openings off", "|", "<a ", false, true, "<a ", 3, 0, ""},
        {"script opening", "|", "<script ", true, true, "<script ", 0, 8, "Skript"},
        {"end tag", "|", "<table>", true, true, "<table></table>", 7, 0, ""},
        {"end tag as typed", "|", "<TaBlE>", true, true, "<TaBlE></TaBlE>", 7, 0, ""},
        {"auto-close off", "|", "<table>", true, false, "<table>", 7, 0, ""},
        {"name too long", "|", "<blockquote>", true, true, "<blockquote>", 12, 0, ""},
        {"not listed", "|", "<br>", true, true, "<br>", 4, 0, ""},
        {"'<' after a name", "|", "<b<", true, true, "<b<", 3, 0, ""},
        {"empty name", "|", "<>", true, true, "<>", 2, 0, ""},
        {"attributes", "|", "<b x=1>", true, true, "<b x=1>", 7, 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        win->AutoWizEnabled = c.autoWiz;
        win->AutoCloseEnabled = c.autoClose;
        opened.clear();
        if (*c.opened)
            handlers.push_back([](QDialog*) { return 2; });
        SetText(c.start);
        Keys(QString::fromUtf8(c.keys));
        EXPECT_EQ(Text(), QByteArray(c.text) + "\r\n");
        EXPECT_EQ(win->CodeEditor->GetSelStart(), c.selStart);
        EXPECT_EQ(win->CodeEditor->GetSelLength(), c.selLength);
        QStringList titles;
        for (const QString& o : opened)
            titles << o.section(QLatin1Char(':'), 1);
        EXPECT_EQ(titles.join(QLatin1Char(',')), QString::fromUtf8(c.opened));
    }
    EXPECT_TRUE(seen.isEmpty());
}

TEST_F(TypedTagsWinTest, TheFontWarningShowsOncePerTypedOpening) {
    QStringList ran;
    win->Commands().Add(QStringLiteral("IInsertCSSSpanStyle"), QStringLiteral("span"),
                        QKeySequence(),
                        [&] { ran << QString::fromLatin1(win->CodeEditor->GetSelText()); });
    SetText("x|");
    Keys(QStringLiteral("<font "));
    const QString warning = QStringLiteral("M:Kompatibilitetsvarning: FONT-element bör inte "
                                           "användas på moderna webbsidor. Använd CSS istället.");
    EXPECT_EQ(seen, QStringList{warning});
    EXPECT_EQ(ran, QStringList{QStringLiteral("<font ")});

    // The release of the key that closed the box, or of any other key, warns no more.
    seen.clear();
    SetText("<font |");
    QTest::keyRelease(win->CodeEditor, Qt::Key_Return);
    QTest::keyRelease(win->CodeEditor, Qt::Key_X);
    QCoreApplication::processEvents();
    EXPECT_TRUE(seen.isEmpty());

    win->ChangeElementsEnabled = false;
    SetText("|");
    Keys(QStringLiteral("<FONT "));
    EXPECT_TRUE(seen.isEmpty());
}

TEST_F(TypedTagsWinTest, TheStripShowsTheTagAtTheCaret) {
    auto* strip =
        dynamic_cast<TTagStrip*>(win->findChild<QObject*>(QStringLiteral("ModifyToolbar")));
    ASSERT_TRUE(strip);
    QAction* modify = win->Action(QStringLiteral("RModifyTag"));
    QAction* reference = win->Action(QStringLiteral("HShowCurrentTagRef"));
    win->TagCase = 2;
    SetText("<A hr|ef=\"x\">t</A>");
    // The debounce timer does the refresh.
    ASSERT_TRUE(win->Debounce.ASU.IsActive());
    win->Debounce.ASU.OnTimer();
    EXPECT_FALSE(win->Debounce.ASU.IsActive());
    EXPECT_EQ(strip->lblSelectedTag->text(), QStringLiteral("a"));
    EXPECT_EQ(modify->text(), QStringLiteral("Modifiera tagg a"));
    EXPECT_EQ(reference->text(), QStringLiteral("Taggreferens för a"));
    EXPECT_TRUE(modify->isEnabled());
    EXPECT_TRUE(reference->isEnabled());
    EXPECT_TRUE(strip->ActionsShown());

    // A mouse release refreshes at once.
    win->CodeEditor->SetSelStart(13);
    win->CodeEditor->OnMouseUp(win->CodeEditor, Qt::LeftButton, Qt::NoModifier, 0, 0);
    EXPECT_EQ(strip->lblSelectedTag->text(), QStringLiteral("Ingen tagg markerad"));
    EXPECT_EQ(modify->text(), QStringLiteral("Modifiera tagg"));
    EXPECT_EQ(reference->text(), QStringLiteral("Taggreferens"));
    EXPECT_FALSE(modify->isEnabled());
    EXPECT_FALSE(strip->ActionsShown());

    // So does opening the Help menu.
    win->CodeEditor->SetSelStart(2);
    QMenu* help = win->Menu(QStringLiteral("Hjlp1"));
    ASSERT_TRUE(help);
    emit help->aboutToShow();
    EXPECT_EQ(strip->lblSelectedTag->text(), QStringLiteral("a"));

    // The edit bar toggles, and its check mark follows.
    EXPECT_FALSE(strip->isVisibleTo(win.get()));
    ASSERT_TRUE(Run("VToggleEditBar"));
    win->CentralActionListUpdate();
    EXPECT_TRUE(strip->isVisibleTo(win.get()));
    EXPECT_TRUE(win->Action(QStringLiteral("VToggleEditBar"))->isChecked());
    EXPECT_TRUE(win->CurrentSettings().ShowModifyToolbar);
}

TEST_F(TypedTagsWinTest, ModifyTagOpensTheDialogOfTheElementOrSaysThereIsNone) {
    SetText("<p cl|ass=x>t</p>");
    win->Action(QStringLiteral("RModifyTag"))->setEnabled(true);
    ASSERT_TRUE(Run("RModifyTag"));
    EXPECT_EQ(seen, QStringList{QStringLiteral(
                        "M:Kelvora har inget gränssnitt för att modifiera taggen P.")});

    seen.clear();
    SetText("<p><A hr|ef=\"x\">t</A></p>");
    handlers.push_back([this](QDialog* d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("Länk"));
        EXPECT_EQ(win->CodeEditor->GetSelText(), "<A href=\"x\">t</A>");
        return 2;
    });
    ASSERT_TRUE(win->Commands().Run(QStringLiteral("RModifyTag")));
    // The title's dialog shows the document's title.
    SetText("<tit|le>t</title>");
    handlers.push_back([](QDialog* d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("Sidtitel"));
        return 2;
    });
    ASSERT_TRUE(win->Commands().Run(QStringLiteral("RModifyTag")));
    EXPECT_TRUE(seen.isEmpty());
    EXPECT_EQ(opened.size(), 2);
}

} // namespace
