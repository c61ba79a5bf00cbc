// Windows bitmap files. The pixel rows of an uncompressed bitmap are laid out exactly like the
// image's raster, so they move in large blocks; RLE data and bit-field pixels are decoded here.
#include "formats/Bmp.h"

#include "pgraphic/Messages.h"
#include "pgraphic/PixelGraphic.h"
#include "pgraphic/Progress.h"
#include "platform/Stream.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <vector>

namespace pg {
namespace {

constexpr int kFileHeaderSize = 14;
constexpr int kCoreHeaderSize = 12;
constexpr int kInfoHeaderSize = 40;

constexpr std::uint32_t BI_RGB = 0;
constexpr std::uint32_t BI_RLE8 = 1;
constexpr std::uint32_t BI_RLE4 = 2;
constexpr std::uint32_t BI_BITFIELDS = 3;

[[noreturn]] void Fail(int number, std::string_view s1 = {}) {
    throw EPGBMPFileFormatReader("BMP: " + PGMessage(number, s1));
}

std::uint16_t LE16(const std::uint8_t* p) {
    return std::uint16_t(p[0] | p[1] << 8);
}
std::uint32_t LE32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
}
void PutLE16(std::uint8_t* p, std::uint32_t v) {
    p[0] = std::uint8_t(v);
    p[1] = std::uint8_t(v >> 8);
}
void PutLE32(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = std::uint8_t(v >> (8 * i));
}

template <std::size_t N> std::array<std::uint8_t, N> ReadBytes(platform::TStream& stream) {
    std::array<std::uint8_t, N> bytes{};
    stream.ReadBuffer(bytes.data(), N);
    return bytes;
}

// The 4-byte header size that follows the file header, without consuming it.
std::uint32_t PeekHeaderSize(platform::TStream& stream) {
    const std::int64_t at = stream.Position();
    const auto size = ReadBytes<4>(stream);
    stream.SetPosition(at);
    return LE32(size.data());
}

TPixelFormat FormatOfBitCount(int bits) {
    switch (bits) {
    case 1:
        return pf1Bit;
    case 4:
        return pf4Bit;
    case 8:
        return pf8Bit;
    case 24:
        return pf24Bit;
    default:
        PGRaise<EPGInvalidBitCountNum>(msg::InvalidValueFor, "BitCountNum");
    }
}

struct TInfoHeader {
    std::int32_t Width;
    std::int32_t Height;
    std::uint16_t Planes;
    std::uint16_t BitCount;
    std::uint32_t Compression;
    std::uint32_t SizeImage;
    std::uint32_t ClrUsed;
};

TInfoHeader ParseInfoHeader(const std::array<std::uint8_t, kInfoHeaderSize>& h) {
    return {std::int32_t(LE32(&h[4])),
            std::int32_t(LE32(&h[8])),
            LE16(&h[12]),
            LE16(&h[14]),
            LE32(&h[16]),
            LE32(&h[20]),
            LE32(&h[32])};
}

// Plane count, bit count and compression as the reader accepts them.
void CheckInfoHeader(const TInfoHeader& h) {
    if (h.Planes != 1) Fail(msg::Invalid, "BitmapInfoHeader.biPlanes");
    const int bits = h.BitCount;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        Fail(msg::Invalid, "BitmapInfoHeader.biBitCount");
    const bool ok = h.Compression == BI_RGB || (h.Compression == BI_RLE8 && bits == 8 && h.Height >= 0) ||
                    (h.Compression == BI_RLE4 && bits == 4 && h.Height >= 0) ||
                    (h.Compression == BI_BITFIELDS && (bits == 16 || bits == 32));
    if (!ok) Fail(msg::Invalid, "BitmapInfoHeader.biCompression");
    // The magnitude of INT_MIN cannot be taken.
    if (h.Height == INT32_MIN) Fail(msg::Invalid, "BitmapInfoHeader.biHeight");
}

void CheckCoreHeader(std::uint16_t planes, std::uint16_t bits) {
    if (planes != 1) Fail(msg::Invalid, "BitmapCoreHeader.bcPlanes");
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24) Fail(msg::Invalid, "BitmapCoreHeader.bcBitCount");
}

