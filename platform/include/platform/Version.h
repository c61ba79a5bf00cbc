// The operating-system family as the programs ask for it. Linux reports the NT family: screen-saver
// passwords are the system locker's business, not the saver's.
#pragma once

namespace platform {

constexpr int VER_PLATFORM_WIN32_WINDOWS = 1;
constexpr int VER_PLATFORM_WIN32_NT = 2;

constexpr int PlatformId() {
    return VER_PLATFORM_WIN32_NT;
}

} // namespace platform
