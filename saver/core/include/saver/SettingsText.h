// How the saver turns a stored setting text into a number: its leading decimal number, then the
// nearest 16- or 32-bit integer with halves going to the even neighbour.
#pragma once

#include <cstdint>
#include <string_view>

namespace saver {

// Leading blanks skipped, an optional sign, digits and at most one decimal point; 0 when the text
// does not begin with a number ("12abc" 12, "1-2" 1, "abc" 0).
double LeadingNumber(std::string_view text);

// Nearest integer with halves to even, held to the type's range so stray values cannot overflow.
std::int16_t RoundToInt16(double value);
std::int32_t RoundToInt32(double value);

// Switches are on only when the number is exactly 1 ("1", "01", "1.0"; not "2" or "true").
bool IsSwitchOn(std::string_view text);

} // namespace saver
