// Text of files: UTF-8 inside the programs; files that are not valid UTF-8 are Windows-1252.
#pragma once

#include <string>
#include <string_view>

namespace platform {

bool IsValidUtf8(std::string_view bytes);

// The file's bytes as UTF-8: unchanged when they are valid UTF-8, else decoded as Windows-1252.
std::string DecodeText(std::string_view bytes);

// The first `count` characters (code points) of UTF-8 text.
std::string_view Utf8Prefix(std::string_view text, std::size_t count);

} // namespace platform
