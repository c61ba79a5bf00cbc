// The embedded artwork and music: sizes, frame layout, colour depths, mask convention, WAVE header.
#include "saver/Resources.h"

#include "platform/WaveFile.h"
#include "saver/Bitmap.h"
#include "saver/Sprites.h"

#include <cstring>
#include <gtest/gtest.h>

namespace saver {
namespace {

TEST(Resources, SpriteSheetsHaveTheFrameLayoutAndDepthOfTheirKind) {
    const int depth[SpriteKinds] = {8, 24, 8, 8};
    const auto sheets = LoadSpriteSheets();
    for (int k = 0; k < SpriteKinds; ++k) {
        const auto kk = std::size_t(k);
        const TBitmapInfo info = ReadBitmapInfo(FindResource("BITMAP", SpriteSheetId + k));
        EXPECT_EQ(info.Width, FrameWidth[kk] * FrameCount[kk]) << "kind " << k;
        EXPECT_EQ(info.Height, FrameHeight[kk]) << "kind " << k;
        EXPECT_EQ(info.BitsPerPixel, depth[k]) << "kind " << k;
        const auto& sprite = sheets[kk].Sprite;
        const auto& mask = sheets[kk].Mask;
        ASSERT_EQ(mask.Width(), sprite.Width());
        ASSERT_EQ(mask.Height(), sprite.Height());
        for (int f = 0; f < FrameCount[kk]; ++f) {
            std::size_t opaque = 0;
            for (int y = 0; y < mask.Height(); ++y)
                for (int x = f * FrameWidth[kk]; x < (f + 1) * FrameWidth[kk]; ++x) {
                    const std::uint32_t m = mask.Pixel(x, y);
                    ASSERT_TRUE(m == 0xFF000000u || m == 0xFFFFFFFFu) << "mask is pure black and white";
                    if (m == 0xFFFFFFFFu)
                        ASSERT_EQ(sprite.Pixel(x, y), 0xFF000000u) << "sheet is black under a white mask";
                    else
                        ++opaque;
                }
            EXPECT_GT(opaque, std::size_t(FrameWidth[kk] * FrameHeight[kk] / 5))
                << "kind " << k << " frame " << f;
        }
    }
}

TEST(Resources, SoundClipIsTheMonoEightBitWave) {
    const auto wave = FindResource("SOUND", 101);
    ASSERT_EQ(wave.size(), 107192u);
    EXPECT_EQ(std::memcmp(wave.data(), "RIFF", 4), 0);
    EXPECT_EQ(wave[4] | wave[5] << 8 | wave[6] << 16 | wave[7] << 24, 107192 - 8);
    const auto clip = platform::ParseWave(wave);
    ASSERT_TRUE(clip);
    EXPECT_EQ(clip->Format.Channels, 1);
    EXPECT_EQ(clip->Format.SamplesPerSecond, 11025u);
    EXPECT_EQ(clip->Format.BitsPerSample, 8);
    EXPECT_EQ(clip->Samples.size(), 107147u);
    // The loop joins without a click: both ends sit at the silent level.
    EXPECT_NEAR(clip->Samples.front(), 128, 2);
    EXPECT_NEAR(clip->Samples.back(), 128, 2);
    EXPECT_TRUE(FindResource("SOUND", 102).empty());
}

TEST(Bitmap, DamagedFilesAreRefused) {
    auto file = std::vector<std::uint8_t>(FindResource("BITMAP", SpriteSheetId).begin(),
                                          FindResource("BITMAP", SpriteSheetId).end());
    EXPECT_NO_THROW(DecodeBitmap(file));
    struct Case {
        const char* Name;
        std::size_t Offset;
        std::uint8_t Value;
    };
    for (const Case& c : {Case{"signature", 0, 'X'}, Case{"width huge", 21, 0x7F}, Case{"compression", 30, 1},
                          Case{"depth 4", 28, 4}, Case{"pixel offset past end", 13, 0x70}}) {
        auto damaged = file;
        damaged[c.Offset] = c.Value;
        EXPECT_THROW(DecodeBitmap(damaged), EBitmapError) << c.Name;
    }
    file.resize(file.size() - 1);
    EXPECT_THROW(DecodeBitmap(file), EBitmapError) << "truncated";
    EXPECT_THROW(DecodeBitmap(std::vector<std::uint8_t>{'B', 'M'}), EBitmapError);
}

} // namespace
} // namespace saver
