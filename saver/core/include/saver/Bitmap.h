// Reading the Windows bitmaps (BMP) the saver keeps as resources: uncompressed, 1, 8 or 24 bits.
#pragma once

#include "saver/FrameBuffer.h"

#include <cstdint>
#include <span>
#include <stdexcept>

namespace saver {

class EBitmapError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct TBitmapInfo {
    int Width = 0;
    int Height = 0;
    int BitsPerPixel = 0;
};

TBitmapInfo ReadBitmapInfo(std::span<const std::uint8_t> file);
// Raises EBitmapError for anything that is not a complete bitmap of a supported kind.
TFrameBuffer DecodeBitmap(std::span<const std::uint8_t> file);

} // namespace saver
