#include "alerts/tray_animation.h"

#include <gtest/gtest.h>

#include "support/recording_tray.h"

namespace {

// Ticks until the icon rests, or -1 after `limit`.
int TicksUntilIdle(TrayAnimation& animation, bool keepGoing, int limit) {
    for (int tick = 1; tick <= limit; ++tick) {
        animation.Advance(keepGoing);
        if (!animation.Running()) return tick;
    }
    return -1;
}

}  // namespace

TEST(TrayAnimation, EndsAfterThirtyOneFramesOrWithKeepAnimationAtAClick) {
    RecordingTray tray;
    TrayAnimation animation(tray);
    animation.Start();
    EXPECT_EQ(TicksUntilIdle(animation, false, 100), 32);
    ASSERT_EQ(tray.images.size(), 32u);
    for (std::size_t frame = 0; frame < 32; ++frame) {
        EXPECT_EQ(tray.images[frame], frame % 2 == 0 && frame < 31 ? TrayImage::Alert : TrayImage::Watching) << frame;
    }

    // A click before the alert is forgotten by it.
    animation.Stop();
    animation.Start();
    EXPECT_EQ(TicksUntilIdle(animation, true, 200), -1);
    animation.Stop();
    EXPECT_EQ(TicksUntilIdle(animation, true, 1), 1);
    EXPECT_EQ(tray.images.back(), TrayImage::Watching);
}
