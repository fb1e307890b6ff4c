#include "monitor/tray_animation.h"

#include "resource_ids.h"

namespace {

bool AnimationShouldEnd(MonitorState& state, DialogPort& dialog) {
    if (state.stopAnimation) return true;
    return state.animationFrame > kLastTimedFrame && !dialog.IsChecked(IDC_KEEP_ANIMATION);
}

void EndAnimation(MonitorState& state) {
    state.animating = false;
    state.animationFrame = 0;
    state.stopAnimation = false;
}

}  // namespace

void AdvanceTrayAnimation(MonitorState& state, DialogPort& dialog, TrayPort& tray) {
    if (!state.animating) return;
    TrayImage image = TrayImage::Normal;
    if (AnimationShouldEnd(state, dialog)) {
        EndAnimation(state);
    } else {
        image = state.animationFrame % 2 == 0 ? TrayImage::Alert : TrayImage::Normal;
        ++state.animationFrame;
    }
    tray.ShowTrayImage(image);
}

void StartTrayAnimation(MonitorState& state) {
    state.animating = true;
    state.stopAnimation = false;
}
