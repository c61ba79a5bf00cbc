// Fonts on fontconfig and FreeType, measured the Windows way.
#include "platform/Fonts.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <mutex>
#include <stdexcept>
#include <tuple>
#include <unordered_map>

namespace platform {
namespace {

std::mutex& FontLock() {
    static std::mutex lock;
    return lock;
}

FT_Library Library() {
    static FT_Library library = [] {
        FT_Library lib = nullptr;
        if (FT_Init_FreeType(&lib) != 0) throw std::runtime_error("The font engine could not be started");
        return lib;
    }();
    return library;
}

bool LessIgnoringCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
    });
}

bool SameIgnoringCase(const std::string& a, const std::string& b) {
    return !LessIgnoringCase(a, b) && !LessIgnoringCase(b, a);
}

struct TMatch {
    std::string File;
    int Index = 0;
    std::string Family;
    bool Bold = false;
    bool Italic = false;
};

TMatch Match(const TFontRequest& request) {
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(request.Family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, request.Bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, request.Italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* found = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (!found) throw std::runtime_error("No font is installed");
    TMatch match;
    FcChar8* text = nullptr;
    if (FcPatternGetString(found, FC_FILE, 0, &text) == FcResultMatch)
        match.File = reinterpret_cast<char*>(text);
    if (FcPatternGetString(found, FC_FAMILY, 0, &text) == FcResultMatch)
        match.Family = reinterpret_cast<char*>(text);
    FcPatternGetInteger(found, FC_INDEX, 0, &match.Index);
    int weight = FC_WEIGHT_REGULAR, slant = FC_SLANT_ROMAN;
    FcPatternGetInteger(found, FC_WEIGHT, 0, &weight);
    FcPatternGetInteger(found, FC_SLANT, 0, &slant);
    match.Bold = weight >= FC_WEIGHT_DEMIBOLD;
    match.Italic = slant != FC_SLANT_ROMAN;
    FcPatternDestroy(found);
    if (match.File.empty()) throw std::runtime_error("No font file found for \"" + request.Family + "\"");
    return match;
}

class TFreeTypeFace final : public TFontFace {
public:
    TFreeTypeFace(const TMatch& match, int pixels, bool emboldenSynthetically, bool slantSynthetically)
        : FFamily(match.Family), FBold(match.Bold || emboldenSynthetically),
          FItalic(match.Italic || slantSynthetically), FEmbolden(emboldenSynthetically),
          FSlant(slantSynthetically) {
        if (FT_New_Face(Library(), match.File.c_str(), match.Index, &FFace) != 0)
            throw std::runtime_error("The font file \"" + match.File + "\" cannot be read");
        FT_Set_Pixel_Sizes(FFace, 0, FT_UInt(pixels));
        // Windows takes ascent and descent from the OS/2 table's Windows metrics, rounded.
        const double scale = double(pixels) / FFace->units_per_EM;
        const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(FFace, FT_SFNT_OS2));
        if (os2 && (os2->usWinAscent || os2->usWinDescent)) {
            FAscent = int(std::floor(os2->usWinAscent * scale + 0.5));
            FDescent = int(std::floor(os2->usWinDescent * scale + 0.5));
        } else {
            FAscent = int(std::floor(FFace->ascender * scale + 0.5));
            FDescent = int(std::floor(-FFace->descender * scale + 0.5));
        }
    }
    ~TFreeTypeFace() override { FT_Done_Face(FFace); }
    TFreeTypeFace(const TFreeTypeFace&) = delete;
    TFreeTypeFace& operator=(const TFreeTypeFace&) = delete;

    int Ascent() const override { return FAscent; }
    int Descent() const override { return FDescent; }
    const std::string& FamilyName() const override { return FFamily; }
    bool Bold() const override { return FBold; }
    bool Italic() const override { return FItalic; }

    int Advance(char32_t c) override { return Load(c).Advance; }

    int Kerning(char32_t left, char32_t right) override {
        if (!FT_HAS_KERNING(FFace)) return 0;
        std::lock_guard lock(FontLock());
        FT_Vector delta{};
        FT_Get_Kerning(FFace, FT_Get_Char_Index(FFace, left), FT_Get_Char_Index(FFace, right),
                       FT_KERNING_DEFAULT, &delta);
        return int((delta.x + 32) >> 6);
    }

    const TGlyphImage& Glyph(char32_t c) override { return Load(c).Image; }

private:
    struct TCachedGlyph {
        int Advance = 0;
        TGlyphImage Image;
    };

    const TCachedGlyph& Load(char32_t c) {
        std::lock_guard lock(FontLock());
        if (auto it = FGlyphs.find(c); it != FGlyphs.end()) return it->second;
        TCachedGlyph glyph;
        if (FT_Load_Char(FFace, c, FT_LOAD_DEFAULT) == 0) {
            FT_GlyphSlot slot = FFace->glyph;
            if (FEmbolden) FT_GlyphSlot_Embolden(slot);
            if (FSlant) FT_GlyphSlot_Oblique(slot);
            glyph.Advance = int((slot->advance.x + 32) >> 6);
            if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) == 0) {
                const FT_Bitmap& bitmap = slot->bitmap;
                glyph.Image.Left = slot->bitmap_left;
                glyph.Image.Top = slot->bitmap_top;
                glyph.Image.Width = int(bitmap.width);
                glyph.Image.Height = int(bitmap.rows);
                glyph.Image.Coverage.resize(std::size_t(bitmap.width) * bitmap.rows);
                for (unsigned row = 0; row < bitmap.rows; ++row)
                    std::copy_n(bitmap.buffer + std::ptrdiff_t(row) * bitmap.pitch, bitmap.width,
                                glyph.Image.Coverage.begin() + std::ptrdiff_t(row) * bitmap.width);
            }
        }
        return FGlyphs.emplace(c, std::move(glyph)).first->second;
    }

    FT_Face FFace = nullptr;
    std::string FFamily;
    bool FBold, FItalic, FEmbolden, FSlant;
    int FAscent = 0, FDescent = 0;
    std::unordered_map<char32_t, TCachedGlyph> FGlyphs;
};

