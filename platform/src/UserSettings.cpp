// The per-user settings store on top of the profile file reader and writer.
#include "platform/UserSettings.h"

#include "platform/IniFile.h"

#include <cstdlib>
#include <filesystem>

namespace platform {
namespace {

std::filesystem::path ConfigFolder() {
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config) return config;
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home && *home ? home : ".") / ".config";
}

} // namespace

std::string UserSettingsFile(std::string_view application) {
    return (ConfigFolder() / (std::string(application) + ".ini")).string();
}

std::string GetSetting(std::string_view application, std::string_view section, std::string_view key,
                       std::string_view defaultValue) {
    return TIniFile(UserSettingsFile(application)).ReadString(section, key, defaultValue);
}

void SaveSetting(std::string_view application, std::string_view section, std::string_view key,
                 std::string_view value) {
    std::error_code ignored; // a folder that cannot be made shows up as a write error below
    std::filesystem::create_directories(ConfigFolder(), ignored);
    TIniFile(UserSettingsFile(application)).WriteString(section, key, value);
}

} // namespace platform
