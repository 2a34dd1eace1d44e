// The completion list on its own, its element table, and the editor's markup list helper.
#include "KeysFixture.h"
#include "editor/view/ElementTable.h"
#include "editor/view/InteractiveListMenu.h"
#include "platform/Graphics.h"

#include <QImage>
#include <QInputMethodEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <functional>
#include <optional>

namespace {

QStringList Strings(std::initializer_list<const char*> list) {
    QStringList out;
    for (const char* s : list)
        out.append(QString::fromLatin1(s));
    return out;
}

// --- the element table ------------------------------------------------------------------------

TEST(ElementTableTest, RowsInTableOrder) {
    const QStringList rows = ElementTable::Rows();
    ASSERT_EQ(rows.size(), 78);
    EXPECT_EQ(rows.last(), QStringLiteral("!--="));
    const QStringList names = ElementTable::ElementNames(rows);
    const std::pair<int, const char*> spots[] = {
        {0, "html"}, {9, "body"},   {17, "h6"},    {30, "a"},        {52, "object"},
        {54, "img"}, {59, "input"}, {67, "table"}, {72, "colgroup"}, {76, "td"},
    };
    for (const auto& [index, name] : spots)
        EXPECT_EQ(names[index], QLatin1String(name)) << index;
    for (const QString& row : rows.mid(0, 77)) {
        EXPECT_TRUE(row.contains(QLatin1Char('='))) << row.toStdString();
        EXPECT_FALSE(row.endsWith(QLatin1Char('='))) << row.toStdString();
    }
}

TEST(ElementTableTest, AttributeSetsSortedAndLookedUpIgnoringCase) {
    const QStringList rows = ElementTable::Rows();
    EXPECT_EQ(ElementTable::Attributes(rows, QStringLiteral("IMG")),
              Strings({"alt",        "class",       "dir",       "height",      "id",
                       "ismap",      "lang",        "longdesc",  "onclick",     "ondblclick",
                       "onkeydown",  "onkeypress",  "onkeyup",   "onmousedown", "onmousemove",
                       "onmouseout", "onmouseover", "onmouseup", "src",         "style",
                       "title",      "usemap",      "width",     "xml:lang"}));
    EXPECT_EQ(ElementTable::Attributes(rows, QStringLiteral("br")),
              Strings({"class", "id", "style", "title"}));
    EXPECT_EQ(ElementTable::Attributes(rows, QStringLiteral("html")),
              Strings({"dir", "id", "lang", "xml:lang", "xmlns"}));
    EXPECT_EQ(ElementTable::Attributes(rows, QStringLiteral("div")).size(), 17);
    EXPECT_EQ(ElementTable::Attributes(rows, QStringLiteral("input")).size(), 17 + 18);
    const QStringList td = ElementTable::Attributes(rows, QStringLiteral("td"));
    EXPECT_TRUE(td.contains(QStringLiteral("%cellhalign")) &&
                td.contains(QStringLiteral("rowspan")));
    EXPECT_TRUE(ElementTable::Attributes(rows, QStringLiteral("!--")).isEmpty());
    EXPECT_TRUE(ElementTable::Attributes(rows, QStringLiteral("blink")).isEmpty());
}

// --- the list on its own ----------------------------------------------------------------------

class ListMenuAlone : public ::testing::Test {
protected:
    void SetUp() override {
        list.resize(300, 100);
        list.EscCloses = true;
        list.OnItemSelected = [this](const QString& item, const QString& untyped) {
            reported = std::make_pair(item, untyped);
        };
        list.SetItemList(ElementTable::ElementNames(ElementTable::Rows()));
        list.show();
    }
    QString Selected() const { return list.Filtered().value(list.Selection()); }

