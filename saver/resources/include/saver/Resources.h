// Resources compiled into the program (sprite sheets, the music clip), found by type and id.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace saver {

// The bytes of the resource, or an empty span when the program has none of that type and id.
std::span<const std::uint8_t> FindResource(std::string_view type, int id);

} // namespace saver
