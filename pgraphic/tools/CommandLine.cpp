// Parsing of the pgraphic command line.
#include "CommandLine.h"

#include <charconv>

namespace pgtool {

const char* const kUsage =
    "usage: pgraphic info FILE\n"
    "       pgraphic convert IN OUT [--size WxH] [--stretch fast|medium|precise] [--colors N]\n"
    "                               [--system-colors] [--no-dither]\n"
    "       pgraphic formats\n"
    "       pgraphic --help | --version\n";

namespace {

std::optional<int> WholeNumber(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::optional<std::pair<int, int>> SizeOf(std::string_view text) {
    const auto x = text.find('x');
    if (x == std::string_view::npos) return std::nullopt;
    const auto w = WholeNumber(text.substr(0, x));
    const auto h = WholeNumber(text.substr(x + 1));
    if (!w || !h || *w < 1 || *h < 1) return std::nullopt;
    return std::pair{*w, *h};
}

std::variant<TCommand, TUsageError> ParseConvert(const std::vector<std::string>& args) {
    TConvertCommand convert;
    std::vector<std::string> files;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&]() -> std::optional<std::string> {
            if (i + 1 >= args.size()) return std::nullopt;
            return args[++i];
        };
        if (a == "--size") {
            const auto v = value();
            const auto size = v ? SizeOf(*v) : std::nullopt;
            if (!size) return TUsageError{"--size needs WIDTHxHEIGHT with both at least 1"};
            convert.Size = size;
        } else if (a == "--stretch") {
            const auto v = value();
            if (v == "fast")
                convert.Stretch = pg::smFast;
            else if (v == "medium")
                convert.Stretch = pg::smMedium;
            else if (v == "precise")
                convert.Stretch = pg::smPrecise;
            else
                return TUsageError{"--stretch needs fast, medium or precise"};
        } else if (a == "--colors") {
            const auto v = value();
            const auto n = v ? WholeNumber(*v) : std::nullopt;
            if (!n || *n < 2 || *n > 256) return TUsageError{"--colors needs a number from 2 to 256"};
            convert.Colors = n;
        } else if (a == "--system-colors") {
            convert.SystemColors = true;
        } else if (a == "--no-dither") {
            convert.Dither = false;
        } else if (a.starts_with("--")) {
            return TUsageError{"unknown option " + a};
        } else {
            files.push_back(a);
        }
    }
    if (files.size() != 2) return TUsageError{"convert needs an input and an output file"};
    if (convert.SystemColors && !convert.Colors) return TUsageError{"--system-colors goes with --colors"};
    convert.In = files[0];
    convert.Out = files[1];
    return convert;
}

} // namespace

std::variant<TCommand, TUsageError> ParseCommandLine(const std::vector<std::string>& args) {
    if (args.empty()) return TUsageError{"no command given"};
    const std::string& command = args[0];
    if (command == "--help" || command == "-h") return THelpCommand{};
    if (command == "--version") return TVersionCommand{};
    if (command == "formats") {
        if (args.size() != 1) return TUsageError{"formats takes no arguments"};
        return TFormatsCommand{};
    }
    if (command == "info") {
        if (args.size() != 2) return TUsageError{"info needs exactly one file"};
        return TInfoCommand{args[1]};
    }
    if (command == "convert") return ParseConvert(args);
    return TUsageError{"unknown command " + command};
}

} // namespace pgtool
