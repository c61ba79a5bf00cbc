// Lookup tables that map colours to the predefined palettes without searching them.
#pragma once

#include <cstdint>
#include <span>

namespace pg {

// Palette indices of the 16 system colours worth trying for a colour, by its 64-cell cell
// (R div 64) * 16 + (G div 64) * 4 + (B div 64), in the order they are tried.
std::span<const std::uint8_t> Sys16Candidates(int cell);

// For brightness 0..765, the index of the 236-gray palette entry nearest to brightness / 3.
std::uint8_t Gray236Index(int brightness);

// Entries of the 252-colour palette that hold the nearest entry of every colour of the cell
// ((R + 16) div 32) * 81 + ((G + 16) div 32) * 9 + (B + 16) div 32, ascending.
std::span<const std::uint8_t> Special252Candidates(int cell);

} // namespace pg
