// A 32-bit image (0xFFRRGGBB per pixel, rows top-down) with the clipped rectangle copies the saver
// draws with: plain copy, AND and OR.
#pragma once

#include <cstdint>
#include <vector>

namespace saver {

struct TRect {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    bool IsEmpty() const { return Width <= 0 || Height <= 0; }
    bool operator==(const TRect&) const = default;
};

enum class TRasterOp { SrcCopy, SrcAnd, SrcPaint };

// The pixel of a colour value (red in bits 0-7, green 8-15, blue 16-23).
constexpr std::uint32_t ColorToPixel(std::int32_t color) {
    const auto c = static_cast<std::uint32_t>(color);
    return 0xFF000000u | (c & 0xFFu) << 16 | (c & 0xFF00u) | (c >> 16 & 0xFFu);
}

class TFrameBuffer {
public:
    TFrameBuffer() = default;
    // Raises std::invalid_argument for negative or absurd sizes.
    TFrameBuffer(int width, int height, std::uint32_t fill = 0xFF000000u);

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    std::uint32_t* Row(int y) { return FPixels.data() + std::size_t(y) * std::size_t(FWidth); }
    const std::uint32_t* Row(int y) const { return FPixels.data() + std::size_t(y) * std::size_t(FWidth); }
    std::uint32_t Pixel(int x, int y) const { return Row(y)[x]; }
    void SetPixel(int x, int y, std::uint32_t pixel) { Row(y)[x] = pixel; }
    const std::vector<std::uint32_t>& Pixels() const { return FPixels; }

    void Fill(std::uint32_t pixel);
    void FillRow(int y, std::uint32_t pixel);
    // Copies the source rectangle to (x, y) with the raster operation; whatever lies outside either
    // image is cut away. Returns the rectangle of this image that changed.
    TRect Blit(int x, int y, const TFrameBuffer& source, TRect sourceRect, TRasterOp op);

    bool operator==(const TFrameBuffer&) const = default;

private:
    int FWidth = 0;
    int FHeight = 0;
    std::vector<std::uint32_t> FPixels;
};

} // namespace saver
