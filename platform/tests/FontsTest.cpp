// Fonts: the installed list, Windows names resolved to their look-alikes, styles and Windows metrics.
#include "platform/Fonts.h"

#include <algorithm>
#include <cctype>
#include <gtest/gtest.h>
#include <string>

namespace platform {
namespace {

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return s;
}

TEST(Fonts, PointsBecomePixelsAt96PerInchRoundedLikeMulDiv) {
    const std::pair<int, int> cases[] = {{18, 24}, {8, 11}, {9, 12}, {10, 13}, {72, 96}, {1, 1}, {0, 0}};
    for (const auto& [points, pixels] : cases) EXPECT_EQ(PointsToPixels(points), pixels) << points << " pt";
}

TEST(Fonts, LiberationSansAt18PointsHasTheWindowsLineHeight) {
    const auto face = OpenFont({"Liberation Sans", 18});
    EXPECT_EQ(face->FamilyName(), "Liberation Sans");
    // usWinAscent 1854 and usWinDescent 434 of 2048 units at a 24-pixel em, each rounded.
    EXPECT_EQ(face->Ascent(), 22);
    EXPECT_EQ(face->Descent(), 5);
    EXPECT_EQ(face->LineHeight(), 27);
}

TEST(Fonts, WindowsNamesResolveToTheirMetricCompatibleFamilies) {
    const std::pair<const char*, const char*> cases[] = {{"Arial", "Liberation Sans"},
                                                         {"Times New Roman", "Liberation Serif"},
                                                         {"Courier New", "Liberation Mono"}};
    for (const auto& [name, family] : cases) {
        const auto face = OpenFont({name, 18});
        EXPECT_EQ(face->FamilyName(), family) << name;
        EXPECT_EQ(face->LineHeight(), OpenFont({family, 18})->LineHeight()) << name;
    }
}

TEST(Fonts, AnUnknownNameFallsBackToAnInstalledFaceThatDraws) {
    const auto face = OpenFont({"No Such Family 4711", 18});
    EXPECT_FALSE(face->FamilyName().empty());
    EXPECT_GT(face->LineHeight(), 0);
    EXPECT_GT(face->Glyph(U'H').Width, 0);
}

TEST(Fonts, BoldAndItalicChooseTheFamilysOwnFaces) {
    struct Case {
        bool bold, italic;
        const char* style;
    };
    const Case cases[] = {{false, false, "Regular"},
                          {true, false, "Bold"},
                          {false, true, "Italic"},
                          {true, true, "Bold Italic"}};
    for (const Case& c : cases) {
        const auto face = OpenFont({"Arial", 18, c.bold, c.italic});
        EXPECT_EQ(face->FamilyName(), "Liberation Sans");
        EXPECT_EQ(face->StyleName(), c.style);
        EXPECT_EQ(face->Bold(), c.bold) << c.style;
        EXPECT_EQ(face->Italic(), c.italic) << c.style;
    }
    // Real bold glyphs are wider than regular ones.
    EXPECT_GT(OpenFont({"Arial", 18, true})->Advance(U'm'), OpenFont({"Arial", 18})->Advance(U'm'));
}

// Sum of coverage and the mean x of the ink in the upper and lower half of a glyph.
struct TInk {
    long Total = 0;
    double UpperX = 0, LowerX = 0;
};

TInk InkOf(const TGlyphImage& g) {
    TInk ink;
    long upper = 0, lower = 0;
    for (int y = 0; y < g.Height; ++y)
        for (int x = 0; x < g.Width; ++x) {
            const int c = g.Coverage[std::size_t(y * g.Width + x)];
            ink.Total += c;
            (y < g.Height / 2 ? ink.UpperX : ink.LowerX) += double(c) * (g.Left + x);
            (y < g.Height / 2 ? upper : lower) += c;
        }
    ink.UpperX /= double(std::max(upper, 1L));
    ink.LowerX /= double(std::max(lower, 1L));
    return ink;
}

TEST(Fonts, AFamilyWithoutBoldItalicIsEmboldenedAndSlantedSynthetically) {
    // Which installed family lacks a bold italic face depends on the machine; take the first.
    for (const std::string& family : InstalledFontFamilies()) {
        const auto styled = LoadFont({family, 18, true, true});
        const std::string style = Lower(styled->StyleName());
        if (style.find("bold") != std::string::npos || style.find("italic") != std::string::npos ||
            style.find("oblique") != std::string::npos || styled->FamilyName() != family)
            continue;
        const auto plain = LoadFont({family, 18});
        // Symbol fonts have no letters: every letter would be the same missing-glyph box.
        if (plain->StyleName() != styled->StyleName() ||
            plain->Glyph(U'l').Coverage == plain->Glyph(U'o').Coverage)
            continue;
        EXPECT_TRUE(styled->Bold());
        EXPECT_TRUE(styled->Italic());
        const TInk regular = InkOf(plain->Glyph(U'l')), synthetic = InkOf(styled->Glyph(U'l'));
        EXPECT_GT(synthetic.Total, regular.Total) << family;
        EXPECT_GT(synthetic.UpperX - synthetic.LowerX, regular.UpperX - regular.LowerX + 1) << family;
        return;
    }
    GTEST_SKIP() << "every installed family has a bold italic face";
}

TEST(Fonts, OpeningTheSameFontTwiceGivesTheCachedFace) {
    EXPECT_EQ(OpenFont({"Arial", 18}), OpenFont({"Arial", 18}));
    EXPECT_NE(OpenFont({"Arial", 18}), OpenFont({"Arial", 19}));
    EXPECT_NE(OpenFont({"Arial", 18}), OpenFont({"Arial", 18, true}));
}

TEST(Fonts, TheInstalledListIsSortedWithoutDuplicatesAndOffersTheWindowsNames) {
    const std::vector<std::string> families = InstalledFontFamilies();
    for (const char* name :
         {"Liberation Sans", "Liberation Serif", "Liberation Mono", "DejaVu Sans", "Arial"})
        EXPECT_NE(std::find(families.begin(), families.end(), name), families.end()) << name;
    for (std::size_t i = 1; i < families.size(); ++i)
        EXPECT_LT(Lower(families[i - 1]), Lower(families[i])) << families[i - 1] << " / " << families[i];
}

} // namespace
} // namespace platform
