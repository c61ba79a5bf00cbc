// A temporary folder for one test, removed with everything in it afterwards.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace platform::test {

class TTempFolder {
public:
    explicit TTempFolder(const std::string& tag)
        : FPath(std::filesystem::temp_directory_path() / (tag + "-" + std::to_string(::getpid()))) {
        std::filesystem::remove_all(FPath);
        std::filesystem::create_directories(FPath);
    }
    ~TTempFolder() { std::filesystem::remove_all(FPath); }
    std::string File(const std::string& name) const { return (FPath / name).string(); }
    std::string Path() const { return FPath.string(); }

    static std::string Read(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    static void Write(const std::string& file, const std::string& text) {
        std::ofstream(file, std::ios::binary) << text;
    }

private:
    std::filesystem::path FPath;
};

} // namespace platform::test
