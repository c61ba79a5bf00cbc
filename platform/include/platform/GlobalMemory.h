// A block of shareable memory, as the clipboard hands data between programs.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace platform {

struct TGlobalMemoryBlock {
    std::vector<std::uint8_t> Bytes;
};
using HGLOBAL = std::shared_ptr<TGlobalMemoryBlock>;

} // namespace platform
