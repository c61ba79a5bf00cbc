// The logo reduction of zephrix as kernels: shrink, optimised palette, dithered copy, and the chain.
#include "pgraphic/OptimizedPalette.h"
#include "pgraphic/PixelGraphic.h"

#include <algorithm>
#include <atomic>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <memory>
#include <new>
#include <random>

namespace {

// Every operator new of the process is counted, so that a kernel can show it allocates nothing per pixel.
std::atomic<std::int64_t> gAllocations{0};

} // namespace

// GCC pairs the inlined replacement delete with the library's new and reports a false mismatch.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(std::size_t size) {
    gAllocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace {

using namespace pg;

// A picture with many colours: smooth gradients, as in a photograph, with grain on top.
std::unique_ptr<TPixelGraphic> Picture(int width, int height) {
    auto g = std::make_unique<TPixelGraphic>();
    g->SetSize(width, height, pf24Bit);
    std::mt19937 random(42);
    std::uniform_int_distribution<int> grain(-12, 12);
    auto channel = [&](int v) { return std::uint8_t(std::clamp(v + grain(random), 0, 255)); };
    for (int y = 0; y < height; ++y) {
        std::uint8_t* p = g->ScanLine(y);
        for (int x = 0; x < width; ++x, p += 3) {
            const int r = x * 255 / width, gr = y * 255 / height, b = (x + y) * 255 / (width + height);
            p[0] = channel(255 - b);
            p[1] = channel(gr);
            p[2] = channel(r);
        }
    }
    return g;
}

// The images of one reduction: the source picture, its shrunk copy and the 8-bit logo.
struct TReduction {
    TReduction(int width, int height, int logoWidth, int logoHeight) : Source(Picture(width, height)) {
        Shrunk.SetSize(logoWidth, logoHeight, pf24Bit);
        Shrunk.SetStretchMode(smPrecise);
        Logo.SetSize(logoWidth, logoHeight, pf8Bit);
    }
    void Shrink() { Shrunk.Copy(*Source); }
    void MakePalette() {
        CreateOptimizedPalette(Logo, Shrunk, 256, true);
        Logo.SetPaletteCount(256);
    }
    void DitheredCopy() { Logo.Copy(Shrunk); }

    std::unique_ptr<TPixelGraphic> Source;
    TPixelGraphic Shrunk;
    TPixelGraphic Logo;
};

TReduction MakeReduction(const benchmark::State& state) {
    return TReduction(int(state.range(0)), int(state.range(1)), int(state.range(2)), int(state.range(3)));
}

// Runs `step` per iteration and reports the allocations one iteration made.
template <class Step> void Measure(benchmark::State& state, Step step) {
    std::int64_t allocations = 0;
    for (auto _ : state) {
        const std::int64_t before = gAllocations.load(std::memory_order_relaxed);
        step();
        allocations += gAllocations.load(std::memory_order_relaxed) - before;
        benchmark::ClobberMemory();
    }
    state.counters["allocs/iter"] = benchmark::Counter(double(allocations) / double(state.iterations()));
    state.SetItemsProcessed(state.iterations() * state.range(2) * state.range(3));
}

void BM_LogoReduction(benchmark::State& state) {
    TReduction r = MakeReduction(state);
    Measure(state, [&] {
        r.Shrink();
        r.MakePalette();
        r.DitheredCopy();
    });
}

void BM_ShrinkPrecise(benchmark::State& state) {
    TReduction r = MakeReduction(state);
    Measure(state, [&] { r.Shrink(); });
}

void BM_OptimizedPalette(benchmark::State& state) {
    TReduction r = MakeReduction(state);
    r.Shrink();
    Measure(state, [&] { r.MakePalette(); });
}

// The palette is set anew each time, as in a real reduction, so the colour cache starts cold.
void BM_DitheredCopy(benchmark::State& state) {
    TReduction r = MakeReduction(state);
    r.Shrink();
    r.MakePalette();
    Measure(state, [&] {
        r.Logo.FreeColorCache();
        r.DitheredCopy();
    });
}

// The logo: 640 x 400 to 320 x 400; a large photograph: 4000 x 3000 to 1000 x 750.
void Sizes(benchmark::internal::Benchmark* b) {
    b->ArgNames({"w", "h", "logo_w", "logo_h"});
    b->Args({640, 400, 320, 400});
    b->Args({4000, 3000, 1000, 750});
    b->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_LogoReduction)->Apply(Sizes);
BENCHMARK(BM_ShrinkPrecise)->Apply(Sizes);
BENCHMARK(BM_OptimizedPalette)->Apply(Sizes);
BENCHMARK(BM_DitheredCopy)->Apply(Sizes);

} // namespace
