#include "monitor/tray_animation.h"

#include <gtest/gtest.h>

#include "resource_ids.h"
#include "support/fake_dialog.h"
#include "support/recording_tray.h"

namespace {

// Ticks until the icon rests, or -1 after `limit`.
int TicksUntilIdle(MonitorState& state, FakeDialog& dialog, RecordingTray& tray, int limit) {
    for (int tick = 1; tick <= limit; ++tick) {
        AdvanceTrayAnimation(state, dialog, tray);
        if (!state.animating) return tick;
    }
    return -1;
}

}  // namespace

TEST(TrayAnimation, EndsAfterThirtyOneFramesOrWithKeepAnimationAtAClick) {
    MonitorState state;
    FakeDialog dialog;
    RecordingTray tray;
    StartTrayAnimation(state);
    EXPECT_EQ(TicksUntilIdle(state, dialog, tray, 100), 32);
    ASSERT_EQ(tray.images.size(), 32u);
    for (std::size_t frame = 0; frame < 32; ++frame) {
        EXPECT_EQ(tray.images[frame], frame % 2 == 0 && frame < 31 ? TrayImage::Alert : TrayImage::Normal) << frame;
    }

    dialog.SetChecked(IDC_KEEP_ANIMATION, true);
    StartTrayAnimation(state);
    EXPECT_EQ(TicksUntilIdle(state, dialog, tray, 200), -1);
    state.stopAnimation = true;
    EXPECT_EQ(TicksUntilIdle(state, dialog, tray, 1), 1);
    EXPECT_EQ(tray.images.back(), TrayImage::Normal);
    EXPECT_FALSE(state.stopAnimation);
}
