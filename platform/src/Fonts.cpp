// Fonts on fontconfig and FreeType, measured the Windows way.
#include "platform/Fonts.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <map>
#include <memory>
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
    FcPatternDestroy(found);
    if (match.File.empty()) throw std::runtime_error("No font file found for \"" + request.Family + "\"");
    return match;
}

struct TFaceDeleter {
    void operator()(FT_Face face) const { FT_Done_Face(face); }
};
using TFacePtr = std::unique_ptr<FT_FaceRec_, TFaceDeleter>;

// Rounds a length in font units, scaled to the face's size, to whole pixels as the Windows scaler
// does: in 26.6 fixed point, halves up.
int ScaledPixels(FT_Long units, FT_Fixed scale) {
    return int((FT_MulFix(units, scale) + 32) >> 6);
}

class TFreeTypeFace final : public TFontFace {
public:
    TFreeTypeFace(const TMatch& match, int pixels, bool bold, bool italic) : FFamily(match.Family) {
        FT_Face face = nullptr;
        if (FT_New_Face(Library(), match.File.c_str(), match.Index, &face) != 0)
            throw std::runtime_error("The font file \"" + match.File + "\" cannot be read");
        FFace.reset(face);
        // Text is drawn at any size, so only outline faces will do.
        if (!FT_IS_SCALABLE(face) || FT_Set_Pixel_Sizes(face, 0, FT_UInt(pixels)) != 0)
            throw std::runtime_error("The font file \"" + match.File + "\" cannot be scaled");
        if (face->style_name) FStyle = face->style_name;
        // The matched pattern claims the requested style even when fontconfig had to fake it, so
        // the face file itself says whether it is bold or italic.
        const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
        const bool fileBold = (face->style_flags & FT_STYLE_FLAG_BOLD) || (os2 && os2->usWeightClass >= 600);
        const bool fileItalic = face->style_flags & FT_STYLE_FLAG_ITALIC;
        FEmbolden = bold && !fileBold;
        FSlant = italic && !fileItalic;
        FBold = fileBold || FEmbolden;
        FItalic = fileItalic || FSlant;
        // Windows takes ascent and descent from the OS/2 table's Windows metrics, or from the
        // horizontal header when those are zero, and rounds each on its own.
        FT_Long ascent = face->ascender, descent = -face->descender;
        const auto* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA));
        if (os2 && os2->usWinAscent + os2->usWinDescent > 0) {
            ascent = os2->usWinAscent;
            descent = os2->usWinDescent;
        } else if (hhea) {
            ascent = hhea->Ascender;
            descent = -hhea->Descender;
        }
        const FT_Fixed scale = face->size->metrics.y_scale;
        FAscent = ScaledPixels(ascent, scale);
        FDescent = ScaledPixels(descent, scale);
    }

    int Ascent() const override { return FAscent; }
    int Descent() const override { return FDescent; }
    const std::string& FamilyName() const override { return FFamily; }
    const std::string& StyleName() const override { return FStyle; }
    bool Bold() const override { return FBold; }
    bool Italic() const override { return FItalic; }

    int Advance(char32_t c) override { return Load(c).Advance; }

    int Kerning(char32_t left, char32_t right) override {
        if (!FT_HAS_KERNING(FFace)) return 0;
        std::lock_guard lock(FontLock());
        // Layout asks for the same pairs over and over; FreeType's lookup is comparatively slow.
        const std::uint64_t pair = std::uint64_t(left) << 32 | right;
        if (auto it = FKerning.find(pair); it != FKerning.end()) return it->second;
        FT_Vector delta{};
        FT_Get_Kerning(FFace.get(), FT_Get_Char_Index(FFace.get(), left),
                       FT_Get_Char_Index(FFace.get(), right), FT_KERNING_DEFAULT, &delta);
        return FKerning.emplace(pair, int((delta.x + 32) >> 6)).first->second;
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
        // Embedded bitmaps are skipped: they come in other pixel modes and at fixed sizes only.
        if (FT_Load_Char(FFace.get(), c, FT_LOAD_DEFAULT | FT_LOAD_NO_BITMAP) == 0) {
            FT_GlyphSlot slot = FFace->glyph;
            if (FEmbolden) FT_GlyphSlot_Embolden(slot);
            if (FSlant) FT_GlyphSlot_Oblique(slot);
            glyph.Advance = int((slot->advance.x + 32) >> 6);
            if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) == 0 &&
                slot->bitmap.pixel_mode == FT_PIXEL_MODE_GRAY)
                glyph.Image = CoverageOf(*slot);
        }
        return FGlyphs.emplace(c, std::move(glyph)).first->second;
    }

    static TGlyphImage CoverageOf(const FT_GlyphSlotRec& slot) {
        const FT_Bitmap& bitmap = slot.bitmap;
        TGlyphImage image;
        image.Left = slot.bitmap_left;
        image.Top = slot.bitmap_top;
        image.Width = int(bitmap.width);
        image.Height = int(bitmap.rows);
        image.Coverage.resize(std::size_t(bitmap.width) * bitmap.rows);
        // A negative pitch means the rows are stored bottom-up.
        const std::ptrdiff_t pitch = bitmap.pitch;
        const unsigned char* top =
            pitch >= 0 ? bitmap.buffer : bitmap.buffer - pitch * std::ptrdiff_t(bitmap.rows - 1);
        for (unsigned row = 0; row < bitmap.rows; ++row)
            std::copy_n(top + pitch * std::ptrdiff_t(row), bitmap.width,
                        image.Coverage.begin() + std::ptrdiff_t(row) * bitmap.width);
        return image;
    }

    TFacePtr FFace;
    std::string FFamily;
    std::string FStyle;
    bool FBold = false, FItalic = false, FEmbolden = false, FSlant = false;
    int FAscent = 0, FDescent = 0;
    std::unordered_map<char32_t, TCachedGlyph> FGlyphs;
    std::unordered_map<std::uint64_t, int> FKerning;
};

