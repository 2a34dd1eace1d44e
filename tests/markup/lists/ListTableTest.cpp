// The list and table dialogs: type values, reading items and cells back, writing them again,
// and the refusals that keep a list or table whole.
#include "MarkupFixture.h"

#include "controls/IntegerEdit.h"
#include "controls/TableEditor.h"
#include "markup/lists/ListMarkup.h"
#include "markup/lists/ListWin.h"
#include "markup/lists/TableMarkup.h"
#include "markup/lists/TableWin.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

using ListMarkup::TListKind;
using TResult = TableMarkup::TReadTable::TResult;

TEST(ListMarkupTest, TypesGoBothWays) {
    const struct {
        TListKind kind;
        const char* combo;
        const char* attribute; // written
        const char* readBack;  // the combo text of that value
    } cases[] = {
        {TListKind::Bulleted, "(standard, odefinierad)", "", "(standard, odefinierad)"},
        {TListKind::Bulleted, "diSKar", "disc", "Diskar"},
        {TListKind::Bulleted, "Kvadrater", "square", "Kvadrater"},
        {TListKind::Bulleted, "DISC", "DISC", "DISC"},
        {TListKind::Bulleted, "(Standard, odefinierad)", "(Standard, odefinierad)",
         "(Standard, odefinierad)"},
        {TListKind::Numbered, "Standardsiffror", "", "(standard, odefinierad)"},
        {TListKind::Numbered, "Bokstäver (versaler)", "A", "Bokstäver (versaler)"},
        {TListKind::Numbered, "romerska siffror (gemener)", "i", "Romerska siffror (gemener)"},
        {TListKind::Numbered, "ROMERSKA SIFFROR (GEMENER)", "i", "Romerska siffror (gemener)"},
        {TListKind::Numbered, "BOKSTÄVER (VERSALER)", "BOKSTÄVER (VERSALER)",
         "BOKSTÄVER (VERSALER)"}, // only A-Z fold
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.combo);
        const QByteArray value = ListMarkup::TypeAttribute(c.kind, QString::fromUtf8(c.combo));
        EXPECT_EQ(value, QString::fromUtf8(c.attribute).toLatin1());
        EXPECT_EQ(ListMarkup::TypeText(c.kind, value), QString::fromUtf8(c.readBack));
    }
    EXPECT_EQ(ListMarkup::TypeText(TListKind::Numbered, "1"), QStringLiteral("Standardsiffror"));
}

