// The pointer's show/hide counter: the pointer is visible while the count is 0 or more. The GUI
// installs a handler that hides or shows the real pointer when visibility changes.
#pragma once

#include <functional>

namespace platform {

// Adds one to the count (show) or takes one away (hide) and returns the new count.
int ShowCursor(bool show);
int CursorDisplayCount();
void SetCursorVisibilityHandler(std::function<void(bool visible)> handler);

} // namespace platform
