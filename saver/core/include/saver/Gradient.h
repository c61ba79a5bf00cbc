// Colour channels in single precision and the vertical gradient background.
#pragma once

#include "saver/FrameBuffer.h"

#include <cstdint>
#include <vector>

namespace saver {

struct RGBTriple {
    float R = 0;
    float G = 0;
    float B = 0;
    bool operator==(const RGBTriple&) const = default;
};

// Splits a colour value (red in bits 0-7) into its channels by division, keeping the sign of c.
RGBTriple ColorToRGB(std::int32_t c);

// The pixel of each line the gradient draws, lines 0 to n where n is the height rounded: row 0 is
// the start colour and each lower row moves one height-th of the way towards the end colour, with
// the steps added in single precision and each channel rounded half to even.
std::vector<std::uint32_t> GradientLines(int height, RGBTriple start, RGBTriple end);

// Paints the gradient over the whole image.
void DrawGradient(TFrameBuffer& image, RGBTriple start, RGBTriple end);

} // namespace saver