TEST(ListMarkupTest, ReadsItemsOrRefusesWhatItCannotShow) {
    const struct {
        const char* content;
        bool readable;
        QByteArrayList lines;
        QByteArrayList attributes;
    } cases[] = {
        {"\r\n  <li>a</li>\r\n  <LI class=\"x\">b</LI>\r\n",
         true,
         {"a", "b"},
         {"", " class=\"x\""}},
        {"<li>one\r\n    two</li><li>three", true, {"one two", "three"}, {"", ""}},
        {"<li>a<li>b <i>c</i>\r\n", true, {"a", "b <i>c</i>"}, {"", ""}},
        {"<li></li>", true, {""}, {""}},
        {"", true, {}, {}},
        {"<li>a<ul><li>b</li></ul></li>", false, {}, {}},
        {"text<li>a</li>", false, {}, {}},
        {"<li>a</li><!-- x -->", false, {}, {}},
        {"</li><li>a</li>", false, {}, {}},
        {"<li>a</li><li class=x", false, {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.content);
        const ListMarkup::TItems items = ListMarkup::ReadItems(c.content);
        EXPECT_EQ(items.Readable, c.readable);
        EXPECT_EQ(items.Lines, c.lines);
        EXPECT_EQ(items.Attributes, c.attributes);
    }
}

TEST(ListMarkupTest, WritesTheListInTheTagCase) {
    ListMarkup::TListFields f;
    f.Type = "disc";
    f.Lines = {"a", "", "c"};
    f.ItemAttributes = {" class=\"x\""};
    EXPECT_EQ(ListMarkup::Generate(TListKind::Bulleted, f, "  ", 1).Text,
              "<UL TYPE=\"disc\">\r\n  <LI class=\"x\">a</LI>\r\n  <LI></LI>\r\n  <LI>c</LI>\r\n"
              "</UL>");
    f.Class = "k";
    f.Type.clear();
    const TGeneratedMarkup m = ListMarkup::Generate(TListKind::Numbered, f, "\t", 0, " start=3");
    EXPECT_EQ(m.Text, "<ol class=\"k\" start=3>\r\n\t<li class=\"x\">a</li>\r\n\t<li></li>\r\n"
                      "\t<li>c</li>\r\n</ol>");
    EXPECT_EQ(m.Caret, m.Text.size());
}

TEST(TableMarkupTest, ReadsCellsOrRefusesWhatTheGridCannotShow) {
    const struct {
        const char* content;
        TResult result;
        TableMarkup::TCells rows;
        bool firstRowH, firstColH;
    } cases[] = {
        {"\r\n<tr><th>a</th><th>b</th></tr>\r\n<TR><TD> c </TD><td></td></TR>\r\n",
         TResult::Ok,
         {{"a", "b"}, {" c ", ""}},
         true,
         false},
        {"<tr><td>1</td><td>2</td><td>3</td></tr><tr><td>4</td></tr>",
         TResult::Ok,
         {{"1", "2", "3"}, {"4"}},
         false,
         false},
        {"<tr><th>r1</th><td>x</td></tr><tr><th>r2</th><td>y</td></tr>",
         TResult::Ok,
         {{"r1", "x"}, {"r2", "y"}},
         false,
         true},
        {"<tr><th>-</th><th>h</th></tr><tr><th>r</th><td>v<br>w</td></tr>",
         TResult::Ok,
         {{"-", "h"}, {"r", "v<br>w"}},
         true,
         true},
        {"<tr><td>a\r\n b</td>", TResult::Ok, {{"a\r\n b"}}, false, false},
        {"", TResult::Ok, {}, false, false},
        {"<tr><td colspan=2>a</td></tr>", TResult::Unreadable, {}, false, false},
        {"<tr class=x><td>a</td></tr>", TResult::Unreadable, {}, false, false},
        {"<caption>c</caption><tr><td>a</td></tr>", TResult::Unreadable, {}, false, false},
        {"<tbody><tr><td>a</td></tr></tbody>", TResult::Unreadable, {}, false, false},
        {"<tr><td><table><tr><td>x</td></tr></table></td></tr>",
         TResult::Unreadable,
         {},
         false,
         false},
        {"<tr><td>a</tr>", TResult::Unreadable, {}, false, false},
        {"<tr><td>a</td>x</tr>", TResult::Unreadable, {}, false, false},
        {"<tr><td>a</td><th>b</th></tr><tr><td>c</td><td>d</td></tr>",
         TResult::Unreadable,
         {},
         false,
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.content);
        const TableMarkup::TReadTable t = TableMarkup::Read(c.content);
        EXPECT_EQ(t.Result, c.result);
        EXPECT_EQ(t.Rows, c.rows);
        if (c.result == TResult::Ok) {
            EXPECT_EQ(t.FirstRowH, c.firstRowH);
            EXPECT_EQ(t.FirstColH, c.firstColH);
        }
    }
    QByteArray tall, wide = "<tr>";
    for (int i = 0; i < 100; ++i) {
        tall += "<tr><td>x</td></tr>";
        wide += "<td></td>";
    }
    EXPECT_EQ(TableMarkup::Read(tall).Result, TResult::TooLarge);
    EXPECT_EQ(TableMarkup::Read(wide).Result, TResult::TooLarge);
    EXPECT_EQ(TableMarkup::Read(tall.left(99 * 19)).Result, TResult::Ok);
}

TEST(TableMarkupTest, WritesRowsAndHeaderCells) {
    TableMarkup::TTableFields f;
    f.Cells = {{"a", "b"}, {"c", "d"}};
    f.FirstRowH = true;
    f.FirstColH = true;
    f.Class = "t";
    const QByteArray rows = "\r\n  <TR>\r\n    <th>a</th>\r\n    <th>b</th>\r\n  </TR>\r\n"
                            "  <TR>\r\n    <th>c</th>\r\n    <td>d</td>\r\n  </TR>\r\n";
    EXPECT_EQ(TableMarkup::Generate(f, "  ", 0).Text, "<table class=\"t\">" + rows + "</table>");
    EXPECT_EQ(TableMarkup::Generate(f, "  ", 2, " border=1").Text,
              "<table class=\"t\" border=1>" + rows.toLower() + "</table>");
    f.FirstRowH = f.FirstColH = false;
    f.Class.clear();
    EXPECT_EQ(TableMarkup::Generate(f, "", 1).Text,
              "<TABLE>\r\n<TR>\r\n<TD>a</TD>\r\n<TD>b</TD>\r\n</TR>\r\n<TR>\r\n<TD>c</TD>\r\n"
              "<TD>d</TD>\r\n</TR>\r\n</TABLE>");
}

class ListTableDialogsTest : public MarkupWinTest {
protected:
    void SetUp() override {
        MarkupWinTest::SetUp();
        win->CodeEditor->Settings()->SetTabLength(2);
        win->TagCase = 2;
    }
};

TEST_F(ListTableDialogsTest, AListComesBackAsItWasAndKeepsItemAttributes) {
    const QByteArray list = "<ul class=\"c\" type=\"square\" id=k>\r\n  <li class=\"x\">a</li>\r\n"
                            "  <li>b</li>\r\n</ul>";
    SetText("<p>x</p>\r\n" + list + "\r\n<p>y</p>");
    win->CodeEditor->SetSelStart(12);
    Answer<TListWin>([](TListWin* d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("Punktlista"));
        EXPECT_EQ(d->pTYPE->currentText(), QStringLiteral("Kvadrater"));
        EXPECT_EQ(d->Items->Text(), "a\r\nb\r\n");
        return 1;
    });
    ASSERT_TRUE(win->Commands().Run(QStringLiteral("IInsertUL")));
    EXPECT_EQ(Text(), "<p>x</p>\r\n" + list + "\r\n<p>y</p>\r\n");

    // Items edited in place keep their attributes; new ones have none.
    win->CodeEditor->SetSelStart(12);
    Answer<TListWin>([](TListWin* d) {
        d->Items->SetText("A\r\nB\r\nC");
        d->pTYPE->setEditText(QStringLiteral("(standard, odefinierad)"));
        return 1;
    });
    ASSERT_TRUE(win->Commands().Run(QStringLiteral("IInsertUL")));
    EXPECT_EQ(Text(), "<p>x</p>\r\n<ul class=\"c\" id=k>\r\n  <li class=\"x\">A</li>\r\n  "
                      "<li>B</li>\r\n  <li>C</li>\r\n</ul>\r\n<p>y</p>\r\n");
    EXPECT_TRUE(seen.isEmpty());
}

