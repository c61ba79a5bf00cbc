// Formatted text with Liberation Sans at 18 points: heights, line breaks, centring and clipping.
#include "platform/TextLayout.h"

#include <algorithm>
#include <climits>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace platform {
namespace {

constexpr unsigned kLogoFlags = DT_WORDBREAK | DT_CENTER | DT_NOPREFIX;

struct TPoint {
    int x, y;
};

class TextLayout : public ::testing::Test {
protected:
    TFontFace& Face() { return *FFace; }

    int Measure(const std::string& text, TTextRect rect = {20, 0, 620, 400}) {
        return DrawText(Face(), text, rect, kLogoFlags | DT_CALCRECT, {});
    }

    std::vector<std::u32string> Lines(const std::string& text, int width = 600, unsigned flags = kLogoFlags) {
        std::vector<std::u32string> result;
        for (const TLayoutLine& line : LayoutText(Face(), text, width, flags)) result.push_back(line.Text);
        return result;
    }

    std::vector<TPoint> Draw(const std::string& text, TTextRect rect) {
        std::vector<TPoint> points;
        DrawText(Face(), text, rect, kLogoFlags, [&](int x, int y, std::uint8_t) {
            points.push_back({x, y});
        });
        return points;
    }

    int WidthOf(const std::string& text) { return LayoutText(Face(), text, INT_MAX, kLogoFlags).at(0).Width; }

private:
    std::shared_ptr<TFontFace> FFace = OpenFont({"Arial", 18});
};

TEST_F(TextLayout, HeightIsTheNumberOfLinesTimesTheLineHeight) {
    const std::pair<const char*, int> cases[] = {
        {"", 0}, {"One line", 27}, {"First line\r\nSecond line", 54}, {"One\r\nTwo\r\nThree", 81}};
    for (const auto& [text, height] : cases) {
        TTextRect rect{20, 7, 620, 400};
        EXPECT_EQ(DrawText(Face(), text, rect, kLogoFlags | DT_CALCRECT, {}), height) << text;
        EXPECT_EQ(rect.Bottom, 7 + height) << text;
    }
}

TEST_F(TextLayout, LongSentencesBreakAtBlanksIntoLinesThatFitTheBox) {
    const std::pair<const char*, std::size_t> cases[] = {
        {"Windows is shutting down.", 1},
        {"It is now safe to turn off your computer, but only after you have saved your work.", 2},
        {"If you can read this, the computer has already decided that today is not the day to finish "
         "anything at all, so go outside and enjoy the sunshine while it lasts.",
         3},
        {"Antidisestablishmentarianism", 1},
    };
    for (const auto& [text, count] : cases) {
        const std::vector<TLayoutLine> lines = LayoutText(Face(), text, 600, kLogoFlags);
        ASSERT_EQ(lines.size(), count) << text;
        EXPECT_EQ(Measure(text), int(count) * 27) << text;
        for (std::size_t n = 0; n < lines.size(); ++n) {
            EXPECT_LE(lines[n].Width, 600) << text;
            EXPECT_NE(lines[n].Text.front(), U' ') << text;
            // Greedy: the next line's first word would not have fitted on this one.
            if (n + 1 < lines.size()) {
                const std::u32string next = lines[n + 1].Text;
                const std::u32string joined = lines[n].Text + U" " + next.substr(0, next.find(U' '));
                int width = 0;
                for (std::size_t i = 0; i < joined.size(); ++i)
                    width += Face().Advance(joined[i]) +
                             (i + 1 < joined.size() ? Face().Kerning(joined[i], joined[i + 1]) : 0);
                EXPECT_GT(width, 600) << text;
            }
        }
    }
}

TEST_F(TextLayout, BlanksAtABreakNeitherCountNorStartTheNextLine) {
    const int width = WidthOf("alpha beta");
    const std::vector<TLayoutLine> lines = LayoutText(Face(), "alpha beta     gamma", width, kLogoFlags);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].Width, width);
    EXPECT_EQ(lines[1].Text, U"gamma");
    EXPECT_EQ(Lines("alpha beta", width - 1), (std::vector<std::u32string>{U"alpha", U"beta"}));
}

