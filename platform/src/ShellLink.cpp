// Shortcuts written as XDG desktop entries, so that an autostart folder starts the program.
#include "platform/ShellLink.h"

#include "platform/Stream.h"

#include <filesystem>

namespace platform {
namespace {

constexpr int kStatusFailed = -2147467259; // the generic failure status of the shell (E_FAIL)

// One argument of an Exec line, quoted when it holds characters the launcher treats specially.
std::string ExecArgument(const std::string& argument) {
    const bool plain =
        !argument.empty() && argument.find_first_of(" \t\n\"'\\><~|&;$*?#()`") == std::string::npos;
    std::string out;
    if (plain) {
        out = argument;
    } else {
        out = "\"";
        for (char c : argument) {
            if (c == '"' || c == '`' || c == '$' || c == '\\') out += '\\';
            out += c;
        }
        out += '"';
    }
    std::string escaped;
    for (char c : out) {
        if (c == '%') escaped += '%'; // a literal percent sign is doubled
        escaped += c;
    }
    return escaped;
}

// A string value of a desktop entry: backslashes and line breaks escaped.
std::string EntryValue(const std::string& value) {
    std::string out;
    for (char c : value) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else if (c == '\t')
            out += "\\t";
        else
            out += c;
    }
    return out;
}

} // namespace

std::string DesktopEntryText(const std::string& name, const TLinkData& Data) {
    std::string exec = ExecArgument(Data.Path);
    if (Data.Options & TLinkData::kArguments) {
        std::size_t start = 0;
        while (start < Data.Arguments.size()) {
            const auto end = std::min(Data.Arguments.find(' ', start), Data.Arguments.size());
            if (end > start) exec += " " + ExecArgument(Data.Arguments.substr(start, end - start));
            start = end + 1;
        }
    }
    std::string text = "[Desktop Entry]\nType=Application\nName=" + EntryValue(name) + "\n";
    if (Data.Options & TLinkData::kDescription) text += "Comment=" + EntryValue(Data.Description) + "\n";
    text += "Exec=" + EntryValue(exec) + "\n";
    if ((Data.Options & TLinkData::kIcon) && !Data.IconPath.empty())
        text += "Icon=" + EntryValue(Data.IconPath) + "\n";
    if ((Data.Options & TLinkData::kWorkDir) && !Data.WorkDir.empty())
        text += "Path=" + EntryValue(Data.WorkDir) + "\n";
    text += "Terminal=false\nX-GNOME-Autostart-enabled=true\n";
    return text;
}

int CreateShellLink(const std::string& LinkFile, const TLinkData& Data) {
    namespace fs = std::filesystem;
    const fs::path link(LinkFile);
    const std::string name = link.stem().string();
    if (name.empty() || link.parent_path().empty()) return kStatusFailed;
    fs::path entry = link;
    entry.replace_extension(".desktop");
    try {
        std::error_code ignored;
        fs::create_directories(entry.parent_path(), ignored);
        TReplacingFileStream file(entry.string());
        const std::string text = DesktopEntryText(name, Data);
        file.WriteBuffer(text.data(), text.size());
        file.Commit();
        return 0;
    } catch (const EStreamError&) {
        return kStatusFailed;
    }
}

} // namespace platform
