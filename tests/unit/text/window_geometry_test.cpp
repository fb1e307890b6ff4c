#include "window_geometry.h"

#include <gtest/gtest.h>

TEST(WindowGeometryTest, OnlyPointsStrictlyInsideCount) {
    const WindowRect clip{274, 62, 434, 104};
    EXPECT_TRUE(IsStrictlyInside(clip, {275, 63}));
    EXPECT_TRUE(IsStrictlyInside(clip, {433, 103}));
    for (WindowPoint edge : {WindowPoint{274, 80}, WindowPoint{434, 80}, WindowPoint{300, 62}, WindowPoint{300, 104}})
        EXPECT_FALSE(IsStrictlyInside(clip, edge)) << edge.x << "," << edge.y;
}

TEST(WindowGeometryTest, IconIsCentredRoundingHalvesUp) {
    struct Case { long width, height, x, y; };
    // The last: a client area smaller than the icon (a minimised window) divides towards zero.
    for (const Case c : {Case{100, 50, 34, 9}, Case{101, 51, 35, 10}, Case{32, 32, 0, 0}, Case{0, 1, -15, -15}}) {
        const WindowPoint origin = CenteredIconOrigin(c.width, c.height, 32, 32);
        EXPECT_EQ(origin.x, c.x) << c.width;
        EXPECT_EQ(origin.y, c.y) << c.height;
    }
}
