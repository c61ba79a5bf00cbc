// The error-limit curve of dithering: how much of a carried error is passed on.
#pragma once

#include "pgraphic/Types.h"

#include <array>
#include <cstdint>

namespace pg {

// t(e) for e = -255..255 at index e + 255: errors pass unchanged up to the limit and are cut at it;
// a soft knee compresses the errors around the limit instead of cutting them sharply.
std::array<std::int32_t, 511> ErrorLimitTable(int limit, bool soft);

// The limit dithering into a palette of this identity uses when chosen automatically.
int AutomaticErrorLimit(TPaletteIdent ident);

} // namespace pg
