// TPixelGraphic: palette entries, palette identity and the logical palette.
#include "pgraphic/Messages.h"
#include "pgraphic/Palettes.h"
#include "pgraphic/PixelGraphic.h"

#include <algorithm>

namespace pg {

void TPixelGraphic::InvalidatePaletteCaches() {
    FLastResultInvalid = true;
    FLogicalPaletteStale = true;
    FreeColorCache();
}

void TPixelGraphic::SetPaletteCount(std::int32_t Count) {
    // No format addresses more than 256 entries; a larger or negative count is a caller's error.
    if (Count < 0 || Count > 256) PGRaise<EPixelGraphic>(msg::InvalidValueFor, "PaletteCount");
    if (Count != PaletteCount()) {
        ReleaseCanvasHandle();
        FPalette.resize(std::size_t(Count), RGB(0, 0, 0));
        FPaletteIdent = Count > 0 ? pUnknown : pNone;
        FLastResultInvalid = true;
        if (!FHeader.empty()) {
            std::uint8_t* clrUsed = FHeader.data() + 32;
            for (int i = 0; i < 4; ++i) clrUsed[i] = std::uint8_t(std::uint32_t(Count) >> (8 * i));
        }
    }
    FLogicalPaletteStale = true;
    FreeColorCache();
}

TRGB TPixelGraphic::GetPaletteEntry(std::int32_t Index) const {
    // A true-colour image treats an "index" as the colour itself.
    if (FPaletteIdent == pTrueColor) return TRGB(Index);
    if (Index < 0 || Index >= PaletteCount()) PGRaise<EPGInvalidPaletteIndex>(msg::InvalidPaletteIndex);
    return FPalette[std::size_t(Index)];
}

void TPixelGraphic::SetPaletteEntry(std::int32_t Index, TRGB Color) {
    if (FPaletteIdent == pTrueColor || FPaletteIdent == pNone) PGRaise<EPGNoPalette>(msg::NoPalette);
    if (Index < 0 || Index >= PaletteCount()) PGRaise<EPGInvalidPaletteIndex>(msg::InvalidPaletteIndex);
    Color &= 0xFFFFFF;
    ReleaseCanvasHandle();
    WriteHeaderColor(Index, Color);
    FPalette[std::size_t(Index)] = Color;
    FPaletteIdent = pUnknown;
    InvalidatePaletteCaches();
}

void TPixelGraphic::SetPaletteIdent(TPaletteIdent Ident) {
    if (Ident == FPaletteIdent) return;
    switch (Ident) {
    case pNone:
    case pTrueColor:
        SetPaletteCount(0);
        FPaletteIdent = Ident;
        break;
    case pUnknown:
        FPaletteIdent = Ident;
        break;
    case pOptimized252Sys16:
    case pSource:
        break;
    default: {
        const auto table = PredefinedPalette(Ident);
        SetPaletteCount(std::int32_t(table.size()));
        for (std::size_t i = 0; i < table.size(); ++i) SetPaletteEntry(std::int32_t(i), table[i]);
        FPaletteIdent = Ident;
    }
    }
    InvalidatePaletteCaches();
}

void TPixelGraphic::UpdatePaletteIdent() {
    FGrayPalette = FPixelFormat != pf24Bit && std::all_of(FPalette.begin(), FPalette.end(), [](TRGB c) {
                       return GetRValue(c) == GetGValue(c) && GetRValue(c) == GetBValue(c);
                   });
    static constexpr TPaletteIdent kRecognitionOrder[] = {pBlackWhite, pGray4,     pSysGray4, pGray16,
                                                          pGray236,    pGray256,   pSys16,    pSpecial216,
                                                          pSpecial125, pSpecial252};
    for (TPaletteIdent ident : kRecognitionOrder) {
        const auto table = PredefinedPalette(ident);
        if (std::equal(FPalette.begin(), FPalette.end(), table.begin(), table.end())) {
            FPaletteIdent = ident;
            return;
        }
    }
    if (FPixelFormat == pf24Bit && FPalette.empty())
        FPaletteIdent = pTrueColor;
    else
        FPaletteIdent = FPalette.empty() ? pNone : pUnknown;
}

void TPixelGraphic::AssignPalette(const TPixelGraphic& Source) {
    if (&Source == this) return;
    SetPaletteCount(Source.PaletteCount());
    FPalette = Source.FPalette;
    for (std::int32_t i = 0; i < PaletteCount(); ++i) WriteHeaderColor(i, FPalette[std::size_t(i)]);
    InvalidatePaletteCaches();
    UpdatePaletteIdent();
}

const TPGLogicalPalette* TPixelGraphic::GetPalette() {
    if (!FLogicalPaletteStale) return FLogicalPalette.get();
    FLogicalPalette.reset();
    if (FPaletteIdent != pTrueColor && !FPalette.empty())
        FLogicalPalette = std::make_unique<TPGLogicalPalette>(TPGLogicalPalette{FPalette});
    FLogicalPaletteStale = false;
    return FLogicalPalette.get();
}

} // namespace pg
