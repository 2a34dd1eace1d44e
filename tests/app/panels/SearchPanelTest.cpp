#include "SearchFixture.h"

#include "app/preview/ViewModes.h"
#include "platform/Cp1252.h"

#include <QApplication>
#include <QClipboard>
#include <QDockWidget>
#include <QKeyEvent>
#include <QMenu>
#include <QTest>

using ::testing::TestWithParam;

// --- go to -----------------------------------------------------------------------------------

struct GotoCase {
    const char* kind;
    const char* value;
    const char* message; // empty: no message
    int selStart;        // the selection afterwards
    int selLength;
};

class SearchGotoTest : public SearchTest, public ::testing::WithParamInterface<GotoCase> {};

TEST_P(SearchGotoTest, GoesThereOrSaysWhyNot) {
    const GotoCase& c = GetParam();
    SetText("one\r\ntwo\r\nthree\r\n");
    ASSERT_EQ(win->CodeEditor->Lines.Count(), 3);
    win->CodeEditor->SetSelStart(1);
    p->name->setEditText(QString::fromUtf8(c.kind));
    p->value->setText(QString::fromUtf8(c.value));
    p->GotoBtn->click();
    if (*c.message)
        EXPECT_EQ(seen, QStringList{QStringLiteral("M:") + QString::fromUtf8(c.message)});
    else
        EXPECT_TRUE(seen.isEmpty()) << seen.join(", ").toStdString();
    EXPECT_EQ(Sel(), std::make_pair(c.selStart, c.selLength));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SearchGotoTest,
    ::testing::Values(
        GotoCase{"rad", "2", "", 5, 3}, GotoCase{"RAD", "3", "", 10, 5},
        GotoCase{"rad", "0",
                 "Raden 0 finns inte i dokumentet. Ange ett naturligt tal i intervallet 1~3.", 1,
                 0},
        GotoCase{"rad", "4",
                 "Raden 4 finns inte i dokumentet. Ange ett naturligt tal i intervallet 1~3.", 1,
                 0},
        GotoCase{"rad", "-1",
                 "Raden -1 finns inte i dokumentet. Ange ett naturligt tal i intervallet 1~3.", 1,
                 0},
        GotoCase{"rad", "2a", "\"2a\" är inte ett naturligt tal.", 1, 0},
        GotoCase{"rad", "", "\"\" är inte ett naturligt tal.", 1, 0},
        GotoCase{"tecken", "x", "\"x\" är inte ett naturligt tal.", 1, 0},
        GotoCase{"tecken", "7", "", 6, 0},
        // Beyond the text: the caret stays, and no message.
        GotoCase{"tecken", "9999", "", 1, 0}, GotoCase{"tecken", "0", "", 1, 0},
        // Any other kind does nothing, not even the number check.
        GotoCase{"sida", "x", "", 1, 0}));

// --- find next -----------------------------------------------------------------------------

TEST_F(SearchTest, FindNextStepsThroughHitsAndStartOverServesOneSearch) {
    SetText("cat concat cat.\r\n");
    FindNext("cat");
    EXPECT_EQ(Sel(), std::make_pair(0, 3));
    p->SearchBtn->click();
    EXPECT_EQ(Sel(), std::make_pair(7, 3));
    p->SearchBtn->click();
    EXPECT_EQ(Sel(), std::make_pair(11, 3));
    p->SearchBtn->click();
    EXPECT_EQ(seen, QStringList{"M:Texten \"cat\" återfinns inte i texten med de valda "
                                "sökparametrarna."});
    EXPECT_EQ(Sel(), std::make_pair(11, 3)) << "a failed search leaves the selection";

    p->startover->setChecked(true);
    p->SearchBtn->click();
    EXPECT_EQ(Sel(), std::make_pair(0, 3)) << "Börja om starts at the top";
    EXPECT_FALSE(p->startover->isChecked());
    p->SearchBtn->click();
    EXPECT_EQ(Sel(), std::make_pair(7, 3)) << "and only once";

    // Whole words skip "concat"; the message then names the word.
    seen.clear();
    p->whwo->setChecked(true);
    p->startover->setChecked(true);
    p->SearchBtn->click();
    p->SearchBtn->click();
    EXPECT_EQ(Sel(), std::make_pair(11, 3));
    p->SearchBtn->click();
    EXPECT_EQ(seen, QStringList{"M:Ordet \"cat\" återfinns inte i texten med de valda "
                                "sökparametrarna."});

    // Unticked also when nothing is found.
    p->startover->setChecked(true);
    FindNext("dog");
    EXPECT_FALSE(p->startover->isChecked());
}

