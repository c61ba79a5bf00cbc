// TPGCanvas: text drawn on an image lands in its pixels at once, blended or mapped to the palette.
#include "pgraphic/Canvas.h"

#include "pgraphic/PixelGraphic.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <set>

namespace pg {
namespace {

constexpr unsigned kLogoFlags = platform::DT_WORDBREAK | platform::DT_CENTER | platform::DT_NOPREFIX;

// A 640 x 400 image filled with `background`, its canvas set up as the logo composer sets it.
void Prepare(TPixelGraphic& image, TPixelFormat format, std::uint32_t background) {
    image.SetSize(640, 400, format);
    if (format != pf24Bit) image.SetPaletteIdent(pSpecial216);
    for (int y = 0; y < 400; ++y)
        for (int x = 0; x < 640; ++x) image.SetPixel(x, y, background);
    TPGCanvas& canvas = image.Canvas();
    canvas.Font.Name = "Arial";
    canvas.Font.Size = 18;
    canvas.BrushStyle = TPGCanvas::bsClear;
}

// The distinct pixel values inside and outside a rectangle.
struct TValues {
    std::set<std::uint32_t> Inside, Outside;
};

TValues ValuesOf(const TPixelGraphic& image, platform::TTextRect box) {
    TValues values;
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x) {
            const bool inside = x >= box.Left && x < box.Right && y >= box.Top && y < box.Bottom;
            (inside ? values.Inside : values.Outside).insert(image.GetPixel(x, y));
        }
    return values;
}

TEST(Canvas, TextOnA24BitImageIsBlendedIntoThePixelsAtOnce) {
    TPixelGraphic image;
    Prepare(image, pf24Bit, RGB(255, 255, 255));
    int changes = 0;
    image.SetOnChange([&](TPixelGraphic&) { ++changes; });
    image.Canvas().Font.Color = RGB(0, 0, 160);

    platform::TTextRect rect{20, 100, 620, 400};
    EXPECT_EQ(image.Canvas().DrawText("Shutting down", rect, kLogoFlags), 27);
    EXPECT_EQ(changes, 1);

    const TValues values = ValuesOf(image, {20, 100, 620, 127});
    EXPECT_EQ(values.Outside, std::set<std::uint32_t>{RGB(255, 255, 255)});
    EXPECT_TRUE(values.Inside.count(RGB(0, 0, 160))) << "fully covered pixels take the text colour";
    // Edge pixels lie between text and background: red and green fall as blue stays at least 160.
    const std::size_t blends = std::count_if(values.Inside.begin(), values.Inside.end(), [](std::uint32_t c) {
        return GetRValue(c) > 0 && GetRValue(c) < 255 && GetRValue(c) == GetGValue(c) && GetBValue(c) >= 160;
    });
    EXPECT_GT(blends, 10u);
    EXPECT_EQ(values.Inside.size(), blends + 2); // plus background and text colour, nothing else
}

TEST(Canvas, TextOnAPaletteImageUsesOnlyTheEntryNearestTheTextColour) {
    TPixelGraphic image;
    Prepare(image, pf8Bit, 0);
    image.Canvas().Font.Color = RGB(250, 12, 8); // nearest in the 216-colour cube: pure red, 36 * 5
    platform::TTextRect rect{20, 100, 620, 400};
    image.Canvas().DrawText("Shutting down", rect, kLogoFlags);
    const TValues values = ValuesOf(image, {20, 100, 620, 127});
    EXPECT_EQ(values.Inside, (std::set<std::uint32_t>{0, 180}));
    EXPECT_EQ(values.Outside, std::set<std::uint32_t>{0});
}

TEST(Canvas, AnUnknownFontNameStillDraws) {
    TPixelGraphic image;
    Prepare(image, pf24Bit, RGB(0, 0, 0));
    image.Canvas().Font.Name = "No Such Family 4711";
    image.Canvas().Font.Color = RGB(255, 255, 0);
    platform::TTextRect rect{20, 0, 620, 400};
    EXPECT_GT(image.Canvas().DrawText("Still here", rect, kLogoFlags), 0);
    EXPECT_TRUE(ValuesOf(image, {20, 0, 620, 400}).Inside.count(RGB(255, 255, 0)));
}

TEST(Canvas, MeasuringDrawsNothingAndASolidBrushFillsTheLineBoxes) {
    TPixelGraphic image;
    Prepare(image, pf24Bit, RGB(0, 0, 0));
    TPGCanvas& canvas = image.Canvas();
    platform::TTextRect rect{20, 50, 620, 400};
    EXPECT_EQ(canvas.DrawText("one\r\ntwo", rect, kLogoFlags | platform::DT_CALCRECT), 54);
    EXPECT_EQ(rect.Bottom, 104);
    EXPECT_EQ(ValuesOf(image, {0, 0, 0, 0}).Outside, std::set<std::uint32_t>{0});

    canvas.BrushStyle = TPGCanvas::bsSolid;
    canvas.BrushColor = RGB(255, 255, 0);
    canvas.Font.Color = RGB(255, 255, 255);
    rect = {20, 50, 620, 400};
    canvas.DrawText("ooo", rect, kLogoFlags);
    // The row above the small letters belongs to the line box: brush colour there, black beyond.
    EXPECT_EQ(image.GetPixel(320, 50), RGB(255, 255, 0));
    EXPECT_EQ(image.GetPixel(320, 49), 0u);
    EXPECT_EQ(image.GetPixel(320, 77), 0u);
    EXPECT_EQ(image.GetPixel(20, 60), 0u);
}

TEST(Canvas, DrawingPastTheImageEdgesIsCutAndSurvivesResizing) {
    TPixelGraphic image;
    Prepare(image, pf24Bit, RGB(0, 0, 0));
    TPGCanvas& canvas = image.Canvas();
    canvas.Font.Color = RGB(255, 255, 255);
    canvas.Font.Size = 72;
    platform::TTextRect rect{-300, -40, 900, 500};
    canvas.DrawText("Far too wide for this little picture", rect, kLogoFlags);
    EXPECT_TRUE(ValuesOf(image, {0, 0, 640, 400}).Inside.count(RGB(255, 255, 255)));

    // The canvas outlives raster and palette changes of its image.
    image.SetSize(40, 30, pf4Bit);
    image.SetPaletteIdent(pSys16);
    EXPECT_EQ(&image.Canvas(), &canvas);
    canvas.Font.Size = 10;
    rect = {0, 0, 40, 30};
    canvas.DrawText("Hi", rect, kLogoFlags);
    const TValues values = ValuesOf(image, {0, 0, 40, 30});
    EXPECT_EQ(values.Inside, (std::set<std::uint32_t>{0, 15}));
}

} // namespace
} // namespace pg