    TInteractiveListMenu list;
    std::optional<std::pair<QString, QString>> reported;
};

TEST_F(ListMenuAlone, FilterKeepsPrefixMatchesIgnoringCase) {
    for (const char* filter : {"th", "TH", "tH"}) {
        list.ClearFilter();
        for (const char* c = filter; *c; ++c)
            list.TypeChar(QLatin1Char(*c));
        EXPECT_EQ(list.Filtered(), Strings({"thead", "th"})) << filter;
        EXPECT_EQ(list.Selection(), 0);
    }
    list.SendKey(KeyCode::Backspace);
    EXPECT_EQ(list.Filter(), QStringLiteral("t"));
    EXPECT_EQ(list.Filtered(), Strings({"title", "tt", "textarea", "table", "thead", "tfoot",
                                        "tbody", "tr", "th", "td"}));
    list.SendKey(KeyCode::Backspace);
    list.SendKey(KeyCode::Backspace); // nothing left to drop
    EXPECT_TRUE(list.Filter().isEmpty());
    EXPECT_EQ(list.Filtered().size(), 78);
}

TEST_F(ListMenuAlone, KeyPressTypesOnlyPrintableCharacters) {
    for (QChar c : {QChar(0), QChar(8), QChar(9), QChar(13), QChar(27), QChar(127)})
        list.KeyPress(c);
    list.KeyPress(QLatin1Char('x'), Qt::ControlModifier);
    EXPECT_TRUE(list.Filter().isEmpty());
    list.KeyPress(QLatin1Char('@'), Qt::ControlModifier | Qt::AltModifier); // AltGr
    list.KeyPress(QLatin1Char('b'));
    EXPECT_EQ(list.Filter(), QStringLiteral("@b"));
}

TEST_F(ListMenuAlone, NavigationKeysStayInRangeAndScroll) {
    const int rows = list.VisibleRows();
    ASSERT_GT(rows, 1);
    list.SendKey(KeyCode::Up);
    EXPECT_EQ(list.Selection(), 0);
    list.SendKey(KeyCode::PageUp);
    EXPECT_EQ(list.Selection(), 0);
    for (int i = 0; i < rows; ++i)
        list.SendKey(KeyCode::Down);
    EXPECT_EQ(list.Selection(), rows);
    EXPECT_EQ(list.TopIndex(), 1); // the selection became the last visible row
    list.SendKey(KeyCode::PageDown);
    EXPECT_EQ(list.Selection(), 2 * rows);
    EXPECT_EQ(list.TopIndex(), rows + 1);
    list.SendKey(KeyCode::End);
    EXPECT_EQ(Selected(), QStringLiteral("!--"));
    EXPECT_EQ(list.TopIndex(), 78 - rows);
    EXPECT_EQ(list.verticalScrollBar()->value(), 78 - rows);
    list.SendKey(KeyCode::Down);
    EXPECT_EQ(list.Selection(), 77);
    list.SendKey(KeyCode::PageUp);
    EXPECT_EQ(list.Selection(), 77 - rows);
    list.SendKey(KeyCode::Home);
    EXPECT_EQ(list.Selection(), 0);
    EXPECT_EQ(list.TopIndex(), 0);
    list.SetSelection(78);
    list.SetSelection(-1);
    EXPECT_EQ(list.Selection(), 0);
}

TEST_F(ListMenuAlone, EnterReportsUntypedPartAndHides) {
    list.TypeChar(QLatin1Char('I'));
    list.TypeChar(QLatin1Char('m'));
    list.SendKey(KeyCode::Enter);
    ASSERT_TRUE(reported);
    EXPECT_EQ(reported->first, QStringLiteral("img"));
    EXPECT_EQ(reported->second, QStringLiteral("g"));
    EXPECT_FALSE(list.isVisible());
}

TEST_F(ListMenuAlone, EnterOnEmptyListReportsNothingButHides) {
    list.TypeChar(QLatin1Char('z'));
    ASSERT_TRUE(list.Filtered().isEmpty());
    list.SendKey(KeyCode::Enter);
    EXPECT_FALSE(reported);
    EXPECT_FALSE(list.isVisible());
}

TEST_F(ListMenuAlone, EscapeHidesOnlyWhenEscCloses) {
    list.EscCloses = false;
    list.SendKey(KeyCode::Escape);
    list.SendKey(KeyCode::Enter);
    EXPECT_TRUE(list.isVisible());
    EXPECT_TRUE(reported);
    list.EscCloses = true;
    list.SendKey(KeyCode::Escape);
    EXPECT_FALSE(list.isVisible());
}

TEST_F(ListMenuAlone, ClickSelectsRowAndDoubleClickReports) {
    list.TypeChar(QLatin1Char('i'));
    ASSERT_EQ(list.Filtered(), Strings({"ins", "i", "img", "input"}));
    const int y = list.ListTop() + 3 * list.RowHeight() + 1;
    QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(20, y));
    EXPECT_EQ(Selected(), QStringLiteral("input"));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(20, 2)); // header
    EXPECT_EQ(Selected(), QStringLiteral("input"));
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(20, y));
    ASSERT_TRUE(reported);
    EXPECT_EQ(reported->second, QStringLiteral("nput"));
    EXPECT_FALSE(list.isVisible());
}

