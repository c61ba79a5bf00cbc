// Measuring and drawing a three-line text at 18 points into a 640 x 400 image, and loading a face.
#include "pgraphic/Canvas.h"
#include "pgraphic/PixelGraphic.h"
#include "platform/Fonts.h"

#include <benchmark/benchmark.h>

namespace {

const char* const kText =
    "What is the best thing to do after a long day at the computer?\r\nSwitch it off,\r\nstretch.";
constexpr unsigned kFlags = platform::DT_WORDBREAK | platform::DT_CENTER | platform::DT_NOPREFIX;

void BM_MeasureAndDrawThreeLines(benchmark::State& state) {
    pg::TPixelGraphic image;
    image.SetSize(640, 400, pg::pf24Bit);
    pg::TPGCanvas& canvas = image.Canvas();
    canvas.Font.Name = "Arial";
    canvas.Font.Size = 18;
    canvas.BrushStyle = pg::TPGCanvas::bsClear;
    platform::TTextRect warm{20, 0, 620, 400};
    canvas.DrawText(kText, warm, kFlags); // the face and its glyphs are loaded once
    for (auto _ : state) {
        platform::TTextRect measure{20, 0, 620, 400};
        const int h = canvas.DrawText(kText, measure, kFlags | platform::DT_CALCRECT);
        platform::TTextRect draw{20, (400 - h) / 2, 620, 400};
        canvas.DrawText(kText, draw, kFlags);
    }
}
BENCHMARK(BM_MeasureAndDrawThreeLines)->Unit(benchmark::kMicrosecond);

void BM_FirstLoadOfAFace(benchmark::State& state) {
    int size = 8;
    for (auto _ : state) {
        // A size not asked for before makes the face be matched and opened afresh.
        auto face = platform::OpenFont({"Liberation Serif", size++, true, false});
        benchmark::DoNotOptimize(face->Advance(U'A'));
    }
}
BENCHMARK(BM_FirstLoadOfAFace)->Iterations(60)->Unit(benchmark::kMicrosecond);

// What the font lists of the main window cost at every start.
void BM_InstalledFontFamilies(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(platform::InstalledFontFamilies());
}
BENCHMARK(BM_InstalledFontFamilies)->Unit(benchmark::kMicrosecond);

} // namespace
