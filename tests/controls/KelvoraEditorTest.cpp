#include "controls/KelvoraEditor.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <QTextCursor>
#include <gtest/gtest.h>

namespace {

class KelvoraEditorTest : public ::testing::Test {
protected:
    void SetText(const QString& text, int caret) {
        ed.setPlainText(text);
        QTextCursor c = ed.textCursor();
        c.setPosition(caret);
        ed.setTextCursor(c);
    }
    // Typed characters as the keyboard sends them (QTest takes ASCII only).
    void Type(const QString& text) {
        for (QChar ch : text) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(ch));
            QApplication::sendEvent(&ed, &press);
            QApplication::sendEvent(&ed, &release);
        }
    }
    int Caret() const { return ed.textCursor().position(); }
    QString Selected() const { return ed.textCursor().selectedText(); }
    // Selects [from, to) as the standard double click would, then extends it.
    void DoubleClick(int from, int to) {
        QTextCursor c = ed.textCursor();
        c.setPosition(from);
        c.setPosition(to, QTextCursor::KeepAnchor);
        ed.setTextCursor(c);
        ed.ExtendDoubleClickSelection();
    }

    TKelvoraEditor ed;
};

TEST_F(KelvoraEditorTest, StartsPlainWithTheEntityTablesAndNoAidsOn) {
    EXPECT_FALSE(ed.acceptRichText());
    EXPECT_FALSE(ed.tabChangesFocus());
    EXPECT_FALSE(ed.AutoReplace || ed.AutoCloseQts || ed.AutoIndent || ed.PreserveIndent);
    EXPECT_EQ(ed.AutoSelect, 0u);
    ASSERT_EQ(ed.AlphaLetters.size(), 30);
    ASSERT_EQ(ed.AlphaEntities.size(), 30);
    ASSERT_EQ(ed.OmegaSymbols.size(), 30);
    ASSERT_EQ(ed.OmegaEntities.size(), 30);
    EXPECT_EQ(ed.AlphaLetters.first(), QStringLiteral("Å"));
    EXPECT_EQ(ed.AlphaEntities.first(), QStringLiteral("&Aring;"));
    EXPECT_EQ(ed.AlphaLetters[27], QStringLiteral("Œ"));
    EXPECT_EQ(ed.AlphaEntities[27], QStringLiteral("&OElig;"));

    Type(QStringLiteral("é("));
    EXPECT_EQ(ed.toPlainText(), QStringLiteral("é(")) << "typing aids are off by default";
}

TEST_F(KelvoraEditorTest, TypedCharactersBecomeEntitiesInTheTypedCase) {
    ed.AutoReplace = true;
    const struct {
        QString typed;
        QString entity;
    } cases[] = {
        {QStringLiteral("å"), QStringLiteral("&aring;")},
        {QStringLiteral("Å"), QStringLiteral("&Aring;")},
        {QStringLiteral("Ä"), QStringLiteral("&Auml;")},
        {QStringLiteral("ä"), QStringLiteral("&auml;")},
        {QStringLiteral("œ"), QStringLiteral("&oelig;")},
        {QStringLiteral("ß"), QStringLiteral("&szlig;")},
        {QStringLiteral("ð"), QStringLiteral("&eth;")},
        {QStringLiteral("Ð"), QStringLiteral("&ETH;")},
        {QStringLiteral("ÿ"), QStringLiteral("&yuml;")},
        {QStringLiteral("Ÿ"), QStringLiteral("&Yuml;")},
        {QStringLiteral("x"), QStringLiteral("x")},
    };
    for (const auto& c : cases) {
        SetText(QStringLiteral("ab"), 1);
        Type(c.typed);
        EXPECT_EQ(ed.toPlainText(), QStringLiteral("a") + c.entity + QStringLiteral("b"))
            << c.typed.toStdString();
    }
    // The entity replaces a selection.
    SetText(QStringLiteral("xyz"), 0);
    DoubleClick(0, 3);
    Type(QStringLiteral("é"));
    EXPECT_EQ(ed.toPlainText(), QStringLiteral("&eacute;"));
}

TEST_F(KelvoraEditorTest, QuotesAndBracketsGetTheirPartner) {
    ed.AutoCloseQts = true;
    const struct {
        QString typed, text;
    } cases[] = {
        {QStringLiteral("("), QStringLiteral("()")}, {QStringLiteral("["), QStringLiteral("[]")},
        {QStringLiteral("{"), QStringLiteral("{}")}, {QStringLiteral("\""), QStringLiteral("\"\"")},
        {QStringLiteral("'"), QStringLiteral("''")}, {QStringLiteral(")"), QStringLiteral(")")},
    };
    for (const auto& c : cases) {
        SetText(QString(), 0);
        Type(c.typed);
        EXPECT_EQ(ed.toPlainText(), c.text) << c.typed.toStdString();
        EXPECT_EQ(Caret(), 1);
    }
    ed.AutoReplace = true;
    SetText(QString(), 0);
    Type(QStringLiteral("é"));
    EXPECT_EQ(ed.toPlainText(), QStringLiteral("&eacute;")) << "a replaced letter gets no partner";
}