// Refuses a raster larger than the library holds before anything is allocated for it.
void CheckRasterSize(std::int64_t width, std::int64_t height, int bits) {
    if (width < 0) return; // SetSize reports a negative width
    const std::int64_t bytes = (width * bits + 31) / 32 * 4 * height;
    if (bytes > kMaxImageBytes) Fail(msg::InvalidSizeOf, "image");
}

// Reads `length` bytes into `target`: small amounts at once, larger ones in tenths with progress.
// A short read is not an error; the missing bytes keep their value.
bool ChunkedRead(platform::TStream& stream, std::uint8_t* target, std::int64_t length,
                 TPGProgressScope& progress) {
    if (length < 101) {
        stream.Read(target, std::size_t(length));
        return true;
    }
    const std::int64_t chunk = length / 10;
    for (int k = 1; k <= 9; ++k) {
        stream.Read(target, std::size_t(chunk));
        target += chunk;
        if (progress.Step(k, 10)) return false;
    }
    stream.Read(target, std::size_t(length - 9 * chunk));
    progress.Step(10, 10);
    return true;
}

// How a bit-field mask maps onto an 8-bit channel.
struct TChannel {
    std::uint32_t Mask;
    int Shift; // left when positive, right when negative
    std::uint32_t Step;
};

TChannel ChannelOf(std::uint32_t mask, bool sixteenBit) {
    // Zero masks and masks with gaps have no sensible channel value.
    if (mask == 0) Fail(msg::Invalid, "BitmapInfoHeader.biCompression");
    const int trailing = std::countr_zero(mask);
    std::uint32_t m = mask >> trailing;
    if ((m & (m + 1)) != 0) Fail(msg::Invalid, "BitmapInfoHeader.biCompression");
    int shift = -trailing;
    while ((m & 0x80) == 0) {
        m <<= 1;
        ++shift;
    }
    return {mask, shift, sixteenBit ? (m & (~m + 1)) : 0};
}

std::uint8_t ChannelValue(std::uint32_t v, const TChannel& c, bool sixteenBit) {
    const std::uint32_t bits = v & c.Mask;
    if (bits == 0 && sixteenBit) return 0;
    std::uint64_t value = c.Shift >= 0 ? std::uint64_t(bits) << c.Shift : bits >> -c.Shift;
    value += c.Step;
    return std::uint8_t(std::min<std::uint64_t>(value, 255));
}

// Bit-field pixels are read a piece of a row at a time, so a damaged width costs no more memory
// than the image itself. Bytes the stream no longer holds read as zero: those pixels stay black.
void ReadBitFieldPixels(platform::TStream& stream, TPixelGraphic& g, int bits, const TChannel (&rgb)[3],
                        TPGProgressScope& progress) {
    constexpr std::int32_t kPiecePixels = 4096;
    const bool sixteenBit = bits == 16;
    const int bytesPerPixel = bits / 8;
    const std::size_t rowBytes = std::size_t((std::int64_t(bits) * g.Width() + 31) / 32 * 4);
    const std::size_t padding = rowBytes - std::size_t(g.Width()) * std::size_t(bytesPerPixel);
    std::vector<std::uint8_t> piece(std::size_t(std::min(g.Width(), kPiecePixels) * bytesPerPixel));
    std::uint8_t skipped[4];
    for (std::int32_t i = 0; i < g.Height(); ++i) {
        std::uint8_t* out = g.ScanLine(g.Height() - 1 - i);
        bool exhausted = false;
        for (std::int32_t x0 = 0; x0 < g.Width(); x0 += kPiecePixels) {
            const std::int32_t count = std::min(kPiecePixels, g.Width() - x0);
            const std::size_t wanted = std::size_t(count * bytesPerPixel);
            const std::size_t got = stream.Read(piece.data(), wanted);
            std::fill(piece.begin() + std::ptrdiff_t(got), piece.end(), std::uint8_t(0));
            exhausted = got < wanted;
            for (std::int32_t x = 0; x < count; ++x) {
                const std::uint8_t* p = piece.data() + std::ptrdiff_t(x) * bytesPerPixel;
                const std::uint32_t v = sixteenBit ? LE16(p) : LE32(p);
                std::uint8_t* o = out + 3 * std::ptrdiff_t(x0 + x);
                o[0] = ChannelValue(v, rgb[2], sixteenBit);
                o[1] = ChannelValue(v, rgb[1], sixteenBit);
                o[2] = ChannelValue(v, rgb[0], sixteenBit);
            }
            if (exhausted) break;
        }
        if (progress.Step(i, g.Height())) return;
        if (exhausted) return; // the rest stays black, as zero bytes would read
        stream.Read(skipped, padding);
    }
}

