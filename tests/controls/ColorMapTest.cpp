#include "controls/ColorMap.h"
#include "controls/ColorBrightness.h"
#include "controls/ColorMath.h"

#include "MouseSupport.h"

#include <QLineEdit>
#include <gtest/gtest.h>
#include <vector>

namespace {

TColor PixelAt(const QImage& image, int x, int y) {
    return FromQColor(QColor(image.pixel(x, y)));
}

QImage Face(QWidget& w) {
    return w.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

struct PointLog {
    struct Entry {
        QPoint Point;
        TColor Color;
    };
    std::vector<Entry> Entries;
    TPointChangeEvent Handler() {
        return [this](QObject*, QPoint p, TColor c) { Entries.push_back({p, c}); };
    }
};

} // namespace

TEST(ColorMapSpectrum, SegmentLengthAndStepFollowTheWidth) {
    const struct {
        int width, length, step;
    } cases[] = {{488, 81, 4}, {5, 1, 255}, {3, 1, 255},  {9, 2, 128},
                 {15, 2, 128}, {21, 4, 64}, {257, 43, 6}, {2000, 255, 1}};
    for (const auto& c : cases) {
        EXPECT_EQ(TColorMap::SegmentLength(c.width), c.length) << c.width;
        EXPECT_EQ(TColorMap::SegmentStep(c.width), c.step) << c.width;
    }
}

TEST(ColorMapSpectrum, ColumnsOfTheDialogsStrip) {
    const std::vector<TColor> columns = TColorMap::Spectrum(488);
    ASSERT_EQ(columns.size(), 487u);
    const struct {
        int x;
        TColor color;
    } cases[] = {{0, RGBColor(255, 4, 0)},
                 {62, RGBColor(255, 252, 0)},
                 {63, clYellow},
                 {70, clYellow},
                 {80, clYellow},
                 {81, RGBColor(251, 255, 0)},
                 {161, clLime},
                 {162, RGBColor(0, 255, 4)},
                 {242, clAqua},
                 {323, clBlue},
                 {404, clFuchsia},
                 {405, RGBColor(255, 0, 251)},
                 {467, RGBColor(255, 0, 3)},
                 {468, clRed},
                 {486, clRed}};
    for (const auto& c : cases)
        EXPECT_EQ(columns[static_cast<size_t>(c.x)], c.color) << c.x;
}

TEST(ColorMapSpectrum, NarrowStripJumpsAFullChannelPerLine) {
    const std::vector<TColor> expected = {clYellow,  clLime, clAqua, clBlue,
                                          clFuchsia, clRed,  clRed};
    EXPECT_EQ(TColorMap::Spectrum(5), expected);
}

TEST(ColorMap, PropertiesAtCreation) {
    TColorMap map;
    EXPECT_EQ(map.width(), 257);
    EXPECT_EQ(map.CurrentPointX(), 0);
    EXPECT_EQ(map.CurrentPointY(), 0);
    EXPECT_EQ(map.MapDimension(), md2D);
    EXPECT_EQ(map.CurrentPoint(), QPoint(1, 1));
    EXPECT_EQ(map.CurrentColor(), 0u);
    EXPECT_FALSE(map.Dragging());

    TColorBrightness brightness;
    EXPECT_EQ(brightness.width(), 257);
    EXPECT_EQ(brightness.MapDimension(), md1D);
    EXPECT_EQ(brightness.OriginalColor(), clRed);
    EXPECT_TRUE(brightness.SpeedUpdate());
}

TEST(ColorMap, PaintDrawsTheSpectrumAndFiresPaintEachPerLine) {
    TColorMap map;
    map.resize(488, 30);
    std::vector<TColor> painted;
    map.OnPaintEach = [&](QObject*, TColor c) { painted.push_back(c); };
    const QImage face = Face(map);
    EXPECT_EQ(painted.size(), 6u * 82u);
    EXPECT_EQ(painted.back(), clRed);
    EXPECT_EQ(PixelAt(face, 70, 20), clYellow);
    EXPECT_EQ(PixelAt(face, 486, 0), clRed);
    EXPECT_EQ(PixelAt(face, 487, 10), ColorToRGB(clBtnFace));
}

TEST(ColorMap, MarkerIsOneInvertedPixelIn2DAndAFullLineIn1D) {
    TColorMap map;
    map.resize(488, 30);
    const TColor column1 = TColorMap::Spectrum(488)[1];
    QImage face = Face(map);
    EXPECT_EQ(PixelAt(face, 1, 1), ColorMath::InverseColor(column1));
    EXPECT_EQ(PixelAt(face, 1, 2), column1);
    EXPECT_EQ(PixelAt(face, 1, 29), column1);

    map.SetMapDimension(md1D);
    face = Face(map);
    for (int y : {0, 1, 15, 29})
        EXPECT_EQ(PixelAt(face, 1, y), ColorMath::InverseColor(column1)) << y;
    EXPECT_EQ(PixelAt(face, 2, 15), TColorMap::Spectrum(488)[2]);
}

TEST(ColorMap, MovingTheMarkerRestoresTheOldPlace) {
    TColorMap map;
    map.resize(488, 30);
    Face(map);
    map.SetCurrentPointX(69);
    const QImage face = Face(map);
    EXPECT_EQ(PixelAt(face, 1, 1), TColorMap::Spectrum(488)[1]);
    EXPECT_EQ(PixelAt(face, 70, 1), ColorMath::InverseColor(clYellow));
}

TEST(ColorMap, CurrentPointSettersReportTheColourOrRefuse) {
    TColorMap map;
    map.resize(488, 30);
    PointLog log;
    map.OnPointChange = log.Handler();

    map.SetCurrentPointX(488);
    map.SetCurrentPointY(30);
    EXPECT_TRUE(log.Entries.empty());
    EXPECT_EQ(map.CurrentPointX(), 0);
    EXPECT_EQ(map.CurrentPoint(), QPoint(1, 1));

    map.SetCurrentPointX(69);
    ASSERT_EQ(log.Entries.size(), 1u);
    EXPECT_EQ(log.Entries[0].Point, QPoint(70, 1));
    EXPECT_EQ(log.Entries[0].Color, clYellow);
    EXPECT_EQ(map.CurrentPointX(), 69);

    map.SetCurrentPointY(10);
    ASSERT_EQ(log.Entries.size(), 2u);
    EXPECT_EQ(log.Entries[1].Point, QPoint(70, 11));
    EXPECT_EQ(log.Entries[1].Color, clYellow);
}

TEST(ColorMap, BrightnessAcceptsTheLastColumnAndPutsTheMarkerThere) {
    TColorBrightness map;
    map.resize(488, 201);
    PointLog log;
    map.OnPointChange = log.Handler();
    map.SetCurrentPointX(488);
    EXPECT_TRUE(log.Entries.empty());
    map.SetCurrentPointX(487);
    ASSERT_EQ(log.Entries.size(), 1u);
    EXPECT_EQ(log.Entries[0].Point, QPoint(487, 1));
    const QImage rendered = TColorBrightness::Render(clRed, 488, 201);
    EXPECT_EQ(log.Entries[0].Color, PixelAt(rendered, 487, 1));
    const QImage face = Face(map);
    EXPECT_EQ(PixelAt(face, 487, 100), ColorMath::InverseColor(PixelAt(rendered, 487, 100)));
    EXPECT_EQ(PixelAt(face, 1, 100), PixelAt(rendered, 1, 100));
}

TEST(ColorMap, ClickOnTheMarkerReportsTheMapsOwnColour) {
    TColorMap map;
    map.resize(488, 30);
    map.show();
    PointLog log;
    map.OnPointChange = log.Handler();
    const TColor column1 = TColorMap::Spectrum(488)[1];
    Press(&map, QPoint(1, 1));
    Release(&map, QPoint(1, 1));
    Press(&map, QPoint(1, 1));
    Release(&map, QPoint(1, 1));
    ASSERT_EQ(log.Entries.size(), 2u);
    EXPECT_EQ(log.Entries[0].Color, column1);
    EXPECT_EQ(log.Entries[1].Color, column1);
    EXPECT_EQ(PixelAt(Face(map), 1, 1), ColorMath::InverseColor(column1));

    TColorBrightness brightness;
    brightness.resize(488, 201);
    brightness.SetMapDimension(md2D);
    brightness.show();
    brightness.OnPointChange = log.Handler();
    Press(&brightness, QPoint(1, 1));
    EXPECT_EQ(log.Entries.back().Color, PixelAt(TColorBrightness::Render(clRed, 488, 201), 1, 1));
}

TEST(ColorMap, DragHoldsThePointerInsideUntilTheRelease) {
    TColorMap map;
    map.resize(488, 30);
    map.show();
    PointLog log;
    map.OnPointChange = log.Handler();

    Drag(&map, QPoint(70, 5));
    EXPECT_TRUE(log.Entries.empty()) << "moves without a press report nothing";

    Press(&map, QPoint(10, 5));
    EXPECT_TRUE(map.Dragging());
    EXPECT_EQ(map.CursorClip(), QRect(map.mapToGlobal(QPoint(0, 0)), QSize(487, 30)));
    Drag(&map, QPoint(70, 5));
    Drag(&map, QPoint(700, -40));
    ASSERT_EQ(log.Entries.size(), 3u);
    EXPECT_EQ(log.Entries[1].Color, clYellow);
    EXPECT_EQ(log.Entries[2].Point, QPoint(486, 0));
    EXPECT_EQ(log.Entries[2].Color, clRed);

    Release(&map, QPoint(486, 0));
    EXPECT_FALSE(map.Dragging());
    EXPECT_EQ(map.CursorClip(), QRect(QPoint(0, 0), map.screen()->size()));
    Drag(&map, QPoint(70, 5));
    EXPECT_EQ(log.Entries.size(), 3u);

    TColorBrightness brightness;
    brightness.resize(488, 201);
    brightness.show();
    Press(&brightness, QPoint(5, 5));
    EXPECT_EQ(brightness.CursorClip().size(), QSize(486, 201));
}

TEST(ColorMap, OnlyTheHueStripTakesTheFocusOnAPress) {
    QWidget form;
    auto* edit = new QLineEdit(&form);
    auto* map = new TColorMap(&form);
    auto* brightness = new TColorBrightness(&form);
    map->move(0, 40);
    brightness->move(0, 80);
    form.show();
    edit->setFocus();
    Press(brightness, QPoint(5, 5));
    EXPECT_EQ(form.focusWidget(), edit);
    Press(map, QPoint(5, 5), Qt::RightButton);
    EXPECT_EQ(form.focusWidget(), map);
    EXPECT_FALSE(map->Dragging());
}

TEST(ColorBrightnessRender, PixelsFadeFromBlackThroughTheColourToWhiteAndDownToGrey) {
    const QImage red = TColorBrightness::Render(clRed, 488, 201);
    const QImage green = TColorBrightness::Render(clLime, 488, 201);
    const struct {
        const QImage* image;
        int x, y;
        TColor color;
    } cases[] = {
        {&red, 0, 0, clBlack},
        {&red, 61, 0, RGBColor(64, 0, 0)},
        {&red, 244, 0, clRed},
        {&red, 487, 0, RGBColor(255, 254, 254)},
        {&red, 0, 200, RGBColor(126, 126, 126)},
        {&red, 244, 100, RGBColor(191, 63, 63)},
        {&red, 244, 200, RGBColor(128, 126, 126)},
        {&green, 61, 0, RGBColor(0, 64, 0)},
        {&green, 244, 0, clLime},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PixelAt(*c.image, c.x, c.y), c.color) << c.x << "," << c.y;
}

TEST(ColorBrightness, NewOriginalColourRendersAndReportsTheMarkersColour) {
    TColorBrightness map;
    map.resize(488, 201);
    std::vector<QString> events;
    map.OnBeginRender = [&](QObject*) { events.push_back(QStringLiteral("begin")); };
    map.OnDoneRender = [&](QObject*) { events.push_back(QStringLiteral("done")); };
    map.OnPaintEach = [&](QObject*, TColor) { events.push_back(QStringLiteral("each")); };
    TColor reported = 0;
    map.OnPointChange = [&](QObject*, QPoint, TColor c) {
        events.push_back(QStringLiteral("point"));
        reported = c;
    };
    map.SetCurrentPointX(244);
    events.clear();
    map.SetOriginalColor(clBlue);
    EXPECT_EQ(events, (std::vector<QString>{"begin", "done", "point"}));
    EXPECT_EQ(reported, PixelAt(TColorBrightness::Render(clBlue, 488, 201), 244, 1));

    events.clear();
    const QImage face = Face(map);
    EXPECT_TRUE(events.empty()) << "a paint after the render draws no new map";
    EXPECT_EQ(PixelAt(face, 244, 0), ColorMath::InverseColor(clBlue));
    EXPECT_EQ(PixelAt(face, 245, 0), PixelAt(TColorBrightness::Render(clBlue, 488, 201), 245, 0));
}
