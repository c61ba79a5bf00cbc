// Profile (INI) files with the behaviour of the Windows profile functions.
#include "platform/ProfileFile.h"

#include "platform/Stream.h"
#include "platform/TextEncoding.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <fstream>
#include <sstream>
#include <vector>

namespace platform {
namespace {

std::string_view Trim(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return s;
}

bool SameText(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// The file's lines, without their line ends; empty when the file cannot be read.
std::vector<std::string> ReadLines(const std::string& fileName) {
    std::ifstream in(fileName, std::ios::binary);
    if (!in) return {};
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return SplitLines(DecodeText(bytes.str()));
}

// "[name]" gives name; anything else is not a section header.
bool SectionName(std::string_view line, std::string_view& name) {
    line = Trim(line);
    if (line.size() < 2 || line.front() != '[') return false;
    const auto close = line.find(']');
    if (close == std::string_view::npos) return false;
    name = Trim(line.substr(1, close - 1));
    return true;
}

// "key=value" gives key and value, both trimmed.
bool KeyValue(std::string_view line, std::string_view& key, std::string_view& value) {
    const auto eq = line.find('=');
    if (eq == std::string_view::npos) return false;
    key = Trim(line.substr(0, eq));
    value = Trim(line.substr(eq + 1));
    return true;
}

struct TLocation {
    std::ptrdiff_t Section = -1;       // line of the section header
    std::ptrdiff_t Key = -1;           // line of the key
    std::ptrdiff_t LastInSection = -1; // last non-blank line of the section
};

TLocation Locate(const std::vector<std::string>& lines, std::string_view section, std::string_view key) {
    TLocation at;
    bool inside = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string_view name;
        if (SectionName(lines[i], name)) {
            if (inside) break;
            if (SameText(name, section)) {
                inside = true;
                at.Section = at.LastInSection = std::ptrdiff_t(i);
            }
            continue;
        }
        if (!inside) continue;
        if (!Trim(lines[i]).empty()) at.LastInSection = std::ptrdiff_t(i);
        std::string_view k, v;
        if (at.Key < 0 && KeyValue(lines[i], k, v) && SameText(k, key)) at.Key = std::ptrdiff_t(i);
    }
    return at;
}

} // namespace

bool ParseProfileInteger(std::string_view text, std::int32_t& value) {
    text = Trim(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    } else if (text.size() > 1 && text[0] == '$') {
        base = 16;
        text.remove_prefix(1);
    }
    if (text.empty()) return false;
    std::uint32_t magnitude = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
    if (error != std::errc() || end != text.data() + text.size()) return false;
    // Hexadecimal values use all 32 bits (colours with the top bit set name system colours).
    if (base == 10 && magnitude > (negative ? 0x80000000u : 0x7FFFFFFFu)) return false;
    value = negative ? std::int32_t(0u - magnitude) : std::int32_t(magnitude);
    return true;
}

std::string TIniFile::ReadString(std::string_view Section, std::string_view Key,
                                 std::string_view Default) const {
    const auto lines = ReadLines(FFileName);
    const TLocation at = Locate(lines, Section, Key);
    std::string_view value = Default;
    std::string_view k;
    if (at.Key >= 0) KeyValue(lines[std::size_t(at.Key)], k, value);
    return std::string(Utf8Prefix(value, kMaxValueLength));
}

std::int32_t TIniFile::ReadInteger(std::string_view Section, std::string_view Key,
                                   std::int32_t Default) const {
    std::int32_t value = Default;
    return ParseProfileInteger(ReadString(Section, Key, ""), value) ? value : Default;
}

bool TIniFile::ReadBool(std::string_view Section, std::string_view Key, bool Default) const {
    return ReadInteger(Section, Key, Default ? 1 : 0) != 0;
}

void TIniFile::WriteString(std::string_view Section, std::string_view Key, std::string_view Value) {
    auto lines = ReadLines(FFileName);
    const TLocation at = Locate(lines, Section, Key);
    const std::string entry = std::string(Key) + "=" + std::string(Value);
    if (at.Key >= 0) {
        // The key keeps the spelling it already has in the file.
        std::string_view existingKey, oldValue;
        KeyValue(lines[std::size_t(at.Key)], existingKey, oldValue);
        lines[std::size_t(at.Key)] = std::string(existingKey) + "=" + std::string(Value);
    } else if (at.Section >= 0)
        lines.insert(lines.begin() + at.LastInSection + 1, entry);
    else {
        lines.push_back("[" + std::string(Section) + "]");
        lines.push_back(entry);
    }
    try {
        TReplacingFileStream file(FFileName);
        for (const auto& line : lines) {
            file.WriteBuffer(line.data(), line.size());
            file.WriteBuffer("\n", 1);
        }
        file.Commit();
    } catch (const EStreamError&) {
        throw EIniFileException("Unable to write to " + FFileName);
    }
}

void TIniFile::WriteInteger(std::string_view Section, std::string_view Key, std::int32_t Value) {
    WriteString(Section, Key, std::to_string(Value));
}

void TIniFile::WriteBool(std::string_view Section, std::string_view Key, bool Value) {
    WriteString(Section, Key, Value ? "1" : "0");
}

} // namespace platform
