#include "controls/HexColorDialog.h"
#include "MouseSupport.h"
#include "TestSupport.h"
#include "controls/ColorBrightness.h"
#include "controls/ColorMap.h"
#include "controls/HexColorWin.h"
#include "controls/IntegerEdit.h"
#include "controls/WebSafePal.h"
#include "platform/Dialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QByteArray ReadCustomFile() {
    QFile file(Thexcolor::CustomColorsFile());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void WriteCustomFile(const QByteArray& bytes) {
    QFile file(Thexcolor::CustomColorsFile());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

QStringList Entries(const QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

QAction* ItemNamed(QMenu* menu, const QString& text, int skip = 0) {
    for (QAction* a : menu->actions())
        if (a->text() == text && skip-- == 0)
            return a;
    return nullptr;
}

// Every test starts with an empty custom colours file and an open dialog.
struct ColorDialog : ::testing::Test {
    void SetUp() override {
        QFile::remove(Thexcolor::CustomColorsFile());
        WriteCustomFile("");
        form = std::make_unique<Thexcolor>();
        form->show();
    }
    void Type(const QString& text) {
        form->vhex->setFocus();
        form->vhex->selectAll();
        QTest::keyClicks(form->vhex, text);
    }
    std::unique_ptr<Thexcolor> form;
};

} // namespace

TEST(ColorText, ReadsAndWrites) {
    struct Case {
        const char* text;
        std::optional<TColor> color;
    } cases[] = {
        {"#FF8000", RGBColor(255, 128, 0)},
        {"#ff8000", RGBColor(255, 128, 0)},
        {"#00aBcD", RGBColor(0, 0xAB, 0xCD)},
        {"FF8000", clBlack},
        {"#FF800", clBlack},
        {"", clBlack},
        {"#GG0000", std::nullopt},
        {"#12345 ", std::nullopt},
    };
    for (const Case& c : cases) {
        const QString text = QString::fromLatin1(c.text);
        EXPECT_EQ(HTMLToColor(text), c.color) << c.text;
        EXPECT_EQ(IsColorText(text), c.color && text.size() == 7) << c.text;
    }
    EXPECT_EQ(ColorToHTML(RGBColor(255, 128, 0)), QStringLiteral("#FF8000"));
    EXPECT_EQ(ColorToHTML(clSystemColor | RGBColor(1, 2, 0xAB)), QStringLiteral("#0102AB"));
}

TEST(HexColorDialog, EachWayOutAndWhatItHandsBack) {
    struct Case {
        const char* name;
        std::function<void(Thexcolor*)> act;
        bool result;
    } cases[] = {
        {"insert", [](Thexcolor* f) { f->btnInsert->click(); }, true},
        {"close", [](Thexcolor* f) { f->btnClose->click(); }, false},
        {"escape", [](Thexcolor* f) { QTest::keyClick(f, Qt::Key_Escape); }, false},
        {"enter", [](Thexcolor* f) { QTest::keyClick(f->vhex, Qt::Key_Return); }, true},
    };
    for (const Case& c : cases) {
        QFile::remove(Thexcolor::CustomColorsFile());
        THexColorDialog dialog;
        dialog.CurrentColor = RGBColor(1, 2, 3);
        dialog.Title = QStringLiteral("Ange färg");
        dialog.BtnCaption = QStringLiteral("&Välj");
        QString title, caption, shown;
        Dialogs::ScopedModalHandler handler([&](QDialog* d) {
            auto* f = dynamic_cast<Thexcolor*>(d);
            EXPECT_NE(f, nullptr);
            title = f->windowTitle();
            caption = f->btnInsert->text();
            shown = f->vhex->text();
            f->SetColor(RGBColor(10, 20, 30));
            f->SaveCustom->click();
            c.act(f);
            return f->result();
        });
        EXPECT_EQ(dialog.Execute(), c.result) << c.name;
        EXPECT_EQ(title, QStringLiteral("Ange färg"));
        EXPECT_EQ(caption, QStringLiteral("&Välj"));
        EXPECT_EQ(shown, QStringLiteral("#010203")) << "starts at CurrentColor";
        EXPECT_EQ(dialog.CurrentColor, c.result ? RGBColor(10, 20, 30) : RGBColor(1, 2, 3))
            << c.name;
        EXPECT_EQ(ReadCustomFile(), QByteArray("#0A141E\n")) << c.name << ": saved on any close";
    }
}

TEST_F(ColorDialog, LayoutAndStartingState) {
    EXPECT_EQ(form->size(), QSize(623, 501));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Färg"));
    EXPECT_TRUE(form->btnInsert->isDefault());
    EXPECT_EQ(form->vhex->text(), QStringLiteral("#000000"));
    EXPECT_EQ(form->OriginalValue->text(), QStringLiteral("#000000"));
    EXPECT_EQ(form->ColorBrightness->OriginalColor(), clRed);
    EXPECT_EQ(form->ColorMap->size(), QSize(488, 30));
    EXPECT_EQ(form->ColorBrightness->size(), QSize(488, 201));
    EXPECT_EQ(form->WebSafePal1->Cols(), 24);
    EXPECT_EQ(form->WebSafePal1->Rows(), 9);
    EXPECT_FALSE(form->Rendering->isVisible());
    EXPECT_FALSE(form->DelCustom->isEnabled());
    EXPECT_EQ(form->sRed->maximum(), 255);
    EXPECT_EQ(form->sRed->pageStep(), 51);
    EXPECT_EQ(form->vblue->maxLength(), 3);
    EXPECT_EQ(form->vhex->property("Hint").toString(),
              QStringLiteral("|Anger färgens hexadecimala kod."));
}

TEST_F(ColorDialog, TypedColorTextIsTakenWhenWholeAndShownUpperCase) {
    form->SetColor(RGBColor(1, 1, 1));
    Type(QStringLiteral("#ff80"));
    EXPECT_EQ(form->Color(), RGBColor(1, 1, 1)) << "half a colour text changes nothing";
    EXPECT_EQ(form->vhex->text(), QStringLiteral("#ff80")) << "and the typing is left alone";
    QTest::keyClicks(form->vhex, QStringLiteral("00"));
    EXPECT_EQ(form->Color(), RGBColor(255, 128, 0));
    EXPECT_EQ(form->vhex->text(), QStringLiteral("#FF8000"));
    EXPECT_EQ(form->vred->text(), QStringLiteral("255"));
    EXPECT_EQ(form->sGreen->value(), 128);

    Type(QStringLiteral("#GG0000"));
    EXPECT_EQ(form->Color(), RGBColor(255, 128, 0)) << "bad digits leave the colour";
}

TEST_F(ColorDialog, PastedLineBreaksAreRemoved) {
    for (const char* pasted : {"#00FF00\r\n", "#0000FF\n"}) {
        form->vhex->selectAll();
        form->vhex->insert(QString::fromLatin1(pasted));
        const QString expected = QString::fromLatin1(pasted).left(7);
        EXPECT_EQ(form->vhex->text(), expected);
        EXPECT_EQ(ColorToHTML(form->Color()), expected);
    }
    form->vhex->setText(QStringLiteral("#1\r\n2\r\n3"));
    EXPECT_EQ(form->vhex->text(), QStringLiteral("#123"));
}

TEST_F(ColorDialog, TrackBarsAndNumberFields) {
    form->sRed->setValue(200);
    form->sBlue->setValue(7);
    EXPECT_EQ(form->Color(), RGBColor(200, 0, 7));
    EXPECT_EQ(form->vred->text(), QStringLiteral("200"));
    EXPECT_EQ(form->vhex->text(), QStringLiteral("#C80007"));

    form->vgreen->setText(QStringLiteral("51"));
    EXPECT_EQ(form->Color(), RGBColor(200, 51, 7));
    EXPECT_EQ(form->sGreen->value(), 51);

    form->vred->clear();
    EXPECT_EQ(form->vred->text(), QStringLiteral("0")) << "an emptied field reads 0";
    EXPECT_EQ(form->Color(), RGBColor(0, 51, 7));
}

TEST_F(ColorDialog, InvertAndWebSafeRounding) {
    struct Case {
        TColor from;
        QAction* Thexcolor::*item;
        TColor to;
    } cases[] = {
        {RGBColor(25, 76, 127), &Thexcolor::WebSafeItem, RGBColor(51, 102, 153)},
        {RGBColor(24, 126, 229), &Thexcolor::WebSafeItem, RGBColor(0, 102, 255)},
        {RGBColor(178, 177, 255), &Thexcolor::WebSafeItem, RGBColor(204, 153, 255)},
        {RGBColor(0, 100, 255), &Thexcolor::InvertItem, RGBColor(255, 155, 0)},
    };
    for (const Case& c : cases) {
        form->SetColor(c.from);
        (form.get()->*c.item)->trigger();
        EXPECT_EQ(form->Color(), c.to);
        EXPECT_EQ(form->vhex->text(), ColorToHTML(c.to));
    }
    EXPECT_EQ(form->WebSafeItem->statusTip(),
              QStringLiteral("Avrundar färgens värden för rött, grönt och blått till det "
                             "närmaste webbsäkra värdet (33, 66, 99, CC, FF)."));
}

TEST_F(ColorDialog, AddingAndDeletingCustomColors) {
    form->SetColor(RGBColor(0x12, 0x34, 0x56));
    EXPECT_TRUE(form->SaveCustom->isEnabled());
    EXPECT_EQ(form->SaveCustom->text(), QStringLiteral("L&ägg till aktuell färg: #123456"));
    form->SaveCustom->click();
    EXPECT_EQ(Entries(form->CustomColors), QStringList{"#123456"});
    EXPECT_FALSE(form->SaveCustom->isEnabled());
    EXPECT_EQ(form->SaveCustom->text(), QStringLiteral("Den aktuella färgen är redan tillagd."));
    EXPECT_TRUE(form->DelCustom->isEnabled());
    EXPECT_TRUE(form->CustomColors->item(0)->isSelected());

    form->SetColor(clWhite);
    EXPECT_FALSE(form->DelCustom->isEnabled()) << "no entry selected for an unlisted colour";
    form->SaveCustom->click();

    // A click on an entry takes its colour and selects it.
    QListWidgetItem* first = form->CustomColors->item(0);
    form->CustomColors->setCurrentItem(first);
    emit form->CustomColors->itemClicked(first);
    EXPECT_EQ(form->Color(), RGBColor(0x12, 0x34, 0x56));
    EXPECT_TRUE(form->DelCustom->isEnabled());

    form->DelCustom->click();
    EXPECT_EQ(Entries(form->CustomColors), QStringList{"#FFFFFF"});
    EXPECT_TRUE(form->SaveCustom->isEnabled());
    EXPECT_EQ(form->SaveCustom->text(), QStringLiteral("L&ägg till aktuell färg: #123456"));
    EXPECT_FALSE(form->DelCustom->isEnabled());
}

TEST(HexColorCustomFile, RoundTripKeepsBadLinesAndLeavesTheColor) {
    WriteCustomFile("#112233\r\nnonsense\n\n#GG0000\n#aabbcc");
    {
        Thexcolor form;
        EXPECT_EQ(Entries(form.CustomColors),
                  (QStringList{"#112233", "nonsense", "#GG0000", "#aabbcc"}));
        form.SetColor(RGBColor(9, 9, 9));
        for (int row : {1, 2}) {
            QListWidgetItem* bad = form.CustomColors->item(row);
            form.CustomColors->setCurrentItem(bad);
            emit form.CustomColors->itemClicked(bad);
            EXPECT_EQ(form.Color(), RGBColor(9, 9, 9)) << "entry " << row << " is no colour";
            EXPECT_TRUE(form.DelCustom->isEnabled()) << "but it can be deleted";
        }
        QListWidgetItem* lower = form.CustomColors->item(3);
        form.CustomColors->setCurrentItem(lower);
        emit form.CustomColors->itemClicked(lower);
        EXPECT_EQ(form.Color(), RGBColor(0xAA, 0xBB, 0xCC));
        form.SaveCustomColors();
    }
    EXPECT_EQ(ReadCustomFile(), QByteArray("#112233\nnonsense\n#GG0000\n#aabbcc\n"));
}

namespace {

// Opens the dialog, saves the colour 010203 among the custom colours and closes it; returns
// what the custom list showed when the dialog opened.
QStringList SaveOneColourAndClose() {
    THexColorDialog dialog;
    QStringList shown;
    Dialogs::ScopedModalHandler handler([&](QDialog* d) {
        auto* f = dynamic_cast<Thexcolor*>(d);
        shown = Entries(f->CustomColors);
        f->SetColor(RGBColor(1, 2, 3));
        f->SaveCustom->click();
        f->btnClose->click();
        return f->result();
    });
    EXPECT_FALSE(dialog.Execute());
    return shown;
}

} // namespace

TEST(HexColorCustomFile, MissingFileShowsTheNoteWhichIsNeverWritten) {
    QFile::remove(Thexcolor::CustomColorsFile());
    EXPECT_EQ(SaveOneColourAndClose(), QStringList{"Det gick inte att öppna filen."});
    EXPECT_EQ(ReadCustomFile(), QByteArray("#010203\n"));
}

// A colours file that is there but cannot be read keeps what it is: the dialog shows the note
// and closes without writing, whatever was added meanwhile.
TEST(HexColorCustomFile, AFileThatCouldNotBeReadIsNeverWrittenOver) {
    QFile::remove(Thexcolor::CustomColorsFile());
    ASSERT_TRUE(MakeUnopenableFile(Thexcolor::CustomColorsFile()));
    EXPECT_EQ(SaveOneColourAndClose(), QStringList{"Det gick inte att öppna filen."});
    const QFileInfo after(Thexcolor::CustomColorsFile());
    EXPECT_TRUE(after.exists() && !after.isFile()) << "written over";
    QFile::remove(Thexcolor::CustomColorsFile());
}

TEST_F(ColorDialog, HuePresetsAndTheMap) {
    QAction* green = ItemNamed(form->HueMenu, QStringLiteral("&Grön"));
    ASSERT_NE(green, nullptr);
    green->trigger();
    EXPECT_EQ(form->ColorMap->CurrentPointX(), 146);
    EXPECT_EQ(form->HueValue->text(), QStringLiteral("147"));
    const TColor hue = form->ColorMap->CurrentColor();
    EXPECT_EQ(form->OriginalValue->text(), ColorToHTML(hue));
    EXPECT_EQ(form->ColorBrightness->OriginalColor(), hue);
    EXPECT_EQ(form->Color(), form->ColorBrightness->CurrentColor()) << "the map's report is taken";
    EXPECT_EQ(form->vhex->text(), ColorToHTML(form->Color()));

    // Brightness 100% is the middle column; its top row is the hue itself.
    ItemNamed(form->MapMenu, QStringLiteral("100%"))->trigger();
    ItemNamed(form->MapMenu, QStringLiteral("100%"), 1)->trigger();
    EXPECT_EQ(form->ColorBrightness->CurrentPointX(), 244);
    EXPECT_EQ(form->ColorBrightness->CurrentPointY(), 0);
    EXPECT_EQ(form->BrightnessValue->text(), QStringLiteral("244"));
    EXPECT_EQ(form->SaturationValue->text(), QStringLiteral("201"));

    // The far edges, which the map's bounds would refuse, pick the last column and row.
    ItemNamed(form->MapMenu, QStringLiteral("200%"))->trigger();
    EXPECT_EQ(form->ColorBrightness->CurrentPointX(), 487);
    ItemNamed(form->MapMenu, QStringLiteral("0%"), 1)->trigger();
    EXPECT_EQ(form->ColorBrightness->CurrentPointY(), 200);
    EXPECT_EQ(form->SaturationValue->text(), QStringLiteral("1"));
    ItemNamed(form->MapMenu, QStringLiteral("25%"), 1)->trigger();
    EXPECT_EQ(form->ColorBrightness->CurrentPointY(), 151);

    form->SetColor(RGBColor(10, 200, 30));
    form->MapOnColorItem->trigger();
    EXPECT_EQ(form->ColorBrightness->OriginalColor(), RGBColor(10, 200, 30));
    EXPECT_EQ(form->Color(), form->ColorBrightness->CurrentColor());
}

TEST_F(ColorDialog, WebPalettePickAndHover) {
    form->PageControl->setCurrentWidget(form->WebPage);
    const QRect cell = TWebSafePal::CellRect(40, form->WebSafePal1->size(), 24);
    Hover(form->WebSafePal1, cell.center());
    EXPECT_EQ(form->CurrentHover->text(), ColorToHTML(TWebSafePal::PaletteColor(40)));
    Hover(form->WebPage, QPoint(2, 290));
    EXPECT_TRUE(form->CurrentHover->text().isEmpty());

    Press(form->WebSafePal1, cell.center());
    Release(form->WebSafePal1, cell.center());
    EXPECT_EQ(form->Color(), TWebSafePal::PaletteColor(40));
}

TEST_F(ColorDialog, CopyAndTheSystemColorDialog) {
    form->SetColor(RGBColor(0xAB, 0xCD, 0xEF));
    form->btnCopy->click();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("#ABCDEF"));

    for (int answer : {int(QDialog::Rejected), int(QDialog::Accepted)}) {
        QColor started;
        Dialogs::ScopedModalHandler handler([&](QDialog* d) {
            auto* picker = qobject_cast<QColorDialog*>(d);
            EXPECT_NE(picker, nullptr);
            started = picker->currentColor();
            picker->setCurrentColor(QColor(1, 2, 3));
            return answer;
        });
        form->btnMore->click();
        EXPECT_EQ(started, QColor(0xAB, 0xCD, 0xEF));
        EXPECT_EQ(form->Color(), answer ? RGBColor(1, 2, 3) : RGBColor(0xAB, 0xCD, 0xEF));
        EXPECT_TRUE(form->isVisible());
    }
}