// Run-length decoding of BI_RLE8 and BI_RLE4 data. Bytes past the end of the data read as zero.
class TRleDecoder {
public:
    TRleDecoder(TPixelGraphic& g, std::vector<std::uint8_t> data, bool rle4, TPGProgressScope& progress)
        : FImage(g), FData(std::move(data)), FRle4(rle4), FProgress(progress) {}

    void Decode() {
        const std::int64_t L = std::int64_t(FData.size());
        const std::int64_t tenth = L / 10;
        std::int64_t p = 0;
        std::int64_t x = 0;
        std::int64_t y = FImage.Height() - 1;
        while (p < L - 1) {
            const int n = At(p);
            const int second = At(p + 1);
            if (n > 0) {
                PutRun(x, y, n, [&](int j) { return FRle4 ? Nibble(second, j) : second; });
                x += n;
                p += 2;
            } else if (second == 0) {
                p += 2;
                x = 0;
                --y;
            } else if (second == 1) {
                break;
            } else if (second == 2) {
                if (p >= L - 3) break;
                x += At(p + 2);
                y -= At(p + 3);
                p += 4;
            } else {
                const int k = second;
                PutRun(x, y, k,
                       [&](int j) { return FRle4 ? Nibble(At(p + 1 + (j + 1) / 2), j) : At(p + 1 + j); });
                x += k;
                p += FRle4 ? (k + 1) / 2 + 2 : k + 2;
                if (p % 2 == 1) ++p;
            }
            if (tenth > 0 && p % tenth == 0 && FProgress.Step(int(p / tenth), 10)) break;
        }
    }

private:
    int At(std::int64_t i) const { return i < std::int64_t(FData.size()) ? FData[std::size_t(i)] : 0; }
    static int Nibble(int byte, int j) { return j % 2 == 1 ? byte >> 4 : byte & 0x0F; }
    // Writes `count` pixels from (x, y) on, the j-th (from 1) being value(j). Pixels outside the
    // image are dropped; x never runs below zero.
    template <class TValue> void PutRun(std::int64_t x, std::int64_t y, int count, TValue value) {
        if (y < 0 || y >= FImage.Height() || x >= FImage.Width()) return;
        const int n = int(std::min<std::int64_t>(count, FImage.Width() - x));
        std::uint8_t* row = FImage.ScanLine(std::int32_t(y));
        if (FRle4) {
            for (int j = 1; j <= n; ++j) {
                const std::int64_t at = x + j - 1;
                std::uint8_t& b = row[at / 2];
                const auto nibble = std::uint8_t(value(j) & 0x0F);
                b = at % 2 == 0 ? std::uint8_t((b & 0x0F) | nibble << 4) : std::uint8_t((b & 0xF0) | nibble);
            }
        } else {
            for (int j = 1; j <= n; ++j) row[x + j - 1] = std::uint8_t(value(j));
        }
    }