TEST_F(ListTableDialogsTest, ANestedListIsRefusedAndLeftWhole) {
    const QByteArray list = "<ol><li>a<ol><li>b</li></ol></li></ol>";
    SetText(list);
    win->CodeEditor->SetSelStart(2);
    Answer<TListWin>([](TListWin* d) {
        EXPECT_FALSE(d->btnok->isVisible());
        return 1;
    });
    ASSERT_TRUE(win->Commands().Run(QStringLiteral("IInsertOL")));
    EXPECT_EQ(seen, QStringList{QStringLiteral("M:") + ListMarkup::UnreadableMessage()});
    EXPECT_EQ(Text(), list + "\r\n");
}

TEST_F(ListTableDialogsTest, ANewListAndTableAreWrittenAtTheCaret) {
    SetText("x|y");
    Answer<TListWin>([](TListWin* d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("Numrerad lista"));
        d->pTYPE->setEditText(QStringLiteral("Bokstäver (gemener)"));
        d->Items->SetText("1\r\n2");
        return 1;
    });
    ASSERT_TRUE(win->Commands().Run(QStringLiteral("IInsertOL")));
    const QByteArray ol = "<ol type=\"a\">\r\n  <li>1</li>\r\n  <li>2</li>\r\n</ol>";
    EXPECT_EQ(Text(), "x" + ol + "y\r\n");
    EXPECT_EQ(win->CodeEditor->GetSelStart(), 1 + ol.size());

    SetText("|");
    Answer<Ttable>([](Ttable* d) {
        EXPECT_EQ(d->TableEditor->NumRows(), 5);
        EXPECT_EQ(d->TableEditor->NumCols(), 4);
        d->Rows->setText(QStringLiteral("2"));
        d->Cols->setText(QStringLiteral("1"));
        d->TableEditor->SetCellText(0, 0, QStringLiteral("h"));
        d->TableEditor->SetCellText(1, 0, QStringLiteral("v"));
        return 1;
    });
    ASSERT_TRUE(win->Commands().Run(QStringLiteral("IInsertTable")));
    EXPECT_EQ(Text(), "<table>\r\n  <tr>\r\n    <th>h</th>\r\n  </tr>\r\n  <tr>\r\n    "
                      "<td>v</td>\r\n  </tr>\r\n</table>\r\n");
}

TEST_F(ListTableDialogsTest, ATableComesBackAsItWasOrIsRefused) {
    const QByteArray table = "<table border=\"1\" class=\"t\">\r\n  <tr>\r\n    <td>a\r\nb</td>\r\n"
                             "    <td>c</td>\r\n  </tr>\r\n  <tr>\r\n    <td>d</td>\r\n"
                             "    <td></td>\r\n  </tr>\r\n</table>";
    SetText(table);
    win->CodeEditor->SetSelStart(3);
    Answer<Ttable>([](Ttable* d) {
        EXPECT_EQ(d->Rows->text(), QStringLiteral("2"));
        EXPECT_EQ(d->Cols->text(), QStringLiteral("2"));
        EXPECT_FALSE(d->FirstRowH->isChecked());
        EXPECT_EQ(d->pCLASS->currentText(), QStringLiteral("t"));
        return 1;
    });
    ASSERT_TRUE(win->Commands().Run(QStringLiteral("IInsertTable")));
    EXPECT_EQ(Text(),
              "<table class=\"t\" border=\"1\">" + table.mid(table.indexOf('>') + 1) + "\r\n");

    // An end tag edits its table too; a cell the grid cannot show refuses.
    SetText("<table><tr><td rowspan=2>a</td></tr></table>");
    win->CodeEditor->SetSelStart(40);
    Answer<Ttable>([](Ttable* d) {
        EXPECT_FALSE(d->btnok->isVisible());
        return 2;
    });
    ASSERT_TRUE(win->Commands().Run(QStringLiteral("IInsertTable")));
    EXPECT_EQ(seen, QStringList{QStringLiteral("M:") + TableMarkup::UnreadableMessage()});
}

} // namespace
