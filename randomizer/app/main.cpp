// zephrix: the shutdown-logo randomizer. "/AUTO" composes and installs new logos without a window.
#include "platform/Folders.h"
#include "platform/Fonts.h"
#include "randomizer/MainForm.h"

#include <cctype>
#include <cstdio>
#include <string>
#include <vector>

namespace {

bool IsAutoSwitch(const std::vector<std::string>& arguments) {
    if (arguments.empty()) return false;
    std::string first = arguments.front();
    for (char& c : first) c = char(std::toupper(static_cast<unsigned char>(c)));
    return first == "/AUTO";
}

// The automatic run: everything the window would do at start-up, then quit; no display needed.
int RunAutomatic(const std::vector<std::string>& arguments) {
    bool terminated = false;
    zephrix::TFormServices services;
    services.ProgramPath = platform::ProgramPath();
    services.FontFamilies = [] { return platform::InstalledFontFamilies(); };
    services.Terminate = [&] { terminated = true; };
    zephrix::TfmZephrix form(std::move(services));
    try {
        form.FormCreate(arguments);
    } catch (const std::exception& error) {
        form.ShowError(error);
        return 1;
    }
    form.FormDestroy();
    return terminated ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (IsAutoSwitch(arguments)) return RunAutomatic(arguments);
    std::fprintf(stderr, "zephrix: the main window is not available in this build; run \"zephrix /AUTO\" to "
                         "compose and install new logos.\n");
    return 2;
}
