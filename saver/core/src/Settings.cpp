// Settings access on the platform's per-user store.
#include "saver/Settings.h"

#include "platform/UserSettings.h"
#include "saver/SettingsText.h"

namespace saver {
namespace {
constexpr const char* Application = "Frolicade";
constexpr const char* Section = "Settings";
} // namespace

std::string ReadSetting(const TSettingKey& key) {
    return platform::GetSetting(Application, Section, key.Name, key.Default);
}

void WriteSetting(const TSettingKey& key, std::string_view text) {
    platform::SaveSetting(Application, Section, key.Name, text);
}

double ReadSettingNumber(const TSettingKey& key) {
    return LeadingNumber(ReadSetting(key));
}

} // namespace saver
