// Fonts: the installed families, and faces chosen by family name, size in points and style,
// measured the way Windows measures them (96 logical pixels per inch, ascent and descent from the
// face's Windows metrics).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform {

// The installed font families, sorted ignoring case, each once; families that well-known Windows
// names resolve to metric-compatibly are offered under those names too ("Arial" and so on).
std::vector<std::string> InstalledFontFamilies();

struct TFontRequest {
    std::string Family;
    int PointSize = 8;
    bool Bold = false;
    bool Italic = false;
};

// Pixels of a character height of `points` at 96 logical pixels per inch: 18 points give 24.
int PointsToPixels(int points);

// A coverage bitmap of one glyph: Width x Height bytes, 0 = clear, 255 = fully covered.
struct TGlyphImage {
    int Left = 0; // from the pen position to the bitmap's left edge
    int Top = 0;  // from the baseline up to the bitmap's top edge
    int Width = 0;
    int Height = 0;
    std::vector<std::uint8_t> Coverage;
};

// One face at one size; obtained from OpenFont, shared and cached.
class TFontFace {
public:
    virtual ~TFontFace() = default;
    virtual int Ascent() const = 0;
    virtual int Descent() const = 0;
    int LineHeight() const { return Ascent() + Descent(); }
    // The family the request resolved to, e.g. "Liberation Sans" for "Arial".
    virtual const std::string& FamilyName() const = 0;
    virtual bool Bold() const = 0;
    virtual bool Italic() const = 0;
    // Advance of a character in whole pixels, and the kerning between two characters.
    virtual int Advance(char32_t c) = 0;
    virtual int Kerning(char32_t left, char32_t right) = 0;
    virtual const TGlyphImage& Glyph(char32_t c) = 0;
};

// The face fontconfig matches to the request (an unknown family falls back as fontconfig does);
// bold or italic that the family lacks is made synthetically. Faces are cached.
std::shared_ptr<TFontFace> OpenFont(const TFontRequest& request);

} // namespace platform
