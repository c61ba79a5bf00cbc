// Profile (INI) files with the classic behaviour: sections and keys found without regard to case,
// blanks around names and values trimmed, values cut at 1023 characters, new keys appended in write
// order while existing keys keep their place, and every write replacing the file in one step.
#pragma once

#include <string>
#include <string_view>

namespace platform {

class TIniFile {
public:
    static constexpr std::size_t MaxValueLength = 1023;

    explicit TIniFile(std::string fileName) : FFileName(std::move(fileName)) {}

    const std::string& FileName() const { return FFileName; }

    // The stored value, or `defaultValue` when the file, section or key is missing.
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const;
    // Stores the value, creating the file, section and key as needed; raises EStreamError when the
    // file cannot be written.
    void WriteString(std::string_view section, std::string_view key, std::string_view value) const;

private:
    std::string FFileName;
};

} // namespace platform
