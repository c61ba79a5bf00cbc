// The "screen saver running" flag. While it is set the saver window holds the keyboard and mouse;
// the GUI installs a handler that grabs and releases them.
#pragma once

#include <functional>

namespace platform {

// Sets the flag and returns its previous state.
bool SetScreenSaverRunning(bool running);
bool IsScreenSaverRunning();
void SetScreenSaverRunningHandler(std::function<void(bool running)> handler);

} // namespace platform
