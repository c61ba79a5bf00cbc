// Number parsing is done by hand so that locale and exponent syntax never change what a text means.
#include "saver/SettingsText.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace saver {

double LeadingNumber(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
    double value = 0;
    double scale = 0; // 0 before the decimal point, then the weight of the next digit
    for (; at < text.size(); ++at) {
        const char c = text[at];
        if (c >= '0' && c <= '9') {
            if (scale == 0) {
                value = value * 10 + (c - '0');
            } else {
                value += (c - '0') * scale;
                scale /= 10;
            }
        } else if (c == '.' && scale == 0) {
            scale = 0.1;
        } else {
            break;
        }
    }
    return negative ? -value : value;
}

namespace {

template <typename T> T RoundHalfEven(double value) {
    if (std::isnan(value)) return 0;
    const double clamped =
        std::clamp(value, double(std::numeric_limits<T>::min()), double(std::numeric_limits<T>::max()));
    return static_cast<T>(std::nearbyint(clamped)); // the default rounding mode sends halves to even
}

} // namespace

std::int16_t RoundToInt16(double value) {
    return RoundHalfEven<std::int16_t>(value);
}
std::int32_t RoundToInt32(double value) {
    return RoundHalfEven<std::int32_t>(value);
}

bool IsSwitchOn(std::string_view text) {
    return LeadingNumber(text) == 1.0;
}

} // namespace saver
