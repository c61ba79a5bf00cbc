// The library's numbered message table and its "%S1"/"%S2"/"%S3" formatting.
#pragma once

#include "pgraphic/Exceptions.h"

#include <span>
#include <string>
#include <string_view>

namespace pg {

struct TPGLangStr {
    int Number;
    std::string_view English;
};

// Numbers of the messages the library raises or shows; the rest are texts of the filter dialogs.
namespace msg {
inline constexpr int XYIndexOutOfRange = 1;
inline constexpr int NoPalette = 2;
inline constexpr int InvalidPaletteIndex = 3;
inline constexpr int UnknownClipboardFormat = 4;
inline constexpr int InvalidTemporaryFile = 5;
inline constexpr int UnknownFileFormat = 6;
inline constexpr int Invalid = 7;
inline constexpr int ColorResBlackWhite = 8; // 8..15 name the colour resolutions 0..7
inline constexpr int IsEmpty = 16;
inline constexpr int ColorResWillChange = 17;
inline constexpr int CannotSaveColorRes = 18;
inline constexpr int UnknownFileExtension = 19;
inline constexpr int InvalidValueFor = 20;
inline constexpr int NegativeHeight = 21;
inline constexpr int NegativeWidth = 22;
inline constexpr int FilterSourceIsTarget = 23;
inline constexpr int Bit = 24;
inline constexpr int ImageFiles = 25;
inline constexpr int AllFiles = 26;
inline constexpr int InvalidSizeOf = 27;
inline constexpr int Warning = 28;
inline constexpr int AbortedByUser = 29;
inline constexpr int NotSupportedSubformat = 30;
inline constexpr int Failed = 31;
inline constexpr int UnexpectedEndOfFile = 32;
inline constexpr int UnknownSubformat = 33;
inline constexpr int NotAFile = 34;
inline constexpr int ZeroWidthOrHeight = 35;
inline constexpr int InvalidColorResolution = 36;
inline constexpr int UnsupportedFieldType = 37;
inline constexpr int InvalidCountOfBytesInRow = 38;
inline constexpr int UnsupportedCompression = 39;
inline constexpr int SaturationZeroHueDefined = 40;
inline constexpr int OutOfRange = 41;
inline constexpr int Count = 84;
} // namespace msg

// The whole table, entry n - 1 carrying number n.
std::span<const TPGLangStr> PGLangStrEntries();

// Raises EPixelGraphic when an entry's number is not its position + 1. The library runs it on its
// own table when it starts; a table edited out of order fails there instead of showing wrong texts.
constexpr void CheckMessageTableOrder(std::span<const TPGLangStr> table) {
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (table[i].Number != int(i) + 1)
            throw EPixelGraphic("PGLangStrEntries order wrong " + std::to_string(i + 1) + " and " +
                                std::to_string(table[i].Number) + " are not identical");
    }
}

// Message `number` with the first "%S1", then the first "%S2", then the first "%S3" replaced.
std::string PGMessage(int number, std::string_view s1 = {}, std::string_view s2 = {},
                      std::string_view s3 = {});

// Raises exception class E with message `number` formatted as PGMessage does.
template <class E>
[[noreturn]] void PGRaise(int number, std::string_view s1 = {}, std::string_view s2 = {},
                          std::string_view s3 = {}) {
    throw E(PGMessage(number, s1, s2, s3));
}

} // namespace pg