// Windows family names and the metric-compatible families that fontconfig substitutes for them.
const std::pair<const char*, const char*> kMetricAliases[] = {
    {"Arial", "Liberation Sans"},
    {"Times New Roman", "Liberation Serif"},
    {"Courier New", "Liberation Mono"},
};

// Callers hold FontLock.
std::unique_ptr<TFreeTypeFace> LoadFace(const TFontRequest& request) {
    const int pixels = std::max(1, PointsToPixels(request.PointSize));
    return std::make_unique<TFreeTypeFace>(Match(request), pixels, request.Bold, request.Italic);
}

} // namespace

int PointsToPixels(int points) {
    return (points * 96 + 36) / 72;
}

std::vector<std::string> InstalledFontFamilies() {
    std::vector<std::string> families;
    std::lock_guard lock(FontLock());
    // Only outline fonts: the programs draw text at any size.
    FcPattern* pattern = FcPatternBuild(nullptr, FC_SCALABLE, FcTypeBool, FcTrue, nullptr);
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
    // Settings written on Windows name its fonts; offer those names where they resolve to the
    // installed look-alike, so that the lists can select them.
    for (const auto& [alias, family] : kMetricAliases)
        if (std::find(families.begin(), families.end(), family) != families.end() &&
            Match({alias, 12, false, false}).Family == family)
            families.emplace_back(alias);
    std::sort(families.begin(), families.end(), LessIgnoringCase);
    families.erase(std::unique(families.begin(), families.end(), SameIgnoringCase), families.end());
    return families;
}

std::shared_ptr<TFontFace> OpenFont(const TFontRequest& request) {
    using TKey = std::tuple<std::string, int, bool, bool>;
    static std::map<TKey, std::shared_ptr<TFontFace>> cache;
    const TKey key{request.Family, std::max(1, PointsToPixels(request.PointSize)), request.Bold,
                   request.Italic};
    std::lock_guard lock(FontLock());
    if (auto it = cache.find(key); it != cache.end()) return it->second;
    return cache.emplace(key, LoadFace(request)).first->second;
}

std::unique_ptr<TFontFace> LoadFont(const TFontRequest& request) {
    std::lock_guard lock(FontLock());
    return LoadFace(request);
}

} // namespace platform
