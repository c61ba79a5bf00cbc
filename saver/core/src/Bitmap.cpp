// BMP decoding with every offset and size checked against the bytes at hand.
#include "saver/Bitmap.h"

#include <cstdlib>

namespace saver {
namespace {

constexpr std::size_t FileHeaderSize = 14;
constexpr std::size_t InfoHeaderSize = 40;
constexpr std::int64_t MaxSide = 1 << 15;

std::uint32_t Le32(std::span<const std::uint8_t> b, std::size_t at) {
    return std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8 | std::uint32_t(b[at + 2]) << 16 |
           std::uint32_t(b[at + 3]) << 24;
}
std::uint16_t Le16(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

struct THeader {
    TBitmapInfo Info;
    bool BottomUp = true;
    std::size_t PixelOffset = 0;
    std::size_t PaletteOffset = 0;
    std::size_t PaletteEntries = 0;
};

THeader ReadHeader(std::span<const std::uint8_t> file) {
    if (file.size() < FileHeaderSize + InfoHeaderSize || file[0] != 'B' || file[1] != 'M')
        throw EBitmapError("Not a bitmap");
    const std::uint32_t headerSize = Le32(file, 14);
    if (headerSize < InfoHeaderSize || headerSize > file.size() - FileHeaderSize)
        throw EBitmapError("Bitmap header damaged");
    const auto width = static_cast<std::int32_t>(Le32(file, 18));
    const auto height = static_cast<std::int32_t>(Le32(file, 22));
    const int bits = Le16(file, 28);
    if (Le32(file, 30) != 0) throw EBitmapError("Compressed bitmaps are not supported");
    if (bits != 1 && bits != 8 && bits != 24) throw EBitmapError("Unsupported bitmap colour depth");
    if (width <= 0 || width > MaxSide || height == 0 || height == INT32_MIN || std::abs(height) > MaxSide)
        throw EBitmapError("Bitmap size out of range");
    THeader h;
    h.Info = {width, std::abs(height), bits};
    h.BottomUp = height > 0;
    h.PixelOffset = Le32(file, 10);
    h.PaletteOffset = FileHeaderSize + headerSize;
    if (bits <= 8) {
        const std::uint32_t used = Le32(file, 46);
        h.PaletteEntries = used == 0 || used > (1u << bits) ? (1u << bits) : used;
    }
    return h;
}

} // namespace

TBitmapInfo ReadBitmapInfo(std::span<const std::uint8_t> file) {
    return ReadHeader(file).Info;
}

TFrameBuffer DecodeBitmap(std::span<const std::uint8_t> file) {
    const THeader h = ReadHeader(file);
    const std::size_t stride = (std::size_t(h.Info.Width) * std::size_t(h.Info.BitsPerPixel) + 31) / 32 * 4;
    const std::size_t pixelBytes = stride * std::size_t(h.Info.Height);
    if (h.PixelOffset > file.size() || pixelBytes > file.size() - h.PixelOffset)
        throw EBitmapError("Bitmap data truncated");
    if (h.PaletteOffset + 4 * h.PaletteEntries > file.size()) throw EBitmapError("Bitmap palette truncated");

    const auto paletteColor = [&](std::size_t index) -> std::uint32_t {
        if (index >= h.PaletteEntries) return 0xFF000000u; // an index beyond the palette reads black
        const std::size_t at = h.PaletteOffset + 4 * index;
        return 0xFF000000u | std::uint32_t(file[at + 2]) << 16 | std::uint32_t(file[at + 1]) << 8 | file[at];
    };

    TFrameBuffer image(h.Info.Width, h.Info.Height);
    for (int y = 0; y < h.Info.Height; ++y) {
        const int fileRow = h.BottomUp ? h.Info.Height - 1 - y : y;
        const std::uint8_t* row = file.data() + h.PixelOffset + stride * std::size_t(fileRow);
        std::uint32_t* out = image.Row(y);
        for (int x = 0; x < h.Info.Width; ++x) {
            switch (h.Info.BitsPerPixel) {
            case 1:
                out[x] = paletteColor((row[x / 8] >> (7 - x % 8)) & 1u);
                break;
            case 8:
                out[x] = paletteColor(row[x]);
                break;
            default:
                out[x] = 0xFF000000u | std::uint32_t(row[3 * x + 2]) << 16 |
                         std::uint32_t(row[3 * x + 1]) << 8 | row[3 * x];
            }
        }
    }
    return image;
}

} // namespace saver
