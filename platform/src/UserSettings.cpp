// The per-user settings store on top of the profile file reader and writer.
#include "platform/UserSettings.h"

#include "platform/Folders.h"
#include "platform/ProfileFile.h"

#include <filesystem>

namespace platform {
namespace {

std::string SettingsFolder() {
    const std::string config = ConfigHome();
    return config.empty() ? std::string(".") : config;
}

} // namespace

std::string UserSettingsFile(std::string_view application) {
    return SettingsFolder() + "/" + std::string(application) + ".ini";
}

std::string GetSetting(std::string_view application, std::string_view section, std::string_view key,
                       std::string_view defaultValue) {
    return TIniFile(UserSettingsFile(application)).ReadString(section, key, defaultValue);
}

void SaveSetting(std::string_view application, std::string_view section, std::string_view key,
                 std::string_view value) {
    std::error_code ignored; // a folder that cannot be made shows up as a write error below
    std::filesystem::create_directories(SettingsFolder(), ignored);
    TIniFile(UserSettingsFile(application)).WriteString(section, key, value);
}

} // namespace platform
