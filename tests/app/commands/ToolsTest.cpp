// Statistics, line sorting and document properties.
#include "MainWinFixture.h"

#include "app/dialogs/PropertiesWin.h"
#include "app/dialogs/SortRowsWin.h"
#include "app/dialogs/StatWin.h"
#include "controls/CaptionGroup.h"
#include "editor/text/LineStore.h"

#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>

namespace {

TEST(CodeStatisticsTest, CountsPerFixture) {
    const struct {
        const char* text;
        TCodeStatistics expected; // tags, links, images, scripts, rows, chars
    } cases[] = {
        {"<a href=x>t</a><abbr>", {3, 2, 0, 0, 1, 21}},
        {"abc", {0, 0, 0, 0, 1, 3}},
        {"<IMG src=a><img>\r\n<Script>x</script>", {4, 0, 2, 1, 2, 34}},
        {"<<a\r\n\r\n<im <scrip", {4, 1, 0, 0, 3, 13}},
        {"a\r\nb\r\n", {0, 0, 0, 0, 2, 2}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        LineStore lines;
        lines.SetText(QByteArray(c.text));
        const TCodeStatistics s = CountCodeStatistics(lines);
        EXPECT_EQ(s.Tags, c.expected.Tags);
        EXPECT_EQ(s.Links, c.expected.Links);
        EXPECT_EQ(s.Images, c.expected.Images);
        EXPECT_EQ(s.Scripts, c.expected.Scripts);
        EXPECT_EQ(s.Rows, c.expected.Rows);
        EXPECT_EQ(s.Chars, c.expected.Chars);
    }
}

// Only the order of the lines changes: as many breaks as before, a final one only when the text
// had one.
TEST(SortLinesTest, SortsWithoutCaseAndKeepsTheBreaks) {
    const struct {
        std::vector<QByteArray> pieces;
        QByteArray expected;
    } cases[] = {
        {{"b", "A", "c"}, "A\r\nb\r\nc"},
        {{"c", "b", "a", ""}, "a\r\nb\r\nc\r\n"},   // a trailing break is no line
        {{"b", "A", "B", "a"}, "A\r\na\r\nb\r\nB"}, // equal lines kept in their order
        {{"x", "x", ""}, "x\r\nx\r\n"},
        {{"\xe9t", "Z", "\xc9t"}, "Z\r\n\xe9t\r\n\xc9t"}, // Windows-1252 case, byte order
        {{"ab", "a", ""}, "a\r\nab\r\n"},
        {{"", "b", ""}, "\r\nb\r\n"}, // an empty line sorts first
        {{"b", ""}, "b\r\n"},
        {{"b"}, "b"},
        {{""}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected.toStdString());
        EXPECT_EQ(SortLines(c.pieces), c.expected);
    }
}

TEST(PropertiesTextTest, SizesAndFileTypes) {
    EXPECT_EQ(SizeText(0), QStringLiteral("0 B"));
    EXPECT_EQ(SizeText(999), QStringLiteral("999 B"));
    EXPECT_EQ(SizeText(1000), QStringLiteral("1 000 B"));
    EXPECT_EQ(SizeText(1234567), QStringLiteral("1 234 567 B"));
    EXPECT_EQ(SizeText(1234567890), QStringLiteral("1 234 567 890 B"));

    Tproperties w;
    EXPECT_EQ(w.FileTypeExtensions.size(), 43);
    EXPECT_EQ(w.FileTypeNames.size(), 43);
    EXPECT_EQ(w.FileTypeText(QStringLiteral(".PHP")), QStringLiteral("PHP-dokument"));
    EXPECT_EQ(w.FileTypeText(QStringLiteral(".gif")),
              QStringLiteral("Illustration (GIF; Kan ej redigeras i Kelvora)"));
    EXPECT_EQ(w.FileTypeText(QStringLiteral(".abc")),
              QStringLiteral("Filtyp ej med i Kelvoras databas: .abc"));
    EXPECT_EQ(w.FileTypeText(QString()), QStringLiteral("Ospecificerad"));
    EXPECT_EQ(w.FileTypeText(QStringLiteral(".log")), QStringLiteral("Loggfil"));
}

class ToolsTest : public MainWinTest {
protected:
    // The next dialog is handed to `handle`; the value it returns closes the dialog.
    template <typename T> void Answer(std::function<int(T*)> handle) {
        handler = std::make_unique<Dialogs::ScopedModalHandler>([this, handle](QDialog* d) {
            auto* w = dynamic_cast<T*>(d);
            if (!w) {
                ADD_FAILURE() << "unexpected dialog";
                return 0;
            }
            ++shown;
            return handle(w);
        });
    }
    void Select(int start, int length) {
        win->CodeEditor->SetSelStart(start);
        win->CodeEditor->SetSelLength(length);
    }

    std::unique_ptr<Dialogs::ScopedModalHandler> handler;
    int shown = 0;
};

TEST_F(ToolsTest, StatisticsWindowShowsTheCountsOfTheCurrentDocument) {
    Open(Make(QStringLiteral("stat.html"), "<A href=x>\r\n<img><abbr>"));
    QStringList messages;
    QObject::connect(win->statusBar(), &QStatusBar::messageChanged,
                     [&messages](const QString& m) { messages << m; });
    QStringList fields;
    QString caption;
    Answer<Tstat>([&](Tstat* w) {
        caption = w->Group->CaptionText();
        for (QLineEdit* e : {w->Tags, w->Links, w->Images, w->Scripts, w->Rows, w->Chars})
            fields << e->text();
        return 1;
    });
    ASSERT_TRUE(RunCommand([&] { win->Commands().Run(QStringLiteral("ShowStatistics")); }));
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(caption, QStringLiteral(" stat.html "));
    EXPECT_EQ(fields, (QStringList{"3", "2", "1", "0", "2", "21"}));
    ASSERT_FALSE(messages.isEmpty());
    EXPECT_EQ(messages.first(), QStringLiteral("Beräknar antalet taggar..."));
    EXPECT_TRUE(messages.contains(QStringLiteral("Beräknar antalet tecken...")));
    EXPECT_TRUE(win->statusBar()->currentMessage().isEmpty());
}

TEST_F(ToolsTest, SortAllLinesRestoresTheSelectionAndUndoesInOneStep) {
    Open(Make(QStringLiteral("sort.txt"), "b\r\nA\r\nc"));
    Select(3, 1);
    bool selectedEnabled = true;
    Answer<TSortRows>([&](TSortRows* w) {
        selectedEnabled = w->SelectedRows->isEnabled();
        EXPECT_TRUE(w->SelectedRows->isChecked());
        w->AllRows->setChecked(true);
        return 1;
    });
    ASSERT_TRUE(Run("VSortRows"));
    EXPECT_TRUE(selectedEnabled);
    EXPECT_EQ(win->CodeEditor->Text(), QByteArray("A\r\nb\r\nc\r\n"));
    EXPECT_EQ(win->CodeEditor->GetSelStart(), 3);
    EXPECT_EQ(win->CodeEditor->GetSelLength(), 1);
    win->CodeEditor->Undo();
    EXPECT_EQ(win->CodeEditor->Text(), QByteArray("b\r\nA\r\nc\r\n"));
}

TEST_F(ToolsTest, SortWithoutSelectionOffersAllLinesOnly) {
    Open(Make(QStringLiteral("nosel.txt"), "y\r\nx"));
    Select(0, 0);
    Answer<TSortRows>([&](TSortRows* w) {
        EXPECT_FALSE(w->SelectedRows->isEnabled());
        EXPECT_TRUE(w->AllRows->isChecked());
        return 1;
    });
    ASSERT_TRUE(Run("VSortRows"));
    EXPECT_EQ(win->CodeEditor->Text(), QByteArray("x\r\ny\r\n"));
    // Sorting again changes nothing at all.
    ASSERT_TRUE(Run("VSortRows"));
    EXPECT_EQ(win->CodeEditor->Text(), QByteArray("x\r\ny\r\n"));
}

// Sorting selected lines changes only their order, whether the selection ends with a break or
// in the middle of a line, and leaves them selected.
TEST_F(ToolsTest, SortSelectedLinesTouchesOnlyThem) {
    const struct {
        int start, length;
        QByteArray sorted;
    } cases[] = {
        {3, 9, "z\r\na\r\nB\r\nd\r\nqx\r\n"},  // "d", "B", "a" with their breaks
        {3, 7, "z\r\na\r\nB\r\nd\r\nqx\r\n"},  // ends before the break after "a"
        {0, 4, "d\r\nz\r\nB\r\na\r\nqx\r\n"},  // ends after the "d" of its line
        {3, 10, "z\r\na\r\nB\r\nd\r\nqx\r\n"}, // ends after the "q" of the last line
    };
    Answer<TSortRows>([](TSortRows*) { return 1; });
    for (const auto& c : cases) {
        SCOPED_TRACE(c.length);
        Open(Make(QStringLiteral("part.txt"), "z\r\nd\r\nB\r\na\r\nqx"));
        Select(c.start, c.length);
        ASSERT_TRUE(Run("VSortRows"));
        EXPECT_EQ(win->CodeEditor->Text(), c.sorted);
        EXPECT_EQ(win->CodeEditor->GetSelStart(), c.start);
        EXPECT_EQ(win->CodeEditor->GetSelLength(), c.length);
        win->CodeEditor->Undo();
        EXPECT_EQ(win->CodeEditor->Text(), QByteArray("z\r\nd\r\nB\r\na\r\nqx\r\n"));
    }
}

TEST_F(ToolsTest, CancelledSortChangesNothing) {
    Open(Make(QStringLiteral("cancel.txt"), "b\r\na"));
    Select(0, 4);
    Answer<TSortRows>([](TSortRows* w) {
        w->CancelBtn->click();
        return w->result();
    });
    ASSERT_TRUE(Run("VSortRows"));
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(win->CodeEditor->Text(), QByteArray("b\r\na\r\n"));
}

TEST_F(ToolsTest, PropertiesOfASavedAndAnUnsavedDocument) {
    const QString path = Make(QStringLiteral("page.PHP"), "<?php\r\necho 1;");
    Open(path);
    QStringList fields;
    QString caption;
    bool nameFocused = false;
    Answer<Tproperties>([&](Tproperties* w) {
        fields.clear();
        caption = w->Group->CaptionText();
        for (QLineEdit* e : {w->FileNameEdit, w->FolderEdit, w->SizeEdit, w->FileTypeEdit})
            fields << e->text();
        nameFocused = w->FileNameEdit->selectedText() == w->FileNameEdit->text();
        return 1;
    });
    ASSERT_TRUE(Run("ADocProperties"));
    EXPECT_EQ(caption, QStringLiteral(" page.PHP "));
    EXPECT_EQ(fields, (QStringList{"page.PHP", dir + "/", "16 B", "PHP-dokument"}));
    EXPECT_TRUE(nameFocused);

    ASSERT_TRUE(RunCommand([&] { win->NewDocTab(0, QStringLiteral("Nytt dokument")); }));
    ASSERT_TRUE(Run("ADocProperties"));
    EXPECT_EQ(fields,
              (QStringList{"Nytt dokument", "Filen är ej sparad.", "2 B", "Ospecificerad"}));
}

TEST_F(ToolsTest, CommandsSitInTheirMenus) {
    QMenu* tools =
        win->menuBar()->findChild<QMenu*>(QStringLiteral("Verktyg1"), Qt::FindDirectChildrenOnly);
    ASSERT_NE(tools, nullptr);
    EXPECT_EQ(tools->title(), QStringLiteral("&Verktyg"));
    EXPECT_TRUE(tools->actions().contains(win->Action(QStringLiteral("VSortRows"))));
    EXPECT_EQ(win->Action(QStringLiteral("VSortRows"))->shortcut(), QKeySequence(Qt::Key_F11));
    EXPECT_TRUE(win->Arkiv1->actions().contains(win->Action(QStringLiteral("ADocProperties"))));
}

} // namespace
