// BMP read and write kernels against a plain memcpy of the same bytes.
#include "pgraphic/PixelGraphic.h"
#include "platform/Stream.h"

#include <benchmark/benchmark.h>
#include <cstring>

namespace {

using namespace pg;

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;

std::vector<std::uint8_t> LargeBmpFile() {
    TPixelGraphic g;
    g.SetSize(kWidth, kHeight, pf24Bit);
    for (std::int32_t i = 0; i < g.ImageSize(); ++i) g.Bits()[i] = std::uint8_t(i * 7);
    platform::TMemoryStream s;
    g.SaveToStream(s);
    return s.TakeBytes();
}

void BM_BmpRead24BitLarge(benchmark::State& state) {
    const auto file = LargeBmpFile();
    platform::TMemoryStream stream(file);
    TPixelGraphic g;
    for (auto _ : state) {
        stream.SetPosition(0);
        g.LoadFromStream(stream);
        benchmark::DoNotOptimize(g.Bits());
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(file.size()));
}
BENCHMARK(BM_BmpRead24BitLarge)->Unit(benchmark::kMillisecond);

void BM_BmpWrite24BitLarge(benchmark::State& state) {
    TPixelGraphic g;
    platform::TMemoryStream source(LargeBmpFile());
    g.LoadFromStream(source);
    platform::TMemoryStream stream;
    for (auto _ : state) {
        stream.SetPosition(0);
        g.SaveToStream(stream);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * stream.Size());
}
BENCHMARK(BM_BmpWrite24BitLarge)->Unit(benchmark::kMillisecond);

void BM_MemcpyBmpSized(benchmark::State& state) {
    const auto file = LargeBmpFile();
    std::vector<std::uint8_t> target(file.size());
    for (auto _ : state) {
        std::memcpy(target.data(), file.data(), file.size());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(file.size()));
}
BENCHMARK(BM_MemcpyBmpSized)->Unit(benchmark::kMillisecond);

} // namespace
