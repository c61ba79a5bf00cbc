// Composing the logos: backgrounds, colour shades, fitting the texts and drawing them.
#include "FormFixture.h"
#include "randomizer/SystemColors.h"

namespace zephrix::test {
namespace {

using pg::RGB;

TEST_F(FormTest, GradientAndSingleColourBackgrounds) {
    TfmZephrix& form = CreatedForm();
    struct Case {
        TColor color1, color2;
        int kind;
        std::vector<std::pair<int, pg::TRGB>> rows;
    };
    const Case cases[] = {
        {int(RGB(0, 0, 128)), 0, 1, {{0, RGB(0, 0, 128)}, {200, RGB(0, 0, 64)}, {399, RGB(0, 0, 1)}}},
        {int(RGB(0, 128, 128)), int(RGB(0, 128, 0)), 1, {{200, RGB(0, 128, 64)}, {399, RGB(0, 128, 1)}}},
        {int(RGB(10, 20, 30)), int(RGB(10, 20, 30)), 1, {{0, RGB(10, 20, 30)}, {399, RGB(10, 20, 30)}}},
        {int(RGB(200, 100, 50)), 0, 0, {{0, RGB(200, 100, 50)}, {399, RGB(200, 100, 50)}}},
        {int(0x80000001), 0, 0, {{7, RGB(0, 128, 128)}}}, // the desktop's system colour
        {int(RGB(1, 1, 1)), 0, -1, {{0, 0}, {399, 0}}},
    };
    for (const auto& c : cases) {
        TBackOptions o{form.FirstBack.get(), c.color1, c.color2, "", c.kind};
        form.DrawBackground(o);
        for (auto [y, color] : c.rows) {
            EXPECT_EQ(form.FirstBack->GetPixel(0, y), color) << "kind " << c.kind << " row " << y;
            EXPECT_EQ(form.FirstBack->GetPixel(639, y), color) << "kind " << c.kind << " row " << y;
        }
    }
}

TEST_F(FormTest, APictureFillsTheWholeLogoAndAMissingOneLeavesBlack) {
    pg::TPixelGraphic picture;
    picture.SetSize(320, 200, pg::pf24Bit);
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 320; ++x) picture.SetPixel(x, y, x < 160 ? RGB(255, 0, 0) : RGB(0, 0, 255));
    picture.SaveToFile(Prog("picture.bmp"));
    TfmZephrix& form = CreatedForm();
    form.DrawBackground({form.LastBack.get(), 0, 0, Prog("picture.bmp"), 2});
    EXPECT_EQ(form.LastBack->GetPixel(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(form.LastBack->GetPixel(639, 399), RGB(0, 0, 255));
    EXPECT_EQ(form.LastBack->GetPixel(300, 399), RGB(255, 0, 0));
    form.DrawBackground({form.LastBack.get(), 0, 0, Prog("missing.bmp"), 2});
    EXPECT_EQ(form.LastBack->GetPixel(0, 0), 0u);
    EXPECT_EQ(form.LastBack->GetPixel(639, 399), 0u);
}

TEST(ShadeColor, LightAndDarkShades) {
    struct Case {
        pg::TRGB color, light, dark;
    };
    const Case cases[] = {
        {RGB(0, 255, 0), RGB(204, 255, 204), RGB(0, 51, 0)},
        {RGB(255, 255, 0), RGB(255, 255, 204), RGB(51, 51, 0)},
        {RGB(128, 0, 0), RGB(229, 204, 204), RGB(26, 0, 0)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TfmZephrix::ShadeColor(TColor(c.color), 80), c.light);
        EXPECT_EQ(TfmZephrix::ShadeColor(TColor(c.color), -80), c.dark);
    }
}

TEST(FitTexts, ShrinksBothTextsTogetherUntilTheyFit) {
    TLogoOptions o;
    o.Count = 2;
    o.Font1.Size = 20;
    o.Font2.Size = 14;
    const auto twelvePerPoint = [](const TFontOptions& f, const std::string&) { return 12 * f.Size; };
    const TFittedTexts fit = FitTexts(o, twelvePerPoint);
    EXPECT_EQ(fit.Size1, 17);
    EXPECT_EQ(fit.Size2, 11);
    EXPECT_EQ(fit.Top, (390 - 204 - 132) / 2);
}

TEST(FitTexts, PlacesOneTextAndStopsAtOnePoint) {
    const auto hundred = [](const TFontOptions&, const std::string&) { return 100; };
    const std::pair<int, int> positions[] = {{0, 20}, {1, 150}, {2, 280}, {-1, 150}};
    for (auto [position, top] : positions) {
        TLogoOptions o;
        o.Font1.Size = 18;
        o.Position = position;
        EXPECT_EQ(FitTexts(o, hundred).Top, top) << position;
        EXPECT_EQ(FitTexts(o, hundred).Size1, 18);
    }
    TLogoOptions huge;
    huge.Font1.Size = 30;
    huge.Font2.Size = 25;
    huge.Count = 2;
    const TFittedTexts fit = FitTexts(huge, [](const TFontOptions&, const std::string&) { return 1000; });
    EXPECT_EQ(fit.Size1, 6);
    EXPECT_EQ(fit.Size2, 1);
}

// Rows that hold text pixels of `color` in a composed logo.
std::pair<int, int> RowsWith(const pg::TPixelGraphic& image, pg::TRGB color) {
    int first = -1, last = -1;
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x)
            if (image.GetPixel(x, y) == color) {
                if (first < 0) first = y;
                last = y;
                break;
            }
    return {first, last};
}

TEST_F(FormTest, AOneLineTextIsCentredVertically) {
    TfmZephrix& form = CreatedForm();
    form.edFirst.SetText("Centred");
    form.ChangesFirst();
    const int h = form.MeasureText(*form.FirstLogo, TFontOptions{"Arial", 18, 0, false, false}, "Centred");
    EXPECT_EQ(h, 27);
    const auto [first, last] = RowsWith(*form.FirstLogo, RGB(0, 255, 0)); // the default text colour
    const int top = (400 - h) / 2;
    EXPECT_GE(first, top);
    EXPECT_LT(last, top + h);
    EXPECT_GT(last - first, 10);
}

TEST_F(FormTest, TwoLinesAreDrawnForACrLfAndTheShadowLiesBelowRight) {
    TfmZephrix& form = CreatedForm();
    const int one = form.MeasureText(*form.FirstLogo, TFontOptions{"Arial", 18, 0, false, false}, "Line");
    EXPECT_EQ(form.MeasureText(*form.FirstLogo, TFontOptions{"Arial", 18, 0, false, false}, "Line\r\nLine"),
              2 * one);
    form.FirstLogo->SetBackGroundColor(RGB(0, 0, 0));
    form.FirstLogo->Clear();
    form.DrawLogoText(*form.FirstLogo, TFontOptions{"Arial", 18, TColor(RGB(255, 255, 255)), false, false},
                      TColor(RGB(255, 0, 0)), 100, 1, "I");
    // Where the shadow shows, the pixel two up and two left belongs to the text.
    int shadows = 0;
    for (int y = 0; y < 400; ++y)
        for (int x = 0; x < 640; ++x)
            if (form.FirstLogo->GetPixel(x, y) == RGB(255, 0, 0)) {
                ++shadows;
                EXPECT_NE(form.FirstLogo->GetPixel(x - 2, y - 2), RGB(0, 0, 0)) << x << "," << y;
            }
    EXPECT_GT(shadows, 10);
}

} // namespace
} // namespace zephrix::test
