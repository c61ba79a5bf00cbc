// The progress bracket of a long operation: OnProgressStart, per-row OnProgress, OnProgressEnd.
#pragma once

#include "pgraphic/PixelGraphic.h"

#include <exception>

namespace pg {

// Calls OnProgressStart on construction and OnProgressEnd on destruction, also when an exception
// passes, so that a progress display is always closed. An exception from OnProgressEnd reaches the
// caller, unless another one is already on its way (two at once would end the program).
class TPGProgressScope {
public:
    explicit TPGProgressScope(TPixelGraphic& image) : FImage(image) {
        if (FImage.OnProgressStart()) FImage.OnProgressStart()(FImage);
    }
    ~TPGProgressScope() noexcept(false) {
        if (!FImage.OnProgressEnd()) return;
        if (std::uncaught_exceptions() == FUncaught) {
            FImage.OnProgressEnd()(FImage);
            return;
        }
        try {
            FImage.OnProgressEnd()(FImage);
        } catch (...) {
            // The exception already under way is the one the caller needs to see.
        }
    }
    TPGProgressScope(const TPGProgressScope&) = delete;
    TPGProgressScope& operator=(const TPGProgressScope&) = delete;

    // Reports a step; true when the handler asked to abort.
    bool Step(int step, int max) {
        bool abort = false;
        if (FImage.OnProgress()) FImage.OnProgress()(FImage, step, max, abort);
        return abort;
    }

private:
    TPixelGraphic& FImage;
    int FUncaught = std::uncaught_exceptions();
};

} // namespace pg
