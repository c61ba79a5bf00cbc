// Local time from the C library and its 12-hour text.
#include "saver/Clock.h"

#include <cstdio>
#include <ctime>

namespace saver {

TLocalTime TSystemClock::Now() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_hour, local.tm_min, local.tm_sec};
}

std::string ClockText(TLocalTime time) {
    const int hour12 = time.Hour % 12 == 0 ? 12 : time.Hour % 12;
    char text[16];
    std::snprintf(text, sizeof text, "%d:%02d:%02d %s", hour12, time.Minute % 60, time.Second % 60,
                  time.Hour < 12 ? "AM" : "PM");
    return text;
}

} // namespace saver
