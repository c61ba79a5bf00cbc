// The capture steps on top of the display system's window reader.
#include "saver/ScreenCapture.h"

namespace saver {

std::shared_ptr<TPicture> WrapBitmapAsPicture(TFrameBuffer bitmap, std::optional<TPalette> palette) {
    return std::make_shared<TPicture>(std::move(bitmap), std::move(palette));
}

std::shared_ptr<TPicture> CopyWindowImage(TWindowImageSource& source, TWindowHandle window, bool client,
                                          std::int32_t left, std::int32_t top, std::int32_t width,
                                          std::int32_t height) {
    auto palette = source.SystemPalette();
    return WrapBitmapAsPicture(source.ReadWindow(window, client, left, top, width, height),
                               std::move(palette));
}

std::shared_ptr<TPicture> CaptureDesktop(TWindowImageSource& source) {
    return CopyWindowImage(source, source.DesktopWindow(), false, 0, 0, source.ScreenWidth(),
                           source.ScreenHeight());
}

} // namespace saver
