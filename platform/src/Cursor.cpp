// The process-wide pointer counter; it starts at 0, visible, as on a desktop with a mouse.
#include "platform/Cursor.h"

namespace platform {
namespace {

int displayCount = 0;
std::function<void(bool)>& Handler() {
    static std::function<void(bool)> handler;
    return handler;
}

} // namespace

int ShowCursor(bool show) {
    const bool wasVisible = displayCount >= 0;
    displayCount += show ? 1 : -1;
    const bool visible = displayCount >= 0;
    if (visible != wasVisible && Handler()) Handler()(visible);
    return displayCount;
}

int CursorDisplayCount() {
    return displayCount;
}

void SetCursorVisibilityHandler(std::function<void(bool)> handler) {
    Handler() = std::move(handler);
}

} // namespace platform