TEST_F(KelvoraEditorTest, BackspaceRemovesAWholeEntity) {
    const struct {
        QString text;
        QString after;
    } cases[] = {
        {QStringLiteral("x &amp;"), QStringLiteral("x ")},
        {QStringLiteral("abcdef ;"), QStringLiteral("abcdef ")},   // a blank before the ';'
        {QStringLiteral("abcdefgh;"), QStringLiteral("abcdefgh")}, // no '&' near it
        {QStringLiteral("&lt;"), QStringLiteral("&lt")},           // too near the start
        {QStringLiteral("a&b&lt;"), QStringLiteral("a&b")},        // the nearest '&' starts it
        {QStringLiteral("xx&thorn;"), QStringLiteral("xx")},
    };
    for (const auto& c : cases) {
        SetText(c.text, static_cast<int>(c.text.size()));
        QTest::keyClick(&ed, Qt::Key_Backspace);
        EXPECT_EQ(ed.toPlainText(), c.after) << c.text.toStdString();
    }
    // With a selection Backspace deletes only the selection.
    SetText(QStringLiteral("x &amp;"), 0);
    DoubleClick(6, 7);
    QTest::keyClick(&ed, Qt::Key_Backspace);
    EXPECT_EQ(ed.toPlainText(), QStringLiteral("x &amp"));
}

TEST_F(KelvoraEditorTest, EnterKeepsTheIndentationOfTheLineAbove) {
    ed.AutoIndent = true;
    SetText(QStringLiteral("\t\tcode"), 6);
    QTest::keyClick(&ed, Qt::Key_Return);
    EXPECT_EQ(ed.toPlainText(), QStringLiteral("\t\tcode\n\t\t"));
    EXPECT_EQ(Caret(), 9);

    SetText(QStringLiteral("\t\tcode"), 6);
    QTest::keyClick(&ed, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_FALSE(ed.toPlainText().contains(QStringLiteral("\n\t"))) << "Ctrl+Enter: no indentation";

    ed.AutoIndent = false;
    SetText(QStringLiteral("  code"), 6);
    QTest::keyClick(&ed, Qt::Key_Return);
    EXPECT_EQ(ed.toPlainText(), QStringLiteral("  code\n"));
}

TEST_F(KelvoraEditorTest, DoubleClickTakesAWholeColourValueOrEntity) {
    const struct {
        TDblClickSel select;
        QString text;
        int from, to;
        QString selected;
    } cases[] = {
        {dcsHexValue, QStringLiteral("c=#FF8000;"), 3, 9, QStringLiteral("#FF8000")},
        {dcsHexValue, QStringLiteral("c=#FF800G;"), 3, 9, QStringLiteral("FF800G")},
        {dcsHexValue, QStringLiteral("c=#FF80;"), 3, 7, QStringLiteral("FF80")},
        {dcsAlphaCode, QStringLiteral("a&nbsp;b"), 2, 6, QStringLiteral("&nbsp;")},
        {dcsAlphaCode, QStringLiteral("a&nbsp b"), 2, 6, QStringLiteral("nbsp")},
        {0, QStringLiteral("a&nbsp;b"), 2, 6, QStringLiteral("nbsp")},
        {dcsHexValue, QStringLiteral("a&nbsp;b"), 2, 6, QStringLiteral("nbsp")},
    };
    for (const auto& c : cases) {
        ed.AutoSelect = c.select;
        SetText(c.text, 0);
        DoubleClick(c.from, c.to);
        EXPECT_EQ(Selected(), c.selected) << c.text.toStdString();
    }
}

TEST_F(KelvoraEditorTest, CountOccurrencesDoesNotOverlap) {
    SetText(QStringLiteral("aaaa"), 0);
    EXPECT_EQ(ed.CountOccurrences(QStringLiteral("aa"), {}), 2);
    EXPECT_EQ(ed.CountOccurrences(QStringLiteral("b"), {}), 0);
    EXPECT_EQ(ed.CountOccurrences(QString(), {}), 0);
    SetText(QStringLiteral("Kod kod kodning"), 0);
    EXPECT_EQ(ed.CountOccurrences(QStringLiteral("kod"), {}), 3);
    EXPECT_EQ(ed.CountOccurrences(QStringLiteral("kod"), QTextDocument::FindCaseSensitively), 2);
    EXPECT_EQ(ed.CountOccurrences(QStringLiteral("kod"), QTextDocument::FindWholeWords), 2);
}

} // namespace