struct FindCase {
    const char* text;
    const char* typed;
    bool matchCase;
    int hit; // -1: not found
    int length;
};

class SearchFindTest : public SearchTest, public ::testing::WithParamInterface<FindCase> {};

TEST_P(SearchFindTest, FindsWhatTheBoxMeans) {
    const FindCase& c = GetParam();
    SetText(Cp1252::Encode(QString::fromUtf8(c.text)));
    p->vers->setChecked(c.matchCase);
    FindNext(QString::fromUtf8(c.typed));
    if (c.hit < 0) {
        ASSERT_EQ(seen.size(), 1);
        EXPECT_TRUE(seen[0].startsWith(QStringLiteral("M:Texten \"") + c.typed + "\" återfinns"))
            << seen[0].toStdString();
    } else {
        EXPECT_TRUE(seen.isEmpty()) << seen.join(", ").toStdString();
        EXPECT_EQ(Sel(), std::make_pair(c.hit, c.length));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SearchFindTest,
    ::testing::Values(
        FindCase{"ab\r\ncd\r\n", "b\\ncd", false, 1, 5}, FindCase{"a\tb\r\n", "a\\tb", false, 0, 3},
        // A backslash before any other letter is searched as it stands.
        FindCase{"x\\yz\r\n", "\\y", false, 1, 2}, FindCase{"x\r\n", "\\x", false, -1, 0},
        FindCase{"Mitt ÅR\r\n", "år", false, 5, 2}, FindCase{"Mitt ÅR\r\n", "år", true, -1, 0},
        FindCase{"ŒUVRE\r\n", "œuvre", false, 0, 5},
        // A character no document can hold is never found.
        FindCase{"a?b\r\n", "a\u4e00b", false, -1, 0}));

TEST_F(SearchTest, EnterPressesTheDefaultButtonOfTheFocusedGroup) {
    SetText("one two one\r\n");
    ShowPanel();
    win->show();
    QApplication::setActiveWindow(win.get());
    p->searchtext->setFocus();
    EXPECT_EQ(p->DefaultButton(), p->SearchBtn);
    EXPECT_TRUE(p->SearchBtn->isDefault());
    p->searchtext->setEditText(QStringLiteral("one"));
    QTest::keyClick(p->searchtext->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(Sel(), std::make_pair(0, 3));
    p->whwo->setFocus();
    QTest::keyClick(p->whwo, Qt::Key_Return);
    EXPECT_EQ(Sel(), std::make_pair(8, 3));

    p->value->setFocus();
    EXPECT_EQ(p->DefaultButton(), p->GotoBtn);
    EXPECT_FALSE(p->SearchBtn->isDefault());
    p->value->setText(QStringLiteral("5"));
    p->name->setEditText(QStringLiteral("tecken"));
    QTest::keyClick(p->value, Qt::Key_Return);
    EXPECT_EQ(Sel(), std::make_pair(4, 0));
    EXPECT_TRUE(win->CodeEditor->hasFocus()) << "go to focuses the editor";
    EXPECT_EQ(p->DefaultButton(), nullptr) << "leaving the group undoes the default";

    // The replacement box has no default button: Enter there does nothing.
    p->ReplaceText->setFocus();
    EXPECT_EQ(p->SearchComboTarget, p->ReplaceText);
    QTest::keyClick(p->ReplaceText->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(Sel(), std::make_pair(4, 0));
    EXPECT_TRUE(seen.isEmpty()) << seen.join(", ").toStdString();
}

// --- histories -------------------------------------------------------------------------------

TEST_F(SearchTest, HistoryKeepsFiftyOneCaseFoldedEntriesNewestFirst) {
    QComboBox* box = p->searchtext;
    for (int i = 1; i <= 50; ++i) {
        box->setEditText(QStringLiteral("t%1").arg(i));
        TSearchPanel::AddToHistory(box);
    }
    ASSERT_EQ(box->count(), 50);
    box->setEditText(QStringLiteral("t51"));
    TSearchPanel::AddToHistory(box);
    EXPECT_EQ(box->count(), 51) << "50 entries and one more make 51";
    EXPECT_EQ(box->itemText(0), "t51");
    EXPECT_EQ(box->itemText(50), "t1");
    box->setEditText(QStringLiteral("t52"));
    TSearchPanel::AddToHistory(box);
    EXPECT_EQ(box->count(), 51);
    EXPECT_EQ(box->itemText(0), "t52");
    EXPECT_EQ(box->itemText(50), "t2") << "the oldest went";
    EXPECT_EQ(box->currentText(), "t52") << "the text typed stays in the box";

    // Known texts, in any letter case of the code page, neither come back nor move.
    const QStringList before = TSearchPanel::History(box);
    for (const char* same : {"T30", "t30", ""}) {
        box->setEditText(QString::fromUtf8(same));
        TSearchPanel::AddToHistory(box);
    }
    EXPECT_EQ(TSearchPanel::History(box), before);

    QComboBox* other = p->ReplaceText;
    for (const char* text : {"år", "ÅR", "Œuvre", "œUVRE", "Ÿ", "ÿ", "straße", "STRASSE"}) {
        other->setEditText(QString::fromUtf8(text));
        TSearchPanel::AddToHistory(other);
    }
    // ß has no capital in the code page: "STRASSE" is another text.
    EXPECT_EQ(TSearchPanel::History(other), (QStringList{"STRASSE", "straße", "Ÿ", "Œuvre", "år"}));
}

TEST_F(SearchTest, HistoriesAreStoredAtTheEndAndReadAtStart) {
    // The searches themselves fill the lists.
    SetText("alpha beta\r\n");
    FindNext("beta");
    FindNext("alpha");
    p->ReplaceText->setEditText(QStringLiteral("gamma"));
    ASSERT_TRUE(RunCommand([&] { win->Commands().Run(QStringLiteral("ReplaceCurrent")); }));
    EXPECT_EQ(win->CurrentSettings().SearchMRU, (QStringList{"alpha", "beta"}));
    EXPECT_EQ(win->CurrentSettings().ReplaceMRU, QStringList{"gamma"});

    TSettingsValues values = win->CurrentSettings();
    for (int i = 0; i < 60; ++i)
        values.SearchMRU << QStringLiteral("old%1").arg(i);
    values.ShowSearch = true;
    win->ApplySettings(values);
    EXPECT_TRUE(win->SidePanelVisible(win->searchpn));
    ASSERT_EQ(p->searchtext->count(), TSearchPanel::MaxHistory) << "a longer stored list is cut";
    EXPECT_EQ(p->searchtext->itemText(0), "alpha");

    // Through a close and a new start.
    win->Current().Modified = false;
    ASSERT_TRUE(win->close());
    win.reset();
    {
        const std::unique_ptr<QSettings> store = OpenKelvoraStore();
        const TSettingsValues stored = ReadSettings(*store).Values;
        EXPECT_EQ(stored.SearchMRU.size(), 51);
        EXPECT_EQ(stored.SearchMRU.value(1), "beta");
        EXPECT_EQ(stored.ReplaceMRU, QStringList{"gamma"});
    }
    win = std::make_unique<Tmain>();
    p = win->searchpn;
    EXPECT_EQ(TSearchPanel::History(p->ReplaceText), QStringList{"gamma"});
    EXPECT_EQ(p->searchtext->count(), 51);
    EXPECT_EQ(p->searchtext->itemText(50), "old48");
    EXPECT_TRUE(p->searchtext->currentText().isEmpty()) << "the box starts empty";
    EXPECT_TRUE(win->SidePanelVisible(win->searchpn));
}

TEST_F(SearchTest, BoxesRefuseCharactersNoDocumentCanHold) {
    win->show();
    QApplication::setActiveWindow(win.get());
    ShowPanel();
    p->searchtext->setFocus();
    for (const QChar c : QString::fromUtf8("a€b\u4e00c")) {
        QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(p->searchtext->lineEdit(), &key);
    }
    EXPECT_EQ(p->searchtext->currentText(), QString::fromUtf8("a€bc"));
}

// --- the text boxes' menu --------------------------------------------------------------------

TEST_F(SearchTest, PatternMenuFollowsTheBoxItActsOn) {
    QLineEdit* edit = p->ReplaceText->lineEdit();
    p->SearchComboTarget = p->ReplaceText;
    QGuiApplication::clipboard()->clear();
    p->PreparePatternMenu();
    EXPECT_FALSE(p->PatternSelectAll->isEnabled()) << "nothing to select";
    EXPECT_FALSE(p->PatternCut->isEnabled());
    EXPECT_FALSE(p->PatternPaste->isEnabled());
    EXPECT_FALSE(p->PatternUndo->isVisible());

    edit->setText(QStringLiteral("abcd"));
    edit->setSelection(1, 2);
    p->PreparePatternMenu();
    for (QAction* a : {p->PatternCut, p->PatternCopy, p->PatternDelete, p->PatternSelectAll})
        EXPECT_TRUE(a->isEnabled()) << a->text().toStdString();

    p->PatternNewLine->trigger();
    EXPECT_EQ(edit->text(), "a\\nd") << "the escape replaces the selection";
    p->PatternTab->trigger();
    EXPECT_EQ(edit->text(), "a\\n\\td");
    p->PatternSelectAll->trigger();
    p->PatternCut->trigger();
    EXPECT_TRUE(edit->text().isEmpty());
    p->PreparePatternMenu();
    EXPECT_TRUE(p->PatternPaste->isEnabled());
    p->PatternPaste->trigger();
    EXPECT_EQ(edit->text(), "a\\n\\td");
    EXPECT_TRUE(p->searchtext->currentText().isEmpty()) << "the other box is left alone";
}

// --- commands --------------------------------------------------------------------------------

TEST_F(SearchTest, CommandsShowThePanelAndFocusTheirBox) {
    win->show();
    QApplication::setActiveWindow(win.get());
    EXPECT_FALSE(win->SidePanelVisible(win->searchpn));
    EXPECT_TRUE(Run("RDocFindNext")) << "no search text: the panel opens instead";
    EXPECT_TRUE(win->SidePanelVisible(win->searchpn));
    EXPECT_TRUE(p->searchtext->hasFocus());
    EXPECT_TRUE(seen.isEmpty());
    EXPECT_TRUE(Run("RDocGoTo"));
    EXPECT_TRUE(p->value->hasFocus());
    EXPECT_TRUE(Run("RDocReplace"));
    EXPECT_TRUE(p->ReplaceText->hasFocus());
    QApplication::processEvents();
    EXPECT_TRUE(win->Action("VToggleSearch")->isChecked());
    EXPECT_TRUE(win->CurrentSettings().ShowSearch);

    EXPECT_TRUE(Run("VToggleSearch"));
    QApplication::processEvents();
    EXPECT_FALSE(win->SidePanelVisible(win->searchpn));
    EXPECT_FALSE(win->Action("VToggleSearch")->isChecked());
    EXPECT_FALSE(win->CurrentSettings().ShowSearch);

    SetText("x y x\r\n");
    p->searchtext->setEditText(QStringLiteral("x"));
    EXPECT_TRUE(Run("RDocFindNext"));
    EXPECT_EQ(Sel(), std::make_pair(0, 1));
    EXPECT_FALSE(win->SidePanelVisible(win->searchpn)) << "with a search text F3 just searches";

    // Preview mode switches the panel off; then the commands focus nothing in it.
    win->Views->DisableEdit();
    EXPECT_FALSE(p->isEnabled());
    EXPECT_TRUE(Run("RDocFind"));
    EXPECT_FALSE(p->searchtext->hasFocus());
    win->Views->EnableEdit();
    EXPECT_TRUE(p->isEnabled());
}

TEST_F(SearchTest, ReplaceButtonsFollowTheBoxesAndTheSelection) {
    ShowPanel();
    SetText("one two\r\n");
    EXPECT_FALSE(p->Replace->isEnabled());
    EXPECT_FALSE(p->ReplaceAll->isEnabled());
    p->searchtext->setEditText(QStringLiteral("one"));
    EXPECT_TRUE(p->ReplaceAll->isEnabled());
    p->ReplaceText->setEditText(QStringLiteral("1"));
    EXPECT_FALSE(p->Replace->isEnabled()) << "no selection";
    p->SearchBtn->click();
    EXPECT_TRUE(p->Replace->isEnabled());
    p->ReplaceText->setEditText(QString());
    EXPECT_FALSE(p->Replace->isEnabled());
    p->searchtext->setEditText(QString());
    EXPECT_FALSE(p->ReplaceAll->isEnabled());
}
