// The clock label's time: a source of local time and the "h:mm:ss AM/PM" text.
#pragma once

#include <string>

namespace saver {

struct TLocalTime {
    int Hour = 0; // 0 to 23
    int Minute = 0;
    int Second = 0;
};

class TClockSource {
public:
    virtual ~TClockSource() = default;
    virtual TLocalTime Now() = 0;
};

class TSystemClock : public TClockSource {
public:
    TLocalTime Now() override;
};

// 12-hour clock without a leading zero: "3:07:09 PM", "12:00:00 AM" at midnight.
std::string ClockText(TLocalTime time);

} // namespace saver