    TPixelGraphic& FImage;
    std::vector<std::uint8_t> FData;
    bool FRle4;
    TPGProgressScope& FProgress;
};

// Turns the rows of a top-down bitmap upright, swapping them through a small buffer.
void FlipRows(TPixelGraphic& g) {
    const std::size_t rowBytes = std::size_t(g.BytesPerRow());
    std::vector<std::uint8_t> swap(std::min<std::size_t>(rowBytes, 64 * 1024));
    for (std::int32_t j = 0; j < g.Height() / 2; ++j) {
        std::uint8_t* top = g.ScanLine(j);
        std::uint8_t* bottom = g.ScanLine(g.Height() - 1 - j);
        for (std::size_t at = 0; at < rowBytes; at += swap.size()) {
            const std::size_t n = std::min(swap.size(), rowBytes - at);
            std::memcpy(swap.data(), top + at, n);
            std::memcpy(top + at, bottom + at, n);
            std::memcpy(bottom + at, swap.data(), n);
        }
    }
}

// Files may leave a gap between the colour table and the pixels; an offset past the end of the
// stream is taken as damaged and the pixels are read where they would follow the table.
void SkipTo(platform::TStream& stream, std::optional<std::int64_t> pixelOffset) {
    if (pixelOffset && *pixelOffset > stream.Position() && *pixelOffset < stream.Size())
        stream.SetPosition(*pixelOffset);
}

void ReadCoreDIB(platform::TStream& stream, TPixelGraphic& g, std::optional<std::int64_t> pixelOffset,
                 TPGProgressScope& progress) {
    const auto h = ReadBytes<kCoreHeaderSize>(stream);
    const std::uint16_t width = LE16(&h[4]), height = LE16(&h[6]), planes = LE16(&h[8]), bits = LE16(&h[10]);
    CheckCoreHeader(planes, bits);
    CheckRasterSize(width, height, bits);
    const TPixelFormat format = FormatOfBitCount(bits);
    g.SetSize(width, height, format);
    const int paletteSize = PaletteSizeOf(format);
    g.SetPaletteCount(paletteSize);
    if (paletteSize == 0) {
        g.SetPaletteIdent(pTrueColor);
    } else {
        std::vector<std::uint8_t> table(std::size_t(paletteSize) * 3);
        stream.ReadBuffer(table.data(), table.size());
        for (int i = 0; i < paletteSize; ++i)
            g.SetPaletteEntry(i, RGB(table[3 * i + 2], table[3 * i + 1], table[3 * i]));
    }
    SkipTo(stream, pixelOffset);
    ChunkedRead(stream, g.Bits(), g.ImageSize(), progress);
}

