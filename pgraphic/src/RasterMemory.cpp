// Memory for image rasters, keeping one large freed raster for reuse.
#include "src/RasterMemory.h"

#include <cstdlib>
#include <cstring>
#include <mutex>

namespace pg {
namespace {

// Below this size the system allocator is fast enough on its own.
constexpr std::size_t kReuseThreshold = std::size_t(1) << 20;

struct TSpare {
    std::mutex Lock;
    std::uint8_t* Raster = nullptr;
    std::size_t Bytes = 0;
    ~TSpare() { std::free(Raster); }
};

TSpare& Spare() {
    static TSpare spare;
    return spare;
}

} // namespace

std::uint8_t* AllocateRaster(std::size_t bytes) {
    if (bytes >= kReuseThreshold) {
        TSpare& spare = Spare();
        std::uint8_t* reused = nullptr;
        {
            std::lock_guard lock(spare.Lock);
            // Reuse only a block that the new raster fills at least half of.
            if (spare.Raster && spare.Bytes >= bytes && spare.Bytes / 2 <= bytes) {
                reused = spare.Raster;
                spare.Raster = nullptr;
                spare.Bytes = 0;
            }
        }
        if (reused) {
            std::memset(reused, 0, bytes);
            return reused;
        }
    }
    return static_cast<std::uint8_t*>(std::calloc(bytes, 1));
}

void FreeRaster(std::uint8_t* raster, std::size_t bytes) {
    if (raster && bytes >= kReuseThreshold) {
        TSpare& spare = Spare();
        std::lock_guard lock(spare.Lock);
        std::swap(raster, spare.Raster);
        spare.Bytes = bytes;
    }
    std::free(raster);
}

} // namespace pg
