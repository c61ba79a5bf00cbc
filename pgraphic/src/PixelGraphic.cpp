// TPixelGraphic: raster storage, pixel access, settings, change events and Assign.
#include "pgraphic/PixelGraphic.h"

#include "pgraphic/Canvas.h"
#include "pgraphic/Messages.h"
#include "src/RasterMemory.h"

#include <algorithm>
#include <cstring>

namespace pg {
namespace {

void PutLE32(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = std::uint8_t(v >> (8 * i));
}

} // namespace

void TRasterDeleter::operator()(std::uint8_t* p) const {
    FreeRaster(p, Bytes);
}

TPixelGraphic::TPixelGraphic() = default;
TPixelGraphic::~TPixelGraphic() = default;

TPGCanvas& TPixelGraphic::Canvas() {
    if (!FCanvas) {
        FCanvas = std::make_unique<TPGCanvas>(*this);
        FCanvas->OnChange = [this] { Changed(); };
    }
    return *FCanvas;
}

void TPixelGraphic::ReleaseCanvasHandle() {
    if (FCanvas) FCanvas->ReleaseHandle();
}

void TPixelGraphic::SetSize(std::int32_t Width, std::int32_t Height, TPixelFormat PixelFormat) {
    Resize(Width, Height, PixelFormat, true);
}

void TPixelGraphic::Resize(std::int32_t Width, std::int32_t Height, TPixelFormat PixelFormat,
                           bool clearWhenSame) {
    if (Width < 0) PGRaise<EPGInvalidSize>(msg::NegativeWidth);
    if (Height < 0) PGRaise<EPGInvalidSize>(msg::NegativeHeight);
    if (PixelFormat > pf24Bit) PGRaise<EPixelGraphic>(msg::InvalidValueFor, "PixelFormat");

    // A raster of the same shape is kept; a failed earlier allocation is retried instead.
    bool hasWantedStorage = FBits || Width == 0 || Height == 0;
    if (Width == FWidth && Height == FHeight && PixelFormat == FPixelFormat && hasWantedStorage) {
        if (clearWhenSame) Clear();
        return;
    }

    FWidth = Width;
    FHeight = Height;
    FPixelFormat = PixelFormat;
    ReleaseCanvasHandle();
    FBits.reset();
    FHeader.clear();

    const std::int64_t bytesPerRow = (std::int64_t(BitsPerPixelOf(PixelFormat)) * Width + 31) / 32 * 4;
    const std::int64_t imageSize = bytesPerRow * Height;
    if (imageSize > 0) {
        const int paletteSize = PaletteSizeOf(PixelFormat);
        if (PaletteCount() > paletteSize) SetPaletteCount(paletteSize);
        if (PixelFormat == pf24Bit) FPaletteIdent = pTrueColor;
    }
    if (imageSize > kMaxImageBytes) {
        FBytesPerRow = 0;
        FImageSize = 0;
        PGRaise<EPixelGraphic>(msg::Failed, "CreateDIBSection");
    }
    FBytesPerRow = std::int32_t(bytesPerRow);
    FImageSize = std::int32_t(imageSize);
    if (FImageSize > 0) {
        BuildHeaderBlock();
        FBits = {AllocateRaster(std::size_t(FImageSize)), TRasterDeleter{std::size_t(FImageSize)}};
        if (!FBits) {
            FHeader.clear();
            PGRaise<EPixelGraphic>(msg::Failed, "CreateDIBSection");
        }
    }
    Changed();
}

void TPixelGraphic::BuildHeaderBlock() {
    const int paletteSize = PaletteSizeOf(FPixelFormat);
    FHeader.assign(std::size_t(kBitmapInfoHeaderSize + 4 * paletteSize), 0);
    std::uint8_t* h = FHeader.data();
    PutLE32(h + 0, kBitmapInfoHeaderSize);
    PutLE32(h + 4, std::uint32_t(FWidth));
    PutLE32(h + 8, std::uint32_t(FHeight));
    h[12] = 1; // planes
    h[14] = std::uint8_t(BitsPerPixel());
    PutLE32(h + 20, std::uint32_t(FImageSize));
    PutLE32(h + 32, std::uint32_t(paletteSize));
    const TRGB filler = FPalette.empty() ? 0 : FPalette[0];
    for (int i = 0; i < paletteSize; ++i)
        WriteHeaderColor(i, i < PaletteCount() ? FPalette[std::size_t(i)] : filler);
}

void TPixelGraphic::WriteHeaderColor(std::int32_t Index, TRGB Color) {
    // The colour table holds only the format's palette size of entries.
    if (FHeader.empty() || Index >= PaletteSizeOf(FPixelFormat)) return;
    std::uint8_t* e = FHeader.data() + kBitmapInfoHeaderSize + 4 * Index;
    e[0] = GetBValue(Color);
    e[1] = GetGValue(Color);
    e[2] = GetRValue(Color);
    e[3] = 0;
}

void TPixelGraphic::SetWidth(std::int32_t Value) {
    if (Value != FWidth) SetSize(Value, FHeight, FPixelFormat);
}

void TPixelGraphic::SetHeight(std::int32_t Value) {
    if (Value != FHeight) SetSize(FWidth, Value, FPixelFormat);
}

void TPixelGraphic::SetPixelFormat(TPixelFormat Format) {
    if (Format != FPixelFormat) SetSize(FWidth, FHeight, Format);
}

std::uint8_t* TPixelGraphic::ScanLine(std::int32_t Y) {
    if (!FBits) return nullptr;
    return FBits.get() + std::ptrdiff_t(FBytesPerRow) * (FHeight - 1 - Y);
}

const std::uint8_t* TPixelGraphic::ScanLine(std::int32_t Y) const {
    return const_cast<TPixelGraphic*>(this)->ScanLine(Y);
}

void TPixelGraphic::Clear() {
    if (!FBits || FWidth <= 0 || FHeight <= 0) return;
    if (FBackGroundColor == 0) {
        std::memset(FBits.get(), 0, std::size_t(FImageSize));
    } else if (FPixelFormat == pf8Bit) {
        for (std::int32_t y = 0; y < FHeight; ++y)
            std::memset(ScanLine(y), int(FBackGroundColor & 0xFF), std::size_t(FWidth));
    } else if (FPixelFormat == pf24Bit) {
        // Fill the top row pixel by pixel, then repeat its pixel bytes; padding stays untouched.
        for (std::int32_t x = 0; x < FWidth; ++x) SetPixel(x, 0, FBackGroundColor);
        const std::size_t rowBytes = 3 * std::size_t(FWidth);
        for (std::int32_t y = 1; y < FHeight; ++y) std::memcpy(ScanLine(y), ScanLine(0), rowBytes);
    } else {
        for (std::int32_t y = 0; y < FHeight; ++y)
            for (std::int32_t x = 0; x < FWidth; ++x) SetPixel(x, y, FBackGroundColor);
    }
    Changed();
}

bool TPixelGraphic::Inside(std::int32_t X, std::int32_t Y) const {
    return X >= 0 && X < FWidth && Y >= 0 && Y < FHeight && FBits;
}

void TPixelGraphic::CheckInside(std::int32_t X, std::int32_t Y) const {
    if (!Inside(X, Y) && FRangeCheck) PGRaise<EPGXYIndexOutOfRange>(msg::XYIndexOutOfRange);
}

std::uint32_t TPixelGraphic::GetPixel(std::int32_t X, std::int32_t Y) const {
    CheckInside(X, Y);
    if (!Inside(X, Y)) return FBackGroundColor;
    const std::uint8_t* row = ScanLine(Y);
    switch (FPixelFormat) {
    case pf1Bit:
        return (row[X / 8] >> (7 - X % 8)) & 1;
    case pf4Bit:
        return X % 2 == 0 ? row[X / 2] >> 4 : row[X / 2] & 0x0F;
    case pf8Bit:
        return row[X];
    default: {
        const std::uint8_t* p = row + 3 * std::ptrdiff_t(X);
        return RGB(p[2], p[1], p[0]);
    }
    }
}

void TPixelGraphic::SetPixel(std::int32_t X, std::int32_t Y, std::uint32_t Value) {
    CheckInside(X, Y);
    if (!Inside(X, Y)) return;
    std::uint8_t* row = ScanLine(Y);
    switch (FPixelFormat) {
    case pf1Bit: {
        const std::uint8_t mask = std::uint8_t(0x80 >> (X % 8));
        row[X / 8] = Value == 1 ? std::uint8_t(row[X / 8] | mask) : std::uint8_t(row[X / 8] & ~mask);
        break;
    }
    case pf4Bit: {
        std::uint8_t& b = row[X / 2];
        const std::uint8_t nibble = Value & 0x0F;
        b = X % 2 == 0 ? std::uint8_t((b & 0x0F) | nibble << 4) : std::uint8_t((b & 0xF0) | nibble);
        break;
    }
    case pf8Bit:
        row[X] = std::uint8_t(Value);
        break;
    default: {
        std::uint8_t* p = row + 3 * std::ptrdiff_t(X);
        p[0] = GetBValue(Value);
        p[1] = GetGValue(Value);
        p[2] = GetRValue(Value);
    }
    }
}

TRGB TPixelGraphic::GetPixelColor(std::int32_t X, std::int32_t Y) const {
    const std::uint32_t value = GetPixel(X, Y);
    return FPixelFormat == pf24Bit ? value : GetPaletteEntry(std::int32_t(value));
}

void TPixelGraphic::SetPixelColor(std::int32_t X, std::int32_t Y, TRGB Color) {
    SetPixel(X, Y, FPixelFormat == pf24Bit ? Color : GetNearestIndex(Color));
}

TRGB TPixelGraphic::BackGroundColor() const {
    return FPixelFormat == pf24Bit ? FBackGroundColor : GetPaletteEntry(std::int32_t(FBackGroundColor));
}

void TPixelGraphic::SetBackGroundColor(TRGB Color) {
    FBackGroundColor = FPixelFormat == pf24Bit ? Color : GetNearestIndex(Color);
}

void TPixelGraphic::SetUseColorCache(bool Value) {
    if (Value == FUseColorCache) return;
    FUseColorCache = Value;
    FLastResultInvalid = true;
    Changed();
}

void TPixelGraphic::SetRGBWeighting(bool Value) {
    if (Value == FRGBWeighting) return;
    FRGBWeighting = Value;
    FLastResultInvalid = true;
}

void TPixelGraphic::EndUpdate() {
    if (FUpdateCount > 0) --FUpdateCount;
    Changed();
}

void TPixelGraphic::Changed() {
    if (FUpdateCount == 0 && FOnChange) FOnChange(*this);
}

void TPixelGraphic::Assign(const TPixelGraphic* Source) {
    if (!Source) {
        SetSize(0, 0, pf24Bit);
        return;
    }
    if (Source == this) return;
    BeginUpdate();
    try {
        // Every pixel byte is overwritten below, so a raster of the same shape needs no clearing.
        Resize(Source->FWidth, Source->FHeight, Source->FPixelFormat, false);
        if (FBits && Source->FBits) std::memcpy(FBits.get(), Source->FBits.get(), std::size_t(FImageSize));
        SetPaletteIdent(Source->FPaletteIdent);
        SetPaletteCount(Source->PaletteCount());
        FBackGroundColor = Source->FBackGroundColor;
        FDither = Source->FDither;
        FDitherErrorLimit = Source->FDitherErrorLimit;
        FDitherErrorLimitAuto = Source->FDitherErrorLimitAuto;
        FDitherErrorLimitSoft = Source->FDitherErrorLimitSoft;
        FUseColorCache = Source->FUseColorCache;
        FGamma = Source->FGamma;
        SetRGBWeighting(Source->FRGBWeighting);
        FStretchMode = Source->FStretchMode;
        FReadWarningAction = Source->FReadWarningAction;
        FTransparent = Source->FTransparent;
        FRangeCheck = Source->FRangeCheck;
        FSaveColorResWarningAction = Source->FSaveColorResWarningAction;
        for (std::int32_t i = 0; i < Source->PaletteCount(); ++i)
            SetPaletteEntry(i, Source->FPalette[std::size_t(i)]);
        UpdatePaletteIdent();
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

} // namespace pg
