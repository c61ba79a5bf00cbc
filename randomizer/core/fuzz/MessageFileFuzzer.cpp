// libFuzzer target: any message text file must give a message or none, or fail with an exception;
// never a memory fault and never an endless draw.
#include "randomizer/MainForm.h"

#include <cstddef>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <unistd.h>

namespace {

// Repeatable draws, so that a finding replays the same way.
class TSeededRandom : public zephrix::TRandomSource {
public:
    void Reseed() override { FGenerator.seed(1); }
    std::uint32_t Next(std::uint32_t n) override { return std::uint32_t(FGenerator() % n); }

private:
    std::mt19937 FGenerator{1};
};

const std::string& MessageFile() {
    static const std::string file = [] {
        const auto dir =
            std::filesystem::temp_directory_path() / ("zephrix-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        return (dir / "message.txt").string();
    }();
    return file;
}

zephrix::TfmZephrix& Form() {
    static zephrix::TfmZephrix form([] {
        zephrix::TFormServices services;
        services.Random = std::make_shared<TSeededRandom>();
        return services;
    }());
    return form;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::ofstream(MessageFile(), std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), std::streamsize(size));
    zephrix::TfmZephrix& form = Form();
    for (const bool strip : {false, true}) {
        std::vector<std::string> lines;
        try {
            form.HeaderDescription = form.ReadDescription(MessageFile());
            form.ReadMessage(MessageFile(), lines, strip);
        } catch (const std::exception&) {
        }
    }
    return 0;
}
