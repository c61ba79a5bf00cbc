// Tables of the predefined palettes, built at compile time from their rules.
#include "pgraphic/Palettes.h"

#include <array>

namespace pg {
namespace {

constexpr TRGB Gray(int v) {
    return RGB(std::uint8_t(v), std::uint8_t(v), std::uint8_t(v));
}

template <std::size_t N, class Level> constexpr std::array<TRGB, N> GrayRamp(Level level) {
    std::array<TRGB, N> p{};
    for (std::size_t i = 0; i < N; ++i) p[i] = Gray(level(int(i)));
    return p;
}

// Every combination of `levels` per channel, index = (r * n + g) * n + b.
template <std::size_t N, std::size_t L>
constexpr std::array<TRGB, N> ColorCube(const std::array<int, L>& levels) {
    std::array<TRGB, N> p{};
    std::size_t i = 0;
    for (int r : levels)
        for (int g : levels)
            for (int b : levels) p[i++] = RGB(std::uint8_t(r), std::uint8_t(g), std::uint8_t(b));
    return p;
}

constexpr std::array<TRGB, 16> kSystem16{
    RGB(0, 0, 0),       RGB(128, 0, 0),   RGB(0, 128, 0),   RGB(128, 128, 0),
    RGB(0, 0, 128),     RGB(128, 0, 128), RGB(0, 128, 128), RGB(192, 192, 192),
    RGB(128, 128, 128), RGB(255, 0, 0),   RGB(0, 255, 0),   RGB(255, 255, 0),
    RGB(0, 0, 255),     RGB(255, 0, 255), RGB(0, 255, 255), RGB(255, 255, 255),
};

// Entries 125..251 of the 252-colour palette: light tints and the remaining hues.
constexpr std::uint8_t kSpecial252Tail[127][3] = {
    {32, 32, 32},    {96, 96, 96},    {160, 160, 160}, {224, 224, 224}, {255, 224, 255}, {224, 224, 255},
    {224, 255, 255}, {224, 255, 224}, {255, 255, 224}, {255, 224, 224}, {255, 192, 224}, {224, 192, 255},
    {192, 224, 255}, {192, 255, 224}, {224, 255, 192}, {255, 224, 192}, {224, 192, 224}, {192, 192, 224},
    {192, 224, 224}, {192, 224, 192}, {224, 224, 192}, {224, 192, 192}, {255, 160, 192}, {255, 160, 224},
    {255, 160, 255}, {224, 160, 255}, {192, 160, 255}, {160, 160, 255}, {160, 192, 255}, {160, 224, 255},
    {160, 255, 255}, {160, 255, 224}, {160, 255, 192}, {160, 255, 160}, {192, 255, 160}, {224, 255, 160},
    {255, 255, 160}, {255, 224, 160}, {255, 192, 160}, {255, 160, 160}, {224, 160, 192}, {224, 160, 224},
    {192, 160, 224}, {160, 160, 224}, {160, 192, 224}, {160, 224, 224}, {160, 224, 192}, {160, 224, 160},
    {192, 224, 160}, {224, 224, 160}, {224, 192, 160}, {224, 160, 160}, {255, 128, 160}, {255, 128, 224},
    {224, 128, 255}, {160, 128, 255}, {128, 160, 255}, {128, 224, 255}, {128, 255, 224}, {128, 255, 160},
    {160, 255, 128}, {224, 255, 128}, {255, 224, 128}, {255, 160, 128}, {192, 160, 192}, {160, 160, 192},
    {160, 192, 192}, {160, 192, 160}, {192, 192, 160}, {192, 160, 160}, {224, 128, 160}, {224, 128, 192},
    {224, 128, 224}, {192, 128, 224}, {160, 128, 224}, {128, 128, 224}, {128, 160, 224}, {128, 192, 224},
    {128, 224, 224}, {128, 224, 192}, {128, 224, 160}, {128, 224, 128}, {160, 224, 128}, {192, 224, 128},
    {224, 224, 128}, {224, 192, 128}, {224, 160, 128}, {224, 128, 128}, {255, 96, 128},  {255, 96, 160},
    {255, 96, 192},  {255, 96, 224},  {255, 96, 255},  {224, 96, 255},  {192, 96, 255},  {160, 96, 255},
    {128, 96, 255},  {96, 96, 255},   {96, 128, 255},  {96, 160, 255},  {96, 192, 255},  {96, 224, 255},
    {96, 255, 255},  {96, 255, 224},  {96, 255, 192},  {96, 255, 160},  {96, 255, 128},  {96, 255, 96},
    {128, 255, 96},  {160, 255, 96},  {192, 255, 96},  {224, 255, 96},  {255, 255, 96},  {255, 224, 96},
    {255, 192, 96},  {255, 160, 96},  {255, 128, 96},  {255, 96, 96},   {192, 128, 160}, {160, 128, 192},
    {128, 160, 192}, {128, 192, 160}, {160, 192, 128}, {192, 160, 128}, {224, 96, 128},  {224, 96, 160},
    {224, 96, 192},
};

constexpr std::array<TRGB, 252> BuildSpecial252() {
    std::array<TRGB, 252> p{};
    std::size_t n = 0;
    for (TRGB c : kSystem16) p[n++] = c;
    constexpr int levels[] = {0, 64, 128, 192, 255};
    for (int r : levels)
        for (int g : levels)
            for (int b : levels) {
                TRGB c = RGB(std::uint8_t(r), std::uint8_t(g), std::uint8_t(b));
                bool isSystem = false;
                for (TRGB s : kSystem16) isSystem = isSystem || s == c;
                if (!isSystem) p[n++] = c;
            }
    for (const auto& e : kSpecial252Tail) p[n++] = RGB(e[0], e[1], e[2]);
    return p;
}

constexpr auto kBlackWhite = std::array<TRGB, 2>{Gray(0), Gray(255)};
constexpr auto kSysGray4 = std::array<TRGB, 4>{Gray(0), Gray(128), Gray(192), Gray(255)};
constexpr auto kGray4 = GrayRamp<4>([](int i) { return i * 255 / 3; });
constexpr auto kGray16 = GrayRamp<16>([](int i) { return i * 255 / 15; });
constexpr auto kGray236 = GrayRamp<236>([](int i) { return (i * 255 * 2 + 235) / (2 * 235); });
constexpr auto kGray256 = GrayRamp<256>([](int i) { return i; });
constexpr auto kSpecial125 = ColorCube<125>(std::array<int, 5>{0, 64, 128, 192, 255});
constexpr auto kSpecial216 = ColorCube<216>(std::array<int, 6>{0, 51, 102, 153, 204, 255});
constexpr auto kSpecial252 = BuildSpecial252();

static_assert(kSpecial252[124] == RGB(255, 255, 192) && kSpecial252[125] == RGB(32, 32, 32));
static_assert(kGray236[235] == Gray(255) && kGray236[1] == Gray(1) && kGray236[117] == Gray(127));

} // namespace

std::span<const TRGB> PredefinedPalette(TPaletteIdent ident) {
    switch (ident) {
    case pBlackWhite:
        return kBlackWhite;
    case pSysGray4:
        return kSysGray4;
    case pSys16:
        return kSystem16;
    case pGray4:
        return kGray4;
    case pGray16:
        return kGray16;
    case pGray236:
        return kGray236;
    case pGray256:
        return kGray256;
    case pSpecial125:
        return kSpecial125;
    case pSpecial216:
        return kSpecial216;
    case pSpecial252:
        return kSpecial252;
    default:
        return {};
    }
}

std::span<const TRGB, 16> SystemColors() {
    return kSystem16;
}

} // namespace pg
