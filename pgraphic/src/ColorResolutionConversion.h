// Converting an image to the colour resolution a writer can store.
#pragma once

#include "pgraphic/FileFormat.h"
#include "pgraphic/PixelGraphic.h"

#include <memory>

namespace pg {

// A new image holding `image` in resolution `target`, sharing its progress handlers.
std::unique_ptr<TPixelGraphic> ConvertToResolution(TPixelGraphic& image, TColorResolution target);

} // namespace pg
