// The per-user application settings store: text values addressed by application, section and key,
// kept in "$XDG_CONFIG_HOME/<application>.ini" (default "~/.config").
#pragma once

#include <string>
#include <string_view>

namespace platform {

// The file that holds one application's settings; its folder is created on the first write.
std::string UserSettingsFile(std::string_view application);

std::string GetSetting(std::string_view application, std::string_view section, std::string_view key,
                       std::string_view defaultValue);
// Raises EIniFileException when the store cannot be written.
void SaveSetting(std::string_view application, std::string_view section, std::string_view key,
                 std::string_view value);

} // namespace platform
