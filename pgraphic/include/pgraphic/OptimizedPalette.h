// Computing a palette of at most N colours that suits a picture.
#pragma once

#include "pgraphic/PixelGraphic.h"

namespace pg {

// Writes into Target's palette (count and entries, never its pixels or format) up to ColorCount
// colours chosen for Source: by splitting boxes of a colour histogram for a 24-bit Source, by an
// octree over its palette otherwise. With AddSystemColors the last 16 of them are the system colours.
// Reports progress per counted row through Target's OnProgress; an abort keeps the rows counted.
void CreateOptimizedPalette(TPixelGraphic& Target, const TPixelGraphic& Source, int ColorCount,
                            bool AddSystemColors);

} // namespace pg
