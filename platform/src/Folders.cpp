// Where things live: the stand-ins for the Windows directory, the program folder and the
// per-user folders.
#include "platform/Folders.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace platform {
namespace {

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string WithSlash(std::string folder) {
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

} // namespace

std::string WindowsDirectory() {
    std::string folder = Env("WINDIR");
    if (folder.empty()) {
        std::string data = Env("XDG_DATA_HOME");
        if (data.empty() && !Env("HOME").empty()) data = Env("HOME") + "/.local/share";
        folder = data + "/windows";
    }
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    return WithSlash(folder);
}

std::string ProgramPath() {
    std::error_code error;
    const auto path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : path.string();
}

std::string ConfigHome() {
    std::string folder = Env("XDG_CONFIG_HOME");
    if (folder.empty() && !Env("HOME").empty()) folder = Env("HOME") + "/.config";
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    return folder;
}

std::string StartupFolder() {
    const std::string config = ConfigHome();
    return config.empty() ? std::string() : config + "/autostart";
}

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

} // namespace platform
