// The small services a screen saver leans on: timer granularity, pointer counter, saver flag, WAVE parsing.
#include "platform/Cursor.h"
#include "platform/ScreenSaverFlag.h"
#include "platform/SoundPlayer.h"
#include "platform/TimerCadence.h"
#include "platform/WaveFile.h"

#include <gtest/gtest.h>
#include <numeric>
#include <vector>

namespace platform {
namespace {

TEST(TimerCadence, ShortIntervalsFireOncePerSystemTick) {
    for (int interval : {1, 10, 15}) {
        TTimerCadence cadence(interval);
        int total = 0;
        for (int i = 0; i < 64; ++i) {
            const int delay = cadence.NextDelay();
            EXPECT_TRUE(delay == 15 || delay == 16) << delay;
            total += delay;
        }
        EXPECT_EQ(total, 1000) << "64 ticks take one second for interval " << interval;
    }
}

TEST(TimerCadence, LongIntervalsAreKept) {
    TTimerCadence cadence(10000);
    EXPECT_EQ(cadence.NextDelay(), 10000);
    EXPECT_EQ(cadence.NextDelay(), 10000);
    EXPECT_EQ(TTimerCadence(50).NextDelay(), 50);
}

TEST(Cursor, CounterReportsVisibilityChangesOnly) {
    std::vector<bool> changes;
    SetCursorVisibilityHandler([&](bool visible) { changes.push_back(visible); });
    const int start = CursorDisplayCount();
    EXPECT_EQ(ShowCursor(false), start - 1);
    EXPECT_EQ(ShowCursor(false), start - 2);
    EXPECT_EQ(ShowCursor(true), start - 1);
    EXPECT_EQ(ShowCursor(true), start);
    EXPECT_EQ(ShowCursor(true), start + 1);
    while (CursorDisplayCount() > start) ShowCursor(false);
    EXPECT_EQ(changes, (std::vector<bool>{false, true}));
    SetCursorVisibilityHandler(nullptr);
}

TEST(ScreenSaverFlag, ReturnsPreviousStateAndReportsChanges) {
    std::vector<bool> changes;
    SetScreenSaverRunningHandler([&](bool running) { changes.push_back(running); });
    EXPECT_FALSE(SetScreenSaverRunning(true));
    EXPECT_TRUE(SetScreenSaverRunning(true));
    EXPECT_TRUE(IsScreenSaverRunning());
    EXPECT_TRUE(SetScreenSaverRunning(false));
    EXPECT_EQ(changes, (std::vector<bool>{true, false}));
    SetScreenSaverRunningHandler(nullptr);
}

std::vector<std::uint8_t> Wave(std::uint16_t format, std::uint16_t channels, std::uint16_t bits,
                               std::uint32_t dataLength, std::size_t actualData) {
    std::vector<std::uint8_t> b;
    const auto put32 = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i) b.push_back(std::uint8_t(v >> (8 * i)));
    };
    const auto put16 = [&](std::uint16_t v) {
        b.push_back(std::uint8_t(v));
        b.push_back(std::uint8_t(v >> 8));
    };
    const auto tag = [&](const char* t) { b.insert(b.end(), t, t + 4); };
    tag("RIFF");
    put32(0);
    tag("WAVE");
    tag("LIST");
    put32(3);
    b.insert(b.end(), {1, 2, 3, 0}); // odd chunk with its pad byte
    tag("fmt ");
    put32(16);
    put16(format);
    put16(channels);
    put32(11025);
    put32(11025u * channels * bits / 8);
    put16(std::uint16_t(channels * bits / 8));
    put16(bits);
    tag("data");
    put32(dataLength);
    b.insert(b.end(), actualData, 0x80);
    return b;
}

TEST(WaveFile, ParsesPcmAndRefusesDamagedOrForeignFiles) {
    const auto good = Wave(1, 1, 8, 10, 10);
    const auto clip = ParseWave(good);
    ASSERT_TRUE(clip);
    EXPECT_EQ(clip->Format.SamplesPerSecond, 11025u);
    EXPECT_EQ(clip->Format.Channels, 1);
    EXPECT_EQ(clip->Samples.size(), 10u);
    EXPECT_EQ(clip->Samples.data(), good.data() + good.size() - 10);

    EXPECT_FALSE(ParseWave(Wave(1, 1, 8, 11, 10))) << "data longer than the file";
    EXPECT_FALSE(ParseWave(Wave(3, 1, 8, 10, 10))) << "not PCM";
    EXPECT_FALSE(ParseWave(Wave(1, 6, 8, 10, 10))) << "six channels";
    EXPECT_FALSE(ParseWave(Wave(1, 1, 12, 10, 10))) << "12 bits";
    auto truncated = Wave(1, 1, 8, 10, 10);
    truncated.resize(30);
    EXPECT_FALSE(ParseWave(truncated));
    EXPECT_FALSE(ParseWave(std::vector<std::uint8_t>{'R', 'I', 'F', 'F'}));
}

TEST(SoundPlayer, RefusesWhatIsNotAClipAndStopsHarmlessly) {
    const std::vector<std::uint8_t> junk(100, 7);
    EXPECT_FALSE(PlaySoundLoop(junk));
    EXPECT_FALSE(IsSoundPlaying());
    StopSound();
    StopSound();
}

} // namespace
} // namespace platform
