// TPixelGraphic: the in-memory image of the library, a raster laid out exactly as a bottom-up DIB.
#pragma once

#include "pgraphic/Types.h"
#include "platform/GlobalMemory.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace platform {
class TStream;
}

namespace pg {

class TPixelGraphic;
class TPGCanvas;

using TNotifyEvent = std::function<void(TPixelGraphic& Sender)>;
// Called once per processed row; setting Abort ends the operation early without an error.
using TPGProgressEvent = std::function<void(TPixelGraphic& Sender, int Step, int Max, bool& Abort)>;

// Gamma that the pixel data of a freshly created or loaded image is assumed to have.
inline constexpr long double DisplayGamma = 1.8L;

// Whether loading gamma-corrects pixel data whose gamma differs from DisplayGamma.
inline bool GammaCorrection = true;

// Clipboard formats an image can be exchanged in: a bitmap, or a packed DIB.
inline constexpr std::uint16_t CF_BITMAP = 2;
inline constexpr std::uint16_t CF_DIB = 8;

struct TClipboardData {
    std::uint16_t Format = CF_DIB;
    platform::HGLOBAL Data;
    std::uintptr_t Palette = 0;
};

// The largest raster the library allocates; a larger one fails like a refused DIB section.
inline constexpr std::int64_t kMaxImageBytes = std::int64_t(1) << 30;

// Size of the BITMAPINFOHEADER at the front of the header block.
inline constexpr int kBitmapInfoHeaderSize = 40;

// The image's palette as handed to whoever realises it on a device.
struct TPGLogicalPalette {
    std::vector<TRGB> Entries;
};

// Returns a raster to the library's raster memory, which needs its size.
struct TRasterDeleter {
    std::size_t Bytes = 0;
    void operator()(std::uint8_t* p) const;
};

class TPixelGraphic {
public:
    TPixelGraphic();
    ~TPixelGraphic();
    TPixelGraphic(const TPixelGraphic&) = delete;
    TPixelGraphic& operator=(const TPixelGraphic&) = delete;

    // Raster. A new or resized raster is all zero bytes; a zero dimension leaves the image empty.
    void SetSize(std::int32_t Width, std::int32_t Height, TPixelFormat PixelFormat);
    void SetWidth(std::int32_t Value);
    void SetHeight(std::int32_t Value);
    void SetPixelFormat(TPixelFormat Format);
    std::int32_t Width() const { return FWidth; }
    std::int32_t Height() const { return FHeight; }
    TPixelFormat PixelFormat() const { return FPixelFormat; }
    bool GetEmpty() const { return !FBits; }
    int BitsPerPixel() const { return BitsPerPixelOf(FPixelFormat); }
    std::int32_t BytesPerRow() const { return FBytesPerRow; }
    std::int32_t ImageSize() const { return FImageSize; }
    std::uint8_t* Bits() { return FBits.get(); }
    const std::uint8_t* Bits() const { return FBits.get(); }
    // First byte of image row Y (0 = top); null while empty. Y is not range-checked.
    std::uint8_t* ScanLine(std::int32_t Y);
    const std::uint8_t* ScanLine(std::int32_t Y) const;
    // BITMAPINFOHEADER followed by the format's colour table (B, G, R, 0 each); empty while empty.
    std::span<const std::uint8_t> HeaderBlock() const { return FHeader; }
    void Clear();

    // Pixels. Raw values are palette indices for formats 0-2 and TRGB for 24 bits.
    std::uint32_t GetPixel(std::int32_t X, std::int32_t Y) const;
    void SetPixel(std::int32_t X, std::int32_t Y, std::uint32_t Value);
    TRGB GetPixelColor(std::int32_t X, std::int32_t Y) const;
    void SetPixelColor(std::int32_t X, std::int32_t Y, TRGB Color);
    TRGB BackGroundColor() const;
    void SetBackGroundColor(TRGB Color);
    bool RangeCheck() const { return FRangeCheck; }
    void SetRangeCheck(bool Value) { FRangeCheck = Value; }

