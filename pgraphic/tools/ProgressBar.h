// A progress bar on the terminal for long image operations.
#pragma once

#include "pgraphic/PixelGraphic.h"

#include <chrono>
#include <cstdio>

namespace pgtool {

// Follows the progress events of the images it is attached to and draws a bar on `out` once an
// operation has run for half a second; nothing is drawn when `out` is not a terminal.
class TProgressBar {
public:
    explicit TProgressBar(std::FILE* out);
    ~TProgressBar();
    void Attach(pg::TPixelGraphic& image);

private:
    void Start();
    void Step(int step, int max);
    void End();

    std::FILE* FOut;
    bool FEnabled;
    bool FDrawn = false;
    int FLastPercent = -1;
    std::chrono::steady_clock::time_point FStarted;
};

} // namespace pgtool
