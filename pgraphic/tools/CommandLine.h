// The pgraphic command's arguments, parsed into what each command needs.
#pragma once

#include "pgraphic/Types.h"

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace pgtool {

struct TInfoCommand {
    std::string File;
};

struct TConvertCommand {
    std::string In;
    std::string Out;
    std::optional<std::pair<int, int>> Size;
    pg::TStretchMode Stretch = pg::smPrecise;
    std::optional<int> Colors;
    bool SystemColors = false;
    bool Dither = true;
};

struct TFormatsCommand {};
struct THelpCommand {};
struct TVersionCommand {};

using TCommand = std::variant<TInfoCommand, TConvertCommand, TFormatsCommand, THelpCommand, TVersionCommand>;

// A command line that does not fit the usage.
struct TUsageError {
    std::string Message;
};

// The command named by `args` (without the program name), or the usage error.
std::variant<TCommand, TUsageError> ParseCommandLine(const std::vector<std::string>& args);

extern const char* const kUsage;

} // namespace pgtool
