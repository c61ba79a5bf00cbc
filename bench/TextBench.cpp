// Text on images: a logo's measure-and-draw with the face loaded, and what loading a face costs.
#include "pgraphic/Canvas.h"
#include "pgraphic/PixelGraphic.h"
#include "platform/Fonts.h"
#include "platform/TextLayout.h"

#include <benchmark/benchmark.h>

namespace {

using namespace pg;

constexpr unsigned kLogoFlags = platform::DT_WORDBREAK | platform::DT_CENTER | platform::DT_NOPREFIX;
// Three lines in the 600-pixel box at 18 points: one forced break and one word break.
constexpr const char* kThreeLines = "It is now safe to turn off your computer.\r\n"
                                    "Or leave it running and let it dream about electric sheep for a while.";

// The very first face of the process, fontconfig's start-up included; runs once.
void BM_FirstFaceOfTheProcess(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(platform::OpenFont({"Arial", 18}));
}
BENCHMARK(BM_FirstFaceOfTheProcess)->Iterations(1)->Unit(benchmark::kMillisecond);

// Matching, opening and sizing a face that is not in the cache.
void BM_LoadFace(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(platform::LoadFont({"Arial", 18}));
}
BENCHMARK(BM_LoadFace)->Unit(benchmark::kMicrosecond);

// A new face measuring the text: what one step of the fitting loop costs at a size not seen before.
void BM_LoadFaceAndMeasure(benchmark::State& state) {
    for (auto _ : state) {
        const auto face = platform::LoadFont({"Arial", 18});
        platform::TTextRect rect{20, 0, 620, 400};
        benchmark::DoNotOptimize(
            platform::DrawText(*face, kThreeLines, rect, kLogoFlags | platform::DT_CALCRECT, {}));
    }
}
BENCHMARK(BM_LoadFaceAndMeasure)->Unit(benchmark::kMicrosecond);

// MeasureText then DrawLogoText with no effect, as the logo composer does, on a 640 x 400 image.
void BM_MeasureAndDrawThreeLines(benchmark::State& state) {
    TPixelGraphic image;
    image.SetSize(640, 400, TPixelFormat(state.range(0)));
    if (image.PixelFormat() != pf24Bit) image.SetPaletteIdent(pSpecial216);
    TPGCanvas& canvas = image.Canvas();
    canvas.Font.Name = "Arial";
    canvas.Font.Size = 18;
    canvas.Font.Color = RGB(255, 255, 0);
    canvas.BrushStyle = TPGCanvas::bsClear;
    platform::TTextRect warmUp{20, 0, 620, 400};
    if (canvas.DrawText(kThreeLines, warmUp, kLogoFlags | platform::DT_CALCRECT) != 81)
        state.SkipWithError("the text does not lay out as three lines");
    for (auto _ : state) {
        platform::TTextRect measure{20, 0, 620, 400};
        const int height = canvas.DrawText(kThreeLines, measure, kLogoFlags | platform::DT_CALCRECT);
        platform::TTextRect draw{20, (400 - height) / 2, 620, 400};
        canvas.DrawText(kThreeLines, draw, kLogoFlags);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_MeasureAndDrawThreeLines)
    ->Arg(pf24Bit)
    ->Arg(pf8Bit)
    ->ArgName("format")
    ->Unit(benchmark::kMicrosecond);

// What the font lists of the main window cost at every start.
void BM_InstalledFontFamilies(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(platform::InstalledFontFamilies());
}
BENCHMARK(BM_InstalledFontFamilies)->Unit(benchmark::kMicrosecond);

} // namespace
