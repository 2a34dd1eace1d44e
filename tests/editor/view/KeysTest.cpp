// Typing, deleting, line breaks, tabs and indentation through real key events.
#include "KeysFixture.h"
#include "editor/view/InteractiveListMenu.h"

#include <QInputMethodEvent>
#include <functional>

namespace {

struct KeyCase {
    const char* name;
    QByteArray text; // lines separated by '\n'
    QPoint caret;
    QString keys;
    QByteArray expected;
    QPoint expectedCaret;
};

class KeysTest : public EditorFixture, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(KeysTest, Sequence) {
    const KeyCase& c = GetParam();
    Set(c.text, c.caret.x(), c.caret.y());
    Keys(c.keys);
    EXPECT_EQ(Text(), c.expected.toStdString());
    EXPECT_EQ(CaretPos(), c.expectedCaret);
    EXPECT_FALSE(ed->HasSelection());
}

const KeyCase kKeyCases[] = {
    {"TypePlain", "", {0, 0}, "abc", "abc", {3, 0}},
    {"TypeInsideLine", "ac", {1, 0}, "b", "abc", {2, 0}},
    {"EncodeSmallLetter", "", {0, 0}, QString::fromUtf8("é"), "&eacute;", {8, 0}},
    {"EncodeCapital", "", {0, 0}, QString::fromUtf8("É"), "&Eacute;", {8, 0}},
    {"EncodeLigature", "", {0, 0}, QString::fromUtf8("æÆœ"), "&aelig;&AElig;&oelig;", {21, 0}},
    {"EncodeSymbolsByExactCase",
     "",
     {0, 0},
     QString::fromUtf8("ðÐ½"),
     "&eth;&ETH;&frac12;",
     {18, 0}},
    {"EncodeKeepsCapitalOfSmallRow", "", {0, 0}, QString::fromUtf8("Ÿÿ"), "&Yuml;&yuml;", {12, 0}},
    {"EncodeEuro", "x", {1, 0}, QString::fromUtf8("€"), "x&euro;", {7, 0}},
    {"AutoCloseParen", "", {0, 0}, "(", "()", {1, 0}},
    {"ClosingIsNeverTypedOver", "", {0, 0}, "()", "())", {2, 0}},
    {"AutoCloseQuotesAndBrackets", "", {0, 0}, "\"", "\"\"", {1, 0}},
    {"AutoCloseBraceInsideLine", "ab", {1, 0}, "{", "a{}b", {2, 0}},
    {"OverwriteMode", "abcd", {0, 0}, "<Ins>xy<Ins>", "xycd", {2, 0}},
    {"OverwriteAtLineEndAppends", "ab", {2, 0}, "<Ins>c<Ins>", "abc", {3, 0}},
    {"TabInOverwrite", "abcdef", {0, 0}, "<Ins><Tab><Ins>", "    ef", {4, 0}},
    {"Tab", "ab", {1, 0}, "<Tab>", "a    b", {5, 0}},
    {"BackspaceUnindents", "        x", {8, 0}, "<BS>", "    x", {4, 0}},
    {"BackspaceOffTabStop", "        x", {6, 0}, "<BS>", "       x", {5, 0}},
    {"BackspaceJoinsLines", "ab\ncd", {0, 1}, "<BS>", "abcd", {2, 0}},
    {"BackspaceAtTextStart", "ab", {0, 0}, "<BS>", "ab", {0, 0}},
    {"BackspaceAtLineEnd", "abc", {3, 0}, "<BS><BS>", "a", {1, 0}},
    {"BackspaceEntity", "a &amp;", {7, 0}, "<BS>", "a ", {2, 0}},
    {"BackspaceEmptyEntityBody", "a &;", {4, 0}, "<BS>", "a &", {3, 0}},
    {"BackspaceDecimalEntity", "x&#169;", {7, 0}, "<BS>", "x", {1, 0}},
    {"BackspaceHexEntity", "x&#x1F4A9;", {10, 0}, "<BS>", "x", {1, 0}},
    {"BackspaceNotAnEntity", "if (a && b) x = 1;", {18, 0}, "<BS>", "if (a && b) x = 1", {17, 0}},
    {"BackspaceUnknownName", "&bogus;", {7, 0}, "<BS>", "&bogus", {6, 0}},
    {"BackspaceBadDigits", "&#12a;", {6, 0}, "<BS>", "&#12a", {5, 0}},
    {"BackspaceLongestName", "a&thetasym;", {11, 0}, "<BS>", "a", {1, 0}},
    {"BackspaceLargestCodePoint", "&#1114111;", {10, 0}, "<BS>", "", {0, 0}},
    {"BackspaceLargestHexCodePoint", "&#x10FFFF;", {10, 0}, "<BS>", "", {0, 0}},
    {"BackspaceEntityAfterAnAmpersand", "a & b&lt;", {9, 0}, "<BS>", "a & b", {5, 0}},
    {"BackspaceLooksBackNoFurther", "&#0000000065;", {13, 0}, "<BS>", "&#0000000065", {12, 0}},
    {"CtrlBackspaceEntity", "a &lt;", {6, 0}, "<C-BS>", "a ", {2, 0}},
    {"CtrlBackspaceWord", "abc def", {7, 0}, "<C-BS>", "abc ", {4, 0}},
    {"CtrlBackspaceAtLineStart", "abc\ndef", {0, 1}, "<C-BS>", "abc\ndef", {0, 1}},
    {"Delete", "abc", {1, 0}, "<Del>", "ac", {1, 0}},
    {"DeleteJoinsLines", "ab\ncd", {2, 0}, "<Del>", "abcd", {2, 0}},
    {"DeleteAtTextEnd", "ab", {2, 0}, "<Del>", "ab", {2, 0}},
    {"CtrlDeleteWord", "abc def", {0, 0}, "<C-Del>", " def", {0, 0}},
    {"CtrlDeleteAtLineEnd", "abc\ndef", {3, 0}, "<C-Del>", "abc\ndef", {3, 0}},
    {"EnterAutoIndent", "    abcdef", {7, 0}, "<Enter>", "    abc\n    def", {4, 1}},
    {"EnterInsideIndent", "    abc", {2, 0}, "<Enter>", "  \n    abc", {2, 1}},
    {"EnterAtLineEnd", "  ab", {4, 0}, "<Enter>x", "  ab\n  x", {3, 1}},
    {"ShiftEnterCollapses", "ab", {1, 0}, "<S-Enter>", "a\nb", {0, 1}},
    {"CtrlLettersTypeNothing", "ab", {1, 0}, "<C-V>", "ab", {1, 0}},
    {"AltLettersTypeNothing", "ab", {1, 0}, "<A-V>", "ab", {1, 0}},
    {"CharacterWithoutByteIsNotTyped", "ab", {1, 0}, QString::fromUtf8("łЖ"), "ab", {1, 0}},
    {"TypingReplacesShiftSelection", "abc", {0, 0}, "<S-Right><S-Right>X", "Xc", {1, 0}},
    {"BackspaceDeletesSelection", "abc &amp;", {9, 0}, "<S-Left><S-Left><BS>", "abc &am", {7, 0}},
};

INSTANTIATE_TEST_SUITE_P(Keys, KeysTest, ::testing::ValuesIn(kKeyCases),
                         [](const auto& info) { return std::string(info.param.name); });

using KeysEditor = EditorFixture;

TEST_F(KeysEditor, AutoEncodeAndAutoCloseOff) {
    ed->Settings()->AutoEncode = false;
    ed->Settings()->AutoCloseQts = false;
    Set("");
    Keys(QString::fromUtf8("é(ü"));
    EXPECT_EQ(Text(), "\xE9(\xFC");
}

TEST_F(KeysEditor, ReadOnlyRefusesEveryEdit) {
    Set("ab\ncd", 1, 0);
    ed->Settings()->ReadOnly = true;
    Keys("x<BS><Del><Enter><Tab><C-BS><C-Del>");
    ed->IndentSelection();
    EXPECT_EQ(Text(), "ab\ncd");
    EXPECT_EQ(CaretPos(), QPoint(1, 0));
    Keys("<Right>");
    EXPECT_EQ(CaretPos(), QPoint(2, 0));
}

TEST_F(KeysEditor, JustTypedOnlyAtLineEnd) {
    Set("ab", 2, 0);
    Keys("c");
    EXPECT_TRUE(ed->JustTyped);
    ed->JustTyped = false;
    ed->Caret.SetPos(QPoint(1, 0));
    Keys("x");
    EXPECT_FALSE(ed->JustTyped);
}

TEST_F(KeysEditor, InsertTogglesOverwriteAndFires) {
    int fired = 0;
    ed->OnCaretModeChange = [&](QObject* s) {
        EXPECT_EQ(s, ed.get());
        ++fired;
    };
    Keys("<Ins>");
    EXPECT_TRUE(ed->Settings()->OverwriteMode());
    Keys("<Ins>");
    EXPECT_FALSE(ed->Settings()->OverwriteMode());
    EXPECT_EQ(fired, 2);
}

TEST_F(KeysEditor, TabLengthZeroInsertsNothing) {
    ed->Settings()->SetTabLength(0);
    Set("ab", 1, 0);
    Keys("<Tab>");
    EXPECT_EQ(Text(), "ab");
    ed->Settings()->SetTabLength(1000); // clamped to 100
    EXPECT_EQ(ed->GetTabSpaces().size(), 100);
}

TEST_F(KeysEditor, OwnerHooksRunFirstAndCancel) {
    Set("abc", 3, 0);
    std::vector<std::string> order;
    ed->OnKeyDown = [&](QObject*, int& key, Qt::KeyboardModifiers) {
        order.push_back("down");
        if (key == KeyCode::Backspace)
            key = 0;
    };
    ed->OnKeyPress = [&](QObject*, char& key) {
        order.push_back("press");
        if (key == 'x')
            key = 0;
        else if (key == 'y')
            key = 'z';
    };
    ed->OnKeyUp = [&](QObject*, int&, Qt::KeyboardModifiers) { order.push_back("up"); };
    Keys("<BS>xy");
    EXPECT_EQ(Text(), "abcz");
    // Each key: down, its character (Backspace gives #8 too), up.
    const std::vector<std::string> expected = {"down", "press", "up",    "down", "press",
                                               "up",   "down",  "press", "up"};
    EXPECT_EQ(order, expected);
}

TEST_F(KeysEditor, AutoRepeatReleaseIsNoKeyUp) {
    int ups = 0;
    ed->OnKeyUp = [&](QObject*, int&, Qt::KeyboardModifiers) { ++ups; };
    QKeyEvent repeated(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"), true);
    QApplication::sendEvent(ed.get(), &repeated);
    EXPECT_EQ(ups, 0);
    QKeyEvent last(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"), false);
    QApplication::sendEvent(ed.get(), &last);
    EXPECT_EQ(ups, 1);
}

TEST_F(KeysEditor, InputMethodCommitTypes) {
    Set("a", 1, 0);
    QInputMethodEvent commit;
    commit.setCommitString(QString::fromUtf8("ü"));
    QApplication::sendEvent(ed.get(), &commit);
    EXPECT_EQ(Text(), "a&uuml;");
    QInputMethodEvent bad;
    bad.setCommitString(QString::fromUtf8("Ж"));
    QApplication::sendEvent(ed.get(), &bad);
    EXPECT_EQ(Text(), "a&uuml;");
}

// A line break arriving as text (an input method, a key with no code of its own) is Enter;
// other control characters type nothing.
TEST_F(KeysEditor, ControlCharactersAsText) {
    const auto key = [this](Qt::Key k, const char* text, Qt::KeyboardModifiers mods = {}) {
        return [this, k, text, mods] {
            QTest::sendKeyEvent(QTest::Click, ed.get(), k, QString::fromLatin1(text), mods);
        };
    };
    const auto commit = [this](const char* text) {
        return [this, text] {
            QInputMethodEvent im;
            im.setCommitString(QString::fromLatin1(text));
            QApplication::sendEvent(ed.get(), &im);
        };
    };
    const struct {
        const char* name;
        std::function<void()> send;
        const char* expected;
        QPoint caret;
    } cases[] = {
        {"LF key text", key(Qt::Key_unknown, "\n"), "a\nb", {0, 1}},
        {"CR key text", key(Qt::Key_unknown, "\r"), "a\nb", {0, 1}},
        {"Enter key", key(Qt::Key_Return, "\r"), "a\nb", {0, 1}},
        {"committed LF", commit("x\ny"), "ax\nyb", {1, 1}},
        {"committed CR LF", commit("x\r\ny"), "ax\nyb", {1, 1}},
        {"committed CR CR", commit("\r\r"), "a\n\nb", {0, 2}},
        {"SOH key text", key(Qt::Key_unknown, "\x01"), "ab", {1, 0}},
        {"committed SOH", commit("x\x01y"), "ab", {1, 0}},
        {"committed tab", commit("\t"), "ab", {1, 0}},
        {"committed DEL", commit("\x7f"), "ab", {1, 0}},
        {"Ctrl+J", key(Qt::Key_J, "\n", Qt::ControlModifier), "ab", {1, 0}},
        {"Ctrl+M", key(Qt::Key_M, "\r", Qt::ControlModifier), "ab", {1, 0}},
    };
    for (const auto& c : cases) {
        Set("ab", 1, 0);
        c.send();
        EXPECT_EQ(Text(), c.expected) << c.name;
        EXPECT_EQ(CaretPos(), c.caret) << c.name;
    }
}

TEST_F(KeysEditor, ListMenuTakesNavigationKeysFirst) {
    Set("ab\ncd", 2, 0);
    ed->ListMenu()->SetItemList({QStringLiteral("x1"), QStringLiteral("x2"), QStringLiteral("y")});
    ed->ListMenu()->setGeometry(200, 200, 50, 50);
    ed->ListMenu()->show();
    Keys("<Down><Up><PgDn><Home><End>");
    EXPECT_EQ(CaretPos(), QPoint(2, 0));
    EXPECT_EQ(ed->ListMenu()->Selection(), 2);
    Keys("<Left>"); // not the list's
    EXPECT_EQ(CaretPos(), QPoint(1, 0));
    Keys("<BS>"); // passed on and also deletes
    EXPECT_EQ(Text(), "b\ncd");
    Keys("x");
    EXPECT_EQ(ed->ListMenu()->Filter(), QStringLiteral("x"));
    Keys("<Esc>");
    EXPECT_FALSE(ed->ListMenu()->isVisible());
}

TEST_F(KeysEditor, ListMenuPopups) {
    auto* list = ed->ListMenu();
    Set("<p>", 3, 0);
    Keys("<C-Apps>");
    EXPECT_FALSE(list->isVisible()); // ListMenuHelper off
    ed->Settings()->ListMenuHelper = true;
    Set("<p", 1, 0);
    Keys("<C-Apps>");
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(list->Items().size(), 78);
    ed->HideListMenu();

    ed->Settings()->ListMenuHelperAutoPopup = true;
    Set("ab", 2, 0);
    Keys("<<");
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(list->Items().first(), QStringLiteral("html"));
    Keys("a ");
    EXPECT_TRUE(list->isVisible());
    EXPECT_TRUE(list->Items().contains(QStringLiteral("href")));

    struct SpaceCase {
        QByteArray text;
        bool pops;
    };
    const SpaceCase cases[] = {
        {"<a>", false},
        {"<!--", false},
        {"<?php", false},
        {"<%", false},
        {"<img src=\"x\"\nalt=\"\"", true},
        {"plain", false},
    };
    for (const SpaceCase& c : cases) {
        ed->HideListMenu();
        const QByteArray last = c.text.mid(c.text.lastIndexOf('\n') + 1);
        Set(c.text, static_cast<int>(last.size()), static_cast<int>(c.text.count('\n')));
        Keys(" ");
        EXPECT_EQ(list->isVisible(), c.pops) << c.text.constData();
    }
}

TEST_F(KeysEditor, AutoPopupLooksBackAtMost501Characters) {
    ed->Settings()->ListMenuHelperAutoPopup = true;
    auto* list = ed->ListMenu();
    // With the typed space, the '<' is the 501st character back.
    Set("<a " + QByteArray(497, 'x'), 500, 0);
    Keys(" ");
    EXPECT_TRUE(list->isVisible());
    ed->HideListMenu();
    Set("<a " + QByteArray(498, 'x'), 501, 0);
    Keys(" ");
    EXPECT_FALSE(list->isVisible());
}

// --- indentation commands ---------------------------------------------------------------------

TEST_F(KeysEditor, IndentSelectionIncludesLineOfEndAtColumnZero) {
    Set("a\nb\nc\nd\ne", 0, 1);
    ed->SelEnd.SetPos(QPoint(0, 3));
    ed->IndentSelection();
    EXPECT_EQ(Text(), "a\n    b\n    c\n    d\ne");
    EXPECT_EQ(ed->GetSelStart(), 3);
    EXPECT_EQ(ed->GetSelLength(), 6 + 3 * 4);
}

TEST_F(KeysEditor, UnindentAndRemoveIndentation) {
    Set("      a\n  b\n\t c", 0, 0);
    ed->SelEnd.SetPos(QPoint(3, 2));
    const int length = ed->GetSelLength();
    ed->UnindentSelection();
    EXPECT_EQ(Text(), "  a\n  b\n\t c");
    EXPECT_EQ(ed->GetSelLength(), length - 4);
    ed->RemoveIndentation();
    EXPECT_EQ(Text(), "a\nb\nc");
    EXPECT_EQ(ed->GetSelLength(), length - 4 - 6);
}

TEST_F(KeysEditor, IndentationNeedsTwoLines) {
    Set("  one line", 3, 0);
    ed->IndentSelection();
    ed->UnindentSelection();
    ed->RemoveIndentation();
    EXPECT_EQ(Text(), "  one line");
}

TEST_F(KeysEditor, GetIndentLength) {
    Set("   a\n\t b\n");
    EXPECT_EQ(ed->GetIndentLength(0), 3);
    EXPECT_EQ(ed->GetIndentLength(1), 0);
    EXPECT_EQ(ed->GetIndentLength(2), -1);
    EXPECT_EQ(ed->GetIndentLength(-1), -1);
}

} // namespace
