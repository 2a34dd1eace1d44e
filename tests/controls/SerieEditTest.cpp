#include "controls/SerieEdit.h"
#include "platform/Dialogs.h"
#include "platform/SilentAbort.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QList<int> Lefts(const TSerieEdit& row) {
    QList<int> lefts;
    for (int i = 0; i < row.NumValues(); ++i)
        lefts << row.Edit(i)->x();
    return lefts;
}

void Type(QLineEdit* edit, const QString& text) {
    QTest::keyClicks(edit, text);
}

void Clear(QLineEdit* edit) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
}

} // namespace

TEST(SerieEdit, RowAtCreation) {
    TSerieEdit row;
    EXPECT_EQ(row.NumValues(), 1);
    EXPECT_EQ(row.EditWidth(), 50);
    EXPECT_FALSE(row.AutoAdd());
    EXPECT_EQ(row.frameStyle(), QFrame::NoFrame);
    EXPECT_EQ(row.Edit(0)->geometry().topLeft(), QPoint(0, 0));
    EXPECT_EQ(row.Edit(0)->width(), 50);
    EXPECT_EQ(row.GetValues(), QStringList{QString()});
}

TEST(SerieEdit, CountAndWidthLayOutTheRow) {
    TSerieEdit row;
    row.SetNumValues(3);
    EXPECT_EQ(Lefts(row), (QList<int>{0, 60, 120}));
    EXPECT_EQ(row.width(), 170);
    row.SetEditWidth(40);
    EXPECT_EQ(Lefts(row), (QList<int>{0, 50, 100}));
    EXPECT_EQ(row.Edit(2)->width(), 40);
    EXPECT_EQ(row.width(), 140);
    EXPECT_EQ(row.height(), row.Edit(0)->height());
    row.SetNumValues(2);
    EXPECT_EQ(row.findChildren<QLineEdit*>().size(), 2);
}

TEST(SerieEdit, CountOutsideOneTo99IsRefused) {
    TSerieEdit row;
    row.SetNumValues(4);
    EXPECT_THROW(row.SetNumValues(100), ESilentAbort);
    EXPECT_THROW(row.SetNumValues(0), ESilentAbort);
    EXPECT_EQ(row.NumValues(), 4);
    row.SetNumValues(99);
    EXPECT_EQ(row.NumValues(), 99);
}

TEST(SerieEdit, AutoAddKeepsOneEmptyEditAfterTheLastFilledOne) {
    TSerieEdit row;
    row.SetAutoAdd(true);
    row.show();
    Type(row.Edit(0), QStringLiteral("htm"));
    ASSERT_EQ(row.NumValues(), 2);
    EXPECT_TRUE(row.Edit(1)->text().isEmpty());
    Clear(row.Edit(0));
    EXPECT_EQ(row.NumValues(), 1);

    Type(row.Edit(0), QStringLiteral("htm"));
    Type(row.Edit(1), QStringLiteral("html"));
    Type(row.Edit(2), QStringLiteral("php"));
    ASSERT_EQ(row.NumValues(), 4);
    Clear(row.Edit(2));
    EXPECT_EQ(row.GetValues(), (QStringList{"htm", "html", ""}));
    Clear(row.Edit(0));
    EXPECT_EQ(row.GetValues(), (QStringList{"", "html", ""})) << "a gap before a value stays";
}

TEST(SerieEdit, WithoutAutoAddTheRowStays) {
    TSerieEdit row;
    row.show();
    Type(row.Edit(0), QStringLiteral("htm"));
    EXPECT_EQ(row.NumValues(), 1);
}

TEST(SerieEdit, ValuesRoundTrip) {
    TSerieEdit row;
    row.SetAutoAdd(true);
    QStringList values{"htm", "", "shtml"};
    row.SetValues(values);
    EXPECT_EQ(row.NumValues(), 3);
    EXPECT_EQ(row.GetValues(), values);

    QStringList filled{"a", "b", "c"};
    row.SetValues(filled);
    EXPECT_EQ(row.NumValues(), 3) << "no empty edit is added after loading";
    EXPECT_EQ(row.GetValues(), filled);

    QStringList none;
    row.SetValues(none);
    EXPECT_EQ(none, QStringList{QString()});
    EXPECT_EQ(row.GetValues(), QStringList{QString()});
}

TEST(SerieEdit, TooManyValuesChangeNothing) {
    TSerieEdit row;
    row.SetAutoAdd(true);
    row.show();
    QStringList two{"a", "b"};
    row.SetValues(two);
    QStringList many;
    for (int i = 0; i < 100; ++i)
        many << QString::number(i);
    QStringList messages;
    {
        Dialogs::ScopedModalHandler boxes{[&](QDialog* d) {
            if (auto* box = qobject_cast<QMessageBox*>(d))
                messages << box->text();
            return int(QMessageBox::Ok);
        }};
        EXPECT_THROW(row.SetValues(many), ESilentAbort);
    }
    EXPECT_EQ(messages, QStringList{QStringLiteral("SerieEdit: Raden rymmer högst 99 värden.")});
    EXPECT_EQ(row.GetValues(), two);
    Type(row.Edit(1), QStringLiteral("x"));
    EXPECT_EQ(row.NumValues(), 3) << "typing still grows the row after the refused load";
    many.removeLast(); // 99 fit
    row.SetValues(many);
    EXPECT_EQ(row.GetValues(), many);
}

TEST(SerieEdit, TabGoesToTheEditAddedWhileTyping) {
    QWidget window;
    auto* row = new TSerieEdit(&window);
    auto* after = new QLineEdit(&window);
    row->SetAutoAdd(true);
    Type(row->Edit(0), QStringLiteral("txt"));
    ASSERT_EQ(row->NumValues(), 2);
    EXPECT_EQ(row->Edit(0)->nextInFocusChain(), row->Edit(1));
    EXPECT_EQ(row->Edit(1)->nextInFocusChain(), after);
}