void ReadInfoDIB(platform::TStream& stream, TPixelGraphic& g, std::optional<std::int64_t> pixelOffset,
                 TPGProgressScope& progress) {
    const TInfoHeader h = ParseInfoHeader(ReadBytes<kInfoHeaderSize>(stream));
    CheckInfoHeader(h);
    const std::int32_t height = h.Height < 0 ? -h.Height : h.Height;
    const int bits = h.BitCount;
    CheckRasterSize(h.Width, height, std::min(bits, 24));

    TChannel channels[3]{};
    if (bits > 8) {
        g.SetSize(h.Width, height, pf24Bit);
        g.SetPaletteIdent(pTrueColor);
        if (bits == 16 || bits == 32) {
            std::uint32_t masks[3] = {0x7C00, 0x03E0, 0x001F};
            if (h.Compression == BI_BITFIELDS) {
                const auto m = ReadBytes<12>(stream);
                for (int i = 0; i < 3; ++i) masks[i] = LE32(&m[std::size_t(4 * i)]);
            } else if (bits == 32) {
                masks[0] = 0xFF0000, masks[1] = 0x00FF00, masks[2] = 0x0000FF;
            }
            for (int i = 0; i < 3; ++i) channels[i] = ChannelOf(masks[i], bits == 16);
        }
        if (h.ClrUsed > 0) stream.Seek(std::int64_t(h.ClrUsed) * 4, platform::TSeekOrigin::soCurrent);
    } else {
        const TPixelFormat format = FormatOfBitCount(bits);
        g.SetSize(h.Width, height, format);
        const int paletteSize = PaletteSizeOf(format);
        // A larger colour table than the bit count addresses is cut; its surplus entries are skipped.
        const std::uint32_t stored = h.ClrUsed != 0 ? h.ClrUsed : std::uint32_t(paletteSize);
        const int count = int(std::min<std::uint32_t>(stored, std::uint32_t(paletteSize)));
        g.SetPaletteCount(count);
        if (count < 1) {
            g.SetPaletteIdent(pNone);
        } else {
            std::vector<std::uint8_t> table(std::size_t(count) * 4);
            stream.ReadBuffer(table.data(), table.size());
            for (int i = 0; i < count; ++i)
                g.SetPaletteEntry(i, RGB(table[4 * i + 2], table[4 * i + 1], table[4 * i]));
            if (stored > std::uint32_t(count))
                stream.Seek(std::int64_t(stored - std::uint32_t(count)) * 4,
                            platform::TSeekOrigin::soCurrent);
        }
    }
    SkipTo(stream, pixelOffset);

    if (g.GetEmpty()) return;
    if (bits == 16 || bits == 32) {
        ReadBitFieldPixels(stream, g, bits, channels, progress);
    } else if (h.Compression == BI_RLE8 || h.Compression == BI_RLE4) {
        // The data cannot be longer than what the stream still holds.
        const std::int64_t length = std::min<std::int64_t>(h.SizeImage, stream.Remaining());
        std::vector<std::uint8_t> data(static_cast<std::size_t>(length));
        if (!ChunkedRead(stream, data.data(), length, progress)) return;
        TRleDecoder(g, std::move(data), h.Compression == BI_RLE4, progress).Decode();
    } else {
        if (!ChunkedRead(stream, g.Bits(), g.ImageSize(), progress)) return;
    }
    if (h.Height < 0) FlipRows(g);
}

void GetCoreInfo(platform::TStream& stream, TPGImageInfo& info) {
    const auto h = ReadBytes<kCoreHeaderSize>(stream);
    CheckCoreHeader(LE16(&h[8]), LE16(&h[10]));
    info.SubFormat = "OS/2";
    info.Width = LE16(&h[4]);
    info.Height = LE16(&h[6]);
    info.BitsPerPixel = LE16(&h[10]);
}

void GetInfoHeaderInfo(platform::TStream& stream, TPGImageInfo& info) {
    const TInfoHeader h = ParseInfoHeader(ReadBytes<kInfoHeaderSize>(stream));
    CheckInfoHeader(h);
    static const char* const kCompression[] = {", RGB", ", RLE8", ", RLE4", ""};
    info.SubFormat =
        std::string("Windows") + kCompression[h.Compression] + (h.Height < 0 ? ", Top-Down" : "");
    info.Width = h.Width;
    info.Height = h.Height;
    info.BitsPerPixel = h.BitCount;
}

std::string ColorsOfBitCount(int bits) {
    switch (bits) {
    case 1:
        return "2";
    case 4:
        return "16";
    case 8:
        return "256";
    case 16:
        return "64K";
    case 24:
    case 32:
        return "16.7M";
    default:
        return {};
    }
}

} // namespace

TBMPFileFormatReader::TBMPFileFormatReader(std::string extension)
    : TFileFormatReader(std::move(extension), "Bitmap") {
    DetectsByContent = true;
}

bool TBMPFileFormatReader::MatchesHeader(std::span<const std::uint8_t> Header) const {
    return Header.size() >= 2 && Header[0] == 'B' && Header[1] == 'M';
}

