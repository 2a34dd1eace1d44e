#include "controls/IntegerEdit.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

struct NumberEdit : ::testing::Test {
    void SetUp() override {
        edit.SetMin(0);
        edit.SetMax(255);
        edit.OnChange = [this](QObject*) { changes << edit.text(); };
        edit.show();
        edit.setFocus();
    }
    void Key(Qt::Key key) { QTest::keyClick(&edit, key); }

    TIntegerEdit edit;
    QStringList changes;
};

} // namespace

TEST(IntegerEdit, LimitsAtCreation) {
    TIntegerEdit edit;
    EXPECT_EQ(edit.Min(), 0);
    EXPECT_EQ(edit.Max(), 0);
    EXPECT_TRUE(edit.text().isEmpty());
    EXPECT_FALSE(edit.SelectAllPending());
}

TEST_F(NumberEdit, UpStepsToMaxAndSelectsTheText) {
    edit.setText(QStringLiteral("250"));
    changes.clear();
    for (int i = 0; i < 6; ++i)
        Key(Qt::Key_Up);
    EXPECT_EQ(edit.text(), QStringLiteral("255"));
    EXPECT_EQ(changes, (QStringList{"251", "252", "253", "254", "255"}))
        << "255 again is no change";
    EXPECT_TRUE(edit.SelectAllPending());
    EXPECT_EQ(edit.selectedText(), QStringLiteral("255"));
}

TEST_F(NumberEdit, DownStepsToMin) {
    edit.SetMin(10);
    edit.setText(QStringLiteral("11"));
    Key(Qt::Key_Down);
    Key(Qt::Key_Down);
    EXPECT_EQ(edit.text(), QStringLiteral("10"));
    EXPECT_EQ(edit.selectedText(), QStringLiteral("10"));
}

TEST_F(NumberEdit, StepOnAnEmptyTextLeavesItEmptyAndUnselected) {
    Key(Qt::Key_Up);
    EXPECT_TRUE(edit.text().isEmpty());
    EXPECT_FALSE(edit.SelectAllPending());
    EXPECT_TRUE(changes.isEmpty());
}

TEST_F(NumberEdit, AnyOtherKeyClearsTheSelectAllFlag) {
    edit.setText(QStringLiteral("5"));
    Key(Qt::Key_Up);
    ASSERT_TRUE(edit.SelectAllPending());
    Key(Qt::Key_End);
    EXPECT_FALSE(edit.SelectAllPending());
    EXPECT_TRUE(edit.selectedText().isEmpty());
}

TEST_F(NumberEdit, TypedTextIsCorrected) {
    const struct {
        const char* typed;
        const char* result;
    } cases[] = {{"300", "255"}, {"007", "7"}, {"a1b2", "12"}, {"-4", "4"}, {"99x", "99"}};
    for (const auto& c : cases) {
        edit.clear();
        QTest::keyClicks(&edit, QString::fromLatin1(c.typed));
        EXPECT_EQ(edit.text(), QString::fromLatin1(c.result)) << c.typed;
    }
}

TEST_F(NumberEdit, TextThatIsNoWholeNumberBecomesMin) {
    edit.SetMin(3);
    const struct {
        const char* text;
        const char* result;
    } cases[] = {{"1.5", "3"}, {"abc", "3"}, {"0012", "12"}, {"1000", "255"}, {"1", "1"}};
    for (const auto& c : cases) {
        changes.clear();
        edit.setText(QString::fromLatin1(c.text));
        EXPECT_EQ(edit.text(), QString::fromLatin1(c.result)) << c.text;
        EXPECT_EQ(changes, QStringList{QString::fromLatin1(c.result)})
            << "one change per correction";
    }
}

TEST_F(NumberEdit, ClearingFiresNoChange) {
    edit.setText(QStringLiteral("12"));
    changes.clear();
    Key(Qt::Key_Backspace);
    Key(Qt::Key_Backspace);
    EXPECT_TRUE(edit.text().isEmpty());
    EXPECT_EQ(changes, QStringList{"1"});
}

TEST_F(NumberEdit, ShortcutsStillWork) {
    edit.setText(QStringLiteral("123"));
    QTest::keyClick(&edit, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(edit.selectedText(), QStringLiteral("123"));
}
