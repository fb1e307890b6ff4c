#include "window_geometry.h"

bool IsStrictlyInside(const WindowRect& rect, WindowPoint point) {
    return rect.left < point.x && point.x < rect.right && rect.top < point.y && point.y < rect.bottom;
}

WindowPoint CenteredIconOrigin(long clientWidth, long clientHeight, long iconWidth, long iconHeight) {
    return {(clientWidth - iconWidth + 1) / 2, (clientHeight - iconHeight + 1) / 2};
}
