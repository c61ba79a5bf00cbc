// The saver's animation tick at 1920 x 1080 with 50 and 300 Bopplers on each background.
#include "saver/ScreenSave.h"
#include "saver/Settings.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

// Settings for the run live in a folder of their own, never in the user's.
class TBenchSettings {
public:
    TBenchSettings()
        : FDir(std::filesystem::temp_directory_path() / ("saver-bench-" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(FDir);
        ::setenv("XDG_CONFIG_HOME", FDir.c_str(), 1);
    }
    ~TBenchSettings() { std::filesystem::remove_all(FDir); }

private:
    std::filesystem::path FDir;
};

void SaverTick(benchmark::State& state) {
    static TBenchSettings settings;
    const auto sprites = static_cast<int>(state.range(0));
    const auto mode = static_cast<std::int16_t>(state.range(1));
    saver::WriteSetting(saver::Setting::Bopplers, std::to_string(sprites));
    saver::WriteSetting(saver::Setting::Clock, "1");
    saver::TClockSeededRandom random;
    saver::TSystemClock clock;
    saver::TfrmScreenSave form(1920, 1080, saver::LoadSpriteSheets(), random, clock);
    form.Load(mode);
    if (mode == 0)
        form.SetBackgroundPicture(
            saver::WrapBitmapAsPicture(saver::TFrameBuffer(1920, 1080, 0xFF405060u), {}));
    if (mode == 1) form.SetBackgroundColor(13408512);
    form.AnimationTick(); // the first tick lays the whole background down
    for (auto _ : state) benchmark::DoNotOptimize(form.AnimationTick());
    state.SetLabel(mode == 0 ? "desktop" : mode == 1 ? "solid colour" : "gradient");
}
BENCHMARK(SaverTick)->ArgsProduct({{50, 300}, {0, 1, 2}})->Unit(benchmark::kMicrosecond);

} // namespace
