// The English message table and message formatting.
#include "pgraphic/Messages.h"

#include <array>

namespace pg {
namespace {

constexpr std::array<TPGLangStr, msg::Count> kEntries{{
    {1, "X, Y index out of range"},
    {2, "No palette"},
    {3, "Invalid palette index"},
    {4, "Unknown clipboard format"},
    {5, "Invalid temporary file"},
    {6, "Unknown file format"},
    {7, "%S1 invalid"},
    {8, "black and white"},
    {9, "2 colors"},
    {10, "16 shades of gray"},
    {11, "16 system colors"},
    {12, "16 colors"},
    {13, "256 shades of gray"},
    {14, "256 colors"},
    {15, "16.7 million colors"},
    {16, "%S1 is empty"},
    {17, "The graphic cannot be saved to a %S1 file with the current color resolution (%S2).\r\r"
         "The graphic will be saved with a different color resolution (%S3)."},
    {18, "The graphic cannot be saved with to a %S1 file with the current color resolution (%S2)"},
    {19, "Unknown file extension \"%S1\""},
    {20, "Invalid value for %S1"},
    {21, "Negative height"},
    {22, "Negative width"},
    {23, "Cannot apply this filter to a source that is identical to the target"},
    {24, "bit"},
    {25, "Image files"},
    {26, "All files"},
    {27, "Invalid size of %S1"},
    {28, "Warning"},
    {29, "Operation aborted on user request"},
    {30, "Not supported subformat"},
    {31, "%S1 failed"},
    {32, "Unexpected end of file"},
    {33, "Unknown subformat"},
    {34, "Not a %S1 file"},
    {35, "Width = 0 or Height = 0"},
    {36, "Invalid color resolution"},
    {37, "Unsupported field type %S1"},
    {38, "Invalid count of bytes in row %S1"},
    {39, "Unsupported Compression"},
    {40, "Saturation=0 and Hue defined"},
    {41, "%S1 out of range"},
    {42, "OK"},
    {43, "Cancel"},
    {44, "RGB Filter"},
    {45, "R"},
    {46, "G"},
    {47, "B"},
    {48, "CMY Filter"},
    {49, "C"},
    {50, "M"},
    {51, "Y"},
    {52, "YCbCr Filter"},
    {53, "Y"},
    {54, "Cb"},
    {55, "Cr"},
    {56, "HLS Filter"},
    {57, "H"},
    {58, "L"},
    {59, "S"},
    {60, "HSV Filter"},
    {61, "V"},
    {62, "Negative Filter"},
    {63, "Gamma"},
    {64, "RGB"},
    {65, "Y"},
    {66, "Brightness"},
    {67, "Contrast"},
    {68, "Apply on"},
    {69, "Brightness, Contrast, Gamma Filter"},
    {70, "Grayscale Filter"},
    {71, "RGB weighting"},
    {72, "Std. deviation"},
    {73, "Strength"},
    {74, "Sharpen"},
    {75, "Detail"},
    {76, "Smooth"},
    {77, "Radius"},
    {78, "Blur"},
    {79, "Contour"},
    {80, "White"},
    {81, "Black"},
    {82, "\u00b1"},
    {83, "\u00b0"},
    {84, ""},
}};

// The start-up check of the table's numbering, done once when the library is built.
static_assert((CheckMessageTableOrder(kEntries), true), "message table out of order");

void ReplaceFirst(std::string& text, std::string_view placeholder, std::string_view value) {
    if (auto at = text.find(placeholder); at != std::string::npos)
        text.replace(at, placeholder.size(), value);
}

} // namespace

std::span<const TPGLangStr> PGLangStrEntries() {
    return kEntries;
}

std::string PGMessage(int number, std::string_view s1, std::string_view s2, std::string_view s3) {
    if (number < 1 || number > msg::Count) return {};
    std::string text(kEntries[std::size_t(number - 1)].English);
    ReplaceFirst(text, "%S1", s1);
    ReplaceFirst(text, "%S2", s2);
    ReplaceFirst(text, "%S3", s3);
    return text;
}

} // namespace pg