void TBMPFileFormatReader::Read(platform::TStream& Stream, TPixelGraphic& Graphic, int ImageIndex) {
    if (ImageIndex != 0) Fail(msg::Invalid, "Index");
    const std::int64_t start = Stream.Position();
    const auto fileHeader = ReadBytes<kFileHeaderSize>(Stream);
    const std::int64_t pixelOffset = start + LE32(&fileHeader[10]);
    switch (PeekHeaderSize(Stream)) {
    case kCoreHeaderSize:
        ReadDIB(Stream, Graphic, true, pixelOffset);
        break;
    case kInfoHeaderSize:
        ReadDIB(Stream, Graphic, false, pixelOffset);
        break;
    default:
        Fail(msg::Invalid, "BitmapInfoHeader/BitmapCoreHeader");
    }
}

void TBMPFileFormatReader::GetInfo(platform::TStream& Stream, int ImageIndex, TPGImageInfo& Info) {
    TFileFormatReader::GetInfo(Stream, ImageIndex, Info);
    if (ImageIndex != 0) Fail(msg::InvalidValueFor, "Index");
    ReadBytes<kFileHeaderSize>(Stream);
    switch (PeekHeaderSize(Stream)) {
    case kCoreHeaderSize:
        GetCoreInfo(Stream, Info);
        break;
    case kInfoHeaderSize:
        GetInfoHeaderInfo(Stream, Info);
        break;
    default:
        Fail(msg::Invalid, "BitmapInfoHeader/BitmapCoreHeader");
    }
    Info.Colors = ColorsOfBitCount(Info.BitsPerPixel);
    Info.ImageCount = 1;
}

void TBMPFileFormatWriter::Write(platform::TStream& Stream, TPixelGraphic& Graphic) {
    std::array<std::uint8_t, kFileHeaderSize> h{};
    const std::uint32_t offBits =
        std::uint32_t(kFileHeaderSize + kInfoHeaderSize + 4 * Graphic.PaletteCount());
    h[0] = 'B';
    h[1] = 'M';
    PutLE32(&h[2], offBits + std::uint32_t(Graphic.ImageSize()));
    PutLE32(&h[10], offBits);
    Stream.WriteBuffer(h);
    WriteDIB(Stream, Graphic);
}

void ReadDIB(platform::TStream& Stream, TPixelGraphic& Graphic, bool CoreHeader,
             std::optional<std::int64_t> pixelOffset) {
    TPGProgressScope progress(Graphic);
    if (CoreHeader)
        ReadCoreDIB(Stream, Graphic, pixelOffset, progress);
    else
        ReadInfoDIB(Stream, Graphic, pixelOffset, progress);
}

void WriteDIB(platform::TStream& Stream, const TPixelGraphic& Graphic) {
    const int count = Graphic.PaletteCount();
    std::vector<std::uint8_t> head(std::size_t(kInfoHeaderSize + 4 * count), 0);
    std::uint8_t* h = head.data();
    PutLE32(h + 0, kInfoHeaderSize);
    PutLE32(h + 4, std::uint32_t(Graphic.Width()));
    PutLE32(h + 8, std::uint32_t(Graphic.Height()));
    PutLE16(h + 12, 1);
    PutLE16(h + 14, std::uint32_t(Graphic.BitsPerPixel()));
    PutLE32(h + 20, std::uint32_t(Graphic.ImageSize()));
    PutLE32(h + 32, std::uint32_t(count));
    for (int i = 0; i < count; ++i) {
        const TRGB c = Graphic.GetPaletteEntry(i);
        std::uint8_t* e = h + kInfoHeaderSize + 4 * i;
        e[0] = GetBValue(c);
        e[1] = GetGValue(c);
        e[2] = GetRValue(c);
    }
    Stream.WriteBuffer(head);
    if (Graphic.ImageSize() > 0) Stream.WriteBuffer(Graphic.Bits(), std::size_t(Graphic.ImageSize()));
}

} // namespace pg
