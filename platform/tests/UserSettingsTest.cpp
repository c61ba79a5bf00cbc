// The per-user settings store: one profile file per application under $XDG_CONFIG_HOME.
#include "platform/UserSettings.h"

#include "TestFolder.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(UserSettings, LiveInOneFilePerApplicationUnderTheConfigFolder) {
    test::TTempFolder dir("usersettings");
    const std::string config = dir.File("config/");
    ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    EXPECT_EQ(GetSetting("App", "Settings", "Key", "7"), "7");
    SaveSetting("App", "Settings", "Key", " 12 ");
    SaveSetting("App", "Settings", "Other", "x");
    SaveSetting("App", "Settings", "Key", "13");
    EXPECT_EQ(UserSettingsFile("App"), dir.File("config") + "/App.ini");
    EXPECT_EQ(GetSetting("App", "settings", "KEY", "7"), "13");
    EXPECT_EQ(test::TTempFolder::Read(UserSettingsFile("App")), "[Settings]\nKey=13\nOther=x\n");
    EXPECT_EQ(GetSetting("Another", "Settings", "Key", "d"), "d");
    ::unsetenv("XDG_CONFIG_HOME");
}

} // namespace
} // namespace platform
