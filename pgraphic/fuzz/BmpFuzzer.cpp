// libFuzzer target: any bytes given to the BMP reader must load or fail with an exception.
#include "pgraphic/PixelGraphic.h"
#include "platform/Stream.h"

#include <cstddef>
#include <cstdint>
#include <exception>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    platform::TMemoryStream stream(data, size);
    pg::TPixelGraphic image;
    try {
        image.LoadIndexFromStream(stream, "bmp", 0);
    } catch (const std::exception&) {
    }
    return 0;
}
