// Shortcuts: what a Windows shell link describes, written as a desktop entry.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

struct TLinkData {
    // Which optional fields are written.
    static constexpr std::uint8_t kDescription = 1, kArguments = 2, kIcon = 4, kWorkDir = 8, kHotKey = 16,
                                  kShowCmd = 32;

    std::string Path;
    std::uint8_t Options = 0;
    std::string Description;
    std::string Arguments;
    std::string IconPath;
    int IconIndex = 0;
    std::string WorkDir;
    int ShowCmd = 1;
    std::uint16_t HotKey = 0;
};

// Writes the shortcut LinkFile (its extension becomes ".desktop") in one step, replacing any
// earlier one. Returns 0 on success and a negative status on failure.
int CreateShellLink(const std::string& LinkFile, const TLinkData& Data);

// The desktop entry's text for Data, with `name` as the entry's name.
std::string DesktopEntryText(const std::string& name, const TLinkData& Data);

} // namespace platform
