// Profile files read and rewritten line by line, so comments and unknown lines survive a write.
#include "platform/IniFile.h"

#include "platform/Stream.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <optional>
#include <vector>

namespace platform {
namespace {

std::string_view Trim(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::vector<std::string> ReadLines(const std::string& fileName) {
    std::vector<std::string> lines;
    std::ifstream in(fileName, std::ios::binary);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
    }
    return lines;
}

// "[name]" gives the section name; any other line gives nothing.
std::optional<std::string_view> SectionName(std::string_view line) {
    line = Trim(line);
    if (line.size() < 2 || line.front() != '[') return std::nullopt;
    const auto close = line.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    return Trim(line.substr(1, close - 1));
}

struct TKeyLine {
    std::string_view Key;
    std::string_view Value;
};

std::optional<TKeyLine> KeyLine(std::string_view line) {
    const auto trimmed = Trim(line);
    if (trimmed.empty() || trimmed.front() == ';') return std::nullopt;
    const auto equals = line.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    return TKeyLine{Trim(line.substr(0, equals)), Trim(line.substr(equals + 1))};
}

std::string CutValue(std::string_view value) {
    return std::string(value.substr(0, std::min(value.size(), TIniFile::MaxValueLength)));
}

} // namespace

std::string TIniFile::ReadString(std::string_view section, std::string_view key,
                                 std::string_view defaultValue) const {
    const std::string_view wantedSection = Trim(section);
    const std::string_view wantedKey = Trim(key);
    bool inSection = false;
    for (const auto& line : ReadLines(FFileName)) {
        if (const auto name = SectionName(line)) {
            inSection = SameName(*name, wantedSection);
        } else if (inSection) {
            if (const auto entry = KeyLine(line); entry && SameName(entry->Key, wantedKey))
                return CutValue(entry->Value);
        }
    }
    return CutValue(Trim(defaultValue));
}

void TIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) const {
    const std::string_view wantedSection = Trim(section);
    const std::string_view wantedKey = Trim(key);
    const std::string newLine = std::string(wantedKey) + "=" + CutValue(Trim(value));

    std::vector<std::string> lines = ReadLines(FFileName);
    bool inSection = false;
    bool written = false;
    std::optional<std::size_t> insertAt; // just after the last key line of the wanted section
    for (std::size_t i = 0; i < lines.size() && !written; ++i) {
        if (const auto name = SectionName(lines[i])) {
            if (inSection) break;
            inSection = SameName(*name, wantedSection);
            if (inSection) insertAt = i + 1;
        } else if (inSection) {
            if (const auto entry = KeyLine(lines[i])) {
                if (SameName(entry->Key, wantedKey)) {
                    lines[i] = newLine;
                    written = true;
                }
                insertAt = i + 1;
            }
        }
    }
    if (!written) {
        if (insertAt) {
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(*insertAt), newLine);
        } else {
            lines.push_back("[" + std::string(wantedSection) + "]");
            lines.push_back(newLine);
        }
    }

    std::string text;
    for (const auto& line : lines) text += line + "\r\n";
    TReplacingFileStream out(FFileName);
    out.WriteBuffer(text.data(), text.size());
    out.Commit();
}

} // namespace platform
