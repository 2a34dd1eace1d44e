#include "controls/CaptionGroup.h"
#include "controls/GradientControl.h"
#include "controls/PanelCaption.h"

#include <gtest/gtest.h>

namespace {
TColor PixelAt(const QImage& image, int x, int y) {
    return FromQColor(QColor(image.pixel(x, y)));
}
} // namespace

TEST(GradientControl, PropertiesAtCreationAndSystemColoursResolved) {
    TGradientControl g;
    EXPECT_EQ(g.Color1(), clBlack);
    EXPECT_EQ(g.Color2(), clWhite);
    EXPECT_EQ(g.GradientDirection(), gdHorizontal);
    EXPECT_TRUE(g.Caption().isEmpty());
    EXPECT_TRUE(g.FontName().isEmpty());
    EXPECT_EQ(g.FontSize(), 0);
    EXPECT_EQ(g.FontColor(), clBlack);
    EXPECT_EQ(g.BorderWidth(), 0);
    EXPECT_EQ(g.BorderColor(), clBlack);
    g.SetColor1(clBtnFace);
    g.SetColor2(clBtnShadow);
    EXPECT_EQ(g.Color1(), ColorToRGB(clBtnFace));
    EXPECT_EQ(g.Color2(), ColorToRGB(clBtnShadow));
}

TEST(GradientControl, LineColoursRunFromTheFirstToTheSecondColour) {
    const struct {
        TColor c1, c2;
        int i, n;
        TColor color;
    } cases[] = {
        {clBlack, RGBColor(68, 68, 68), 0, 23, clBlack},
        {clBlack, RGBColor(68, 68, 68), 23, 23, RGBColor(68, 68, 68)},
        {clBlack, RGBColor(68, 68, 68), 11, 23, RGBColor(33, 33, 33)},
        {clBlack, clWhite, 1, 2, RGBColor(128, 128, 128)},
        {clRed, clBlue, 1, 4, RGBColor(191, 0, 64)},
        {clWhite, clBlack, 1, 0, clWhite},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TGradientControl::GradientColor(c.c1, c.c2, c.i, c.n), c.color) << c.i;
}

TEST(GradientControl, PaintsGradientBorderAndCaption) {
    TGradientControl g;
    g.resize(100, 20);
    g.SetColor1(clRed);
    g.SetColor2(clBlue);
    g.SetBorderWidth(1);
    g.SetBorderColor(clLime);
    const QImage face = g.grab().toImage();
    EXPECT_EQ(PixelAt(face, 0, 10), clLime);
    EXPECT_EQ(PixelAt(face, 99, 10), clLime);
    EXPECT_EQ(PixelAt(face, 50, 19), clLime);
    EXPECT_EQ(PixelAt(face, 1, 10), TGradientControl::GradientColor(clRed, clBlue, 1, 100));
    EXPECT_EQ(PixelAt(face, 50, 10), TGradientControl::GradientColor(clRed, clBlue, 50, 100));
}

TEST(PanelCaption, HeadingBarAtCreation) {
    TPanelCaption bar;
    EXPECT_EQ(bar.height(), 23);
    EXPECT_EQ(bar.frameStyle(), QFrame::NoFrame);
    EXPECT_TRUE(bar.font().bold());
    EXPECT_EQ(bar.font().pointSize(), 8);
    const TGradientControl* g = bar.Gradient();
    EXPECT_EQ(g->Color1(), clBlack);
    EXPECT_EQ(g->Color2(), RGBColor(68, 68, 68));
    EXPECT_EQ(g->GradientDirection(), gdVertical);
    EXPECT_EQ(g->FontName(), QStringLiteral("Tahoma"));
    EXPECT_EQ(g->FontSize(), 10);
    EXPECT_EQ(g->FontColor(), clWhite);
    EXPECT_EQ(g->BorderWidth(), 1);
    EXPECT_EQ(g->BorderColor(), clBlack);
    bar.SetCaptionText(QStringLiteral("Bokmärken"));
    EXPECT_EQ(g->Caption(), QStringLiteral("Bokmärken"));
    bar.resize(200, 23);
    bar.grab();
    EXPECT_EQ(g->geometry(), bar.rect());
}

TEST(PanelCaption, ShowsAFadeFrameAndWhiteTextFromTheLeft) {
    TPanelCaption bar;
    bar.resize(200, 23);
    bar.SetCaptionText(QStringLiteral("WWWW"));
    bar.setFrameStyle(QFrame::Box);
    const QImage face = bar.grab().toImage();
    EXPECT_EQ(bar.frameStyle(), QFrame::NoFrame) << "painting takes away any frame";
    EXPECT_EQ(PixelAt(face, 190, 0), clBlack);
    EXPECT_EQ(PixelAt(face, 190, 22), clBlack);
    EXPECT_EQ(PixelAt(face, 190, 21),
              TGradientControl::GradientColor(clBlack, RGBColor(68, 68, 68), 21, 23));
    bool whiteText = false, whiteBeforeText = false;
    for (int y = 0; y < 23; ++y) {
        for (int x = 0; x < 200; ++x) {
            const TColor c = PixelAt(face, x, y);
            if (c == clWhite)
                (x < 12 ? whiteBeforeText : whiteText) = true;
        }
    }
    EXPECT_TRUE(whiteText);
    EXPECT_FALSE(whiteBeforeText);
}

TEST(CaptionGroup, HeadingBarKeepsTheGroupsWidthAndTheTitleStaysEmpty) {
    TCaptionGroup group;
    group.resize(300, 120);
    group.SetCaptionText(QStringLiteral("Tabellegenskaper"));
    EXPECT_EQ(group.Caption()->geometry(), QRect(0, 0, 300, 23));
    EXPECT_EQ(group.Caption()->CaptionText(), QStringLiteral("Tabellegenskaper"));
    EXPECT_TRUE(group.title().isEmpty());
    group.setTitle(QStringLiteral("annat"));
    group.resize(420, 120);
    group.grab();
    EXPECT_EQ(group.Caption()->width(), 420);
    EXPECT_TRUE(group.title().isEmpty());
}
