#include "window_geometry.h"

#include <gtest/gtest.h>

TEST(WindowGeometryTest, OnlyPointsStrictlyInsideCount) {
    const WindowRect clip{274, 62, 434, 104};
    EXPECT_TRUE(IsStrictlyInside(clip, {275, 63}));
    EXPECT_TRUE(IsStrictlyInside(clip, {433, 103}));
    for (WindowPoint edge : {WindowPoint{274, 80}, WindowPoint{434, 80}, WindowPoint{300, 62}, WindowPoint{300, 104}}) {
        EXPECT_FALSE(IsStrictlyInside(clip, edge)) << edge.x << "," << edge.y;
    }
}

TEST(WindowGeometryTest, IconIsCentredRoundingHalvesUp) {
    EXPECT_EQ(CenteredIconOrigin(100, 50, 32, 32).x, 34);
    EXPECT_EQ(CenteredIconOrigin(101, 51, 32, 32).y, 10);
    // A client area smaller than the icon (a minimised window) divides towards zero.
    EXPECT_EQ(CenteredIconOrigin(0, 0, 32, 32).x, -15);
}
