#pragma once

struct WindowRect {
    long left = 0;
    long top = 0;
    long right = 0;
    long bottom = 0;
};

struct WindowPoint {
    long x = 0;
    long y = 0;
};

// A point on the rectangle's edge is not inside: a click on a control's
// border line does not count as a click on the control.
bool IsStrictlyInside(const WindowRect& rect, WindowPoint point);

// Where a minimised window draws its icon in its client area.
WindowPoint CenteredIconOrigin(long clientWidth, long clientHeight, long iconWidth, long iconHeight);