TEST_F(ListMenuAlone, WheelTowardsUserScrollsDown) {
    QWheelEvent down(QPointF(20, 20), list.mapToGlobal(QPointF(20, 20)), QPoint(), QPoint(0, -120),
                     Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(list.viewport(), &down);
    EXPECT_EQ(list.TopIndex(), QApplication::wheelScrollLines());
    QWheelEvent up(QPointF(20, 20), list.mapToGlobal(QPointF(20, 20)), QPoint(), QPoint(0, 1200),
                   Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(list.viewport(), &up);
    EXPECT_EQ(list.TopIndex(), 0);
}

TEST_F(ListMenuAlone, PaintsHeaderAndSelectedRow) {
    list.SetIndent(6);
    list.TypeChar(QLatin1Char('h'));
    list.SendKey(KeyCode::Down);
    const QImage image = list.viewport()->grab().toImage();
    const int rowY = list.ListTop() + list.RowHeight() + list.RowHeight() / 2;
    EXPECT_EQ(image.pixelColor(image.width() - 3, rowY), ToQColor(clHighlight));
    EXPECT_EQ(image.pixelColor(image.width() - 3, list.ListTop() + 2), ToQColor(clWindow));
    bool headerInk = false;
    for (int x = 6; x < 100 && !headerInk; ++x)
        for (int y = 0; y < list.ListTop() - 3 && !headerInk; ++y)
            headerInk = image.pixelColor(x, y) != ToQColor(clWindow);
    EXPECT_TRUE(headerInk);
    list.ClearFilter(); // no header: the first row starts at the top
    EXPECT_EQ(list.ListTop(), 0);
    EXPECT_EQ(list.viewport()->grab().toImage().pixelColor(image.width() - 3, 1),
              ToQColor(clHighlight));
}

// --- the editor's helper ----------------------------------------------------------------------

class ListMenuEditor : public EditorFixture {
protected:
    void SetUp() override {
        EditorFixture::SetUp();
        list = ed->ListMenu();
        ed->Settings()->ListMenuHelperAutoPopup = true;
    }
    TInteractiveListMenu* list = nullptr;
};

TEST_F(ListMenuEditor, CreatedHiddenWithoutItsOwnCaret) {
    EXPECT_FALSE(list->isVisible());
    EXPECT_FALSE(list->UseCaret());
    EXPECT_TRUE(list->EscCloses);
    EXPECT_EQ(list->Indent(), 6);
    EXPECT_EQ(list->LineSpace(), 3);
    EXPECT_EQ(ed->ElementTable.size(), 78);
}

TEST_F(ListMenuEditor, ElementCompletedWithUntypedPart) {
    Set("<p>", 3, 0);
    Keys("<<");
    ASSERT_TRUE(list->isVisible());
    EXPECT_TRUE(ed->hasFocus());
    EXPECT_EQ(list->Items().size(), 78);
    EXPECT_EQ(list->geometry(), QRect(4 * ed->CharWidth(), ed->LineHeight(), 300, 100));
    Keys("im");
    EXPECT_EQ(list->Filter(), QStringLiteral("im"));
    EXPECT_EQ(list->Filtered(), Strings({"img"}));
    Keys("<Enter>");
    EXPECT_EQ(Text(), "<p><img");
    EXPECT_EQ(CaretPos(), QPoint(7, 0));
    EXPECT_FALSE(list->isVisible());
}

TEST_F(ListMenuEditor, ClickInListKeepsEditorFocus) {
    Set("ab", 2, 0);
    Keys("<<i");
    ASSERT_EQ(list->Filtered(), Strings({"ins", "i", "img", "input"}));
    const int y = list->ListTop() + 3 * list->RowHeight() + 1;
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(20, y));
    EXPECT_TRUE(ed->hasFocus());
    EXPECT_TRUE(list->isVisible());
    Keys("<Enter>");
    EXPECT_EQ(Text(), "ab<input");
    EXPECT_EQ(CaretPos(), QPoint(8, 0));
}

TEST_F(ListMenuEditor, AttributeOfTypedElementCompleted) {
    Set("x\n<IMG", 4, 1);
    Keys(" ");
    ASSERT_TRUE(list->isVisible());
    EXPECT_EQ(list->Items(), ElementTable::Attributes(ed->ElementTable, QStringLiteral("img")));
    EXPECT_EQ(list->geometry().topLeft(), QPoint(5 * ed->CharWidth(), 2 * ed->LineHeight()));
    Keys("s<Down><Enter>");
    EXPECT_EQ(Text(), "x\n<IMG style"); // src, style
    EXPECT_EQ(CaretPos(), QPoint(10, 1));
}

TEST_F(ListMenuEditor, NoListWithoutSettingOrOutsideStartTags) {
    ed->Settings()->ListMenuHelperAutoPopup = false;
    Set("ab", 2, 0);
    Keys("<<");
    EXPECT_FALSE(list->isVisible());
    ed->Settings()->ListMenuHelperAutoPopup = true;
    const QByteArray texts[] = {"<!--", "<%", "<?x", "<b>x", "<blink"};
    for (const QByteArray& text : texts) {
        Set(text, static_cast<int>(text.size()), 0);
        Keys(" ");
        EXPECT_FALSE(list->isVisible()) << text.constData();
    }
}

TEST_F(ListMenuEditor, CtrlAppsShowsListForCaretPlace) {
    ed->Settings()->ListMenuHelperAutoPopup = false;
    ed->Settings()->ListMenuHelper = true;
    Set("<td ", 4, 0);
    Keys("<C-Apps>");
    ASSERT_TRUE(list->isVisible());
    EXPECT_TRUE(list->Items().contains(QStringLiteral("colspan")));
    EXPECT_EQ(Text(), "<td ");
}

TEST_F(ListMenuEditor, KeysWhileListIsShown) {
    Set("ab", 2, 0);
    Keys("<<ta");
    ASSERT_EQ(list->Filtered(), Strings({"table"}));
    Keys("<BS>"); // deletes in the text and in the filter
    EXPECT_EQ(Text(), "ab<t");
    EXPECT_EQ(list->Filter(), QStringLiteral("t"));
    Keys("<Down><Down><PgUp><End><Home><Down>");
    EXPECT_EQ(list->Filtered().value(list->Selection()), QStringLiteral("tt"));
    EXPECT_EQ(CaretPos(), QPoint(4, 0));
    Keys("<Esc>");
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(Text(), "ab<t");
    Keys("<<");
    ASSERT_TRUE(list->isVisible());
    Keys("<Tab>"); // its spaces are typed and end the word, so the list goes
    const std::string tabbed = "ab<t<" + std::string(ed->Settings()->TabLength(), ' ');
    EXPECT_EQ(Text(), tabbed);
    EXPECT_FALSE(list->isVisible());
}

// However "<" is typed (Shift on a US keyboard, an input method), the element list follows it;
// the filter is only the word being typed, and a list that offers nothing is never shown, so
// Enter breaks the line.
TEST_F(ListMenuEditor, ListFollowsTheWordBeingTyped) {
    ed->Settings()->AutoCloseQts = false;
    using Typer = std::function<void(TTextEditorEx*)>;
    const std::pair<const char*, Typer> ways[] = {
        {"Less", [](TTextEditorEx* e) { QTest::keyClick(e, Qt::Key_Less); }},
        {"Shift+Less",
         [](TTextEditorEx* e) {
             QTest::sendKeyEvent(QTest::Click, e, Qt::Key_Less, QStringLiteral("<"),
                                 Qt::ShiftModifier);
         }},
        {"Shift+Comma",
         [](TTextEditorEx* e) {
             QTest::sendKeyEvent(QTest::Click, e, Qt::Key_Comma, QStringLiteral("<"),
                                 Qt::ShiftModifier);
         }},
        {"input method",
         [](TTextEditorEx* e) {
             QInputMethodEvent im;
             im.setCommitString(QStringLiteral("<"));
             QApplication::sendEvent(e, &im);
         }},
    };
    for (const auto& [name, typeLess] : ways) {
        SCOPED_TRACE(name);
        Set("");
        typeLess(ed.get());
        ASSERT_TRUE(list->isVisible());
        EXPECT_EQ(list->Items().size(), 78);
        Keys("p ");
        ASSERT_TRUE(list->isVisible());
        EXPECT_TRUE(list->Items().contains(QStringLiteral("class")));
        EXPECT_EQ(list->Filter(), QString());
        Keys("class");
        EXPECT_EQ(list->Filtered(), Strings({"class"}));
        Keys("=");
        EXPECT_FALSE(list->isVisible());
        Keys("\"a\">T");
        typeLess(ed.get());
        EXPECT_TRUE(list->isVisible());
        Keys("/p>");
        EXPECT_FALSE(list->isVisible());
        Keys("<Enter>");
        EXPECT_EQ(Text(), "<p class=\"a\">T</p>\n");
        EXPECT_EQ(CaretPos(), QPoint(0, 1));
    }
}

TEST_F(ListMenuEditor, EmptyListTakesNoKeys) {
    Set("ab", 2, 0);
    ed->ShowListMenu(Strings({"x"}));
    Keys("y");
    EXPECT_FALSE(list->isVisible());
    ed->ShowListMenu(Strings({"x"}));
    list->SetFilter(QStringLiteral("z")); // shown, but offering nothing
    Keys("<Enter>");
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(Text(), "aby\n");
}

TEST_F(ListMenuEditor, HidesWhenCaretMovesUnderIt) {
    Set("a\n\n\n\n\n", 1, 0);
    ed->ShowListMenu(Strings({"x"}));
    ASSERT_TRUE(list->isVisible());
    ed->Caret.SetPosAndNotify(QPoint(0, 0)); // on its own row: stays
    EXPECT_TRUE(list->isVisible());
    ed->Caret.SetPosAndNotify(QPoint(1, 2)); // under the list
    EXPECT_FALSE(list->isVisible());
}

TEST_F(ListMenuEditor, ClickInTextHidesWhenSettingSays) {
    Set("ab\ncd", 2, 0);
    ed->ShowListMenu(Strings({"x"}));
    ed->Settings()->HideHelperOnClick = false;
    const QPoint far(1, 1);
    QTest::mouseClick(ed->viewport(), Qt::LeftButton, Qt::NoModifier, far);
    EXPECT_TRUE(list->isVisible());
    ed->Settings()->HideHelperOnClick = true;
    QTest::mouseClick(ed->viewport(), Qt::LeftButton, Qt::NoModifier, far);
    EXPECT_FALSE(list->isVisible());
}

} // namespace
