// Resolving colour-button values: plain colours stand for themselves, values with the top bit set
// name one of the desktop's system colours.
#pragma once

#include "pgraphic/Types.h"
#include "randomizer/Controls.h"

namespace zephrix {

pg::TRGB ColorToRGB(TColor color);

} // namespace zephrix
