// Colour channels, the gradient rows with their rounding, and the desktop capture as a picture.
#include "SaverTestSupport.h"
#include "saver/Gradient.h"
#include "saver/ScreenCapture.h"

#include <gtest/gtest.h>

namespace saver {
namespace {

TEST(ColorToRGB, SplitsTheColourLayoutIntoChannels) {
    struct Case {
        std::int32_t Color;
        RGBTriple Expected;
    };
    for (const Case& c :
         {Case{0, {0, 0, 0}}, Case{255, {255, 0, 0}}, Case{13408512, {0, 153, 204}},
          Case{16777215, {255, 255, 255}}, Case{0x123456, {0x56, 0x34, 0x12}}, Case{-1, {-1, 0, 0}}}) {
        const RGBTriple rgb = ColorToRGB(c.Color);
        EXPECT_EQ(rgb, c.Expected) << c.Color << " gave " << rgb.R << "," << rgb.G << "," << rgb.B;
    }
}

TEST(Gradient, DefaultColoursRunFromWhiteToTheEndColourInSinglePrecision) {
    const auto lines = GradientLines(600, ColorToRGB(16777215), ColorToRGB(13408512));
    ASSERT_EQ(lines.size(), 601u);
    EXPECT_EQ(lines[0], 0xFFFFFFFFu);
    // Each row is the float accumulation of the steps, channels rounded half to even.
    float r = 255, g = 255, b = 255;
    const float stepR = (0.0f - 255) / 600, stepG = (153.0f - 255) / 600, stepB = (204.0f - 255) / 600;
    for (std::size_t i = 0; i <= 600; ++i) {
        const auto expected = 0xFF000000u | std::uint32_t(std::nearbyint(r)) << 16 |
                              std::uint32_t(std::nearbyint(g)) << 8 | std::uint32_t(std::nearbyint(b));
        ASSERT_EQ(lines[i], expected) << "row " << i;
        r += stepR;
        g += stepG;
        b += stepB;
    }
    EXPECT_EQ(lines[600], ColorToPixel(13408512)) << "the line below the last row reaches the end colour";
}

TEST(Gradient, EqualColoursGiveAUniformImage) {
    TFrameBuffer image(40, 30, 0);
    DrawGradient(image, ColorToRGB(0x3366CC), ColorToRGB(0x3366CC));
    EXPECT_EQ(image, TFrameBuffer(40, 30, ColorToPixel(0x3366CC)));
}

TEST(Gradient, RoundsHalvesToEven) {
    // Two rows from 0 to 1: row 1 is 0.5 exactly, which rounds to 0; from 1 to 2 it is 1.5 -> 2.
    EXPECT_EQ(GradientLines(2, {0, 1, 0}, {1, 2, 0})[1], 0xFF000200u);
}

TEST(ScreenCapture, CaptureIsTheWholeDesktopWithoutPaletteOnTrueColour) {
    test::TSolidScreen screen;
    const auto picture = CaptureDesktop(screen);
    EXPECT_EQ(picture->Bitmap(), TFrameBuffer(320, 200, 0xFF336699u));
    EXPECT_FALSE(picture->Palette());
}

} // namespace
} // namespace saver
