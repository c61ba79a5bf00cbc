// A progress bar on the terminal for long image operations.
#include "ProgressBar.h"

#include <string>
#include <unistd.h>

namespace pgtool {

namespace {
constexpr auto kQuietPeriod = std::chrono::milliseconds(500);
constexpr int kBarWidth = 40;
} // namespace

TProgressBar::TProgressBar(std::FILE* out) : FOut(out), FEnabled(::isatty(::fileno(out)) == 1) {}

TProgressBar::~TProgressBar() {
    End();
}

void TProgressBar::Attach(pg::TPixelGraphic& image) {
    if (!FEnabled) return;
    image.SetOnProgressStart([this](pg::TPixelGraphic&) { Start(); });
    image.SetOnProgress([this](pg::TPixelGraphic&, int step, int max, bool&) { Step(step, max); });
    image.SetOnProgressEnd([this](pg::TPixelGraphic&) { End(); });
}

void TProgressBar::Start() {
    FStarted = std::chrono::steady_clock::now();
    FLastPercent = -1;
}

void TProgressBar::Step(int step, int max) {
    if (std::chrono::steady_clock::now() - FStarted < kQuietPeriod) return;
    const int percent = max > 0 ? std::min(100, std::max(0, int(100LL * step / max))) : 100;
    if (percent == FLastPercent) return;
    FLastPercent = percent;
    const int filled = percent * kBarWidth / 100;
    std::fprintf(FOut, "\r[%s%s] %3d%%", std::string(std::size_t(filled), '#').c_str(),
                 std::string(std::size_t(kBarWidth - filled), ' ').c_str(), percent);
    std::fflush(FOut);
    FDrawn = true;
}

void TProgressBar::End() {
    if (!FDrawn) return;
    std::fprintf(FOut, "\r%*s\r", kBarWidth + 8, "");
    std::fflush(FOut);
    FDrawn = false;
}

} // namespace pgtool
