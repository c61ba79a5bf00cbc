// The gradient keeps the float accumulation of the original drawing so every row has the same colour.
#include "saver/Gradient.h"

#include <algorithm>
#include <cmath>

namespace saver {

RGBTriple ColorToRGB(std::int32_t c) {
    return {static_cast<float>(c % 256), static_cast<float>((c / 256) % 256), static_cast<float>(c / 65536)};
}

namespace {

std::uint32_t Channel(float value) {
    return static_cast<std::uint32_t>(std::clamp(std::nearbyint(value), 0.0f, 255.0f));
}

} // namespace

std::vector<std::uint32_t> GradientLines(int height, RGBTriple start, RGBTriple end) {
    const auto h = static_cast<float>(height);
    const float stepR = (end.R - start.R) / h;
    const float stepG = (end.G - start.G) / h;
    const float stepB = (end.B - start.B) / h;
    RGBTriple current = start;
    std::vector<std::uint32_t> lines;
    lines.reserve(std::size_t(std::max(height, 0)) + 1);
    for (int i = 0; i <= height; ++i) {
        lines.push_back(0xFF000000u | Channel(current.R) << 16 | Channel(current.G) << 8 |
                        Channel(current.B));
        current.R += stepR;
        current.G += stepG;
        current.B += stepB;
    }
    return lines;
}

void DrawGradient(TFrameBuffer& image, RGBTriple start, RGBTriple end) {
    const auto lines = GradientLines(image.Height(), start, end);
    for (int y = 0; y < image.Height(); ++y) image.FillRow(y, lines[std::size_t(y)]);
}

} // namespace saver