TEST_F(TextLayout, CrLfLfAndCrEachForceABreak) {
    using L = std::vector<std::u32string>;
    const std::pair<const char*, L> cases[] = {
        {"one\r\ntwo", L{U"one", U"two"}},
        {"one\ntwo", L{U"one", U"two"}},
        {"one\rtwo", L{U"one", U"two"}},
        {"one\r\n\r\ntwo", L{U"one", U"", U"two"}},
        {"one\n\rtwo", L{U"one", U"", U"two"}},
        {"one\r\n", L{U"one"}},
        {"\r\none", L{U"", U"one"}},
    };
    for (const auto& [text, lines] : cases) {
        EXPECT_EQ(Lines(text), lines) << text;
        // Line breaks hold without word breaking too.
        EXPECT_EQ(Lines(text, 600, DT_CENTER), lines) << text;
    }
}

TEST_F(TextLayout, AShortLineIsCentredInTheBox) {
    const TTextRect rect{20, 30, 620, 400};
    const TLayoutLine line = LayoutText(Face(), "Hello", 600, kLogoFlags).at(0);
    EXPECT_EQ(LineLeft(rect, line, kLogoFlags), 20 + (600 - line.Width) / 2);
    EXPECT_EQ(LineLeft(rect, line, DT_WORDBREAK), 20);

    const std::vector<TPoint> points = Draw("Hello", rect);
    ASSERT_FALSE(points.empty());
    const auto [minX, maxX] =
        std::minmax_element(points.begin(), points.end(), [](TPoint a, TPoint b) { return a.x < b.x; });
    const auto [minY, maxY] =
        std::minmax_element(points.begin(), points.end(), [](TPoint a, TPoint b) { return a.y < b.y; });
    // The ink starts where the pen starts plus the first glyph's bearing, and the same on the right.
    const TGlyphImage& h = Face().Glyph(U'H');
    EXPECT_EQ(minX->x, LineLeft(rect, line, kLogoFlags) + h.Left);
    EXPECT_LE(std::abs((minX->x - 20) - (619 - maxX->x)), 2);
    // Capitals stand on the baseline, one ascent below the top.
    EXPECT_EQ(minY->y, 30 + Face().Ascent() - h.Top);
    EXPECT_EQ(maxY->y, 30 + Face().Ascent() - 1);
}

TEST_F(TextLayout, AWordWiderThanTheBoxStandsAloneCentredAndClipped) {
    const std::string word = "Pneumonoultramicroscopicsilicovolcanoconiosis";
    const int wordWidth = WidthOf(word);
    const TTextRect rect{100, 10, 300, 400};
    ASSERT_GT(wordWidth, 200);
    EXPECT_EQ(Lines("a " + word + " b", 200),
              (std::vector<std::u32string>{U"a", std::u32string(word.begin(), word.end()), U"b"}));
    EXPECT_EQ(LineLeft(rect, LayoutText(Face(), word, 200, kLogoFlags).at(0), kLogoFlags),
              100 + (200 - wordWidth) / 2);

    const std::vector<TPoint> points = Draw(word, rect);
    ASSERT_FALSE(points.empty());
    const auto inside = [&](TPoint p) { return p.x >= 100 && p.x < 300 && p.y >= 10 && p.y < 400; };
    EXPECT_TRUE(std::all_of(points.begin(), points.end(), inside));
    // Both ends are cut at the box's edges.
    EXPECT_TRUE(std::any_of(points.begin(), points.end(), [](TPoint p) { return p.x == 100; }));
    EXPECT_TRUE(std::any_of(points.begin(), points.end(), [](TPoint p) { return p.x == 299; }));
}

TEST_F(TextLayout, DrawingIsClippedToTheRectangleAndEmptyTextDrawsNothing) {
    const TTextRect rect{20, 50, 620, 70};
    const std::vector<TPoint> points = Draw("Three\r\nshort\r\nlines", rect);
    ASSERT_FALSE(points.empty());
    EXPECT_TRUE(std::all_of(points.begin(), points.end(), [](TPoint p) { return p.y >= 50 && p.y < 70; }));
    EXPECT_TRUE(Draw("", rect).empty());
}

TEST_F(TextLayout, MeasuringWidensTheRectangleToTheWidestLineOnly) {
    const int wordWidth = WidthOf("Pneumonoultramicroscopicsilicovolcanoconiosis");
    TTextRect narrow{10, 0, 110, 400};
    DrawText(Face(), "Pneumonoultramicroscopicsilicovolcanoconiosis", narrow, kLogoFlags | DT_CALCRECT, {});
    EXPECT_EQ(narrow.Right, 10 + wordWidth);
    TTextRect wide{10, 0, 610, 400};
    DrawText(Face(), "short", wide, kLogoFlags | DT_CALCRECT, {});
    EXPECT_EQ(wide.Right, 610);
}

} // namespace
} // namespace platform
