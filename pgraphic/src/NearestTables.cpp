// Lookup tables that map colours to the predefined palettes without searching them.
#include "src/NearestTables.h"

#include <array>
#include <cmath>

namespace pg {
namespace {

#include "src/Special252Candidates.inc"

// Cell by cell, the one to three system colours to try.
struct TSys16Cell {
    std::uint8_t Count;
    std::uint8_t Index[3];
};

constexpr TSys16Cell kSys16Cells[64] = {
    {1, {0}},        {1, {4}},     {1, {4}},     {1, {12}},       {1, {2}},     {1, {6}},
    {1, {6}},        {2, {6, 12}}, {1, {2}},     {1, {6}},        {1, {6}},     {2, {6, 14}},
    {1, {10}},       {2, {6, 10}}, {2, {6, 14}}, {1, {14}},       {1, {1}},     {1, {5}},
    {1, {5}},        {2, {5, 12}}, {1, {3}},     {1, {8}},        {1, {8}},     {2, {8, 12}},
    {1, {3}},        {1, {8}},     {1, {8}},     {3, {7, 8, 14}}, {2, {3, 10}}, {2, {8, 10}},
    {3, {7, 8, 14}}, {2, {7, 14}}, {1, {1}},     {1, {5}},        {1, {5}},     {2, {5, 13}},
    {1, {3}},        {1, {8}},     {1, {8}},     {3, {7, 8, 13}}, {1, {3}},     {1, {8}},
    {2, {7, 8}},     {1, {7}},     {2, {3, 11}}, {3, {7, 8, 11}}, {1, {7}},     {1, {7}},
    {1, {9}},        {2, {5, 9}},  {2, {5, 13}}, {1, {13}},       {2, {3, 9}},  {2, {8, 9}},
    {3, {7, 8, 13}}, {2, {7, 13}}, {2, {3, 11}}, {3, {7, 8, 11}}, {1, {7}},     {1, {7}},
    {1, {11}},       {2, {7, 11}}, {1, {7}},     {2, {7, 15}},
};

std::array<std::uint8_t, 766> BuildGray236() {
    std::array<std::uint8_t, 766> table{};
    for (int b = 0; b < 766; ++b) {
        const double target = b / 3.0;
        int best = 0;
        double bestDistance = 1e9;
        for (int i = 0; i < 236; ++i) {
            const double d = std::fabs(std::round(i * 255.0 / 235.0) - target);
            if (d < bestDistance) bestDistance = d, best = i; // the lower index wins a tie
        }
        table[std::size_t(b)] = std::uint8_t(best);
    }
    return table;
}

} // namespace

std::span<const std::uint8_t> Sys16Candidates(int cell) {
    const TSys16Cell& c = kSys16Cells[cell];
    return {c.Index, c.Count};
}

std::uint8_t Gray236Index(int brightness) {
    static const auto table = BuildGray236();
    return table[std::size_t(brightness)];
}

std::span<const std::uint8_t> Special252Candidates(int cell) {
    return {kSpecial252Candidates + kSpecial252Offsets[cell],
            std::size_t(kSpecial252Offsets[cell + 1] - kSpecial252Offsets[cell])};
}

} // namespace pg
