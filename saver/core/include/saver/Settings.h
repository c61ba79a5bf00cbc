// The saver's settings: application "Frolicade", section "Settings" of the per-user store.
#pragma once

#include <string>
#include <string_view>

namespace saver {

struct TSettingKey {
    const char* Name;
    const char* Default;
};

namespace Setting {
inline constexpr TSettingKey Audio{"Audio", "1"};
inline constexpr TSettingKey BG{"BG", "0"};
inline constexpr TSettingKey BG_Color{"BG_Color", "13408512"};
inline constexpr TSettingKey BG_ColorStart{"BG_ColorStart", "16777215"};
inline constexpr TSettingKey BG_ColorEnd{"BG_ColorEnd", "13408512"};
inline constexpr TSettingKey Bopplers{"Bopplers", "50"};
inline constexpr TSettingKey AutoPop{"AutoPop", "0"};
inline constexpr TSettingKey Clock{"Clock", "0"};
} // namespace Setting

// The stored text, or the key's default when it is missing.
std::string ReadSetting(const TSettingKey& key);
void WriteSetting(const TSettingKey& key, std::string_view text);

// The number of the setting (its leading decimal number).
double ReadSettingNumber(const TSettingKey& key);

} // namespace saver
