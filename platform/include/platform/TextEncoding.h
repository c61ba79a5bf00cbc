// Text of files: UTF-8 inside the programs; files that are not valid UTF-8 are Windows-1252.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform {

bool IsValidUtf8(std::string_view bytes);

// The file's bytes as UTF-8: unchanged when they are valid UTF-8, else decoded as Windows-1252.
std::string DecodeText(std::string_view bytes);

// The lines of a text: CR LF, a lone LF and a lone CR each end a line; a line end after the last
// line adds no empty line.
std::vector<std::string> SplitLines(std::string_view text);

// The first `count` characters (code points) of UTF-8 text.
std::string_view Utf8Prefix(std::string_view text, std::size_t count);

} // namespace platform
