// Raster kernels of TPixelGraphic: clearing, pixel access and whole-image assignment.
#include "pgraphic/PixelGraphic.h"

#include <benchmark/benchmark.h>
#include <cstring>
#include <vector>

namespace {

using namespace pg;

constexpr int kWidth = 640;
constexpr int kHeight = 400;

void PrepareLogoSized(TPixelGraphic& g, TPixelFormat format) {
    g.SetSize(kWidth, kHeight, format);
    if (format != pf24Bit) g.SetPaletteCount(PaletteSizeOf(format));
}

void BM_Clear(benchmark::State& state) {
    TPixelGraphic g;
    const auto format = TPixelFormat(state.range(0));
    PrepareLogoSized(g, format);
    // A non-zero background takes the per-format fill path rather than one memset.
    if (format != pf24Bit) g.SetPaletteEntry(1, RGB(255, 255, 255));
    g.SetBackGroundColor(format == pf24Bit ? RGB(10, 20, 30) : RGB(255, 255, 255));
    for (auto _ : state) {
        g.Clear();
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}
BENCHMARK(BM_Clear)->DenseRange(pf1Bit, pf24Bit)->ArgName("format");

void BM_SetPixel(benchmark::State& state) {
    TPixelGraphic g;
    PrepareLogoSized(g, TPixelFormat(state.range(0)));
    std::uint32_t value = 0;
    for (auto _ : state) {
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) g.SetPixel(x, y, value++);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}
BENCHMARK(BM_SetPixel)->DenseRange(pf1Bit, pf24Bit)->ArgName("format");

void BM_GetPixel(benchmark::State& state) {
    TPixelGraphic g;
    PrepareLogoSized(g, TPixelFormat(state.range(0)));
    for (auto _ : state) {
        std::uint32_t sum = 0;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) sum += g.GetPixel(x, y);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}
BENCHMARK(BM_GetPixel)->DenseRange(pf1Bit, pf24Bit)->ArgName("format");

constexpr int kLargeWidth = 4000;
constexpr int kLargeHeight = 3000;

void BM_Assign24BitLarge(benchmark::State& state) {
    TPixelGraphic source, target;
    source.SetSize(kLargeWidth, kLargeHeight, pf24Bit);
    std::memset(source.Bits(), 0x5A, std::size_t(source.ImageSize()));
    target.Assign(&source);
    for (auto _ : state) {
        target.Assign(&source);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * source.ImageSize());
}
BENCHMARK(BM_Assign24BitLarge)->Unit(benchmark::kMillisecond);

// The yardstick for Assign: copying the same bytes between two existing buffers.
void BM_MemcpyLarge(benchmark::State& state) {
    const std::size_t bytes = std::size_t((kLargeWidth * 24 + 31) / 32 * 4) * kLargeHeight;
    std::vector<std::uint8_t> source(bytes, 0x5A), target(bytes, 0);
    for (auto _ : state) {
        std::memcpy(target.data(), source.data(), bytes);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(bytes));
}
BENCHMARK(BM_MemcpyLarge)->Unit(benchmark::kMillisecond);

} // namespace
