#include "controls/WebSafePal.h"

#include "MouseSupport.h"

#include <gtest/gtest.h>
#include <vector>

namespace {
TColor PixelAt(const QImage& image, int x, int y) {
    return FromQColor(QColor(image.pixel(x, y)));
}
} // namespace

TEST(WebSafePalTable, ColoursRunBlueFastestThenGreenThenRed) {
    const struct {
        int index;
        TColor color;
    } cases[] = {{0, clBlack},
                 {1, RGBColor(0, 0, 51)},
                 {5, RGBColor(0, 0, 255)},
                 {6, RGBColor(0, 51, 0)},
                 {36, RGBColor(51, 0, 0)},
                 {43, RGBColor(51, 51, 51)},
                 {180, RGBColor(255, 0, 0)},
                 {215, clWhite}};
    for (const auto& c : cases)
        EXPECT_EQ(TWebSafePal::PaletteColor(c.index), c.color) << c.index;
}

TEST(WebSafePalTable, PointsMapToCellsAndCellsToRectangles) {
    const QSize standard(326, 183), dialog(482, 263);
    EXPECT_EQ(TWebSafePal::CellSize(standard, 18), QSize(18, 15));
    EXPECT_EQ(TWebSafePal::CellSize(dialog, 24), QSize(20, 29));
    EXPECT_EQ(TWebSafePal::CellRect(19, standard, 18), QRect(19, 16, 18, 15));
    EXPECT_EQ(TWebSafePal::CellRect(215, dialog, 24), QRect(461, 233, 20, 29));
    const struct {
        QSize size;
        int cols;
        QPoint at;
        int cell;
    } cases[] = {
        {standard, 18, {1, 1}, 0},       {standard, 18, {18, 15}, 0},
        {standard, 18, {19, 1}, 1},      {standard, 18, {1, 16}, 18},
        {standard, 18, {324, 180}, 215}, {standard, 18, {324, 181}, -1},
        {standard, 18, {0, 5}, -1},      {dialog, 24, {480, 200}, 167},
        {{330, 183}, 18, {326, 5}, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TWebSafePal::CellAt(c.at, c.size, c.cols), c.cell) << c.at.x() << "," << c.at.y();
}

TEST(WebSafePal, PropertiesAndGridShape) {
    TWebSafePal pal;
    EXPECT_EQ(pal.size(), QSize(326, 183));
    EXPECT_EQ(pal.FrameStyle(), fsInset);
    EXPECT_EQ(pal.Cols(), 18);
    EXPECT_EQ(pal.Rows(), 12);
    pal.SetCols(24);
    EXPECT_EQ(pal.Rows(), 9);
    pal.SetCols(25);
    EXPECT_EQ(pal.Cols(), 24);
    pal.SetCols(0);
    EXPECT_EQ(pal.Cols(), 24);
    pal.SetRows(6);
    EXPECT_EQ(pal.Cols(), 36);
    pal.SetRows(7);
    EXPECT_EQ(pal.Rows(), 6);
}

TEST(WebSafePal, PaintsCellsAndTheFrameOfItsStyle) {
    TWebSafePal pal;
    pal.resize(482, 263);
    pal.SetCols(24);
    QImage face = pal.grab().toImage();
    const TColor shadow = ColorToRGB(clBtnShadow), light = ColorToRGB(clBtnHighlight);
    ASSERT_NE(shadow, light);
    EXPECT_EQ(PixelAt(face, 10, 0), shadow);
    EXPECT_EQ(PixelAt(face, 0, 10), shadow);
    EXPECT_EQ(PixelAt(face, 10, 262), light);
    EXPECT_EQ(PixelAt(face, 481, 10), light);
    EXPECT_EQ(PixelAt(face, 1, 1), clBlack);
    EXPECT_EQ(PixelAt(face, 21, 1), RGBColor(0, 0, 51));
    EXPECT_EQ(PixelAt(face, 470, 260), clWhite);
    pal.SetFrameStyle(fsOutset);
    face = pal.grab().toImage();
    EXPECT_EQ(PixelAt(face, 10, 0), light);
    EXPECT_EQ(PixelAt(face, 481, 10), shadow);
}

TEST(WebSafePal, HoverReportsOnlyTheColourUnderThePointer) {
    TWebSafePal pal;
    pal.show();
    std::vector<TColor> picked, over;
    pal.OnPicColor = [&](QObject*, TColor c) { picked.push_back(c); };
    pal.OnMouseOverColor = [&](QObject*, TColor c) { over.push_back(c); };

    Hover(&pal, QPoint(20, 2));
    Hover(&pal, QPoint(0, 2));
    EXPECT_TRUE(picked.empty());
    EXPECT_EQ(over, std::vector<TColor>{RGBColor(0, 0, 51)});

    Press(&pal, QPoint(2, 2));
    EXPECT_TRUE(pal.Dragging());
    EXPECT_EQ(pal.CursorClip(),
              QRect(pal.mapToGlobal(QPoint(1, 1)), pal.mapToGlobal(QPoint(324, 181))));
    Drag(&pal, QPoint(2, 17));
    EXPECT_EQ(picked, (std::vector<TColor>{clBlack, RGBColor(0, 153, 0)}));
    EXPECT_EQ(over.back(), RGBColor(0, 153, 0));

    Release(&pal, QPoint(2, 17));
    EXPECT_FALSE(pal.Dragging());
    EXPECT_EQ(pal.CursorClip(), QRect(QPoint(0, 0), pal.screen()->size()));
    Hover(&pal, QPoint(2, 2));
    EXPECT_EQ(picked.size(), 2u);
}

TEST(WebSafePal, PointBeyondTheLastCellSelectsNothing) {
    TWebSafePal pal;
    pal.resize(330, 183);
    pal.show();
    int events = 0;
    pal.OnPicColor = [&](QObject*, TColor) { ++events; };
    pal.OnMouseOverColor = [&](QObject*, TColor) { ++events; };
    Press(&pal, QPoint(326, 5));
    Drag(&pal, QPoint(327, 50));
    Hover(&pal, QPoint(326, 100));
    EXPECT_EQ(events, 0);
}
