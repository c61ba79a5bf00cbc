// Converting an image to the colour resolution a writer can store.
#include "src/ColorResolutionConversion.h"

#include "pgraphic/OptimizedPalette.h"

namespace pg {

std::unique_ptr<TPixelGraphic> ConvertToResolution(TPixelGraphic& image, TColorResolution target) {
    auto converted = std::make_unique<TPixelGraphic>();
    converted->SetOnProgress(image.OnProgress());
    converted->SetOnProgressStart(image.OnProgressStart());
    converted->SetOnProgressEnd(image.OnProgressEnd());

    static constexpr TPixelFormat kFormat[8] = {pf1Bit, pf1Bit, pf4Bit, pf4Bit,
                                                pf4Bit, pf8Bit, pf8Bit, pf24Bit};
    converted->SetPixelFormat(kFormat[target]);
    switch (target) {
    case crBlackWhite:
        converted->SetPaletteIdent(pBlackWhite);
        break;
    case cr2Colors:
        CreateOptimizedPalette(*converted, image, 2, false);
        break;
    case cr16Grays:
        converted->SetPaletteIdent(pGray16);
        break;
    case cr16SystemColors:
        converted->SetPaletteIdent(pSys16);
        break;
    case cr16Colors:
        CreateOptimizedPalette(*converted, image, 16, false);
        break;
    case cr256Grays:
        converted->SetPaletteIdent(pGray256);
        break;
    case cr256Colors:
        CreateOptimizedPalette(*converted, image, 252, true);
        break;
    case crTrueColor:
        break;
    }
    converted->SetWidth(image.Width());
    converted->SetHeight(image.Height());
    converted->Copy(image);
    converted->UpdatePaletteIdent();
    return converted;
}

} // namespace pg
