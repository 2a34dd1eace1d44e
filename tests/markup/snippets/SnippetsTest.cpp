#include "MarkupFixture.h"
#include "controls/PanelCaption.h"
#include "markup/DialogEditor.h"
#include "markup/snippets/HandleFastTextsWin.h"
#include "markup/snippets/SnippetFolder.h"
#include "platform/AppPaths.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QMenu>

namespace {

class SnippetsTest : public MarkupTest {
protected:
    void SetUp() override {
        QDir(TSnippetFolder().Folder()).removeRecursively();
        MarkupTest::SetUp();
    }
    QString PathOf(const QString& name) const { return TSnippetFolder().PathOf(name); }
    void Write(const QString& name, const QByteArray& text) {
        QDir().mkpath(TSnippetFolder().Folder());
        QFile f(PathOf(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
    QMenu* Menu() const { return win->findChild<QMenu*>(QStringLiteral("FTPopup")); }
    // The captions of the drop-down, separators as "-".
    QStringList MenuCaptions() const {
        QStringList out;
        for (QAction* a : Menu()->actions())
            out << (a->isSeparator() ? QStringLiteral("-") : a->text());
        return out;
    }
    QAction* MenuItem(const QString& caption) const {
        for (QAction* a : Menu()->actions())
            if (a->text() == caption)
                return a;
        return nullptr;
    }
    // Runs the manager with `steps`, the name prompts answered with `names`, and closes it
    // with "S&täng".
    void Manage(std::function<void(THandleFastTexts&)> steps, const QStringList& names = {}) {
        Expect<THandleFastTexts>([steps](THandleFastTexts& d) {
            steps(d);
            d.btnClose->click();
            return d.result();
        });
        for (const QString& name : names)
            Prompt(name);
        ASSERT_TRUE(Run("HandleFastTexts"));
    }
    static QStringList Listed(const THandleFastTexts& d) {
        QStringList out;
        for (int i = 0; i < d.FastTextList->count(); ++i)
            out << d.FastTextList->item(i)->text();
        return out;
    }
    static QByteArray EditorText(const THandleFastTexts& d) {
        return d.CurrentFastText->Editor->Text();
    }
};

TEST_F(SnippetsTest, CreateWriteAndInsertASnippetWithAnAmpersand) {
    Manage(
        [&](THandleFastTexts& d) {
            EXPECT_EQ(d.Panel3->CaptionText(), QStringLiteral("Ingen snabbtext markerad."));
            EXPECT_FALSE(d.btnSaveFT->isEnabled());
            d.btnNewFastText->click();
            // An empty file at once; the editor offers its two lines, all selected.
            EXPECT_EQ(QFile(PathOf(QStringLiteral("Hej & hå"))).size(), 0);
            EXPECT_EQ(Listed(d), QStringList{"Hej & hå"});
            EXPECT_EQ(d.Panel3->CaptionText(), QStringLiteral("Markerad snabbtext:"));
            EXPECT_EQ(Utf8(d.CurrentFastText->Editor->GetSelText()),
                      "Skriv innehållet i snabbtexten \"Hej & hå\" här.\r\n"
                      "Välj sedan \"Spara snabbtext\" för att spara snabbtexten.");
            d.CurrentFastText->Editor->SetSelText("<b>Hej</b>\r\n<i>h\xE5</i>");
            d.btnSaveFT->click();
            EXPECT_EQ(d.Panel3->CaptionText(), QStringLiteral("Ingen snabbtext markerad."));
            EXPECT_FALSE(d.CurrentFastText->isEnabled());
        },
        {QStringLiteral("Hej & hå")});
    EXPECT_EQ(seen, QStringList{"P:Ange namn på snabbtexten:"});
    EXPECT_EQ(ReadTestFile(PathOf(QStringLiteral("Hej & hå"))),
              QByteArray("<b>Hej</b>\r\n<i>h\xE5</i>\r\n"));

    // The menu is rebuilt as the manager closes; the ampersand shows as itself.
    EXPECT_EQ(MenuCaptions(), (QStringList{"Hantera snabbtexter", "-", "Hej && hå"}));
    EXPECT_EQ(MenuItem(QStringLiteral("Hej && hå"))->statusTip(),
              QStringLiteral("|Infogar snabbtexten \"Hej & hå\"."));
    Start("a[b]c");
    MenuItem(QStringLiteral("Hej && hå"))->trigger();
    EXPECT_EQ(Marks(), QByteArray("a<b>Hej</b>\r\n<i>h\xE5</i>\r\n|c"));
}

TEST_F(SnippetsTest, NamesThatAreTakenOrUnsafeAreRefused) {
    Write(QStringLiteral("Sidfot"), "x");
    // The last prompt is cancelled: nothing happens.
    Manage(
        [&](THandleFastTexts& d) {
            for (int i = 0; i < 4; ++i)
                d.btnNewFastText->click();
            EXPECT_EQ(Listed(d), QStringList{"Sidfot"});
        },
        {QStringLiteral("Sidfot"), QStringLiteral("../utanför"), QStringLiteral("a\tb"),
         QString()});
    const QString unsafe = QStringLiteral(
        "M:Namnet på en snabbtext får inte innehålla \"/\", \"\\\", \"..\" eller styrtecken.");
    EXPECT_EQ(seen,
              (QStringList{"P:Ange namn på snabbtexten:", "M:Snabbtexten \"Sidfot\" finns redan.",
                           "P:Ange namn på snabbtexten:", unsafe,
                           "P:Ange namn på snabbtexten:", unsafe, "P:Ange namn på snabbtexten:"}));
    EXPECT_EQ(ReadTestFile(PathOf(QStringLiteral("Sidfot"))), QByteArray("x"));
    EXPECT_FALSE(QFile::exists(TSnippetFolder().Folder() + QStringLiteral("/../utanför.txt")));
}

TEST_F(SnippetsTest, DeletingOneOrManyAsksFirst) {
    for (const char* name : {"a", "b", "c", "d"})
        Write(QString::fromLatin1(name), name);
    answers = {Dialogs::mrNo, Dialogs::mrYes, Dialogs::mrYes};
    Manage([&](THandleFastTexts& d) {
        EXPECT_EQ(Listed(d), (QStringList{"a", "b", "c", "d"}));
        d.FastTextList->item(3)->setSelected(true);
        d.abortmarkeradesnabbtexter1Click(); // Nej
        EXPECT_TRUE(QFile::exists(PathOf(QStringLiteral("d"))));
        d.FastTextList->item(3)->setSelected(true);
        d.abortmarkeradesnabbtexter1Click(); // Ja
        d.FastTextList->selectAll();
        d.fasttextPopupPopup();
        EXPECT_TRUE(d.DeleteItems->isEnabled());
        d.DeleteItems->trigger(); // Ja, three
        EXPECT_EQ(Listed(d), QStringList());
        d.fasttextPopupPopup();
        EXPECT_FALSE(d.DeleteItems->isEnabled());
        EXPECT_FALSE(d.SelectAllItems->isEnabled());
    });
    EXPECT_EQ(seen,
              (QStringList{"Q:Snabbtexten \"d\" är markerad.|Vill du ta bort denna snabbtext?",
                           "Q:Snabbtexten \"d\" är markerad.|Vill du ta bort denna snabbtext?",
                           "Q:3 snabbtexter är markerade.|Vill du ta bort dessa snabbtexter?"}));
    EXPECT_EQ(TSnippetFolder().Names(), QStringList());
    EXPECT_EQ(MenuCaptions(), (QStringList{"Hantera snabbtexter", "-"}));
}

TEST_F(SnippetsTest, UnsavedEditsAreAskedAboutAndSavedToTheSnippetTheyBelongTo) {
    Write(QStringLiteral("a"), "A\r\n");
    Write(QStringLiteral("b"), "B\r\n");
    answers = {Dialogs::mrYes, Dialogs::mrCancel, Dialogs::mrNo};
    Manage([&](THandleFastTexts& d) {
        d.FastTextList->setCurrentRow(0);
        EXPECT_EQ(d.LoadedName(), QStringLiteral("a"));
        EXPECT_EQ(EditorText(d), QByteArray("A\r\n"));
        d.CurrentFastText->Editor->SetSelText("A2");
        // Choosing "b" asks; Ja saves the text to "a", not to "b".
        d.FastTextList->setCurrentRow(1);
        EXPECT_EQ(d.LoadedName(), QStringLiteral("b"));
        d.CurrentFastText->Editor->SetSelText("B2");
        // Closing asks: Avbryt keeps the manager open, Nej drops the edit.
        d.btnClose->click();
        EXPECT_EQ(d.LoadedName(), QStringLiteral("b"));
    });
    EXPECT_EQ(seen,
              (QStringList{
                  "Q:Snabbtexten \"a\" har ändrats men inte sparats.|Vill du spara ändringarna?",
                  "Q:Snabbtexten \"b\" har ändrats men inte sparats.|Vill du spara ändringarna?",
                  "Q:Snabbtexten \"b\" har ändrats men inte sparats.|Vill du spara ändringarna?"}));
    EXPECT_EQ(ReadTestFile(PathOf(QStringLiteral("a"))), QByteArray("A2\r\n"));
    EXPECT_EQ(ReadTestFile(PathOf(QStringLiteral("b"))), QByteArray("B\r\n"));
}

TEST_F(SnippetsTest, ASnippetRemovedBehindTheProgramsBackIsReported) {
    Write(QStringLiteral("borta"), "x");
    Write(QStringLiteral("tom"), "");
    Manage([&](THandleFastTexts&) {});
    ASSERT_TRUE(QFile::remove(PathOf(QStringLiteral("borta"))));
    Start("a|b");
    MenuItem(QStringLiteral("borta"))->trigger();
    // An empty snippet inserts nothing.
    MenuItem(QStringLiteral("tom"))->trigger();
    EXPECT_EQ(Marks(), QByteArray("a|b"));
    // A name from a subroutine or a module is checked the same way.
    EXPECT_TRUE(
        win->Commands().Run(QStringLiteral("InsertFastText"), QString(QStringLiteral("../../x"))));
    EXPECT_EQ(seen, (QStringList{"M:Det finns ingen snabbtext med namnet \"borta\".",
                                 "M:Det finns ingen snabbtext med namnet \"../../x\"."}));

    // In the manager: the message, and the list as it was.
    Write(QStringLiteral("kort"), "y");
    Manage([&](THandleFastTexts& d) {
        ASSERT_TRUE(QFile::remove(PathOf(QStringLiteral("kort"))));
        d.FastTextList->setCurrentRow(0);
        EXPECT_EQ(d.LoadedName(), QString());
        EXPECT_FALSE(d.CurrentFastText->isEnabled());
        EXPECT_EQ(Listed(d), (QStringList{"kort", "tom"}));
    });
    EXPECT_EQ(seen.last(), "M:Det gick inte att öppna filen med snabbtexten.");
}

} // namespace
