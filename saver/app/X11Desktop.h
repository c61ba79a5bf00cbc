// The X11 side of the saver: reading the root window's pixels and finding a window by its caption.
#pragma once

#include "saver/ScreenCapture.h"

#include <string>

using Display = struct _XDisplay;

namespace saver::app {

class TX11Desktop : public TWindowImageSource {
public:
    // Opens its own connection to the display named by $DISPLAY; raises std::runtime_error without one.
    TX11Desktop();
    ~TX11Desktop() override;
    TX11Desktop(const TX11Desktop&) = delete;
    TX11Desktop& operator=(const TX11Desktop&) = delete;

    TWindowHandle DesktopWindow() override;
    int ScreenWidth() override;
    int ScreenHeight() override;
    TFrameBuffer ReadWindow(TWindowHandle window, bool client, int left, int top, int width,
                            int height) override;
    std::optional<TPalette> SystemPalette() override;

    // Whether any window on the display carries exactly this caption.
    bool WindowWithCaptionExists(const std::string& caption);

private:
    Display* FDisplay;
};

} // namespace saver::app
