#include "controls/ColorMath.h"

#include <gtest/gtest.h>

using namespace ColorMath;

TEST(ColorMath, WebSafeChannelRoundsToTheNearestStep) {
    const struct {
        int in, out;
    } cases[] = {{0, 0},     {24, 0},    {25, 51},   {51, 51},   {75, 51},   {76, 102}, {126, 102},
                 {127, 153}, {177, 153}, {178, 204}, {228, 204}, {229, 255}, {255, 255}};
    for (const auto& c : cases)
        EXPECT_EQ(WebSafeChannel(c.in), c.out) << c.in;
}

TEST(ColorMath, WebSafeColorRoundsEachChannelInPlace) {
    EXPECT_EQ(WebSafeColor(RGBColor(24, 25, 229)), RGBColor(0, 51, 255));
    EXPECT_EQ(WebSafeColor(RGBColor(200, 100, 130)), RGBColor(204, 102, 153));
    EXPECT_EQ(WebSafeColor(clWhite), clWhite);
}

TEST(ColorMath, InverseTakesEachChannelFrom255) {
    const struct {
        TColor in, out;
    } cases[] = {{clBlack, clWhite},
                 {clRed, clAqua},
                 {RGBColor(1, 128, 254), RGBColor(254, 127, 1)},
                 {RGBColor(68, 68, 68), RGBColor(187, 187, 187)}};
    for (const auto& c : cases) {
        EXPECT_EQ(InverseColor(c.in), c.out);
        EXPECT_EQ(InverseColor(c.out), c.in);
    }
}

TEST(ColorMath, RoundingTakesHalvesToEven) {
    EXPECT_EQ(RoundHalfEven(80.5), 80);
    EXPECT_EQ(RoundHalfEven(81.5), 82);
    EXPECT_EQ(RoundHalfEven(81.3333), 81);
    EXPECT_EQ(RoundHalfEven(0.5), 0);
}