    // Palette.
    std::int32_t PaletteCount() const { return std::int32_t(FPalette.size()); }
    void SetPaletteCount(std::int32_t Count);
    TRGB GetPaletteEntry(std::int32_t Index) const;
    void SetPaletteEntry(std::int32_t Index, TRGB Color);
    TPaletteIdent PaletteIdent() const { return FPaletteIdent; }
    void SetPaletteIdent(TPaletteIdent Ident);
    void UpdatePaletteIdent();
    void AssignPalette(const TPixelGraphic& Source);
    // The logical palette, owned by the image and rebuilt only after a palette change; null when
    // the image has no palette to realise.
    const TPGLogicalPalette* GetPalette();
    // Every palette entry is a gray (R = G = B); kept by UpdatePaletteIdent.
    bool GrayPalette() const { return FGrayPalette; }

    // Colour mapping.
    std::uint32_t GetNearestIndex(TRGB Color);
    void FreeColorCache();
    // 0..765: luma-weighted with RGBWeighting, else R + G + B.
    int Brightness(TRGB Color) const;

    // Error diffusion while colours are written into this palette image; a copy sets it up, swaps
    // the error rows at the start of each destination row, and releases it.
    void SetupDithering();
    void ReleaseDithering();
    void SwapErrorRows();
    void DitherPixel(std::int32_t X, std::int32_t Y, int R, int G, int B);

    // Copies between images of any pixel formats, scaling with StretchMode.
    void Copy(const TPixelGraphic& Source);
    void StretchCopyRect(std::int32_t DstX, std::int32_t DstY, std::int32_t DstWidth, std::int32_t DstHeight,
                         std::int32_t SrcX, std::int32_t SrcY, std::int32_t SrcWidth, std::int32_t SrcHeight,
                         const TPixelGraphic& Source);
    void CopyRect(std::int32_t DstX, std::int32_t DstY, std::int32_t Width, std::int32_t Height,
                  std::int32_t SrcX, std::int32_t SrcY, const TPixelGraphic& Source);

    // Settings.
    bool Dither() const { return FDither; }
    void SetDither(bool Value) { FDither = Value; }
    std::uint8_t DitherErrorLimit() const { return FDitherErrorLimit; }
    void SetDitherErrorLimit(std::uint8_t Value) { FDitherErrorLimit = Value; }
    bool DitherErrorLimitAuto() const { return FDitherErrorLimitAuto; }
    void SetDitherErrorLimitAuto(bool Value) { FDitherErrorLimitAuto = Value; }
    bool DitherErrorLimitSoft() const { return FDitherErrorLimitSoft; }
    void SetDitherErrorLimitSoft(bool Value) { FDitherErrorLimitSoft = Value; }
    bool UseColorCache() const { return FUseColorCache; }
    void SetUseColorCache(bool Value);
    bool RGBWeighting() const { return FRGBWeighting; }
    void SetRGBWeighting(bool Value);
    bool FastJPEGDecode() const { return FFastJPEGDecode; }
    void SetFastJPEGDecode(bool Value) { FFastJPEGDecode = Value; }
    bool NoPaletteRealize() const { return FNoPaletteRealize; }
    void SetNoPaletteRealize(bool Value) { FNoPaletteRealize = Value; }
    long double Gamma() const { return FGamma; }
    void SetGamma(long double Value) { FGamma = Value; }
    TStretchMode StretchMode() const { return FStretchMode; }
    void SetStretchMode(TStretchMode Value) { FStretchMode = Value; }
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value) { FTransparent = Value; }
    TPGWarningAction ReadWarningAction() const { return FReadWarningAction; }
    void SetReadWarningAction(TPGWarningAction Value) { FReadWarningAction = Value; }
    TPGWarningAction SaveColorResWarningAction() const { return FSaveColorResWarningAction; }
    void SetSaveColorResWarningAction(TPGWarningAction Value) { FSaveColorResWarningAction = Value; }

    // Change notification and progress events.
    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();
    void Changed();
    const TNotifyEvent& OnChange() const { return FOnChange; }
    void SetOnChange(TNotifyEvent Handler) { FOnChange = std::move(Handler); }
    const TPGProgressEvent& OnProgress() const { return FOnProgress; }
    void SetOnProgress(TPGProgressEvent Handler) { FOnProgress = std::move(Handler); }
    const TNotifyEvent& OnProgressStart() const { return FOnProgressStart; }
    void SetOnProgressStart(TNotifyEvent Handler) { FOnProgressStart = std::move(Handler); }
    const TNotifyEvent& OnProgressEnd() const { return FOnProgressEnd; }
    void SetOnProgressEnd(TNotifyEvent Handler) { FOnProgressEnd = std::move(Handler); }

    // The drawing surface, created on first use; its drawing calls Changed.
    TPGCanvas& Canvas();
    // Drops what the canvas resolved for drawing; done before the palette or raster changes.
    void ReleaseCanvasHandle();

