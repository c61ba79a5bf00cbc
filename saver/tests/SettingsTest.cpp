// Setting texts to numbers, switches and rounding, and the store's defaults.
#include "SaverTestSupport.h"
#include "saver/SettingsText.h"

#include <gtest/gtest.h>

namespace saver {
namespace {

TEST(SettingsText, LeadingNumberOfATextIsWhatItStartsWith) {
    struct Case {
        const char* Text;
        double Number;
    };
    for (const Case& c :
         {Case{"12abc", 12}, Case{"1-2", 1}, Case{"abc", 0}, Case{"", 0}, Case{"1.0", 1}, Case{"01", 1},
          Case{"2", 2}, Case{"true", 0}, Case{"  -3.25x", -3.25}, Case{"+7", 7}, Case{"1.2.3", 1.2},
          Case{".5", 0.5}, Case{"-", 0}, Case{"13408512", 13408512}})
        EXPECT_DOUBLE_EQ(LeadingNumber(c.Text), c.Number) << '"' << c.Text << '"';
}

TEST(SettingsText, SwitchesAreOnOnlyAtExactlyOne) {
    for (const char* on : {"1", "01", "1.0", " 1", "1abc"}) EXPECT_TRUE(IsSwitchOn(on)) << on;
    for (const char* off : {"0", "2", "true", "", "1.5", "0.9", "-1"}) EXPECT_FALSE(IsSwitchOn(off)) << off;
}

TEST(SettingsText, RoundingSendsHalvesToTheEvenNeighbourAndStaysInRange) {
    struct Case {
        double Value;
        int Expected;
    };
    for (const Case& c : {Case{0.5, 0}, Case{1.5, 2}, Case{2.5, 2}, Case{-2.5, -2}, Case{2.4999, 2},
                          Case{7, 7}, Case{40000, 32767}, Case{-40000, -32768}})
        EXPECT_EQ(RoundToInt16(c.Value), c.Expected) << c.Value;
    EXPECT_EQ(RoundToInt32(16777215.5), 16777216);
    EXPECT_EQ(RoundToInt32(13408512), 13408512);
    EXPECT_EQ(RoundToInt32(1e12), INT32_MAX);
}

using SettingsStore = test::SettingsFixture;

TEST_F(SettingsStore, MissingKeysReadTheirDefaultsAndWrittenOnesComeBack) {
    EXPECT_EQ(ReadSetting(Setting::Audio), "1");
    EXPECT_EQ(ReadSetting(Setting::BG), "0");
    EXPECT_EQ(ReadSetting(Setting::BG_Color), "13408512");
    EXPECT_EQ(ReadSetting(Setting::BG_ColorStart), "16777215");
    EXPECT_EQ(ReadSetting(Setting::BG_ColorEnd), "13408512");
    EXPECT_EQ(ReadSetting(Setting::Bopplers), "50");
    EXPECT_EQ(ReadSetting(Setting::AutoPop), "0");
    EXPECT_EQ(ReadSetting(Setting::Clock), "0");
    WriteSetting(Setting::Bopplers, "12abc");
    EXPECT_EQ(ReadSettingNumber(Setting::Bopplers), 12);
}

} // namespace
} // namespace saver
