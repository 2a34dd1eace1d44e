#include "controls/ColorContainer.h"
#include "MouseSupport.h"
#include "controls/HexColorDialog.h"
#include "controls/HexColorWin.h"
#include "platform/Dialogs.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A field with its events counted and the dialog answered by a script.
struct ColorField : ::testing::Test {
    void SetUp() override {
        field.resize(60, 24);
        field.SetCurrentColor(RGBColor(10, 20, 30));
        field.OnClick = [this](QObject*) { ++clicks; };
        field.OnDblClick = [this](QObject*) { ++dblClicks; };
        field.OnChange = [this](QObject*) { ++changes; };
        field.show();
    }
    // The dialog picks `pick` and closes with insert (accept) or close.
    Dialogs::ModalHandler Answer(bool accept, TColor pick = RGBColor(1, 2, 3)) {
        return [this, accept, pick](QDialog* d) {
            auto* f = dynamic_cast<Thexcolor*>(d);
            ++opened;
            title = f->windowTitle();
            caption = f->btnInsert->text();
            startColor = f->Color();
            f->SetColor(pick);
            (accept ? f->btnInsert : f->btnClose)->click();
            return f->result();
        };
    }
    TColorContainer field;
    int clicks = 0, dblClicks = 0, changes = 0, opened = 0;
    QString title, caption;
    TColor startColor = 0;
};

// What the system sends for a double click: press, release, double click, release.
void DoubleClick(QWidget* w, QPoint at) {
    Press(w, at);
    Release(w, at);
    SendMouse(w, QEvent::MouseButtonDblClick, at, Qt::LeftButton, Qt::LeftButton);
    Release(w, at);
}

QColor Centre(TColorContainer& field) {
    const QImage image = field.grab().toImage();
    return image.pixelColor(2, 2);
}

} // namespace

TEST(ColorContainer, ValuesAtCreation) {
    TColorContainer field;
    EXPECT_EQ(field.CurrentColor(), clActiveCaption);
    EXPECT_EQ(field.EditEvents(), eeClick);
    EXPECT_EQ(field.BevelStyle(), bsOutset);
    EXPECT_FALSE(field.UseLabel());
    EXPECT_EQ(field.Font().family(), QStringLiteral("Arial"));
    EXPECT_EQ(field.FontColorMode(), fcmBlackOrWhite);
    EXPECT_EQ(field.focusPolicy(), Qt::StrongFocus);
    const QList<QAction*> items = field.PopupMenu()->actions();
    ASSERT_EQ(items.size(), 4);
    EXPECT_EQ(items[0]->text(), QStringLiteral("Ändra färgvärde"));
    EXPECT_TRUE(items[1]->isSeparator());
    EXPECT_EQ(items[2]->text(), QStringLiteral("Invertera färg"));
    EXPECT_EQ(items[3]->text(), QStringLiteral("Avrunda till säkra byten"));
    EXPECT_EQ(items[0]->property("Hint").toString(),
              QStringLiteral("|Öppnar färgvalsdialogen för att ange ett nytt färgvärde."));
}

TEST_F(ColorField, ClickOpensTheDialogAndTakesTheChosenColor) {
    Dialogs::ScopedModalHandler handler(Answer(true));
    field.clearFocus();
    Press(&field, QPoint(5, 5));
    EXPECT_EQ(field.focusWidget(), &field) << "a press takes the focus";
    Release(&field, QPoint(5, 5));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(title, QStringLiteral("Färg"));
    EXPECT_EQ(caption, QStringLiteral("Välj färg"));
    EXPECT_EQ(startColor, RGBColor(10, 20, 30));
    EXPECT_EQ(field.CurrentColor(), RGBColor(1, 2, 3));
    EXPECT_EQ(changes, 1);
}

TEST_F(ColorField, CancelLeavesTheColorAndFiresNoChange) {
    Dialogs::ScopedModalHandler handler(Answer(false));
    field.ChangeItem()->trigger();
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(field.CurrentColor(), RGBColor(10, 20, 30));
    EXPECT_EQ(changes, 0);
}

TEST_F(ColorField, EditEventsChooseWhatOpensTheDialog) {
    struct Case {
        TEditEvents events;
        int byClick, byDouble;
    } cases[] = {{eeClick, 1, 0}, {eeDblClick, 0, 1}, {eeClick | eeDblClick, 1, 1}, {0, 0, 0}};
    for (const Case& c : cases) {
        field.SetEditEvents(c.events);
        Dialogs::ScopedModalHandler handler(Answer(false));
        opened = clicks = dblClicks = 0;
        field.ChangeItem()->trigger();
        field.setFocus();
        QTest::keyClick(&field, Qt::Key_Space);
        EXPECT_EQ(clicks, 2) << "menu entry and Space fire OnClick always";
        EXPECT_EQ(opened, 2 * c.byClick) << int(c.events);
        opened = 0;
        DoubleClick(&field, QPoint(5, 5));
        EXPECT_EQ(dblClicks, 1);
        EXPECT_EQ(clicks, 3) << "the first press and release of a double click is a click";
        EXPECT_EQ(opened, c.byClick + c.byDouble) << int(c.events);
    }
}

TEST_F(ColorField, MenuInvertsAndRoundsWithChangeButCodeDoesNot) {
    field.SetCurrentColor(RGBColor(25, 76, 229));
    EXPECT_EQ(changes, 0) << "setting from code fires nothing";
    field.WebSafeItem()->trigger();
    EXPECT_EQ(field.CurrentColor(), RGBColor(51, 102, 255));
    field.InvertItem()->trigger();
    EXPECT_EQ(field.CurrentColor(), RGBColor(204, 153, 0));
    EXPECT_EQ(changes, 2);
}

TEST(ColorContainer, LabelColorByMode) {
    struct Case {
        TFontColorMode mode;
        TColor color, label;
    } cases[] = {
        {fcmBlackOrWhite, RGBColor(128, 128, 128), clBlack},
        {fcmBlackOrWhite, RGBColor(127, 128, 128), clWhite},
        {fcmInverted, RGBColor(0, 100, 255), RGBColor(255, 155, 0)},
        {fcmAllwaysWhite, clWhite, clWhite},
        {fcmAllwaysBlack, clBlack, clBlack},
    };
    for (const Case& c : cases) {
        TColorContainer field;
        field.SetFontColorMode(c.mode);
        field.SetCurrentColor(c.color);
        EXPECT_EQ(field.LabelColor(), c.label) << int(c.mode) << " " << c.color;
    }
}

TEST(ColorContainer, PaintsItsColorOrTheButtonFaceWhenDisabled) {
    TColorContainer field;
    field.resize(60, 24);
    field.SetUseLabel(true);
    field.SetCurrentColor(RGBColor(200, 10, 10));
    EXPECT_EQ(Centre(field), QColor(200, 10, 10));
    field.setEnabled(false);
    EXPECT_EQ(field.FaceColor(), clBtnFace);
    EXPECT_EQ(Centre(field), ToQColor(clBtnFace));
    EXPECT_EQ(field.LabelColor(),
              FromQColor(field.palette().color(QPalette::Disabled, QPalette::WindowText)));
}
