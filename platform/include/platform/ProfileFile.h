// Profile (INI) files with the behaviour of the Windows profile functions: blanks around values
// dropped, values cut at 1023 characters, new keys appended in write order, existing keys kept in
// place, and every write replacing the file in one step.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace platform {

class EIniFileException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TIniFile {
public:
    explicit TIniFile(std::string fileName) : FFileName(std::move(fileName)) {}
    const std::string& FileName() const { return FFileName; }

    // The value of Key in Section, or Default when the file, the section or the key is missing.
    std::string ReadString(std::string_view Section, std::string_view Key, std::string_view Default) const;
    // Decimal, or hexadecimal after "0x", "0X" or "$"; Default when missing or not a number.
    std::int32_t ReadInteger(std::string_view Section, std::string_view Key, std::int32_t Default) const;
    // Any number other than 0 is true.
    bool ReadBool(std::string_view Section, std::string_view Key, bool Default) const;

    // Raise EIniFileException "Unable to write to <file>" when the file cannot be written.
    void WriteString(std::string_view Section, std::string_view Key, std::string_view Value);
    void WriteInteger(std::string_view Section, std::string_view Key, std::int32_t Value);
    void WriteBool(std::string_view Section, std::string_view Key, bool Value);

    // The longest value a read returns, in characters.
    static constexpr std::size_t kMaxValueLength = 1023;

private:
    std::string FFileName;
};

// Reads Text as a profile integer: decimal, or hexadecimal after "0x", "0X" or "$".
bool ParseProfileInteger(std::string_view text, std::int32_t& value);

} // namespace platform
