// The logo reduction (shrink to 320 x 400, optimised palette, dithered copy) and each of its steps.
#include <benchmark/benchmark.h>

#include <memory>
#include <random>

#include "pgraphic/OptimizedPalette.h"
#include "pgraphic/PixelGraphic.h"

namespace {

using namespace pg;

std::unique_ptr<TPixelGraphic> Picture(int w, int h) {
    auto g = std::make_unique<TPixelGraphic>();
    g->SetSize(w, h, pf24Bit);
    std::mt19937 random(11);
    for (int y = 0; y < h; ++y) {
        std::uint8_t* row = g->ScanLine(y);
        for (int x = 0; x < w; ++x) {
            // Smooth gradients with a little noise: many colours, as a photograph has.
            row[3 * x] = std::uint8_t(x * 255 / w + random() % 8);
            row[3 * x + 1] = std::uint8_t(y * 255 / h + random() % 8);
            row[3 * x + 2] = std::uint8_t((x + y) * 127 / (w + h) + random() % 8);
        }
    }
    return g;
}

struct TSizes {
    int W, H, ToW, ToH;
};
constexpr TSizes kSizes[] = {{640, 400, 320, 400}, {4000, 3000, 1000, 750}};

void Shrink(const TPixelGraphic& source, TPixelGraphic& shrunk, int w, int h) {
    shrunk.SetSize(w, h, pf24Bit);
    shrunk.SetStretchMode(smPrecise);
    shrunk.Copy(source);
}

void Reduce(const TPixelGraphic& shrunk, TPixelGraphic& logo) {
    logo.SetSize(shrunk.Width(), shrunk.Height(), pf8Bit);
    logo.SetDither(true);
    CreateOptimizedPalette(logo, shrunk, 256, true);
    logo.SetPaletteCount(256);
    logo.Copy(shrunk);
}

void BM_LogoReduction(benchmark::State& state) {
    const TSizes s = kSizes[state.range(0)];
    const auto source = Picture(s.W, s.H);
    for (auto _ : state) {
        TPixelGraphic shrunk, logo;
        Shrink(*source, shrunk, s.ToW, s.ToH);
        Reduce(shrunk, logo);
        benchmark::DoNotOptimize(logo.Bits());
    }
}
BENCHMARK(BM_LogoReduction)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_ShrinkPrecise(benchmark::State& state) {
    const TSizes s = kSizes[state.range(0)];
    const auto source = Picture(s.W, s.H);
    TPixelGraphic shrunk;
    for (auto _ : state) Shrink(*source, shrunk, s.ToW, s.ToH);
}
BENCHMARK(BM_ShrinkPrecise)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_OptimizedPalette(benchmark::State& state) {
    const TSizes s = kSizes[state.range(0)];
    TPixelGraphic shrunk, logo;
    Shrink(*Picture(s.W, s.H), shrunk, s.ToW, s.ToH);
    logo.SetSize(s.ToW, s.ToH, pf8Bit);
    for (auto _ : state) CreateOptimizedPalette(logo, shrunk, 256, true);
}
BENCHMARK(BM_OptimizedPalette)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_DitheredCopy(benchmark::State& state) {
    const TSizes s = kSizes[state.range(0)];
    TPixelGraphic shrunk, logo;
    Shrink(*Picture(s.W, s.H), shrunk, s.ToW, s.ToH);
    Reduce(shrunk, logo);
    for (auto _ : state) logo.Copy(shrunk);
}
BENCHMARK(BM_DitheredCopy)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
