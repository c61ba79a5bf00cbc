// The process-wide saver-running flag with its change handler.
#include "platform/ScreenSaverFlag.h"

namespace platform {
namespace {

bool saverRunning = false;
std::function<void(bool)>& Handler() {
    static std::function<void(bool)> handler;
    return handler;
}

} // namespace

bool SetScreenSaverRunning(bool running) {
    const bool previous = saverRunning;
    saverRunning = running;
    if (previous != running && Handler()) Handler()(running);
    return previous;
}

bool IsScreenSaverRunning() {
    return saverRunning;
}

void SetScreenSaverRunningHandler(std::function<void(bool)> handler) {
    Handler() = std::move(handler);
}

} // namespace platform
