// The desktop capture: a picture object owning the captured pixels and, on palette displays, the
// 256-entry system palette of the moment of capture. Reading a window's pixels is the display
// system's business and sits behind TWindowImageSource.
#pragma once

#include "saver/FrameBuffer.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>

namespace saver {

using TPalette = std::array<std::uint32_t, 256>;

class TPicture {
public:
    TPicture(TFrameBuffer bitmap, std::optional<TPalette> palette)
        : FBitmap(std::move(bitmap)), FPalette(std::move(palette)) {}
    const TFrameBuffer& Bitmap() const { return FBitmap; }
    const std::optional<TPalette>& Palette() const { return FPalette; }

private:
    TFrameBuffer FBitmap;
    std::optional<TPalette> FPalette;
};

using TWindowHandle = std::uint64_t;

class TWindowImageSource {
public:
    virtual ~TWindowImageSource() = default;
    virtual TWindowHandle DesktopWindow() = 0;
    // The screen size in pixels.
    virtual int ScreenWidth() = 0;
    virtual int ScreenHeight() = 0;
    // The pixels of the rectangle of the window (its client area or the whole window); parts that
    // cannot be read come back black.
    virtual TFrameBuffer ReadWindow(TWindowHandle window, bool client, int left, int top, int width,
                                    int height) = 0;
    // The system palette when the display works with a 256-colour palette.
    virtual std::optional<TPalette> SystemPalette() = 0;
};

std::shared_ptr<TPicture> WrapBitmapAsPicture(TFrameBuffer bitmap, std::optional<TPalette> palette);
std::shared_ptr<TPicture> CopyWindowImage(TWindowImageSource& source, TWindowHandle window, bool client,
                                          std::int32_t left, std::int32_t top, std::int32_t width,
                                          std::int32_t height);
std::shared_ptr<TPicture> CaptureDesktop(TWindowImageSource& source);

} // namespace saver
