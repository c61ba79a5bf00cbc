// Memory for image rasters. Large rasters come and go in pairs (a load frees the old raster and
// allocates the new one), and fresh pages from the system are costly to touch; so the most
// recently freed large raster is kept for the next allocation that fits it.
#pragma once

#include <cstddef>
#include <cstdint>

namespace pg {

// Zero-filled storage of `bytes` bytes, or null when the system has none.
std::uint8_t* AllocateRaster(std::size_t bytes);
void FreeRaster(std::uint8_t* raster, std::size_t bytes);

} // namespace pg
