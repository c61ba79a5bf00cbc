// The progress bracket of a long operation: OnProgressStart, per-row OnProgress, OnProgressEnd.
#pragma once

#include "pgraphic/PixelGraphic.h"

namespace pg {

// Calls OnProgressStart on construction and OnProgressEnd on destruction, also when an exception
// passes, so that a progress display is always closed.
class TPGProgressScope {
public:
    explicit TPGProgressScope(TPixelGraphic& image) : FImage(image) {
        if (FImage.OnProgressStart()) FImage.OnProgressStart()(FImage);
    }
    ~TPGProgressScope() {
        if (FImage.OnProgressEnd()) FImage.OnProgressEnd()(FImage);
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
};

} // namespace pg
