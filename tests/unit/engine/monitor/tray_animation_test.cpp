#include <gtest/gtest.h>

#include <vector>

#include "resource_ids.h"
#include "support/fake_dialog.h"
#include "support/recording_tray.h"
#include "monitor/tray_animation.h"

namespace {

class TrayAnimationTest : public ::testing::Test {
protected:
    int TicksUntilIdle(int limit) {
        for (int tick = 1; tick <= limit; ++tick) {
            AdvanceTrayAnimation(state, dialog, tray);
            if (!state.animating) return tick;
        }
        return -1;
    }
    MonitorState state;
    FakeDialog dialog;
    RecordingTray tray;
};

}  // namespace

TEST_F(TrayAnimationTest, EndsByItselfAfterThirtyOneFrames) {
    StartTrayAnimation(state);
    EXPECT_EQ(TicksUntilIdle(100), 32);
    ASSERT_EQ(tray.images.size(), 32u);
    for (std::size_t frame = 0; frame < 31; ++frame) {
        EXPECT_EQ(tray.images[frame], frame % 2 == 0 ? TrayImage::Alert : TrayImage::Normal) << frame;
    }
    EXPECT_EQ(tray.images.back(), TrayImage::Normal);
    EXPECT_EQ(state.animationFrame, 0);
}

TEST_F(TrayAnimationTest, KeepAnimationRunsUntilAClick) {
    dialog.SetChecked(IDC_KEEP_ANIMATION, true);
    StartTrayAnimation(state);
    EXPECT_EQ(TicksUntilIdle(200), -1);
    state.stopAnimation = true;
    EXPECT_EQ(TicksUntilIdle(1), 1);
    EXPECT_EQ(tray.images.back(), TrayImage::Normal);
    EXPECT_FALSE(state.stopAnimation);
    // A click while nothing blinks leaves the icon alone.
    const std::size_t images = tray.images.size();
    state.stopAnimation = true;
    AdvanceTrayAnimation(state, dialog, tray);
    EXPECT_EQ(tray.images.size(), images);
    EXPECT_TRUE(state.stopAnimation);  // cleared only by the next alert
}

TEST_F(TrayAnimationTest, NewIntrusionDoesNotLengthenARunningAnimation) {
    StartTrayAnimation(state);
    for (int tick = 0; tick < 20; ++tick) AdvanceTrayAnimation(state, dialog, tray);
    state.stopAnimation = true;  // a click that the new alert cancels
    StartTrayAnimation(state);
    EXPECT_EQ(state.animationFrame, 20);
    EXPECT_EQ(TicksUntilIdle(100), 12);
}
