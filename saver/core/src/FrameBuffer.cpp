// Rectangle copies clip against both images first, so the inner loops never check bounds.
#include "saver/FrameBuffer.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace saver {

namespace {
constexpr int MaxSide = 1 << 15;
}

TFrameBuffer::TFrameBuffer(int width, int height, std::uint32_t fill) : FWidth(width), FHeight(height) {
    if (width < 0 || height < 0 || width > MaxSide || height > MaxSide)
        throw std::invalid_argument("Image size out of range");
    FPixels.assign(std::size_t(width) * std::size_t(height), fill);
}

void TFrameBuffer::Fill(std::uint32_t pixel) {
    std::fill(FPixels.begin(), FPixels.end(), pixel);
}

void TFrameBuffer::FillRow(int y, std::uint32_t pixel) {
    if (y >= 0 && y < FHeight) std::fill_n(Row(y), FWidth, pixel);
}

TRect TFrameBuffer::Blit(int x, int y, const TFrameBuffer& source, TRect r, TRasterOp op) {
    // Clip the source rectangle to the source image, moving the target with it.
    if (r.Left < 0) {
        r.Width += r.Left;
        x -= r.Left;
        r.Left = 0;
    }
    if (r.Top < 0) {
        r.Height += r.Top;
        y -= r.Top;
        r.Top = 0;
    }
    r.Width = std::min(r.Width, source.Width() - r.Left);
    r.Height = std::min(r.Height, source.Height() - r.Top);
    // Then to this image.
    if (x < 0) {
        r.Width += x;
        r.Left -= x;
        x = 0;
    }
    if (y < 0) {
        r.Height += y;
        r.Top -= y;
        y = 0;
    }
    r.Width = std::min(r.Width, FWidth - x);
    r.Height = std::min(r.Height, FHeight - y);
    if (r.IsEmpty()) return {};

    for (int row = 0; row < r.Height; ++row) {
        std::uint32_t* to = Row(y + row) + x;
        const std::uint32_t* from = source.Row(r.Top + row) + r.Left;
        switch (op) {
        case TRasterOp::SrcCopy:
            std::memcpy(to, from, std::size_t(r.Width) * sizeof(std::uint32_t));
            break;
        case TRasterOp::SrcAnd:
            for (int i = 0; i < r.Width; ++i) to[i] &= from[i];
            break;
        case TRasterOp::SrcPaint:
            for (int i = 0; i < r.Width; ++i) to[i] |= from[i];
            break;
        }
    }
    return {x, y, r.Width, r.Height};
}

} // namespace saver
