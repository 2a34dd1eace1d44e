#include "controls/ValueListEditor.h"

#include <QAction>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// The rows as "key=value" including the blank row.
QStringList Rows(const TValueListEditor& t) {
    QStringList out;
    for (int row = 0; row < t.RowCount(); ++row)
        out << t.Key(row) + QLatin1Char('=') + t.RowValue(row);
    return out;
}

// Types into a cell as the user does: the cell changes and its signal fires.
void UserEdit(TValueListEditor& t, int row, int column, const QString& text) {
    t.item(row, column)->setText(text);
}

} // namespace

TEST(ValueListEditor, KeepsOneBlankRowThatStringsLeaveOut) {
    TValueListEditor t;
    EXPECT_EQ(Rows(t), QStringList{"="});
    EXPECT_TRUE(t.IsEmpty());
    EXPECT_TRUE(t.Strings().isEmpty());

    t.InsertRow(QStringLiteral("Titel"), QStringLiteral("A"));
    EXPECT_EQ(Rows(t), QStringList{"Titel=A"}); // the blank row was taken
    t.DeleteRow(0);
    EXPECT_EQ(Rows(t), QStringList{"="});

    t.SetStrings({QStringLiteral("a=1=2"), QStringLiteral("b"), QStringLiteral("=v")});
    EXPECT_EQ(Rows(t), (QStringList{"a=1=2", "b=", "=v"}));
    EXPECT_EQ(t.Value(QStringLiteral("a")), QStringLiteral("1=2"));
    EXPECT_EQ(t.Strings(), (QStringList{"a=1=2", "b=", "=v"}));
    t.SetStrings({});
    EXPECT_TRUE(t.IsEmpty());
}

TEST(ValueListEditor, LooksUpTheFirstRowWithAKey) {
    TValueListEditor t;
    t.SetStrings({QStringLiteral("k=first"), QStringLiteral("x=1"), QStringLiteral("k=second")});
    EXPECT_EQ(t.FindRow(QStringLiteral("k")), 0);
    EXPECT_EQ(t.Value(QStringLiteral("k")), QStringLiteral("first"));
    EXPECT_EQ(t.FindRow(QStringLiteral("K")), -1); // keys are case-sensitive
    EXPECT_EQ(t.Value(QStringLiteral("none")), QString());
    t.SetRowValue(2, QStringLiteral("changed"));
    EXPECT_EQ(t.Value(QStringLiteral("k")), QStringLiteral("first"));
}

TEST(ValueListEditor, ProgrammaticChangesAreSilentUserEditsAreReported) {
    TValueListEditor t;
    int changes = 0;
    t.OnStringsChange = [&] { ++changes; };
    t.SetStrings({QStringLiteral("Titel=")});
    t.InsertRow(QStringLiteral("URL"), QString());
    t.SetRowValue(0, QStringLiteral("x"));
    t.Clear();
    EXPECT_EQ(changes, 0);

    t.SetStrings({QStringLiteral("Titel=")});
    UserEdit(t, 0, 1, QStringLiteral("Min sida"));
    EXPECT_EQ(changes, 1);
    t.setCurrentCell(0, 1);
    QTest::keyClick(&t, Qt::Key_Insert);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(Rows(t), (QStringList{"Titel=Min sida", "="}));
    EXPECT_EQ(t.currentRow(), 1);
    QTest::keyClick(&t, Qt::Key_Delete, Qt::ControlModifier);
    t.setCurrentCell(0, 0);
    QTest::keyClick(&t, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(changes, 4);
    EXPECT_TRUE(t.IsEmpty()); // deleting the last row leaves the blank one
}

TEST(ValueListEditor, UniqueKeysRefuseADuplicateAndTakeTheEditBack) {
    const struct {
        bool unique;
        const char* typed;
        QStringList rows;
        QString refused;
    } cases[] = {
        {true, "Titel", {"Titel=A", "URL=B"}, "Titel"},
        {true, "Författare", {"Titel=A", "Författare=B"}, ""},
        {true, "", {"Titel=A", "=B"}, ""}, // an empty key is never taken
        {false, "Titel", {"Titel=A", "Titel=B"}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        TValueListEditor t;
        t.SetKeyUnique(c.unique);
        t.SetStrings({QStringLiteral("Titel=A"), QStringLiteral("URL=B")});
        QString refused;
        int changes = 0;
        t.OnKeyRefused = [&](const QString& key) { refused = key; };
        t.OnStringsChange = [&] { ++changes; };
        UserEdit(t, 1, 0, QString::fromUtf8(c.typed));
        EXPECT_EQ(Rows(t), c.rows);
        EXPECT_EQ(refused, c.refused);
        EXPECT_EQ(changes, c.refused.isEmpty() ? 1 : 0);
    }
}

TEST(ValueListEditor, KeysCanBeLockedAgainstEditing) {
    TValueListEditor t;
    t.SetStrings({QStringLiteral("Etikett=")});
    t.SetKeyEdit(false);
    EXPECT_FALSE(t.item(0, 0)->flags() & Qt::ItemIsEditable);
    t.InsertRow(QStringLiteral("b"), QString());
    EXPECT_FALSE(t.item(1, 0)->flags() & Qt::ItemIsEditable);
    EXPECT_TRUE(t.item(1, 1)->flags() & Qt::ItemIsEditable);
    t.SetKeyEdit(true);
    EXPECT_TRUE(t.item(0, 0)->flags() & Qt::ItemIsEditable);
}