// Windows family names that fontconfig resolves to a metric-compatible installed family.
const std::pair<const char*, const char*> kMetricAliases[] = {
    {"Arial", "Liberation Sans"},
    {"Times New Roman", "Liberation Serif"},
    {"Courier New", "Liberation Mono"},
};

} // namespace

int PointsToPixels(int points) {
    return (points * 96 + 36) / 72;
}

std::vector<std::string> InstalledFontFamilies() {
    std::vector<std::string> families;
    {
        std::lock_guard lock(FontLock());
        FcPattern* pattern = FcPatternCreate();
        FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, nullptr);
        FcFontSet* set = FcFontList(nullptr, pattern, objects);
        for (int i = 0; set && i < set->nfont; ++i) {
            FcChar8* family = nullptr;
            if (FcPatternGetString(set->fonts[i], FC_FAMILY, 0, &family) == FcResultMatch)
                families.emplace_back(reinterpret_cast<char*>(family));
        }
        if (set) FcFontSetDestroy(set);
        FcObjectSetDestroy(objects);
        FcPatternDestroy(pattern);
    }
    for (const auto& [alias, family] : kMetricAliases)
        if (std::any_of(families.begin(), families.end(), [&](const std::string& f) { return f == family; }))
            families.emplace_back(alias);
    std::sort(families.begin(), families.end(), LessIgnoringCase);
    families.erase(std::unique(families.begin(), families.end(), SameIgnoringCase), families.end());
    return families;
}

std::shared_ptr<TFontFace> OpenFont(const TFontRequest& request) {
    using TKey = std::tuple<std::string, int, bool, bool>;
    static std::map<TKey, std::shared_ptr<TFontFace>> cache;
    const int pixels = std::max(1, PointsToPixels(request.PointSize));
    const TKey key{request.Family, pixels, request.Bold, request.Italic};
    std::lock_guard lock(FontLock());
    if (auto it = cache.find(key); it != cache.end()) return it->second;
    const TMatch match = Match(request);
    auto face = std::make_shared<TFreeTypeFace>(match, pixels, request.Bold && !match.Bold,
                                                request.Italic && !match.Italic);
    return cache.emplace(key, std::move(face)).first->second;
}

} // namespace platform