    // Copies raster, palette and settings of Source; null empties the image.
    void Assign(const TPixelGraphic* Source);

    // Files and streams. Loading finds the reader by content, else by extension; saving finds the
    // writer by extension and converts the colour resolution when the writer needs another one.
    void LoadFromFile(const std::string& FileName);
    void LoadIndexFromFile(const std::string& FileName, int ImageIndex);
    void LoadFromStream(platform::TStream& Stream);
    void LoadIndexFromStream(platform::TStream& Stream, std::string_view Extension, int ImageIndex);
    void SaveToFile(const std::string& FileName);
    void SaveToStreamAs(platform::TStream& Stream, std::string_view Extension);
    // Writes a BMP file, whatever the resolution.
    void SaveToStream(platform::TStream& Stream);
    // A length-prefixed BMP file, as images are embedded in component streams.
    void WriteData(platform::TStream& Stream);
    void ReadData(platform::TStream& Stream);
    // A packed DIB: header, colour table and pixels.
    void ReadDIB(platform::TStream& Stream, bool CoreHeader);
    void WriteDIB(platform::TStream& Stream);
    TClipboardData SaveToClipboardFormat();
    void LoadFromClipboardFormat(std::uint16_t Format, const platform::HGLOBAL& Data, std::uintptr_t Palette);

private:
    bool Inside(std::int32_t X, std::int32_t Y) const;
    void CheckInside(std::int32_t X, std::int32_t Y) const;
    void Resize(std::int32_t Width, std::int32_t Height, TPixelFormat PixelFormat, bool clearWhenSame);
    void BuildHeaderBlock();
    void WriteHeaderColor(std::int32_t Index, TRGB Color);
    void InvalidatePaletteCaches();
    std::uint32_t NearestIndexFor(TRGB Color);
    std::uint32_t CachedNearestIndex(TRGB Color);
    void BuildColorCache();
    // How a colour reaches this image during a copy: bytes, dithering or the nearest index.
    void TransferColor(std::int32_t X, std::int32_t Y, TRGB Color, bool dithering);

    std::uint32_t FBackGroundColor = 0;
    TPixelFormat FPixelFormat = pf24Bit;
    std::unique_ptr<std::uint8_t, TRasterDeleter> FBits;
    std::vector<std::uint8_t> FHeader;
    bool FDither = true;
    std::uint8_t FDitherErrorLimit = 32;
    bool FDitherErrorLimitAuto = true;
    bool FDitherErrorLimitSoft = true;
    bool FUseColorCache = true;
    bool FFastJPEGDecode = false;
    std::int32_t FWidth = 0;
    std::int32_t FHeight = 0;
    bool FNoPaletteRealize = false;
    bool FGrayPalette = false;
    long double FGamma = DisplayGamma;
    std::int32_t FImageSize = 0;
    std::int32_t FBytesPerRow = 0;
    TNotifyEvent FOnChange;
    TPGProgressEvent FOnProgress;
    TNotifyEvent FOnProgressEnd;
    TNotifyEvent FOnProgressStart;
    std::unique_ptr<TPGLogicalPalette> FLogicalPalette;
    std::unique_ptr<TPGCanvas> FCanvas;
    std::unique_ptr<std::uint8_t[]> FColorCache;  // 32 x 64 x 32 cells of palette indices
    std::unique_ptr<std::uint8_t[]> FCacheFilled; // one bit per cache cell
    bool FCacheRebuild = true;
    std::vector<std::int32_t> FErrorLimit;   // t(e) for e = -255..255 at [e + 255]
    std::vector<std::int32_t> FErrorRows[2]; // (Width + 2) x 3 sums in sixteenths
    int FCurrentErrorRow = 0;
    TRGB FLastColor = 0;
    bool FLastResultInvalid = true;
    std::uint32_t FLastResult = 0;
    bool FLogicalPaletteStale = false;
    std::vector<TRGB> FPalette;
    TPaletteIdent FPaletteIdent = pTrueColor;
    bool FRGBWeighting = true;
    TStretchMode FStretchMode = smPrecise;
    bool FTransparent = false;
    int FUpdateCount = 0;
    TPGWarningAction FReadWarningAction = pgwaOKCancelBox;
    bool FRangeCheck = false;
    TPGWarningAction FSaveColorResWarningAction = pgwaOKCancelBox;
};

} // namespace pg
