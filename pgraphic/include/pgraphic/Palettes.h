// The predefined palettes that a palette identity stands for.
#pragma once

#include "pgraphic/Types.h"

#include <span>

namespace pg {

// Entries of the predefined palette of `ident` (pBlackWhite .. pSpecial252); empty for other identities.
std::span<const TRGB> PredefinedPalette(TPaletteIdent ident);

// The 16 system colours, entries 0..15 of the 252-colour palette.
std::span<const TRGB, 16> SystemColors();

} // namespace pg
