// Memory for image rasters, keeping one large freed raster for reuse.
#include "src/RasterMemory.h"

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <sys/mman.h>
#include <unistd.h>
#include <utility>

namespace pg {
namespace {

// Below this size the system allocator is fast enough on its own.
constexpr std::size_t kReuseThreshold = std::size_t(1) << 20;
// A freed raster above this size goes back to the system: keeping it would hold that much memory
// for an image that may never come.
constexpr std::size_t kLargestSpare = std::size_t(128) << 20;

std::size_t PageRounded(std::size_t bytes) {
    static const std::size_t page = std::size_t(::sysconf(_SC_PAGESIZE));
    return (bytes + page - 1) / page * page;
}

// Large rasters come straight from the system with their pages mapped in one go, which costs far
// less than taking a fault on every page when the pixels are first written.
std::uint8_t* MapLarge(std::size_t bytes) {
    void* p =
        ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
    return p == MAP_FAILED ? nullptr : static_cast<std::uint8_t*>(p);
}

void UnmapLarge(std::uint8_t* raster, std::size_t bytes) {
    if (raster) ::munmap(raster, PageRounded(bytes));
}

struct TSpare {
    std::mutex Lock;
    std::uint8_t* Raster = nullptr;
    std::size_t Bytes = 0;
    ~TSpare() { UnmapLarge(Raster, Bytes); }
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
                // The raster is freed with its own size later: the pages past it go back now.
                const std::size_t kept = PageRounded(bytes);
                if (PageRounded(spare.Bytes) > kept) ::munmap(reused + kept, PageRounded(spare.Bytes) - kept);
                spare.Raster = nullptr;
                spare.Bytes = 0;
            }
        }
        if (reused) {
            std::memset(reused, 0, bytes);
            return reused;
        }
    }
    if (bytes >= kReuseThreshold) return MapLarge(bytes);
    return static_cast<std::uint8_t*>(std::calloc(bytes, 1));
}

void FreeRaster(std::uint8_t* raster, std::size_t bytes) {
    if (!raster) return;
    if (bytes < kReuseThreshold) {
        std::free(raster);
        return;
    }
    if (bytes > kLargestSpare) {
        UnmapLarge(raster, bytes);
        return;
    }
    TSpare& spare = Spare();
    std::uint8_t* old = nullptr;
    std::size_t oldBytes = 0;
    {
        std::lock_guard lock(spare.Lock);
        old = std::exchange(spare.Raster, raster);
        oldBytes = std::exchange(spare.Bytes, bytes);
    }
    UnmapLarge(old, oldBytes);
}

} // namespace pg
